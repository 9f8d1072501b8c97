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

struct IcmoOptions {
    std::string database;
    std::string userName = "administrator";
    std::string language = "CHS";          // CHS, CHT or EN
    std::string subId = "CJ";              // CJ, REPM or SUBC
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

// The session's language code ("chs", "cht", "en") of a --lang value, and the sub-system of a
// --sub value ("CJ", "REPM", "SUBC"); anything else throws std::runtime_error for the user.
std::string SessionLanguage(const std::string& language);
std::string SubSystem(const std::string& subId);

// The bill numbers of a comma-separated list; blanks around each number are dropped.
std::vector<std::string> SplitBillNumbers(const std::string& list);

}  // namespace apps
