#pragma once
// trackquery-gui started without a verb: the start window picks the profile and the tracker, and
// the tracker then opens as the command line would open it. A choice the tracker cannot open (a
// number that is no order, a database gone) is named in a message box and the start window comes
// back. Passwords are kept in the process's memory for the profile's address only.

#include <apps/gui/gui_desktop.h>

#include <harness/profiles.h>

#include <ostream>
#include <string>

namespace apps {

// The exit code: 0 when the person closed the start window or the tracker ran.
int RunStartWindow(const GuiOptions& gui, std::ostream& out, std::ostream& err);

// For a verb started with a profile: the password the keyring keeps for it, given to the
// connections to its address.
void UseKeptPassword(const harness::Profile& profile);

}  // namespace apps
