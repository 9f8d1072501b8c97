#pragma once
// What a clerk reads on each kind of bill: the head fields with their captions, and the columns
// of its entry lines. Each head table of the ERP has one layout: a head statement and an entry
// statement (one bound parameter each, the bill's internal id) that join the ERP's tables for
// names (customer, item, unit, warehouse, biller, checker), give status and kind codes as
// Chinese words, and keep dates as dates. Statements come only from this fixed table.

#include <components/bills/shown_values.h>

#include <string>
#include <vector>

namespace client {

struct SheetField {
    const char* column;   // the statement's column
    const char* caption;  // Chinese; shown through the language files
    ValueKind kind = ValueKind::Text;
    bool optional = false;  // left out of the head when the bill has no value for it
};

struct BillLayout {
    const char* headSql;  // one row, or none when the bill is gone
    std::vector<SheetField> head;
    const char* entrySql = nullptr;  // the entry lines in their order; none for a one-line bill
    std::vector<SheetField> entries;
};

// The layout of a head table ("ICStockBill", "SEOrder", ...); nothing for a table without one.
const BillLayout* FindBillLayout(const std::string& table);

}  // namespace client
