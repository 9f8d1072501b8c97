#pragma once
// A form whose face is a text it renders (the bill window, the item view), with an optional row
// of buttons under the text.

#include <faces/qt/windowing/control_widget.h>

#include <platform/windowing/form.h>

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;

namespace qtgui {

class TextFormView : public ControlWidget {
  public:
    struct Button {
        QString caption;
        std::function<void()> click;
    };
    TextFormView(std::function<std::string()> render, std::function<std::string()> status,
                 std::vector<Button> buttons, QWidget* parent);
    QWidget* Widget() const override { return widget_; }
    void Sync() override;

  private:
    std::function<std::string()> render_;
    std::function<std::string()> status_;
    QWidget* widget_;
    QPlainTextEdit* text_;
    QLabel* statusLabel_;
};

}  // namespace qtgui
