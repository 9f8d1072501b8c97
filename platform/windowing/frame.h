#pragma once
// VB's Frame: a captioned box that groups controls. A control is placed in a frame with
// Control::SetContainer; its Left and Top then count from the frame's top-left corner, as in VB.
// The frame keeps no control alive: the form owns them all.

#include <platform/windowing/label.h>

#include <string>
#include <vector>

namespace windowing {

class Frame : public Label {
  public:
    Frame(Form* parent, std::string name) : Label(parent, std::move(name)) {}
    // The controls placed in it go back onto the form.
    ~Frame() override;
    std::string TypeName() const override { return "Frame"; }

    // The controls placed in this frame, in the order they were placed.
    const std::vector<Control*>& Contents() const { return contents_; }

  private:
    friend class Control;
    std::vector<Control*> contents_;
};

}  // namespace windowing
