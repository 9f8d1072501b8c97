#pragma once
// VB's PictureBox: a plain area of the form (a background, or a container for other controls).

#include <platform/windowing/control.h>

#include <cstdint>
#include <string>

namespace windowing {

class PictureBox : public Control {
  public:
    PictureBox(Form* parent, std::string name) : Control(parent, std::move(name)) {}
    std::string TypeName() const override { return "PictureBox"; }

    int32_t BackColor() const { return backColor_; }

  private:
    int32_t backColor_ = static_cast<int32_t>(0x8000000Fu);  // the system's button face colour
};

}  // namespace windowing
