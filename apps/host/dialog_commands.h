#pragma once
// The commands of the dialogs the host drives (dialog_commands.cpp): the bill option dialog
// (frmBillSel), the order tracking option dialog (frmOrderOption), the bill list (frmList) and the
// class bill filter and look-up of the client's bill components.

#include "window_commands.h"

namespace apps {

// The commands of `form` when it is one of those dialogs; nothing otherwise.
std::unique_ptr<WindowCommands> DialogCommandsFor(windowing::Form& form);

}  // namespace apps
