#pragma once
// The back end of the terminal host. It stands in front of the harness's headless back end: form
// events and the clock stay the harness's, while every message box is printed where the user
// reads the session and answered by the user, and a modal window waiting for input gets the next
// command line from the host's loop (host_loop.h).
//
// Answers come first from the queue that `answer` commands fill. When the queue is empty, an
// interactive session asks on the terminal; a scripted session has nobody to ask, so the box
// fails (run-time error 5 naming it) and is kept in Failures(), because the library's own traps
// may swallow the error and the script must still stop there.

#include <platform/windowing/backend.h>
#include <platform/windowing/headless_backend.h>

#include <cstdint>
#include <deque>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace textface {

class HostLoop;

class TerminalBackend : public windowing::Backend {
  public:
    // `input` is read only in an interactive session, for boxes nobody answered beforehand.
    TerminalBackend(windowing::HeadlessBackend& harness, std::ostream& out, std::istream& input,
                    bool interactive);

    // The next box is answered with `result` (vbYes, vbNo, vbOK, vbCancel).
    void QueueAnswer(int32_t result) { answers_.push_back(result); }
    size_t PendingAnswers() const { return answers_.size(); }
    // Boxes that could not be answered, described with their text; ClearFailures forgets them.
    const std::vector<std::string>& Failures() const { return failures_; }
    void ClearFailures() { failures_.clear(); }

    int32_t ShowMsgBox(const std::string& prompt, int32_t buttons,
                       const std::string& title) override;
    void MousePointerChanged(int16_t pointer) override { harness_.MousePointerChanged(pointer); }
    // A bill window is printed as the user would read it; the windows that take commands are
    // printed by the loop when they first wait for one.
    void FormShown(windowing::Form& form, bool modal) override;
    void FormHidden(windowing::Form& form) override { harness_.FormHidden(form); }
    void FormUnloaded(windowing::Form& form) override { harness_.FormUnloaded(form); }
    // A modal window runs the next command line; without a loop the harness answers.
    bool WaitForInput(windowing::Form* modalForm, std::optional<int64_t> msUntilNextTimer) override;
    void SetLoop(HostLoop* loop) { loop_ = loop; }

  private:
    int32_t AskOnTerminal(int32_t buttons);
    [[noreturn]] void Fail(const std::string& description);

    windowing::HeadlessBackend& harness_;
    HostLoop* loop_ = nullptr;
    std::ostream& out_;
    std::istream& input_;
    bool interactive_;
    std::deque<int32_t> answers_;
    std::vector<std::string> failures_;
};

// The text of a button result as the user types it: "yes", "no", "ok", "cancel", ...
std::string AnswerName(int32_t result);
// The result of an answer word (any case); 0 when the word names no button.
int32_t AnswerFromName(const std::string& word);
// The buttons of a box as the user reads them: "[OK]", "[Yes/No]".
std::string ButtonsText(int32_t buttons);

}  // namespace textface
