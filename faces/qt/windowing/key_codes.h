#pragma once
// Qt's keys as the virtual key codes and shift states that forms and bars read (VB's KeyCode and
// Shift of KeyDown).

#include <QKeyEvent>

#include <cstdint>

namespace qtgui {

// The virtual key code of a Qt key; 0 for a key the forms have no code for.
int16_t VirtualKeyCode(int qtKey);
// vbShiftMask (1), vbCtrlMask (2) and vbAltMask (4) of the modifiers held.
int16_t ShiftState(Qt::KeyboardModifiers modifiers);

}  // namespace qtgui
