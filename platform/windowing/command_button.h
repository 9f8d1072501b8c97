#pragma once
// VB's CommandButton. Default makes Enter click it, Cancel makes Escape click it (Form::
// PressEnter, PressEscape); a form has at most one of each, so setting one clears it on the
// form's other buttons.

#include <platform/windowing/control.h>

#include <functional>
#include <string>

namespace windowing {

class CommandButton : public Control {
  public:
    CommandButton(Form* parent, std::string name) : Control(parent, std::move(name)) {}
    std::string TypeName() const override { return "CommandButton"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string value) { caption_ = std::move(value); }
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value);

    // The user clicks the button: OnClick, unless the button is disabled or invisible (then it
    // returns false). VB's `cmd.Value = True` from code is ClickFromCode, which ignores those.
    bool Click();
    void ClickFromCode();

    std::function<void()> OnClick;

  private:
    std::string caption_;
    bool default_ = false;
    bool cancel_ = false;
};

}  // namespace windowing
