#pragma once
// The `icmo` command of the host: tracks production task orders of an ERP database in the
// terminal. It sets up the client session through the headless harness (the user looked up by
// name, the property string, every component registered), starts CICMOQuery with the task orders
// asked for, prints the view and runs the user's commands (host_commands.h), from the terminal or
// from a script file.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace apps {

// The languages the host runs in.
inline constexpr const char* kLanguages[] = {"CHS", "CHT", "EN"};

// As the command line gives them: the language and the sub-system are checked there, and may
// come in any letter case.
struct IcmoOptions {
    std::string database;
    std::string userName = "administrator";
    std::string language = "CHS";          // one of kLanguages
    std::string subId = "CJ";              // an id of kSubSystems (task_order_selection.h)
    std::vector<std::string> billNumbers;  // empty: every task order of the sub-system's kind
    bool embedded = false;                 // in a host page instead of a modal window
    std::string scriptPath;                // empty: interactive
};

// Runs a whole session and returns the process exit code: 0 when the session ran to its end
// (quit, end of input, the window closed), 1 with a message on `err` for bad options or a tracker
// that could not start, and 1 when a script stops on an error (bad command, bad path, a message
// box without an answer). Interactive commands and box answers are read from `in`.
int RunIcmoCommand(const IcmoOptions& options, std::istream& in, std::ostream& out,
                   std::ostream& err);

}  // namespace apps
