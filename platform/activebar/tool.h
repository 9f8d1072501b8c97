#pragma once
// One tool of the menu bar: a button, a text box or a menu entry that opens another band. A tool
// is an automation object in its own right, so it can be created bare (a host is handed a tool
// named "close" that was never on a bar) and shared by several bands of one bar.

#include <platform/automation/object.h>

#include <cstdint>
#include <memory>
#include <string>

namespace activebar {

class ActiveBar;

// The kinds of tool the windows use.
enum class ToolType { Button, TextBox, Menu };

// Shift states as a KeyDown event reports them.
inline constexpr int16_t vbShiftMask = 1;
inline constexpr int16_t vbCtrlMask = 2;
inline constexpr int16_t vbAltMask = 4;

class Tool : public automation::Object {
  public:
    Tool() = default;
    explicit Tool(std::string name, ToolType type = ToolType::Button);
    std::string TypeName() const override { return "Tool"; }

    // The key under which the bar and the programs find the tool.
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    const std::string& Description() const { return description_; }
    void SetDescription(std::string description) { description_ = std::move(description); }
    const std::string& Tag() const { return tag_; }
    void SetTag(std::string tag) { tag_ = std::move(tag); }

    ToolType ControlType() const { return type_; }
    void SetControlType(ToolType type) { type_ = type; }
    // A checkable tool shows its check state; the bar never toggles it on a click, the program
    // that handles the click does.
    bool Checkable() const { return checkable_; }
    void SetCheckable(bool checkable) { checkable_ = checkable; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    // The text of a text-box tool (kept for the other kinds too, where nothing shows it).
    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }

    // The band a menu tool opens; empty for the other kinds.
    const std::string& SubBand() const { return subBand_; }
    void SetSubBand(std::string band) { subBand_ = std::move(band); }

    // The shortcut key (a virtual key code and the shift state that must go with it); key code 0
    // means no shortcut.
    void SetShortcut(int16_t keyCode, int16_t shift = 0);
    bool MatchesShortcut(int16_t keyCode, int16_t shift) const;

    // Puts the input focus into this tool: the owning bar records it as its focused tool. A tool
    // that belongs to no bar (or whose bar is gone) has nowhere to take the focus; nothing happens.
    void SetFocus();

    // The bar whose Tools collection first took this tool; nothing for a bare tool.
    std::shared_ptr<ActiveBar> Parent() const { return parent_.lock(); }

  private:
    friend class Tools;
    void Adopt(const std::weak_ptr<ActiveBar>& bar);

    std::string name_;
    std::string caption_;
    std::string description_;
    std::string tag_;
    ToolType type_ = ToolType::Button;
    bool checkable_ = false;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    std::string text_;
    std::string subBand_;
    int16_t shortcutKeyCode_ = 0;
    int16_t shortcutShift_ = 0;
    std::weak_ptr<ActiveBar> parent_;
};

using ToolPtr = std::shared_ptr<Tool>;

}  // namespace activebar
