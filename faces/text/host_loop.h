#pragma once
// The host's one command loop, shared by both trackers and every window they open. The window
// that opened last takes the lines that follow the command that opened it, until it closes: a
// modal dialog or a tracking view started by a jump runs its own modal loop, which asks the back
// end for input, and the back end hands that request to RunOneFor. The prompt names the windows
// open, the last one last ("seorder/icmo/frmBillSel>").
//
// Commands every window shares:
//   show [all]        print the window (on the terminal only what changed; "all": everything)
//   wait MS           let MS milliseconds pass (timers fall due)
//   answer WORD       the answer to the next message box (yes, no, ok, cancel)
//   windows           list the open windows
//   close             the close box of the window opened last: a bill window or item view
//                     beside the window taking the commands, else that window
//   quit              close every window and end
//   help              list the commands of the window taking them
//
// A script stops at its first failing line: the windows open are closed, innermost first. The
// terminal tells the user and goes on.

#include "command_source.h"
#include "terminal_backend.h"
#include "window_commands.h"

#include <harness/headless_session.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace textface {

class HostLoop {
  public:
    HostLoop(harness::HeadlessSession& session, TerminalBackend& backend, CommandSource& source,
             std::ostream& out);

    // Runs the lines for an embedded view (and for the windows it opens) until the user quits,
    // the input ends, a script stops or the view is closed.
    void RunEmbedded(windowing::Form& view);
    // From a modal loop of `form`: runs the next line for it. At the end of the input, when the
    // user quits or a script has stopped, `form` is closed as its close box would close it.
    void RunOneFor(windowing::Form& form);
    // Runs a global command line (an answer read ahead of the start) as if typed at `prompt`.
    void RunAhead(const std::string& line, const std::string& prompt);

    // Called after each command line has run (the desktop program pictures its windows).
    void SetAfterCommand(std::function<void(const std::string& line)> afterCommand) {
        afterCommand_ = std::move(afterCommand);
    }

    // A script stopped on a failing line.
    bool Stopped() const { return stopped_; }
    // How many tracking views were shown.
    int ViewsShown() const { return viewsShown_; }

  private:
    enum class Outcome { Continue, Quit, Failed };

    // Reads and runs one line for `form`; false when there was no line to run.
    bool RunNextLine(windowing::Form& form);
    // After a failed line: a script stops there; the terminal goes on.
    void StopScript();
    Outcome Run(windowing::Form& form, const std::string& line);
    void Execute(windowing::Form& form, WindowCommands& commands, const std::string& verb,
                 const std::vector<std::string>& args, const std::string& rest);
    void QueueAnswer(const std::vector<std::string>& args);
    void ShowFirstTime(windowing::Form& form);
    void Show(windowing::Form& form, bool all);
    void ShowIfChanged(windowing::Form& form);
    void ReportWrittenFile(windowing::Form& form);
    void CloseByUser(windowing::Form& form);
    void CloseOpenedLast(windowing::Form& current);
    void ListWindows(windowing::Form& current);
    std::string Prompt() const;
    // What the loop keeps of each window: its commands and what was last printed of it.
    struct Window {
        std::weak_ptr<automation::Object> form;
        std::unique_ptr<WindowCommands> commands;
        std::optional<std::string> shown;
        std::string written;
    };
    Window& WindowOf(windowing::Form& form);

    harness::HeadlessSession& session_;
    TerminalBackend& backend_;
    CommandSource& source_;
    std::ostream& out_;
    std::map<const windowing::Form*, Window> windows_;
    std::chrono::steady_clock::time_point lastInput_ = std::chrono::steady_clock::now();
    std::function<void(const std::string& line)> afterCommand_;
    bool quitting_ = false;
    bool stopped_ = false;
    bool greeted_ = false;
    int viewsShown_ = 0;
};

}  // namespace textface
