#pragma once
// A list of bills as a face reads and drives it: the bill list control ("序时薄") of the list
// selection form, or the look-up of a class of bills (export orders). The terminal and the
// desktop draw either through one binding, so both act on a list alike.

#include "class_bills.h"
#include "ic_list.h"

#include <platform/adodb/recordset.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace client {

// What a list shows and where what the person does goes. Every member answers a default once
// the list it reads is gone.
struct ListBinding {
    std::function<adodb::RecordsetPtr()> rows;
    std::function<int32_t()> layout;  // the list id or class type the sheet is laid out for
    std::function<std::vector<int32_t>()> selected;
    std::function<void(int32_t)> selectRow;
    std::function<void()> selectAll;
    std::function<void()> clearSelection;
    std::function<void(bool confirm)> close;
    // Narrows the list to the bills whose number holds the text; why it could not, or "". None:
    // the list cannot be narrowed in the database (a face narrows the rows it shows).
    std::function<std::string(const std::string&)> search;
};

ListBinding BindList(std::weak_ptr<ICList> list);
ListBinding BindLookUp(std::weak_ptr<frmBillLookUp> lookUp);

// Selects exactly the rows at `positions`.
void SelectOnly(const ListBinding& binding, const std::vector<int32_t>& positions);

}  // namespace client
