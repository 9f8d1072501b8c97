#pragma once
// Forms and controls measure in twips, widgets in pixels: 15 twips to a pixel on a 96-dpi screen,
// the screen the forms were designed for.

#include <cstdint>

namespace qtgui {

inline constexpr int32_t kTwipsPerPixel = 15;

inline int TwipsToPixels(int32_t twips) { return static_cast<int>(twips / kTwipsPerPixel); }
inline int32_t PixelsToTwips(int pixels) { return static_cast<int32_t>(pixels) * kTwipsPerPixel; }

}  // namespace qtgui
