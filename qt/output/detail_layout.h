#pragma once
// How the desktop shows a detail node wherever it draws one (the detail pane, print, export): the
// label of a node is its first column's caption or else its key, only visible columns count, and
// a column's Align (0 left, 1 right, 2 centred) is a Qt alignment.

#include <trackquery/contracts/trace_viewer.h>

#include <Qt>
#include <string>
#include <vector>

namespace qtgui {

inline std::string NodeLabel(const trackquery::DetailNode& node) {
    if (node.ColumnCount() > 0) {
        if (auto column = node.Column(1)) return column->Caption;
    }
    return node.Key;
}

inline std::vector<trackquery::ShownColumn> VisibleColumns(const trackquery::DetailNode& node) {
    return node.VisibleColumns();
}

inline Qt::Alignment AlignmentOf(int32_t align) {
    switch (align) {
        case 1:
            return Qt::AlignRight | Qt::AlignVCenter;
        case 2:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace qtgui
