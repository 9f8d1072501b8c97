#include "window_commands.h"

#include "form_commands.h"
#include "view_commands.h"

namespace textface {

std::unique_ptr<WindowCommands> CommandsFor(windowing::Form& form,
                                            harness::HeadlessSession& session) {
    if (auto viewer = session.ViewerOf(form)) {
        return std::make_unique<ViewCommands>(std::move(viewer));
    }
    return std::make_unique<FormCommands>(form);
}

}  // namespace textface
