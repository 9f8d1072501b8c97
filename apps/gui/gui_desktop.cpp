#include <apps/gui/gui_desktop.h>

#include <apps/host/terminal_backend.h>

#include <client/headless/headless_session.h>
#include <client/trace_viewer/headless_trace_viewer.h>
#include <qt/bills/bill_forms.h>
#include <qt/trace_viewer/qt_trace_viewer.h>
#include <qt/windowing/qt_backend.h>

#include <platform/activebar/tool.h>
#include <platform/automation/errors.h>
#include <platform/windowing/clock.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/form.h>

#include <iostream>
#include <memory>

namespace apps {

namespace {

// The desktop's windows for the session's components, in place of the headless ones.
void RegisterDesktopComponents(const GuiOptions& gui, bool askWithDialogs) {
    qtgui::RegisterQtTraceViewer(gui.outDir, askWithDialogs);
    qtgui::RegisterBillForms();
}

int RunScripted(const PreparedTracking& prepared, const TrackingOptions& options,
                const GuiOptions& gui, std::ostream& out, std::ostream& err) {
    std::shared_ptr<qtgui::QtBackend> desktop;
    int commands = 0;
    Presentation presentation;
    presentation.backend = [&](std::shared_ptr<TerminalBackend> answers) {
        desktop = std::make_shared<qtgui::QtBackend>(std::move(answers));
        desktop->SetScreenshotDirectory(gui.screenshotDir);
        RegisterDesktopComponents(gui, false);
        return desktop;
    };
    presentation.afterCommand = [&](const std::string& line) {
        if (desktop) desktop->TakeScreenshots("after " + std::to_string(++commands) + " " + line);
    };
    return RunTracking(prepared, options, std::cin, out, err, &presentation);
}

int RunForAPerson(const PreparedTracking& prepared, const GuiOptions& gui, std::ostream& out) {
    client::HeadlessSession session(prepared.session);
    auto& loop = windowing::EventLoop::Instance();
    loop.SetClock(std::make_shared<windowing::SystemClock>());
    auto desktop = std::make_shared<qtgui::QtBackend>();
    desktop->SetScreenshotDirectory(gui.screenshotDir);
    windowing::ScopedBackend installed(desktop);
    RegisterDesktopComponents(gui, gui.outDir.empty());
    desktop->SetHostPageCloseHandler([&session](qtgui::HostPage&) {
        // The client closes its page as its own close tool does.
        auto tool = std::make_shared<activebar::Tool>("close");
        session.HostForm()->FireToolBarClick(tool);
    });

    // Stand-alone, the window is modal: opening returns when the person closed it.
    const bool shown = prepared.open(session, [] { return true; });
    if (shown && prepared.embedded) {
        loop.RunUntil([&session] {
            auto viewer = session.Viewer();
            return !viewer || viewer->Closed() || !viewer->Window();
        });
    }
    if (!shown) out << "error: " << prepared.tracker << " could not show its window.\n";
    return shown ? 0 : 1;
}

}  // namespace

int RunGui(const PreparedTracking& prepared, const TrackingOptions& options, const GuiOptions& gui,
           std::ostream& out, std::ostream& err) {
    if (!options.scriptPath.empty()) return RunScripted(prepared, options, gui, out, err);
    try {
        out << prepared.header << "\n";
        return RunForAPerson(prepared, gui, out);
    } catch (const automation::RuntimeError& error) {
        err << "trackquery-gui " << prepared.verb << ": " << error.Description() << "\n";
    } catch (const std::exception& error) {
        err << "trackquery-gui " << prepared.verb << ": " << error.what() << "\n";
    }
    return 1;
}

}  // namespace apps
