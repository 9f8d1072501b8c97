#pragma once
// The widget that draws one control of a form. Each kind of control has its own (label, frame,
// text box, button, check box, list view, picture box); controls that are outside components (the
// trace viewer) get theirs from a factory registered under the control's TypeName.
//
// A control widget never holds its control alive: when the control is gone the widget hides. The
// widget itself belongs to its Qt parent; the ControlWidget object to the form's window.

#include <platform/windowing/control.h>

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

namespace qtgui {

class ControlWidget {
  public:
    virtual ~ControlWidget() = default;
    virtual QWidget* Widget() const = 0;
    // Rereads the control: place, size, visible, enabled and what the control itself shows.
    virtual void Sync() = 0;
};

using ControlWidgetFactory = std::function<std::unique_ptr<ControlWidget>(
    const std::shared_ptr<windowing::Control>& control, QWidget* parent)>;

// Registers the widget of a control kind by its TypeName ("TraceViewer"); a later registration
// replaces an earlier one.
void RegisterControlWidget(const std::string& typeName, ControlWidgetFactory factory);

// The widget for a control, or nothing for a kind that has no face (a timer) or that no factory
// knows.
std::unique_ptr<ControlWidget> CreateControlWidget(
    const std::shared_ptr<windowing::Control>& control, QWidget* parent);

// Place, size, visibility and availability of any control, as its widget shows them.
void SyncGeometry(QWidget& widget, const windowing::Control& control);

// The common part of the standard control widgets: a weak reference to the control of kind C and
// the widget of kind W that draws it.
template <class C, class W>
class TypedControlWidget : public ControlWidget {
  public:
    TypedControlWidget(const std::shared_ptr<C>& control, W* widget)
        : control_(control), widget_(widget) {}
    QWidget* Widget() const override { return widget_; }
    void Sync() override {
        auto control = control_.lock();
        if (!control) {
            widget_->hide();
            return;
        }
        SyncGeometry(*widget_, *control);
        SyncState(*control);
    }

  protected:
    virtual void SyncState(C& control) = 0;
    std::shared_ptr<C> Control() const { return control_.lock(); }
    W* View() const { return widget_; }

  private:
    std::weak_ptr<C> control_;
    W* widget_;
};

}  // namespace qtgui
