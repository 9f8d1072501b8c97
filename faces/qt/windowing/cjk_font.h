#pragma once
// Chinese text needs a font with CJK glyphs. The desktop font usually falls back to one through
// fontconfig; a platform that reads fonts from a folder of its own (offscreen, for tests and
// screenshots) does not, and would draw empty boxes. This makes sure the application's font is
// one that has the glyphs.

#include <QString>

namespace qtgui {

// Sets the application font to a family that draws Chinese (loading one of the usual font files
// when no installed family does) and returns its name; empty when no such font is on the machine.
QString UseCjkFont(double pointSize = 9);

}  // namespace qtgui
