#pragma once
// The viewer's colours, taken from the palette of the desktop theme so that every text stays
// readable on a light or a dark theme: grounds are the theme's base tinted towards its highlight,
// and a colour the trackers ask for (a row's colour) is lightened or darkened until it stands
// out from the ground it is drawn on.

#include <QColor>
#include <QPalette>

namespace qtgui {

struct ViewColours {
    QColor titleGround;  // the title strips of the panes
    QColor nodeGround;   // a node's caption line in the detail pane
    QColor totalGround;  // a totals row
};

ViewColours ColoursOf(const QPalette& palette);

// `share` of `b` mixed into `a` (0: a, 1: b).
QColor Mix(const QColor& a, const QColor& b, double share);

// `wanted` where it is readable on `ground` (a contrast of at least 4.5 : 1); otherwise the same
// hue made lighter on a dark ground or darker on a light one until it is.
QColor Readable(const QColor& wanted, const QColor& ground);

// A palette whose base (the ground of lists and tables) is `ground`, with a text colour readable
// on it; an invalid colour leaves `palette` as it is.
QPalette WithGround(QPalette palette, const QColor& ground);

}  // namespace qtgui
