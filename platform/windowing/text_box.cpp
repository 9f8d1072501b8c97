#include <platform/windowing/text_box.h>

namespace windowing {

void TextBox::SetText(std::string value) {
    if (value == text_) return;
    text_ = std::move(value);
    auto handler = OnChange;
    if (handler) handler();
}

bool TextBox::Type(std::string text) {
    if (locked_ || !Enabled() || !Visible()) return false;
    SetText(std::move(text));
    return true;
}

}  // namespace windowing
