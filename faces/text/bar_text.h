#pragma once
// What `tools` lists of a tracking window: every band a person can reach and its shown tools, one
// band a line ("bndfilter: txtSelectBills[] btnSelectBills"; a text box shows its text in
// brackets, a checkable tool "(x)" or "( )"): first the viewer's own bar, then the window's bar.
// A person reaches the bands shown and the menus that a shown tool on them opens (as the desktop
// draws them); a hidden menu that nothing opens (a context menu) is not listed.

#include <platform/activebar/active_bar.h>

#include <string>

namespace textface {

// `window` may be nothing: a viewer that no window's bar was attached to.
std::string ToolsText(const activebar::ActiveBar& viewer, const activebar::ActiveBar* window);

}  // namespace textface
