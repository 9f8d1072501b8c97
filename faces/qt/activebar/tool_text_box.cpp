#include <faces/qt/activebar/tool_text_box.h>

#include <faces/qt/windowing/key_codes.h>

#include <QKeyEvent>

namespace qtgui {

namespace {

bool GoesToTheBar(int16_t keyCode) { return keyCode == 13 || (keyCode >= 112 && keyCode <= 135); }

}  // namespace

ToolTextBox::ToolTextBox(activebar::ToolPtr tool, KeyDown keyDown, QWidget* parent)
    : QLineEdit(parent), tool_(std::move(tool)), keyDown_(std::move(keyDown)) {
    setObjectName(QString::fromStdString(tool_->Name()));
    setPlaceholderText(QString::fromStdString(tool_->Caption()));
    setMinimumWidth(150);
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString& text) { tool_->SetText(text.toStdString()); });
}

void ToolTextBox::keyPressEvent(QKeyEvent* event) {
    const int16_t keyCode = VirtualKeyCode(event->key());
    if (!GoesToTheBar(keyCode)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    tool_->SetText(text().toStdString());
    keyDown_(keyCode);
}

}  // namespace qtgui
