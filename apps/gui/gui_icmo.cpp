#include <apps/gui/gui_icmo.h>

#include <apps/task_order_selection.h>

#include <client/headless/headless_session.h>

#include <platform/automation/errors.h>

#include <fstream>
#include <stdexcept>

namespace apps {

namespace {

struct PreparedSession {
    client::HeadlessSessionOptions options;
    TaskOrderSelection selection;
};

PreparedSession Prepare(const IcmoOptions& icmo) {
    PreparedSession prepared;
    prepared.options.databasePath = icmo.database;
    prepared.options.userName = icmo.userName;
    prepared.options.language = SessionLanguage(icmo.language);
    prepared.options.subId = SubSystem(icmo.subId);
    CheckErpDatabase(icmo.database);
    prepared.options.userId = LookUpUserId(icmo.database, icmo.userName);
    prepared.selection = SelectTaskOrders(icmo.database, prepared.options.subId, icmo.billNumbers);
    return prepared;
}

int RunScripted(client::HeadlessSession& session, GuiDesktop& desktop, const IcmoOptions& icmo,
                const TaskOrderSelection& selection, std::istream& script, std::ostream& out) {
    auto tracker = session.CreateICMOQuery();
    HostCommands commands(session, desktop.Script(), tracker, out);
    auto run = [&commands](const std::string& line) { return commands.Run(line); };
    bool shown = false;
    bool completed = true;
    if (icmo.embedded) {
        shown = session.StartEmbedded(tracker, selection.bills, selection.status);
        if (shown) {
            commands.Show();
            completed = desktop.RunScript(script, run);
        }
    } else {
        bool ran = false;
        shown = session.StartStandAlone(tracker, selection.bills, selection.status,
                                        {[&](client::HeadlessSession&) {
                                            ran = true;
                                            commands.Show();
                                            completed = desktop.RunScript(script, run);
                                        }});
        shown = shown && ran;
    }
    return desktop.Finish(shown, completed);
}

int RunForAPerson(client::HeadlessSession& session, GuiDesktop& desktop, const IcmoOptions& icmo,
                  const TaskOrderSelection& selection) {
    auto tracker = session.CreateICMOQuery();
    if (!icmo.embedded) {
        // The stand-alone window is modal: InitTrack returns when the person closed it.
        return desktop.Finish(
            tracker->InitTrack(nullptr, 0, nullptr, selection.bills, selection.status), true);
    }
    const bool shown = session.StartEmbedded(tracker, selection.bills, selection.status);
    desktop.Backend().SetHostPageCloseHandler([&session](qtgui::HostPage&) {
        // The client closes its page as its own close tool does.
        auto tool = std::make_shared<activebar::Tool>("close");
        session.HostForm()->FireToolBarClick(tool);
    });
    if (shown) desktop.RunUntil([&tracker] { return tracker->Window() == nullptr; });
    return desktop.Finish(shown, true);
}

}  // namespace

int RunGuiIcmo(const IcmoOptions& icmo, GuiOptions gui, std::ostream& out, std::ostream& err) {
    gui.scriptPath = icmo.scriptPath;
    PreparedSession prepared;
    std::ifstream script;
    try {
        prepared = Prepare(icmo);
        if (!gui.scriptPath.empty()) {
            script.open(gui.scriptPath);
            if (!script)
                throw std::runtime_error("cannot read the script \"" + gui.scriptPath + "\"");
        }
    } catch (const std::exception& error) {
        err << "trackquery-gui icmo: " << error.what() << "\n";
        return 1;
    }
    out << "Task order tracking of " << icmo.database << ": " << prepared.selection.bills->Count()
        << " task orders of sub-system " << prepared.options.subId << ", user " << icmo.userName
        << ".\n";
    try {
        client::HeadlessSession session(prepared.options);
        GuiDesktop desktop(session, gui, out);
        if (desktop.Scripted()) {
            return RunScripted(session, desktop, icmo, prepared.selection, script, out);
        }
        return RunForAPerson(session, desktop, icmo, prepared.selection);
    } catch (const automation::RuntimeError& error) {
        err << "trackquery-gui icmo: " << error.Description() << "\n";
    } catch (const std::exception& error) {
        err << "trackquery-gui icmo: " << error.what() << "\n";
    }
    return 1;
}

}  // namespace apps
