#pragma once
// The whole view as text, for the terminal host, the print files and the tests.
//
// Layout. Each pane starts with its title between "==" marks (a head title shown as a warning
// reads "== !! title =="). The navigation tree indents each node by its Level; the head lists its
// lines; the detail tree shows each node as "[+]" (collapsed, expandable), "[-]" (expanded) or
// "[ ]" followed by the caption of its first column (its Key when it has none). An expanded node
// lists its visible column headings and then its rows, cells aligned under the headings; a totals
// row starts with "[=]". A row that is expanded shows its child nodes below it. The selected
// navigation node and the selected detail row or node are marked with ">" in the first column.
// A status text comes last, as "== !! text ==".
// Hidden columns are not shown.

#include <client/trace_viewer/view_state.h>

#include <string>
#include <string_view>

namespace client {

std::string RenderView(const ViewState& state);

// The number of terminal columns a UTF-8 text takes (wide East Asian characters count two).
int DisplayWidth(std::string_view text);

// The label a detail node shows: the caption of its first column, or its Key.
std::string NodeLabel(const trackquery::DetailNode& node);

}  // namespace client
