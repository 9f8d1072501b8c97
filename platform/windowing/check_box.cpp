#include <platform/windowing/check_box.h>

#include <platform/automation/errors.h>

namespace windowing {

void CheckBox::SetValue(int16_t value) {
    if (value < vbUnchecked || value > vbGrayed) {
        automation::Raise(380, Name(), "Invalid property value");
    }
    if (value == value_) return;
    value_ = value;
    auto handler = OnClick;
    if (handler) handler();
}

bool CheckBox::Click() {
    if (!Enabled() || !Visible()) return false;
    SetValue(value_ == vbChecked ? vbUnchecked : vbChecked);
    return true;
}

}  // namespace windowing
