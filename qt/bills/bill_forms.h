#pragma once
// The faces of the client's own windows: the bill window (the bill as text, buttons to browse its
// list), the item view (its text) and the list selection form's bill list control (a table of the
// list's rows, a box to look for a bill number, 确定 and 退出).

namespace qtgui {

// Registers the three faces, and watches "QzList.ICList" so that each list control is drawn by
// the list form that hosts it.
void RegisterBillForms();

}  // namespace qtgui
