#include <faces/qt/windowing/qt_backend.h>

#include <faces/qt/windowing/form_window.h>
#include <faces/qt/windowing/host_page.h>
#include <faces/qt/windowing/message_box.h>
#include <faces/qt/windowing/user_action.h>
#include <faces/qt/windowing/window_placement.h>

#include <platform/windowing/event_loop.h>
#include <platform/windowing/form.h>
#include <platform/windowing/msgbox.h>
#include <platform/windowing/screen.h>
#include <platform/windowing/window_api.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTimer>

#include <algorithm>

namespace qtgui {

namespace {

// The order in which this program's windows were shown, stamped on each top-level window.
constexpr const char* kShownOrder = "trackquery.shownOrder";

int ShownOrder(const QWidget* window) { return window->property(kShownOrder).toInt(); }

}  // namespace

QtBackend::QtBackend(std::shared_ptr<windowing::Backend> script) : script_(std::move(script)) {
    SetUserActionHooks({[this](const std::string& description) { ReportError(description); },
                        [this] { Refresh(); }});
}

QtBackend::~QtBackend() {
    SetUserActionHooks({});
    if (waitCursor_) QApplication::restoreOverrideCursor();
    // A window that belongs to another would go with it: each goes on its own.
    for (FormWindow* window : windows_) {
        if (window->parentWidget()) window->setParent(nullptr);
    }
    for (FormWindow* window : windows_) delete window;
    for (auto& [hwnd, page] : hostPages_) delete page;
}

QtBackend* QtBackend::Installed() {
    return dynamic_cast<QtBackend*>(&windowing::EventLoop::Instance().GetBackend());
}

// --- Message boxes and the pointer -----------------------------------------------------------

int32_t QtBackend::ShowMsgBox(const std::string& prompt, int32_t buttons,
                              const std::string& title) {
    return script_ ? AskScript(prompt, buttons, title) : AskUser(prompt, buttons, title);
}

int32_t QtBackend::AskUser(const std::string& prompt, int32_t buttons, const std::string& title) {
    Refresh();
    auto box = MakeMessageBox(prompt, buttons, title, Opener(nullptr));
    // Modal over the window it speaks for; the program's other windows go on.
    box->setWindowModality(Qt::WindowModal);
    box->exec();
    const int32_t result = ResultOf(*box, box->clickedButton());
    return result != 0 ? result : windowing::MsgBoxDefaultResult(buttons);
}

int32_t QtBackend::AskScript(const std::string& prompt, int32_t buttons, const std::string& title) {
    // The box is drawn for whoever looks at the session; the script gives the answer.
    Refresh();
    auto box = MakeMessageBox(prompt, buttons, title, Opener(nullptr));
    box->setObjectName(QStringLiteral("MsgBox"));
    box->setModal(false);
    box->show();
    screenshots_.Take(*box, "message box");
    return script_->ShowMsgBox(prompt, buttons, title);
}

void QtBackend::MousePointerChanged(int16_t pointer) {
    const bool wait = pointer == windowing::vbHourglass;
    if (wait && !waitCursor_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        waitCursor_ = true;
    } else if (!wait && waitCursor_) {
        QApplication::restoreOverrideCursor();
        waitCursor_ = false;
    }
    if (script_) script_->MousePointerChanged(pointer);
}

void QtBackend::ReportError(const std::string& description) {
    failures_.push_back(description);
    if (script_) return;
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("trackquery"),
                                QString::fromStdString(description), QMessageBox::NoButton,
                                Opener(nullptr));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

// --- Forms -----------------------------------------------------------------------------------

FormWindow& QtBackend::WindowFor(windowing::Form& form) {
    if (auto* window = WindowOf(form)) return *window;
    auto held = std::dynamic_pointer_cast<windowing::Form>(form.weak_from_this().lock());
    if (!held) {
        // A form nobody holds by shared_ptr (made on the stack) cannot be watched weakly; such a
        // form only lives inside one call of the program, and is not drawn.
        throw std::logic_error("form " + form.Name() + " is not held by a shared_ptr");
    }
    auto* window = new FormWindow(held);
    windows_.push_back(window);
    return *window;
}

// The window a person works in when a form is shown or a box comes up: the newest form in a modal
// showing, else this program's active window, else the window shown last.
QWidget* QtBackend::Opener(const QWidget* except) const {
    QWidget* modal = nullptr;
    QWidget* newest = nullptr;
    auto consider = [&](QWidget* top, bool isModal) {
        if (top == except || !top->isVisible() || !IsOwnWindow(top)) return;
        if (!newest || ShownOrder(top) > ShownOrder(newest)) newest = top;
        if (isModal && (!modal || ShownOrder(top) > ShownOrder(modal))) modal = top;
    };
    for (FormWindow* window : windows_) {
        auto form = window->Form();
        if (form) consider(window->window(), form->IsModal());
    }
    for (auto& [hwnd, page] : hostPages_) consider(page, false);
    if (modal) return modal;
    QWidget* active = QApplication::activeWindow();
    if (active && active != except && active->isVisible() && IsOwnWindow(active)) return active;
    return newest;
}

bool QtBackend::IsOwnWindow(const QWidget* window) const {
    if (!window || !window->isWindow()) return false;
    for (auto& [hwnd, page] : hostPages_) {
        if (page == window) return true;
    }
    return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

FormWindow* QtBackend::WindowOf(const windowing::Form& form) const {
    for (FormWindow* window : windows_) {
        if (window->Draws(form)) return window;
    }
    return nullptr;
}

FormWindow* QtBackend::WindowOf(const std::string& formName) const {
    for (FormWindow* window : windows_) {
        auto form = window->Form();
        if (form && !window->Retired() && form->Name() == formName) return window;
    }
    return nullptr;
}

HostPage& QtBackend::HostPageFor(int32_t hwnd) {
    if (auto* page = HostPageOf(hwnd)) return *page;
    auto* page = new HostPage(hwnd);
    if (hostPageClose_) page->onClose = hostPageClose_;
    hostPages_[hwnd] = page;
    return *page;
}

HostPage* QtBackend::HostPageOf(int32_t hwnd) const {
    auto found = hostPages_.find(hwnd);
    return found == hostPages_.end() ? nullptr : found->second;
}

void QtBackend::SetHostPageCloseHandler(std::function<void(HostPage& page)> handler) {
    hostPageClose_ = std::move(handler);
    for (auto& [hwnd, page] : hostPages_) page->onClose = hostPageClose_;
}

void QtBackend::Place(FormWindow& window, const windowing::Form& form) {
    const int32_t parent = windowing::GetParent(form.Hwnd());
    if (parent == 0) {
        // A window of its own stays with the window it belongs to; an embedded one comes out.
        if (!window.isWindow()) Unplace(window);
        return;
    }
    if (auto* owner = windowing::FormFromHwnd(parent)) {
        FormWindow& host = WindowFor(*owner);
        if (window.parentWidget() == &host) return;
        Unplace(window);
        window.setParent(&host);
        window.move(0, 0);
        return;
    }
    HostPage& page = HostPageFor(parent);
    if (page.Holds(&window)) return;
    Unplace(window);
    page.Embed(&window);
}

void QtBackend::Unplace(FormWindow& window) {
    for (auto& [hwnd, page] : hostPages_) page->Release(&window);
    if (window.parentWidget()) window.setParent(nullptr, Qt::Window);
}

void QtBackend::FormShown(windowing::Form& form, bool modal) {
    FormWindow& window = WindowFor(form);
    Place(window, form);
    if (window.isWindow()) {
        // It belongs to the window it was opened from: in front of it, centred on it, and
        // usable while that window's modal showing runs. Only a modal showing is modal, and
        // only over that window.
        QWidget* owner = Opener(&window);
        BelongTo(window, owner, modal);
        window.Sync();
        if (owner) CentreOn(window, *owner);
    } else {
        window.Sync();
    }
    window.show();
    QWidget* top = window.window();
    top->setProperty(kShownOrder, ++shownCount_);
    if (auto* page = dynamic_cast<HostPage*>(top)) {
        page->Sync();
        page->show();
    }
    top->raise();
    top->activateWindow();
    screenshots_.Take(*top, "shown " + form.Name());
    if (script_) script_->FormShown(form, modal);
}

void QtBackend::FormHidden(windowing::Form& form) {
    if (auto* window = WindowOf(form)) window->hide();
    if (script_) script_->FormHidden(form);
}

void QtBackend::FormUnloaded(windowing::Form& form) {
    if (auto* window = WindowOf(form)) DropWindow(window);
    if (script_) script_->FormUnloaded(form);
}

void QtBackend::DropWindow(FormWindow* window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    HandOverOwnedWindows(*window);
    window->Retire();
    Unplace(*window);
    // The window may be inside its own event handler (a button that unloads the form): it goes
    // once Qt is back in its loop.
    window->deleteLater();
    for (auto& [hwnd, page] : hostPages_) {
        if (page->PageCount() == 0) page->hide();
    }
}

// The windows that belong to a window that goes stay open: they pass to its own owner.
void QtBackend::HandOverOwnedWindows(FormWindow& leaving) {
    QWidget* heir = leaving.isWindow() ? leaving.parentWidget() : nullptr;
    for (FormWindow* window : windows_) {
        if (!window->isWindow() || window->parentWidget() != &leaving) continue;
        const bool visible = window->isVisible();
        BelongTo(*window, heir, window->windowModality() != Qt::NonModal);
        if (visible) window->show();
    }
}

void QtBackend::WindowParentChanged(int32_t hwnd, int32_t newParent) {
    (void)newParent;
    auto* form = windowing::FormFromHwnd(hwnd);
    auto* window = form ? WindowOf(*form) : nullptr;
    if (!window) return;  // not drawn yet: FormShown places it
    const bool visible = window->isVisible();
    Place(*window, *form);
    if (visible) {
        window->show();
        window->window()->show();
    }
}

void QtBackend::PruneGoneForms() {
    std::vector<FormWindow*> gone;
    for (FormWindow* window : windows_) {
        if (!window->Form()) gone.push_back(window);
    }
    for (FormWindow* window : gone) DropWindow(window);
}

// --- The loop --------------------------------------------------------------------------------

void QtBackend::Refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    PruneGoneForms();
    for (FormWindow* window : std::vector<FormWindow*>(windows_)) window->Sync();
    for (auto& [hwnd, page] : hostPages_) page->Sync();
    refreshing_ = false;
}

bool QtBackend::WaitForInput(windowing::Form* modalForm, std::optional<int64_t> msUntilNextTimer) {
    Refresh();
    if (script_) {
        QApplication::processEvents();
        return script_->WaitForInput(modalForm, msUntilNextTimer);
    }
    // Wake exactly when the next windowing timer falls due (on a virtual clock only the program
    // moves the time, so only input ends the wait).
    QTimer wake;
    if (msUntilNextTimer && !windowing::EventLoop::Instance().HasVirtualClock()) {
        wake.setTimerType(Qt::PreciseTimer);
        wake.setSingleShot(true);
        wake.start(static_cast<int>(*msUntilNextTimer));
    }
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return true;
}

void QtBackend::PumpEvents() {
    Refresh();
    QApplication::processEvents();
}

void QtBackend::Wake() {
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
}

// --- Screenshots -----------------------------------------------------------------------------

void QtBackend::SetScreenshotDirectory(const std::filesystem::path& directory) {
    screenshots_.SetDirectory(directory);
}

std::vector<std::filesystem::path> QtBackend::TakeScreenshots(const std::string& label) {
    Refresh();
    return screenshots_.TakeAll(label);
}

}  // namespace qtgui
