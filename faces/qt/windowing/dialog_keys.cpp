#include <faces/qt/windowing/dialog_keys.h>

#include <faces/qt/windowing/user_action.h>

#include <platform/automation/strings.h>
#include <platform/windowing/command_button.h>

#include <QPushButton>

#include <initializer_list>

namespace qtgui {

namespace {

constexpr int16_t kEnter = 13;
constexpr int16_t kEscape = 27;

windowing::CommandButton* ButtonNamed(const windowing::Form& form,
                                      std::initializer_list<const char*> names) {
    for (const auto& control : form.Controls()) {
        auto* button = dynamic_cast<windowing::CommandButton*>(control.get());
        if (!button || !button->Visible() || !button->Enabled()) continue;
        for (const char* name : names) {
            if (automation::EqualsIgnoreCase(button->Name(), name)) return button;
        }
    }
    return nullptr;
}

bool HasButtons(const QWidget& window, const windowing::Form& form) {
    for (const auto& control : form.Controls()) {
        if (dynamic_cast<windowing::CommandButton*>(control.get())) return true;
    }
    return !window.findChildren<QPushButton*>().isEmpty();
}

bool ClickDefaultPushButton(const QWidget& window) {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->isDefault() && button->isVisible() && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return false;
}

void Enter(QWidget& window, windowing::Form& form) {
    // A button the person moved to with Tab is the one Enter presses.
    if (auto* focused = qobject_cast<QPushButton*>(window.focusWidget())) {
        focused->click();
        return;
    }
    if (form.PressEnter() || ClickDefaultPushButton(window)) return;
    if (auto* ok = ButtonNamed(form, {"cmdOK"})) ok->Click();
}

void Escape(windowing::Form& form) {
    if (form.PressEscape()) return;
    if (auto* cancel = ButtonNamed(form, {"cmdCancel", "cmdExit"})) {
        cancel->Click();
        return;
    }
    form.CloseByUser();
}

}  // namespace

bool PressDialogKey(QWidget& window, windowing::Form& form, int16_t keyCode) {
    if (keyCode != kEnter && keyCode != kEscape) return false;
    if (!window.isModal() || !HasButtons(window, form)) return false;
    RunUserAction([&] {
        if (keyCode == kEnter) {
            Enter(window, form);
        } else {
            Escape(form);
        }
    });
    return true;
}

}  // namespace qtgui
