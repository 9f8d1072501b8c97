#pragma once
// VB's Label: a caption on the form.

#include <platform/windowing/control.h>

#include <string>

namespace windowing {

class Label : public Control {
  public:
    Label(Form* parent, std::string name) : Control(parent, std::move(name)) {}
    std::string TypeName() const override { return "Label"; }
    bool CanFocus() const override { return false; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string value) { caption_ = std::move(value); }

  private:
    std::string caption_;
};

}  // namespace windowing
