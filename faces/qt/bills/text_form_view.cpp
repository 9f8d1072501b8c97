#include <faces/qt/bills/text_form_view.h>

#include <faces/qt/windowing/user_action.h>

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qtgui {

TextFormView::TextFormView(std::function<std::string()> render, std::function<std::string()> status,
                           std::vector<Button> buttons, QWidget* parent)
    : render_(std::move(render)),
      status_(std::move(status)),
      widget_(new QWidget(parent)),
      text_(new QPlainTextEdit(widget_)),
      statusLabel_(new QLabel(widget_)) {
    auto* layout = new QVBoxLayout(widget_);
    text_->setReadOnly(true);
    layout->addWidget(text_, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(statusLabel_, 1);
    for (auto& button : buttons) {
        auto* push = new QPushButton(button.caption, widget_);
        QObject::connect(push, &QPushButton::clicked, push,
                         [click = button.click] { RunUserAction(click); });
        row->addWidget(push);
    }
    layout->addLayout(row);
}

void TextFormView::Sync() {
    const QString text = QString::fromStdString(render_());
    if (text_->toPlainText() != text) text_->setPlainText(text);
    const QString status = status_ ? QString::fromStdString(status_()) : QString();
    if (statusLabel_->text() != status) statusLabel_->setText(status);
}

}  // namespace qtgui
