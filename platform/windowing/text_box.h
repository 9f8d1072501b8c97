#pragma once
// VB's TextBox. Assigning a different Text raises OnChange, as the user's typing does.

#include <platform/windowing/control.h>

#include <functional>
#include <string>

namespace windowing {

class TextBox : public Control {
  public:
    TextBox(Form* parent, std::string name) : Control(parent, std::move(name)) {}
    std::string TypeName() const override { return "TextBox"; }

    const std::string& Text() const { return text_; }
    void SetText(std::string value);
    bool Locked() const { return locked_; }
    void SetLocked(bool value) { locked_ = value; }

    // The user types `text` in place of the content; a locked, disabled or invisible box
    // refuses (returns false).
    bool Type(std::string text);

    std::function<void()> OnChange;

  private:
    std::string text_;
    bool locked_ = false;
};

}  // namespace windowing
