#pragma once
// `trackquery-gui icmo`: task order tracking in a desktop window, with the options of the terminal
// verb. A person uses the window; with a script the terminal host's commands act in the window
// instead, and what the window showed is printed and, with a picture directory, pictured.

#include <apps/gui/gui_desktop.h>
#include <apps/icmo_command.h>

#include <ostream>

namespace apps {

// The exit code: 0 when the session ran to its end, 1 with a message on `err` for bad options and
// on `out` for a script that stopped or a window that could not be shown.
int RunGuiIcmo(const IcmoOptions& icmo, GuiOptions gui, std::ostream& out, std::ostream& err);

}  // namespace apps
