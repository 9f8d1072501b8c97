#include <platform/windowing/command_button.h>

#include <platform/windowing/form.h>

namespace windowing {

namespace {

// A form has one default and one cancel button at most: setting one clears the others.
template <class Clear>
void ClearOthers(const CommandButton& self, Clear clear) {
    if (!self.Parent()) return;
    for (const auto& control : self.Parent()->Controls()) {
        auto* button = dynamic_cast<CommandButton*>(control.get());
        if (button && button != &self) clear(*button);
    }
}

}  // namespace

void CommandButton::SetDefault(bool value) {
    if (value) ClearOthers(*this, [](CommandButton& other) { other.default_ = false; });
    default_ = value;
}

void CommandButton::SetCancel(bool value) {
    if (value) ClearOthers(*this, [](CommandButton& other) { other.cancel_ = false; });
    cancel_ = value;
}

bool CommandButton::Click() {
    if (!Enabled() || !Visible()) return false;
    ClickFromCode();
    return true;
}

void CommandButton::ClickFromCode() {
    auto handler = OnClick;
    if (handler) handler();
}

}  // namespace windowing
