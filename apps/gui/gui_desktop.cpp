#include <apps/gui/gui_desktop.h>

#include <qt/bills/bill_forms.h>
#include <qt/trace_viewer/qt_trace_viewer.h>

#include <platform/windowing/clock.h>
#include <platform/windowing/event_loop.h>

#include <QApplication>

namespace apps {

GuiDesktop::GuiDesktop(client::HeadlessSession& session, const GuiOptions& options,
                       std::ostream& out)
    : session_(session), options_(options), out_(out) {
    auto& loop = windowing::EventLoop::Instance();
    saved_ = loop.BackendPtr();
    const bool scripted = !options_.scriptPath.empty();
    if (scripted) {
        script_ = std::make_shared<TerminalBackend>(session_.Backend(), out_, noInput_, false);
    } else {
        // A person's session runs on real time: the 500 ms of a navigation click pass by
        // themselves. A script keeps the harness's clock and says when time passes (wait MS).
        loop.SetClock(std::make_shared<windowing::SystemClock>());
    }
    backend_ = std::make_shared<qtgui::QtBackend>(script_);
    backend_->SetScreenshotDirectory(options_.screenshotDir);
    loop.SetBackend(backend_);
    qtgui::RegisterQtTraceViewer(options_.outDir, options_.outDir.empty() && !scripted);
    qtgui::RegisterBillForms();
}

GuiDesktop::~GuiDesktop() {
    // The harness's own back end comes back before the session closes what is still shown.
    windowing::EventLoop::Instance().SetBackend(saved_);
}

bool GuiDesktop::RunScript(std::istream& script,
                           const std::function<HostCommands::Outcome(const std::string&)>& run) {
    backend_->TakeScreenshots("start");
    std::string line;
    for (int number = 1; std::getline(script, line); ++number) {
        if (SplitCommand(line).empty()) continue;
        out_ << "icmo> " << line << "\n";
        const auto outcome = run(line);
        backend_->TakeScreenshots("after " + std::to_string(number) + " " + line);
        if (outcome == HostCommands::Outcome::Quit) return true;
        if (outcome == HostCommands::Outcome::Failed) {
            out_ << options_.scriptPath << ":" << number << ": the script stops here.\n";
            return false;
        }
    }
    return true;
}

void GuiDesktop::RunUntil(const std::function<bool()>& done) {
    windowing::EventLoop::Instance().RunUntil(done);
}

int GuiDesktop::Finish(bool shown, bool completed) {
    if (script_ && !script_->Failures().empty()) {
        out_ << "error: " << script_->Failures().front() << "\n";
        return 1;
    }
    if (!shown) {
        out_ << "error: the tracker could not show its window.\n";
        return 1;
    }
    if (completed && script_ && script_->PendingAnswers() > 0) {
        out_ << "error: " << script_->PendingAnswers()
             << " answer(s) of the script were left for a message box that never came.\n";
        return 1;
    }
    return completed ? 0 : 1;
}

}  // namespace apps
