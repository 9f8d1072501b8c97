#pragma once
// The faces of the client's own windows: the bill window (its head fields and entry lines, buttons
// to browse its list), the item view (its text) and the list selection form's bill list control (a
// table of the list's rows under headed columns, a box to look for a bill number, 确定 and 退出),
// and the look-up of a class of bills (export orders) with its filter dialog.

namespace qtgui {

// Registers the faces; each bill list control is drawn by the list form that hosts it.
void RegisterBillForms();

}  // namespace qtgui
