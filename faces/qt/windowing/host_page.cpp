#include <faces/qt/windowing/host_page.h>

#include <faces/qt/windowing/form_window.h>
#include <faces/qt/windowing/user_action.h>

#include <platform/windowing/window_api.h>

#include <QCloseEvent>
#include <QTabWidget>

namespace qtgui {

HostPage::HostPage(int32_t hwnd) : hwnd_(hwnd), tabs_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("hostPage%1").arg(hwnd));
    setCentralWidget(tabs_);
    tabs_->setDocumentMode(true);
    resize(900, 760);
}

void HostPage::Embed(FormWindow* window) {
    if (Holds(window)) return;
    tabs_->addTab(window, window->windowTitle());
    tabs_->setCurrentWidget(window);
}

void HostPage::Release(FormWindow* window) {
    const int index = tabs_->indexOf(window);
    if (index >= 0) tabs_->removeTab(index);
}

bool HostPage::Holds(const FormWindow* window) const {
    return tabs_->indexOf(const_cast<FormWindow*>(window)) >= 0;
}

int HostPage::PageCount() const { return tabs_->count(); }

void HostPage::Sync() {
    const QString caption = QString::fromStdString(windowing::WindowCaption(hwnd_));
    if (windowTitle() != caption) setWindowTitle(caption);
    for (int i = 0; i < tabs_->count(); ++i) {
        if (tabs_->tabText(i) != tabs_->widget(i)->windowTitle()) {
            tabs_->setTabText(i, tabs_->widget(i)->windowTitle());
        }
    }
}

void HostPage::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (onClose) {
        RunUserAction([&] { onClose(*this); });
        return;
    }
    for (int i = tabs_->count() - 1; i >= 0; --i) {
        auto* window = static_cast<FormWindow*>(tabs_->widget(i));
        if (auto form = window->Form()) RunUserAction([&] { form->CloseByUser(); });
    }
}

}  // namespace qtgui
