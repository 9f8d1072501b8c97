#pragma once
// What a widget does when the user acts on it: it calls the form's or control's own verb (Click,
// Type, ClickCheckBox, ...), which runs the library's handlers. A run-time error that no handler
// trapped must not cross Qt's event dispatch: it is reported to the back end, which records it and
// tells the user, and the window goes on. Afterwards every window is drawn again from its state.
// Any other exception is a fault of the program and is not caught.

#include <functional>
#include <string>

namespace qtgui {

void RunUserAction(const std::function<void()>& action);

// Where RunUserAction reports an error and asks for a redraw (set by the back end).
struct UserActionHooks {
    std::function<void(const std::string& description)> reportError;
    std::function<void()> refresh;
};
void SetUserActionHooks(UserActionHooks hooks);

}  // namespace qtgui
