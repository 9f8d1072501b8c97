#pragma once
// The host's tracking verbs: `icmo` tracks production task orders, `seorder` sales or export
// orders, in the terminal or from a script. Each sets up the client session through the headless
// harness (the user looked up by name, the property string, every component registered), starts
// its tracker with the orders asked for, embedded in a host page or in a modal window of its own,
// and runs the user's commands through the host's one command loop (host_loop.h).

#include "tracking_options.h"

#include <istream>
#include <ostream>

namespace apps {

// Each runs a whole session and returns the process exit code: 0 when the session ran to its end
// (quit, end of input, the window closed), 1 with a message for bad options or a view that could
// not open, and 1 when a script stops on an error (bad command, bad path, a message box without
// an answer, an answer left for a box that never came). Interactive commands and box answers are
// read from `in`.
int RunIcmoCommand(const IcmoOptions& options, std::istream& in, std::ostream& out,
                   std::ostream& err);
int RunSeOrderCommand(const SeOrderOptions& options, std::istream& in, std::ostream& out,
                      std::ostream& err);

}  // namespace apps
