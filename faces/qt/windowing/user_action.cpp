#include <faces/qt/windowing/user_action.h>

#include <platform/automation/errors.h>

namespace qtgui {

namespace {

UserActionHooks& Hooks() {
    static UserActionHooks hooks;
    return hooks;
}

void Report(const std::string& description) {
    if (Hooks().reportError) Hooks().reportError(description);
}

}  // namespace

void SetUserActionHooks(UserActionHooks hooks) { Hooks() = std::move(hooks); }

void RunUserAction(const std::function<void()>& action) {
    try {
        action();
    } catch (const automation::RuntimeError& error) {
        Report(error.Description() + " (" + std::to_string(error.Number()) + ", " + error.Source() +
               ")");
    }
    // A C++ fault is not the user's to see: it ends the program as it would without Qt.
    if (Hooks().refresh) Hooks().refresh();
}

}  // namespace qtgui
