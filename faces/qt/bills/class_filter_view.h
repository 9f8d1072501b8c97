#pragma once
// The filter dialog of a class of bills (export orders) as the person answers it: pick whole
// bills or their entries (shipping lots), then 确定, or 取消 to pick nothing.

#include <faces/qt/windowing/control_widget.h>

#include <components/bills/class_bills.h>

#include <memory>

class QRadioButton;

namespace qtgui {

class ClassFilterView : public ControlWidget {
  public:
    ClassFilterView(std::weak_ptr<client::frmClassFilter> dialog, QWidget* parent);
    QWidget* Widget() const override { return widget_; }
    void Sync() override {}

  private:
    std::weak_ptr<client::frmClassFilter> dialog_;
    QWidget* widget_;
    QRadioButton* wholeBills_;
};

}  // namespace qtgui
