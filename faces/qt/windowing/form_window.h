#pragma once
// The window that draws one form: its caption, its client area and a widget per control. It is a
// top-level window, or a page of a host window when the form is embedded. It reads the form on
// every Sync and keeps only a weak reference, so a form that goes away leaves an empty window
// behind that the back end closes.
//
// The user acts on the form through it: closing the window is the form's close box
// (Form::CloseByUser), resizing it resizes the form (Form_Resize), and keys that no control took
// reach Form::PressKey (with key preview the form's Form_KeyDown sees them).

#include <faces/qt/windowing/control_widget.h>

#include <platform/windowing/form.h>

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

namespace qtgui {

class FormWindow : public QWidget {
  public:
    explicit FormWindow(const std::shared_ptr<windowing::Form>& form);
    ~FormWindow() override;

    // The form, or nothing once it is gone.
    std::shared_ptr<windowing::Form> Form() const { return form_.lock(); }
    // Whether this window draws that (living) form.
    bool Draws(const windowing::Form& form) const;

    // Reads the form again: caption, client size, and every control.
    void Sync();
    // The form was unloaded: the window stops reading it.
    void Retire();
    bool Retired() const { return retired_; }

    // The widget that draws a control of the form, by the control's name; nothing for an unknown
    // name or a control without a face.
    QWidget* ControlWidgetOf(const std::string& controlName) const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct DrawnControl {
        windowing::Control* control;
        std::string name;
        std::unique_ptr<ControlWidget> widget;
    };
    void SyncSize(const windowing::Form& form);
    void AddMissingControls(const windowing::Form& form);
    QWidget* HostFor(const windowing::Control& control) const;
    const DrawnControl* Find(const windowing::Control* control) const;

    std::weak_ptr<windowing::Form> form_;
    std::unique_ptr<ControlWidget> content_;  // for a form that draws itself
    bool contentAsked_ = false;
    std::vector<DrawnControl> controls_;
    QSize appliedSize_;
    bool syncing_ = false;
    bool retired_ = false;
};

}  // namespace qtgui
