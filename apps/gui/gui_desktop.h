#pragma once
// A tracking verb in desktop windows. The session is the terminal host's (the same preparation,
// the same command loop), drawn by the Qt back end:
// - with a script, the terminal host's commands act in the windows, the terminal back end answers
//   for the user, and every window is pictured when it is shown and after each command;
// - without, a person uses the windows, on real time (the 500 ms of a navigation click pass by
//   themselves), and the program ends when the tracker's window has closed.

#include <faces/text/tracking_run.h>

#include <filesystem>
#include <ostream>

namespace apps {

struct GuiOptions {
    std::filesystem::path outDir;         // empty: print, preview and export ask with dialogs
    std::filesystem::path screenshotDir;  // empty: no pictures
};

// The exit code, as the terminal host's.
int RunGui(const textface::PreparedTracking& prepared, const harness::TrackingOptions& options,
           const GuiOptions& gui, std::ostream& out, std::ostream& err);

}  // namespace apps
