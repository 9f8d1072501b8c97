#pragma once
// The base of every control placed on a form. A form owns its controls (Form::Add creates and
// keeps them); a control only points back at its form, and that pointer is cleared when the
// form goes, so a control kept longer never reaches a dead form. Positions and sizes are twips.
//
// Events are one callback member each (OnClick, OnKeyDown, ...). A form's code sets them in its
// constructor capturing `this`, never a shared_ptr of the form, which would keep it alive.

#include <platform/automation/object.h>

#include <cstdint>
#include <functional>
#include <string>

namespace windowing {

class Form;
class Frame;

class Control : public automation::Object {
  public:
    Control(Form* parent, std::string name);
    ~Control() override;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    // The form the control is on; nothing once that form is gone.
    Form* Parent() const { return parent_; }

    int32_t Left() const { return left_; }
    int32_t Top() const { return top_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // A negative size is error 380 (invalid property value); the control keeps its size.
    void SetWidth(int32_t value);
    void SetHeight(int32_t value);
    // VB's Move: all four at once; a negative size is error 380 and nothing moves.
    void Move(int32_t left, int32_t top, int32_t width, int32_t height);
    void Move(int32_t left, int32_t top);

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value) { enabled_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    const std::string& Tag() const { return tag_; }
    void SetTag(std::string value) { tag_ = std::move(value); }
    // The font of the control's text (VB's Font.Name and Font.Size, in points).
    const std::string& FontName() const { return fontName_; }
    void SetFontName(std::string value) { fontName_ = std::move(value); }
    double FontSize() const { return fontSize_; }
    void SetFontSize(double value) { fontSize_ = value; }

    // Gives the control the focus of its form; error 5 when it is disabled or invisible or its
    // form is not loaded, as VB answers.
    void SetFocus();
    // Whether the control can take the focus and keys at all (a timer cannot).
    virtual bool CanFocus() const { return true; }

    // The frame the control is placed in; nothing when it stands on the form itself.
    Frame* Container() const { return container_; }
    // Places the control in a frame of its own form (nothing: back onto the form). A frame of
    // another form, or one that is this control or lies inside it, is error 5 and nothing moves.
    void SetContainer(Frame* frame);

    // Raised for key presses while the control has the focus (after the form's key preview).
    std::function<void(int16_t& KeyCode, int16_t& Shift)> OnKeyDown;

  private:
    friend class Form;
    friend class Frame;
    void DetachFromForm() { parent_ = nullptr; }
    void LeaveContainer();

    Form* parent_;
    Frame* container_ = nullptr;
    std::string name_;
    int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    std::string tag_;
    std::string fontName_ = "MS Sans Serif";
    double fontSize_ = 8.25;
};

}  // namespace windowing
