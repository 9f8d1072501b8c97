#pragma once
// The windowing layer's back end on Qt 6 Widgets. Every shown form becomes a window (or a page of
// the host window it is embedded into) with a widget per control; message boxes are QMessageBoxes;
// the mouse pointer is the application's cursor. The back end reads forms and controls again
// before every wait and on every native pump, so the library never has to tell it what changed.
//
// Two ways to run:
// - Interactive: WaitForInput waits for Qt events and wakes precisely when the next windowing
//   timer falls due (on a real clock); message boxes wait for the user.
// - Scripted: a script back end (the terminal host's) decides everything a user would: it
//   answers message boxes, runs the script's steps inside modal loops and closes dialogs the
//   script has no commands for. The Qt back end still draws every window and box, so a scripted
//   session can be looked at (screenshots), and hands each decision to the script back end.
//
// Needs a QApplication. One back end per process is installed on the event loop at a time.

#include <faces/qt/windowing/screenshots.h>

#include <platform/windowing/backend.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace qtgui {

class FormWindow;
class HostPage;

class QtBackend : public windowing::Backend {
  public:
    // `script` decides what the user would (scripted sessions); nothing: the user decides.
    explicit QtBackend(std::shared_ptr<windowing::Backend> script = nullptr);
    ~QtBackend() override;
    QtBackend(const QtBackend&) = delete;
    QtBackend& operator=(const QtBackend&) = delete;

    // The back end of the process's event loop when it is a Qt one, else nothing.
    static QtBackend* Installed();

    // --- windowing::Backend ----------------------------------------------------------------
    int32_t ShowMsgBox(const std::string& prompt, int32_t buttons,
                       const std::string& title) override;
    void MousePointerChanged(int16_t pointer) override;
    void FormShown(windowing::Form& form, bool modal) override;
    void FormHidden(windowing::Form& form) override;
    void FormUnloaded(windowing::Form& form) override;
    bool WaitForInput(windowing::Form* modalForm, std::optional<int64_t> msUntilNextTimer) override;
    void PumpEvents() override;
    void Wake() override;
    void WindowParentChanged(int32_t hwnd, int32_t newParent) override;

    // --- Drawing ------------------------------------------------------------------------------
    // Reads every form and host page again and lets Qt paint.
    void Refresh();
    // The window of a shown form, or nothing.
    FormWindow* WindowOf(const windowing::Form& form) const;
    FormWindow* WindowOf(const std::string& formName) const;
    // The drawn page of a host window, or nothing before a form was embedded into it.
    HostPage* HostPageOf(int32_t hwnd) const;
    // What closing a host page does (the host program closes its page); by default its forms
    // are closed by the user.
    void SetHostPageCloseHandler(std::function<void(HostPage& page)> handler);

    // --- Looking at a session -----------------------------------------------------------------
    // With a directory, a picture of every window is written when it is shown, of every message
    // box, and of every window on TakeScreenshots.
    void SetScreenshotDirectory(const std::filesystem::path& directory);
    std::vector<std::filesystem::path> TakeScreenshots(const std::string& label);
    // Run-time errors that reached a widget untrapped (the user was told of each).
    const std::vector<std::string>& Failures() const { return failures_; }
    void ClearFailures() { failures_.clear(); }

  private:
    FormWindow& WindowFor(windowing::Form& form);
    QWidget* Opener(const QWidget* except) const;
    bool IsOwnWindow(const QWidget* window) const;
    void HandOverOwnedWindows(FormWindow& leaving);
    HostPage& HostPageFor(int32_t hwnd);
    void Place(FormWindow& window, const windowing::Form& form);
    void Unplace(FormWindow& window);
    void DropWindow(FormWindow* window);
    void PruneGoneForms();
    int32_t AskUser(const std::string& prompt, int32_t buttons, const std::string& title);
    int32_t AskScript(const std::string& prompt, int32_t buttons, const std::string& title);
    void ReportError(const std::string& description);

    std::shared_ptr<windowing::Backend> script_;
    std::vector<FormWindow*> windows_;
    std::map<int32_t, HostPage*> hostPages_;
    std::function<void(HostPage& page)> hostPageClose_;
    ScreenshotWriter screenshots_;
    std::vector<std::string> failures_;
    int shownCount_ = 0;  // windows are stamped with it when shown, to find the newest
    bool waitCursor_ = false;
    bool refreshing_ = false;
};

}  // namespace qtgui
