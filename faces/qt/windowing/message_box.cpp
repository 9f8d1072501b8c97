#include <faces/qt/windowing/message_box.h>

#include <platform/windowing/msgbox.h>

#include <QAbstractButton>

namespace qtgui {

namespace {

QMessageBox::StandardButton StandardButtonOf(int32_t result) {
    switch (result) {
        case windowing::vbOK:
            return QMessageBox::Ok;
        case windowing::vbCancel:
            return QMessageBox::Cancel;
        case windowing::vbAbort:
            return QMessageBox::Abort;
        case windowing::vbRetry:
            return QMessageBox::Retry;
        case windowing::vbIgnore:
            return QMessageBox::Ignore;
        case windowing::vbYes:
            return QMessageBox::Yes;
        case windowing::vbNo:
            return QMessageBox::No;
        default:
            return QMessageBox::NoButton;
    }
}

QMessageBox::Icon IconOf(int32_t buttons) {
    switch (buttons & 0x70) {
        case windowing::vbCritical:
            return QMessageBox::Critical;
        case windowing::vbQuestion:
            return QMessageBox::Question;
        case windowing::vbExclamation:
            return QMessageBox::Warning;
        case windowing::vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& prompt, int32_t buttons,
                                            const std::string& title, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(IconOf(buttons));
    box->setWindowTitle(QString::fromStdString(title.empty() ? "trackquery" : title));
    box->setText(QString::fromStdString(prompt));
    for (int32_t result : windowing::MsgBoxChoices(buttons))
        box->addButton(StandardButtonOf(result));
    box->setDefaultButton(StandardButtonOf(windowing::MsgBoxDefaultResult(buttons)));
    return box;
}

int32_t ResultOf(const QMessageBox& box, const QAbstractButton* button) {
    for (int32_t result = windowing::vbOK; result <= windowing::vbNo; ++result) {
        if (button && box.button(StandardButtonOf(result)) == button) return result;
    }
    return 0;
}

QAbstractButton* ButtonFor(const QMessageBox& box, int32_t result) {
    return box.button(StandardButtonOf(result));
}

}  // namespace qtgui
