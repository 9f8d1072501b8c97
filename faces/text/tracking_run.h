#pragma once
// The host's tracking verbs: `icmo` tracks production task orders, `seorder` sales or export
// orders, in the terminal or from a script. Each sets up the client session through the headless
// harness (the user looked up by name, the property string, every component registered), starts
// its tracker with the orders asked for, embedded in a host page or in a modal window of its own,
// and runs the user's commands through the host's one command loop (host_loop.h).
//
// The desktop program runs the same sessions drawn in windows: it prepares a verb the same way
// and hands RunTracking a presentation of its own.

#include <harness/tracking_options.h>

#include <harness/headless_session.h>

#include <platform/windowing/backend.h>

#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>

namespace textface {

class TerminalBackend;

// A verb ready to run: the session it opens and how its view opens.
struct PreparedTracking {
    harness::HeadlessSessionOptions session;
    std::string verb;     // "icmo" or "seorder": the prompt of its view
    std::string header;   // the line printed before the view
    std::string tracker;  // for the message when no view opened ("the task order tracker")
    bool embedded = false;
    // Opens the view: embedded it returns at once, stand-alone once the window has closed.
    // `shownSoFar` tells whether a tracking view was shown since the start.
    std::function<bool(harness::HeadlessSession& session, const std::function<bool()>& shownSoFar)>
        open;
};

// Reads what the verb needs from the database (the user by name, the orders asked for); throws
// std::runtime_error with a message for the user.
PreparedTracking PrepareIcmo(const harness::IcmoOptions& options);
PreparedTracking PrepareSeOrder(const harness::SeOrderOptions& options);

// How a program other than the terminal presents a session: the back end it draws with, around
// the terminal back end that answers for the user, and what it does after each command line.
struct Presentation {
    std::function<std::shared_ptr<windowing::Backend>(std::shared_ptr<TerminalBackend> answers)>
        backend;
    std::function<void(const std::string& line)> afterCommand;
};

// Runs a prepared verb and returns the process exit code: 0 when the session ran to its end
// (quit, end of input, the window closed), 1 when no view could open, and 1 when a script stops
// on an error (bad command, bad path, a message box without an answer, an answer left for a box
// that never came). Commands come from the script of `options`, or from `in` (which also answers
// the boxes) on the terminal. Control characters in what it prints are shown escaped
// (escaped_output.h).
int RunTracking(const PreparedTracking& prepared, const harness::TrackingOptions& options,
                std::istream& in, std::ostream& out, std::ostream& err,
                const Presentation* presentation = nullptr);

// The verbs of the terminal host: prepared and run; a verb that cannot be prepared is named on
// `err` with exit code 1.
int RunIcmoCommand(const harness::IcmoOptions& options, std::istream& in, std::ostream& out,
                   std::ostream& err);
int RunSeOrderCommand(const harness::SeOrderOptions& options, std::istream& in, std::ostream& out,
                      std::ostream& err);

}  // namespace textface
