#include <platform/windowing/control.h>

#include <platform/automation/errors.h>
#include <platform/windowing/form.h>
#include <platform/windowing/frame.h>

#include <algorithm>

namespace windowing {

namespace {

constexpr int32_t kInvalidPropertyValue = 380;

void CheckSize(int32_t value, const std::string& control) {
    if (value < 0) {
        automation::Raise(kInvalidPropertyValue, control, "Invalid property value");
    }
}

}  // namespace

Control::Control(Form* parent, std::string name) : parent_(parent), name_(std::move(name)) {
    if (parent_) parent_->AttachControl(this);
}

Control::~Control() {
    LeaveContainer();
    if (parent_) parent_->ForgetControl(this);
}

void Control::SetContainer(Frame* frame) {
    for (Control* inside = frame; inside; inside = inside->container_) {
        if (inside == this) {
            automation::Raise(automation::vberr::InvalidProcedureCall, name_,
                              "A control cannot be placed inside itself");
        }
    }
    if (frame && frame->Parent() != parent_) {
        automation::Raise(automation::vberr::InvalidProcedureCall, name_,
                          "The frame " + frame->Name() + " is on another form");
    }
    LeaveContainer();
    container_ = frame;
    if (frame) frame->contents_.push_back(this);
}

void Control::LeaveContainer() {
    if (!container_) return;
    auto& contents = container_->contents_;
    contents.erase(std::remove(contents.begin(), contents.end(), this), contents.end());
    container_ = nullptr;
}

void Control::SetWidth(int32_t value) {
    CheckSize(value, name_);
    width_ = value;
}

void Control::SetHeight(int32_t value) {
    CheckSize(value, name_);
    height_ = value;
}

void Control::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
    CheckSize(width, name_);
    CheckSize(height, name_);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void Control::Move(int32_t left, int32_t top) {
    left_ = left;
    top_ = top;
}

void Control::SetFocus() {
    if (!parent_ || !parent_->IsLoaded() || !enabled_ || !visible_ || !CanFocus()) {
        automation::Raise(automation::vberr::InvalidProcedureCall, name_,
                          "Invalid procedure call or argument");
    }
    parent_->SetActiveControl(this);
}

}  // namespace windowing
