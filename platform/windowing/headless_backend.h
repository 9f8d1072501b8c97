#pragma once
// The back end without a screen, for tests and the terminal host. It records every message box,
// mouse pointer change and form event; it answers message boxes from a queue of scripted
// answers, and runs scripted steps inside modal loops (a step acts as the user: clicks a button,
// checks an item, closes the form).
//
// Strict mode (tests): a message box with no scripted answer, or a modal loop with no step left,
// throws a RuntimeError naming the box's text or the form, and is kept in Failures(), so that a
// failure a library trap swallows is still seen by the test. Not strict (terminal host): a box
// without an answer gets its default button, and a modal form with no step left is closed as by
// the user's close box (it fails only when the form refuses to close).

#include <platform/windowing/backend.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace windowing {

struct MsgBoxRecord {
    std::string Prompt;
    int32_t Buttons = 0;
    std::string Title;
    int32_t Answer = 0;  // 0 when the box failed for want of an answer
};

class HeadlessBackend : public Backend {
  public:
    using Step = std::function<void(Form& modalForm)>;

    explicit HeadlessBackend(bool strict = true) : strict_(strict) {}

    bool Strict() const { return strict_; }
    void SetStrict(bool value) { strict_ = value; }

    // --- Script ------------------------------------------------------------------------------
    // The next box is answered with `result`, which must be one of its buttons (else the box
    // fails as unexpected).
    void AnswerMsgBox(int32_t result);
    // The same, and the box's prompt must contain `expectedText` (else it fails, naming both).
    void AnswerMsgBox(const std::string& expectedText, int32_t result);
    size_t PendingAnswers() const { return answers_.size(); }

    // The next idle modal loop runs `step` with its form. With a form name, the step belongs to
    // that form (compared ignoring case) and a loop of another form fails, naming both.
    void AddModalStep(Step step);
    void AddModalStep(const std::string& formName, Step step);
    // Shorthand: the next modal loop's form is hidden by the user.
    void HideModalForm();
    size_t PendingSteps() const { return steps_.size(); }

    // --- Record ------------------------------------------------------------------------------
    const std::vector<MsgBoxRecord>& MessageBoxes() const { return boxes_; }
    const std::vector<int16_t>& MousePointers() const { return pointers_; }
    // Form events as text: "Show frmBillSel modal", "Show frmICMOQuery", "Hide frmBillSel",
    // "Unload frmBillSel".
    const std::vector<std::string>& FormEvents() const { return formEvents_; }
    // Descriptions of every unexpected box and stuck modal loop.
    const std::vector<std::string>& Failures() const { return failures_; }
    void ClearRecords();

    // --- Backend -----------------------------------------------------------------------------
    int32_t ShowMsgBox(const std::string& prompt, int32_t buttons,
                       const std::string& title) override;
    void MousePointerChanged(int16_t pointer) override;
    void FormShown(Form& form, bool modal) override;
    void FormHidden(Form& form) override;
    void FormUnloaded(Form& form) override;
    bool WaitForInput(Form* modalForm, std::optional<int64_t> msUntilNextTimer) override;

  private:
    struct Answer {
        std::optional<std::string> expectedText;
        int32_t result;
    };
    struct ScriptedStep {
        std::string formName;
        Step step;
    };
    [[noreturn]] void Fail(const std::string& description);

    bool strict_;
    std::deque<Answer> answers_;
    std::deque<ScriptedStep> steps_;
    std::vector<MsgBoxRecord> boxes_;
    std::vector<int16_t> pointers_;
    std::vector<std::string> formEvents_;
    std::vector<std::string> failures_;
};

// Installs a strict headless back end and a virtual clock for the life of the object, and
// resets the loop and the screen before and after. One per test.
class ScopedHeadless {
  public:
    explicit ScopedHeadless(bool strict = true);
    ~ScopedHeadless();
    ScopedHeadless(const ScopedHeadless&) = delete;
    ScopedHeadless& operator=(const ScopedHeadless&) = delete;

    HeadlessBackend& Backend() { return *backend_; }
    HeadlessBackend* operator->() { return backend_.get(); }

  private:
    std::shared_ptr<HeadlessBackend> backend_;
};

}  // namespace windowing
