#pragma once
// The images the controllers name by number: 1 the navigation root, 16 to 23 the states of a
// bill (planned, released, finished, cancelled, closed, ..., suspended). Drawn here as coloured
// marks, the same for the navigation tree and the detail rows.

#include <QIcon>

#include <cstdint>

namespace qtgui {

// The icon of an image number; a null icon for 0 and numbers the viewer does not know.
QIcon StatusIcon(int32_t image);

}  // namespace qtgui
