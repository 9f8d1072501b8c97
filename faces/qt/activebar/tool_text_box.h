#pragma once
// The editor of a text box tool: what the user types is the tool's text at once; Enter and the
// function keys go to the bar as key-down events of the tool (the library selects bills on Enter
// and opens the bill list on F7).

#include <platform/activebar/tool.h>

#include <QLineEdit>

#include <functional>

namespace qtgui {

class ToolTextBox : public QLineEdit {
  public:
    using KeyDown = std::function<void(int32_t keyCode)>;
    ToolTextBox(activebar::ToolPtr tool, KeyDown keyDown, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    activebar::ToolPtr tool_;
    KeyDown keyDown_;
};

}  // namespace qtgui
