#pragma once
// How the desktop shows a detail node wherever it draws one (the detail pane, print, export): the
// label of a node is its first column's caption or else its key, only visible columns count, and
// a column's Align (0 left, 1 right, 2 centred) is a Qt alignment.

#include <components/viewer/detail_items.h>
#include <contracts/trace_viewer.h>

#include <Qt>
#include <string>
#include <vector>

namespace qtgui {

// The label is the document's, as every face shows it.
using client::NodeLabel;

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
