#pragma once
// One bill as its window shows it, in the session's language: a caption (the kind and the
// number), the head fields (caption and value), and the entry lines under headed columns. The
// terminal host prints it (RenderBillSheet) and the desktop draws it; both show the same texts.

#include <components/bills/shown_values.h>

#include <platform/adodb/connection.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace client {

struct BillSheet {
    std::string caption;
    std::vector<std::pair<std::string, std::string>> head;  // caption, value
    std::vector<SheetColumn> columns;                       // of the entry lines
    std::vector<std::vector<std::string>> entries;
};

// Reads the bill of head table `table` with internal id `interId` through the table's layout.
// A table without a layout, or a bill the database no longer holds, gives a sheet with no head.
BillSheet ReadBillSheet(adodb::Connection& cnn, const std::string& table, int32_t interId);

// The sheet as the terminal prints it (without its caption): head fields one a line, captions
// padded so that the values line up, then the entry lines as a table.
std::string RenderBillSheet(const BillSheet& sheet);

}  // namespace client
