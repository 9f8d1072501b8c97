#pragma once
// A bill list ("序时薄") as a clerk reads it: headed columns in the session's language, words
// for status and kind codes, names for user ids, dates as dates, figures grouped. The list's
// record set keeps every column the library reads from a selection; the sheet chooses what is
// shown, in the same row order, so row N of the sheet is row N of the record set.

#include <components/bills/shown_values.h>

#include <platform/adodb/recordset.h>

#include <cstdint>
#include <string>
#include <vector>

namespace client {

struct ListSheet {
    std::vector<SheetColumn> columns;
    std::vector<std::vector<SheetCell>> rows;
};

// The rows of list `listId` as shown: a list id of the bill list control, or the class type id of
// a class bill look-up. A list without a layout of its own shows every column of its record set
// under the column's name; a column the record set lacks is left out.
ListSheet ReadListSheet(int32_t listId, const adodb::RecordsetPtr& rows);

// The sheet as the terminal prints it: a column "#" with each row's 1-based number, "*" before
// the selected ones, then the shown columns.
std::string RenderListSheet(const ListSheet& sheet, const std::vector<int32_t>& selected);

}  // namespace client
