#pragma once
// What every tracker of the desktop program shares: the Qt back end on the process's event loop
// (for a scripted session, drawn over the terminal host's back end, which answers for the user),
// the desktop trace viewer and the client's windows registered in place of the headless ones, the
// clock (real time for a person, the script's time for a script), pictures of the windows, the run
// of a script, and the wait for a person to close the tracker.

#include <apps/host_commands.h>
#include <apps/terminal_backend.h>

#include <client/headless/headless_session.h>
#include <qt/windowing/qt_backend.h>

#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

namespace apps {

struct GuiOptions {
    std::filesystem::path outDir;         // empty: print, preview and export ask with dialogs
    std::filesystem::path screenshotDir;  // empty: no pictures
    std::string scriptPath;               // empty: a person uses the windows
};

class GuiDesktop {
public:
    // Installs everything on the session's process; `out` receives a scripted session's log.
    GuiDesktop(client::HeadlessSession& session, const GuiOptions& options, std::ostream& out);
    ~GuiDesktop();
    GuiDesktop(const GuiDesktop&) = delete;
    GuiDesktop& operator=(const GuiDesktop&) = delete;

    bool Scripted() const { return script_ != nullptr; }
    // The terminal back end that answers for the user in a scripted session.
    TerminalBackend& Script() { return *script_; }
    qtgui::QtBackend& Backend() { return *backend_; }

    // Runs every line of `script` with `run` (the host's commands), pictures of every window
    // after each; stops at the first failing line. True when every line ran.
    bool RunScript(std::istream& script,
                   const std::function<HostCommands::Outcome(const std::string&)>& run);
    // Lets a person use the windows until `done` holds.
    void RunUntil(const std::function<bool()>& done);

    // The exit code of the session, with the same checks as the terminal host.
    int Finish(bool shown, bool completed);

private:
    client::HeadlessSession& session_;
    GuiOptions options_;
    std::ostream& out_;
    std::shared_ptr<TerminalBackend> script_;
    std::shared_ptr<qtgui::QtBackend> backend_;
    std::shared_ptr<windowing::Backend> saved_;
    std::istringstream noInput_;  // a script asks nobody on the terminal
};

}  // namespace apps
