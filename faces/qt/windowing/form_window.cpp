#include <faces/qt/windowing/form_window.h>

#include <faces/qt/windowing/dialog_keys.h>
#include <faces/qt/windowing/form_content.h>
#include <faces/qt/windowing/key_codes.h>
#include <faces/qt/windowing/standard_widgets.h>
#include <faces/qt/windowing/twips.h>
#include <faces/qt/windowing/user_action.h>

#include <platform/windowing/frame.h>

#include <QCloseEvent>

namespace qtgui {

namespace {

const QSize kUndesignedSize(620, 460);

}  // namespace

FormWindow::FormWindow(const std::shared_ptr<windowing::Form>& form) : form_(form) {
    setObjectName(QString::fromStdString(form->Name()));
    setAttribute(Qt::WA_DeleteOnClose, false);
}

FormWindow::~FormWindow() = default;

bool FormWindow::Draws(const windowing::Form& form) const {
    auto drawn = form_.lock();
    return drawn && drawn.get() == &form && !retired_;
}

void FormWindow::Retire() {
    retired_ = true;
    form_.reset();
    hide();
}

void FormWindow::Sync() {
    auto form = form_.lock();
    if (!form || retired_) return;
    syncing_ = true;
    const QString title = FromUtf8(form->Caption());
    if (windowTitle() != title) setWindowTitle(title);
    SyncSize(*form);
    if (!contentAsked_) {
        contentAsked_ = true;
        content_ = CreateFormContent(form, this);
    }
    if (content_) {
        content_->Widget()->setGeometry(rect());
        content_->Sync();
    }
    AddMissingControls(*form);
    for (auto& drawn : controls_) drawn.widget->Sync();
    syncing_ = false;
}

void FormWindow::SyncSize(const windowing::Form& form) {
    if (form.WindowState() == windowing::vbMinimized) return;
    const QSize wanted(TwipsToPixels(form.ScaleWidth()), TwipsToPixels(form.ScaleHeight()));
    if (wanted.isEmpty() && appliedSize_.isEmpty()) {
        // A form without a designed size (a bill window) opens at a size to read it in; the form
        // learns that size as the user's resize.
        resize(kUndesignedSize);
        return;
    }
    if (wanted == appliedSize_ || wanted.isEmpty()) return;
    appliedSize_ = wanted;
    resize(wanted);
}

void FormWindow::AddMissingControls(const windowing::Form& form) {
    // Frames first, so that the controls placed in them find their frame's widget.
    for (bool frames : {true, false}) {
        for (const auto& control : form.Controls()) {
            const bool isFrame = dynamic_cast<windowing::Frame*>(control.get()) != nullptr;
            if (isFrame != frames || Find(control.get())) continue;
            auto widget = CreateControlWidget(control, HostFor(*control));
            if (!widget) continue;
            widget->Widget()->setObjectName(FromUtf8(control->Name()));
            controls_.push_back({control.get(), control->Name(), std::move(widget)});
        }
    }
}

QWidget* FormWindow::HostFor(const windowing::Control& control) const {
    if (const auto* frame = Find(control.Container())) return frame->widget->Widget();
    return const_cast<FormWindow*>(this);
}

const FormWindow::DrawnControl* FormWindow::Find(const windowing::Control* control) const {
    if (!control) return nullptr;
    for (const auto& drawn : controls_) {
        if (drawn.control == control) return &drawn;
    }
    return nullptr;
}

QWidget* FormWindow::ControlWidgetOf(const std::string& controlName) const {
    for (const auto& drawn : controls_) {
        if (QString::fromStdString(drawn.name)
                .compare(FromUtf8(controlName), Qt::CaseInsensitive) == 0) {
            return drawn.widget->Widget();
        }
    }
    return nullptr;
}

void FormWindow::closeEvent(QCloseEvent* event) {
    auto form = form_.lock();
    if (!form || retired_) {
        event->accept();
        return;
    }
    // The form decides: its unload hides this window through the back end, or it refuses.
    event->ignore();
    RunUserAction([&] { form->CloseByUser(); });
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (content_) content_->Widget()->setGeometry(rect());
    auto form = form_.lock();
    if (!form || retired_ || syncing_ || size() == appliedSize_) return;
    appliedSize_ = size();
    RunUserAction([&] { form->Resize(PixelsToTwips(width()), PixelsToTwips(height())); });
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    auto form = form_.lock();
    const int16_t keyCode = VirtualKeyCode(event->key());
    if (!form || retired_ || keyCode == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (PressDialogKey(*this, *form, keyCode)) return;
    RunUserAction([&] { form->PressKey(keyCode, ShiftState(event->modifiers())); });
}

}  // namespace qtgui
