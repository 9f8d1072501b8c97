#pragma once
// VB's CheckBox. Value is vbUnchecked (0), vbChecked (1) or vbGrayed (2). As in VB, assigning a
// different Value raises OnClick, just as a user's click does; a form that must tell the user's
// clicks from its own assignments keeps a flag of its own while it assigns.

#include <platform/windowing/control.h>

#include <cstdint>
#include <functional>
#include <string>

namespace windowing {

inline constexpr int16_t vbUnchecked = 0;
inline constexpr int16_t vbChecked = 1;
inline constexpr int16_t vbGrayed = 2;

class CheckBox : public Control {
  public:
    CheckBox(Form* parent, std::string name) : Control(parent, std::move(name)) {}
    std::string TypeName() const override { return "CheckBox"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string value) { caption_ = std::move(value); }
    int16_t Value() const { return value_; }
    // 0, 1 or 2 (else error 380, nothing changes); a change raises OnClick.
    void SetValue(int16_t value);

    // The user clicks the box: unchecked and grayed become checked, checked becomes unchecked,
    // then OnClick. A disabled or invisible box ignores the click (returns false).
    bool Click();

    std::function<void()> OnClick;

  private:
    std::string caption_;
    int16_t value_ = vbUnchecked;
};

}  // namespace windowing
