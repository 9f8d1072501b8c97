#pragma once
// Enter and Escape in a dialog, as in every desktop dialog: Enter is OK, Escape is Cancel. A
// dialog here is a window shown modally with buttons of its own (command buttons of its form, or
// push buttons of a control drawn in it).
//
// Enter clicks the form's Default button, else a default push button, else the form's OK button;
// Escape clicks the form's Cancel button, else its cancel button, else closes the window as its
// close box does. The ERP's forms name their buttons after what they do ("cmdOK", "cmdCancel",
// "cmdExit", any letter case); a form that sets Default and Cancel is taken at its word.

#include <platform/windowing/form.h>

#include <cstdint>

class QWidget;

namespace qtgui {

// Handles a key of `window`, which draws `form`; false when it is no dialog key there.
bool PressDialogKey(QWidget& window, windowing::Form& form, int16_t keyCode);

}  // namespace qtgui
