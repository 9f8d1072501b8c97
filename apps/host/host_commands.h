#pragma once
// The commands of the terminal host, one a line, acting as the user on a running task order
// tracker through the headless harness:
//
//   select N               click navigation node N (1 is the root)
//   wait MS                let MS milliseconds pass (timers fall due)
//   expand PATH            expand the detail node or row at PATH ("2", "7.1")
//   expand-row PATH ROW    expand row ROW of the detail node at PATH
//   open PATH ROW          double-click row ROW of the detail node at PATH
//   tool KEY               click a tool of the menu bar ("btnRefresh", "btnBill", ...)
//   type BAND TEXT         type TEXT into the band's text box, then Enter
//                          (bndfilter: txtSelectBills, bndSearch: txtPosition)
//   key BAND KEY           press KEY (F7, Enter or a key code) in the band's text box
//   answer yes|no|ok|cancel   the answer to the next message box
//   show                   print the view
//   quit                   close the tracking window and end
//   help                   list the commands
//
// Blank lines and lines starting with "#" are skipped.

#include "terminal_backend.h"

#include <client/headless/headless_session.h>
#include <trackquery/contracts/trackers.h>

#include <ostream>
#include <string>
#include <vector>

namespace apps {

class HostCommands {
  public:
    enum class Outcome { Continue, Quit, Failed };

    HostCommands(client::HeadlessSession& session, TerminalBackend& backend,
                 trackquery::ICICMOQueryPtr tracker, std::ostream& out);

    // Runs one command line. Failed: the line was bad input or the view reported an error (the
    // message is printed); Quit: the user quit or the tracking window was closed.
    Outcome Run(const std::string& line);

    // Prints the whole view; ShowIfChanged only when it differs from what was printed last.
    void Show();
    void ShowIfChanged();
    // The text that `help` prints.
    static std::string HelpText();

  private:
    void Execute(const std::string& verb, const std::vector<std::string>& args,
                 const std::string& rest);
    void RequireArgs(const std::string& verb, const std::vector<std::string>& args, size_t count,
                     const std::string& usage) const;
    std::string TextBoxOf(const std::string& band) const;
    bool WindowClosed() const;
    void Report(const std::string& message);

    client::HeadlessSession& session_;
    TerminalBackend& backend_;
    trackquery::ICICMOQueryPtr tracker_;
    std::ostream& out_;
    std::string lastShown_;
};

// A command line split into words (spaces and tabs); "#..." and blank lines give no words.
std::vector<std::string> SplitCommand(const std::string& line);

}  // namespace apps
