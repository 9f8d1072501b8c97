#include "window_commands.h"

#include "dialog_commands.h"
#include "view_commands.h"

namespace apps {

namespace {

// A window the host has no commands for: it is shown, and closed with the shared `close`.
class PlainWindowCommands : public WindowCommands {
  public:
    explicit PlainWindowCommands(windowing::Form& form) : form_(form) {}
    std::string Name() const override { return form_.Name(); }
    std::string Render() const override {
        return "+-- " + form_.Caption() + " (" + form_.Name() + ") --\n";
    }
    std::string Help() const override { return ""; }
    bool Run(const std::string&, const std::vector<std::string>&, const std::string&,
             std::ostream&) override {
        return false;
    }

  private:
    windowing::Form& form_;
};

}  // namespace

std::unique_ptr<WindowCommands> CommandsFor(windowing::Form& form,
                                            client::HeadlessSession& session) {
    if (auto viewer = session.ViewerOf(form)) {
        return std::make_unique<ViewCommands>(std::move(viewer));
    }
    if (auto dialog = DialogCommandsFor(form)) return dialog;
    return std::make_unique<PlainWindowCommands>(form);
}

}  // namespace apps
