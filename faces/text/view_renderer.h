#pragma once
// The viewer's document drawn as text: the whole view, for the terminal host, the text face's
// print files and the tests.
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

#include <components/viewer/view_state.h>
#include <components/viewer/viewer_document.h>

#include <string>

namespace textface {

std::string RenderView(const client::ViewState& state);
// The view as the screen shows it now.
std::string RenderView(const client::ViewerDocument& document);
// The view as print and print preview write it: what went wrong on the screen (the status line)
// is not part of the order on paper.
std::string RenderPage(const client::ViewerDocument& document);

}  // namespace textface
