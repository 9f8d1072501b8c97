#pragma once
// The commands of one kind of window. The host's command loop hands every line to the window that
// opened last (a modal dialog, a tracking view started by a jump) until it closes; the loop keeps
// the commands every window shares (show, wait, answer, windows, close, quit, help).

#include <harness/headless_session.h>

#include <platform/windowing/form.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace textface {

class WindowCommands {
  public:
    virtual ~WindowCommands() = default;

    // The window's name in the prompt ("icmo", "seorder", "frmBillSel", ...).
    virtual std::string Name() const = 0;
    // What `show` prints of the window.
    virtual std::string Render() const = 0;
    // The lines `help` lists for this window's own commands.
    virtual std::string Help() const = 0;
    // Runs one of this window's commands; false when the verb is not one of them. `args` are the
    // words after the verb, `rest` the text after the verb as typed. Bad input throws UsageError;
    // what the window itself reports reaches the caller as it is raised.
    virtual bool Run(const std::string& verb, const std::vector<std::string>& args,
                     const std::string& rest, std::ostream& out) = 0;
};

// The commands of a form the library or the client shows: a tracking view, or any other form
// driven through its controls (form_commands.h).
std::unique_ptr<WindowCommands> CommandsFor(windowing::Form& form,
                                            harness::HeadlessSession& session);

}  // namespace textface
