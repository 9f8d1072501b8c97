#pragma once
// What draws the windowing system and answers for the user. The headless back end (tests and
// the terminal host) records everything and answers from a script; a graphical back end draws
// real windows. The event loop holds the one back end of the process.

#include <cstdint>
#include <optional>
#include <string>

namespace windowing {

class Form;

// The least time between two native event pumps of DoEvents.
inline constexpr int64_t kNativePumpIntervalMs = 20;

class Backend {
  public:
    virtual ~Backend() = default;

    // Shows a message box and returns the button the user chose (vbOK, vbCancel, vbYes, ...).
    virtual int32_t ShowMsgBox(const std::string& prompt, int32_t buttons,
                               const std::string& title) = 0;

    // The screen's mouse pointer was assigned (every assignment, also of the same value).
    virtual void MousePointerChanged(int16_t pointer) { (void)pointer; }

    // Notifications of a form's life, for drawing. The form is alive during each call.
    virtual void FormShown(Form& form, bool modal) { (void)form, (void)modal; }
    virtual void FormHidden(Form& form) { (void)form; }
    virtual void FormUnloaded(Form& form) { (void)form; }

    // Called by a nested (modal) loop when no posted event and no due timer is left. The back
    // end waits for user input or runs the next scripted step, and returns true when something
    // may have happened. False means nothing ever will: the loop then fails instead of hanging.
    // `msUntilNextTimer` is empty when no timer is running.
    virtual bool WaitForInput(Form* modalForm, std::optional<int64_t> msUntilNextTimer) = 0;

    // --- What a back end with a native event loop needs; the defaults do nothing -------------
    // DoEvents lets the back end run its own pending events (input, painting). The loop calls it
    // at most once every kNativePumpIntervalMs of loop time, so that a fill which calls DoEvents
    // after every item does not spend its time repainting.
    virtual void PumpEvents() {}
    // Work was posted or a timer (re)started: a back end blocked in WaitForInput wakes up, so
    // that the loop runs the work and waits again with the new time to the next timer.
    virtual void Wake() {}
    // SetParent moved a window under another (0: back to the desktop). A form embedded into a
    // host window's page after it was drawn is drawn there from now on.
    virtual void WindowParentChanged(int32_t hwnd, int32_t newParent) {
        (void)hwnd, (void)newParent;
    }
};

}  // namespace windowing
