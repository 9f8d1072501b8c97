#include <apps/gui/gui_desktop.h>

#include <faces/text/terminal_backend.h>

#include <components/session/lang_info.h>
#include <components/viewer/viewer_document.h>
#include <faces/qt/bills/bill_forms.h>
#include <faces/qt/order_map/order_map_widget.h>
#include <faces/qt/trace_viewer/qt_viewer_face.h>
#include <faces/qt/windowing/qt_backend.h>
#include <faces/qt/windowing/qt_translations.h>
#include <harness/headless_session.h>

#include <platform/activebar/tool.h>
#include <platform/automation/errors.h>
#include <platform/windowing/clock.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/form.h>

#include <iostream>
#include <memory>

namespace apps {

using harness::IcmoOptions;
using harness::SeOrderOptions;
using harness::TrackingOptions;

namespace {

// The desktop's windows for the session's components, in place of the headless ones, and Qt's
// own dialogs and buttons in the session's language.
void RegisterDesktopComponents(const GuiOptions& gui, bool askWithDialogs) {
    qtgui::UseQtTranslations(client::SessionLanguage());
    qtgui::RegisterQtTraceViewer(gui.outDir, askWithDialogs);
    qtgui::RegisterBillForms();
    qtgui::RegisterOrderMapForm(gui.outDir, askWithDialogs);
}

int RunScripted(const textface::PreparedTracking& prepared, const TrackingOptions& options,
                const GuiOptions& gui, std::ostream& out, std::ostream& err) {
    std::shared_ptr<qtgui::QtBackend> desktop;
    int commands = 0;
    textface::Presentation presentation;
    presentation.backend = [&](std::shared_ptr<textface::TerminalBackend> answers) {
        desktop = std::make_shared<qtgui::QtBackend>(std::move(answers));
        desktop->SetScreenshotDirectory(gui.screenshotDir);
        RegisterDesktopComponents(gui, false);
        return desktop;
    };
    presentation.afterCommand = [&](const std::string& line) {
        if (desktop) desktop->TakeScreenshots("after " + std::to_string(++commands) + " " + line);
    };
    return textface::RunTracking(prepared, options, std::cin, out, err, &presentation);
}

int RunForAPerson(const textface::PreparedTracking& prepared, const GuiOptions& gui,
                  std::ostream& out) {
    harness::HeadlessSession session(prepared.session);
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

int RunGui(const textface::PreparedTracking& prepared, const TrackingOptions& options,
           const GuiOptions& gui, std::ostream& out, std::ostream& err) {
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
