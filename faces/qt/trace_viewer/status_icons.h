#pragma once
// The images the controllers name by number: 1 the navigation root, 16 to 23 the states of a
// bill (16 planned, 17 released or checked, 18 closed or finished, 19 cancelled, 20 confirmed,
// 21 converted, 22 changed, 23 suspended). Drawn here as coloured marks, the same for the
// navigation tree, the detail rows and the legend of the status bar.

#include <QColor>
#include <QIcon>

#include <cstdint>
#include <string>
#include <vector>

namespace qtgui {

// The icon of an image number; a null icon for 0 and numbers the viewer does not know.
QIcon StatusIcon(int32_t image);
// The colour of a state's image; an invalid colour for an image that is no state.
QColor StatusColour(int32_t image);

// The bill states, in the order of their image numbers.
std::vector<int32_t> StatusImages();
// The status words the trackers write beside an image (the library's own texts, to be shown in
// the session's language); empty for an image that is no state.
std::vector<std::string> StatusWords(int32_t image);

}  // namespace qtgui
