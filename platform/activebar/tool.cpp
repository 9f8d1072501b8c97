#include <platform/activebar/tool.h>

#include <platform/activebar/active_bar.h>

namespace activebar {

Tool::Tool(std::string name, ToolType type) : name_(std::move(name)), type_(type) {}

void Tool::SetShortcut(int16_t keyCode, int16_t shift) {
    shortcutKeyCode_ = keyCode;
    shortcutShift_ = shift;
}

bool Tool::MatchesShortcut(int16_t keyCode, int16_t shift) const {
    // Only the Shift, Ctrl and Alt bits take part; a key code of 0 is never a shortcut.
    constexpr int16_t kMask = vbShiftMask | vbCtrlMask | vbAltMask;
    return shortcutKeyCode_ != 0 && keyCode == shortcutKeyCode_ &&
           (shift & kMask) == (shortcutShift_ & kMask);
}

void Tool::SetFocus() {
    auto bar = parent_.lock();
    if (!bar) return;
    bar->SetFocusedTool(std::static_pointer_cast<Tool>(shared_from_this()));
}

void Tool::Adopt(const std::weak_ptr<ActiveBar>& bar) {
    if (parent_.expired()) parent_ = bar;
}

}  // namespace activebar
