#pragma once
// Opening and closing a whole branch of the detail tree through the viewer's own verbs, so that
// every node opened loads its rows through the tracker's events as if the user opened it.

#include <components/viewer/viewer_document.h>

#include <string>

namespace qtgui {

// Opens the item at `path` and everything below it that can open, level by level as the rows
// arrive.
void ExpandAllBelow(client::ViewerDocument& viewer, const std::string& path);
// Closes everything open below the item at `path`, then the item.
void CollapseAllBelow(client::ViewerDocument& viewer, const std::string& path);

}  // namespace qtgui
