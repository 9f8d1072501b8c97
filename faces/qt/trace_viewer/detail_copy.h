#pragma once
// The detail pane's selection as text for the clipboard, ready to paste into a spreadsheet: one
// line a row, cells separated by tabs, and the captions of a node's columns on the line before
// its first row. A node stands for its loaded rows (a node that holds other nodes: its caption,
// then each of them).

#include <platform/automation/object.h>

#include <string>
#include <vector>

namespace qtgui {

// The text of `items` (detail nodes and rows, in the order shown).
std::string DetailCopyText(const std::vector<automation::ObjectPtr>& items);

}  // namespace qtgui
