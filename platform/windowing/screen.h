#pragma once
// VB's Screen object: here only the mouse pointer shown over the whole application.

#include <cstdint>

namespace windowing {

inline constexpr int16_t vbDefault = 0;
inline constexpr int16_t vbArrow = 1;
inline constexpr int16_t vbHourglass = 11;

class ScreenObject {
  public:
    int16_t MousePointer() const { return mousePointer_; }
    // Every assignment reaches the back end, also of the value already set; 0 to 15 and 99
    // are VB's pointers, anything else is error 380 and nothing changes.
    void SetMousePointer(int16_t pointer);
    // Back to the default without telling the back end (tests start clean).
    void Reset() { mousePointer_ = vbDefault; }

  private:
    int16_t mousePointer_ = vbDefault;
};

// The process's screen.
ScreenObject& Screen();

}  // namespace windowing
