#include "host_loop.h"

#include "command_words.h"
#include "map_content.h"
#include "view_commands.h"

#include <components/bills/bill_window.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>
#include <platform/windowing/event_loop.h>

#include <climits>
#include <sstream>
#include <vector>

namespace textface {

namespace {

constexpr const char* kSharedHelp =
    "  show [all]             print the window (the terminal shows what changed; all: everything)\n"
    "  wait MS                let MS milliseconds pass (a click on a task order shows after "
    "500 ms)\n"
    "  answer yes|no|ok|cancel  the answer to the next message box\n"
    "  windows                list the open windows\n"
    "  map [dot FILE|open N]  the document map opened last: print it, write DOT, open a bill\n"
    "  close                  the close box of the window opened last (a bill window), else\n"
    "                         of the window taking the commands\n"
    "  quit                   close every window and end\n"
    "  help                   this list\n";

// The blocks of a printed window: a view's panes start with their title line ("== ..."); a
// dialog is one block.
std::vector<std::string> Sections(const std::string& text) {
    std::vector<std::string> sections;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (sections.empty() || line.rfind("==", 0) == 0) sections.emplace_back();
        sections.back() += line + "\n";
    }
    return sections;
}

void Print(std::ostream& out, const std::string& text) {
    out << text;
    if (!text.empty() && text.back() != '\n') out << "\n";
}

std::shared_ptr<client::ViewerDocument> ViewerOf(WindowCommands& commands) {
    auto* view = dynamic_cast<ViewCommands*>(&commands);
    return view ? view->Viewer() : nullptr;
}

// The windows a user works in, in the order they opened: bill windows stand beside them.
std::vector<std::shared_ptr<windowing::Form>> WorkingWindows() {
    std::vector<std::shared_ptr<windowing::Form>> windows;
    for (const auto& form : windowing::LoadedForms()) {
        if (form->Visible() && !dynamic_cast<client::BillWindow*>(form.get())) {
            windows.push_back(form);
        }
    }
    return windows;
}

// The window the window taking the commands opened last and that stands beside it (a bill
// window, an item view), or nothing.
std::shared_ptr<windowing::Form> OpenedLastBeside(const windowing::Form& current,
                                                  harness::HeadlessSession& session) {
    const auto forms = windowing::LoadedForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        const auto& form = *it;
        if (form.get() == &current) return nullptr;
        if (form->Visible() && !form->IsModal() && !session.ViewerOf(*form)) return form;
    }
    return nullptr;
}

}  // namespace

HostLoop::HostLoop(harness::HeadlessSession& session, TerminalBackend& backend,
                   CommandSource& source, std::ostream& out)
    : session_(session), backend_(backend), source_(source), out_(out) {}

HostLoop::Window& HostLoop::WindowOf(windowing::Form& form) {
    auto found = windows_.find(&form);
    // A window that went and another that took its place are told apart by their life.
    if (found == windows_.end() || found->second.form.expired()) {
        Window window;
        window.form = form.shared_from_this();
        window.commands = CommandsFor(form, session_);
        found = windows_.insert_or_assign(&form, std::move(window)).first;
    }
    return found->second;
}

void HostLoop::RunEmbedded(windowing::Form& view) {
    ShowFirstTime(view);
    while (!quitting_ && !stopped_ && view.IsLoaded()) {
        if (!RunNextLine(view)) return;
    }
    if (quitting_ && view.IsLoaded()) CloseByUser(view);
}

void HostLoop::RunOneFor(windowing::Form& form) {
    ShowFirstTime(form);
    if (quitting_ || stopped_ || !RunNextLine(form)) CloseByUser(form);
}

void HostLoop::RunAhead(const std::string& line, const std::string& prompt) {
    if (!source_.Interactive()) out_ << prompt << "> " << line << "\n";
    const auto words = SplitCommand(line);
    QueueAnswer({words.begin() + 1, words.end()});
}

bool HostLoop::RunNextLine(windowing::Form& form) {
    std::optional<std::string> line;
    try {
        line = source_.Next(Prompt());
    } catch (const UsageError& error) {
        // A line the host cannot read is told as a command that failed.
        out_ << "error: " << error.what() << "\n";
        StopScript();
        return true;
    }
    if (!line) return false;
    if (source_.Interactive()) {
        // Time passes while the user reads and types, so timers fall due as they would.
        const auto now = std::chrono::steady_clock::now();
        windowing::EventLoop::Instance().AdvanceTime(
            std::chrono::duration_cast<std::chrono::milliseconds>(now - lastInput_).count());
    }
    const Outcome outcome = Run(form, *line);
    if (afterCommand_ && !SplitCommand(*line).empty()) afterCommand_(*line);
    lastInput_ = std::chrono::steady_clock::now();
    if (outcome == Outcome::Failed) StopScript();
    return true;
}

void HostLoop::StopScript() {
    if (source_.Interactive()) return;
    out_ << source_.ScriptName() << ":" << source_.LineNumber() << ": the script stops here.\n";
    stopped_ = true;
}

HostLoop::Outcome HostLoop::Run(windowing::Form& form, const std::string& line) {
    const auto words = SplitCommand(line);
    if (words.empty()) return Outcome::Continue;
    const std::string verb = automation::LCase(words[0]);
    if (verb == "quit" || verb == "exit") {
        quitting_ = true;
        return Outcome::Quit;
    }
    Window& window = WindowOf(form);
    const bool view = ViewerOf(*window.commands) != nullptr;
    backend_.ClearFailures();
    auto report = [&](const std::string& message) {
        out_ << "error: " << message << "\n";
        return Outcome::Failed;
    };
    try {
        Execute(form, *window.commands, verb, {words.begin() + 1, words.end()},
                RestAfterWords(line, 1));
    } catch (const UsageError& error) {
        return report(error.what());
    } catch (const automation::RuntimeError& error) {
        // A box nobody answered shows up here when the library let its error through.
        if (backend_.Failures().empty()) return report(error.Description());
    } catch (const std::exception& error) {
        // Nothing may escape: the commands of a modal window run inside its loop.
        return report(error.what());
    }
    if (!backend_.Failures().empty()) {
        const std::string failure = backend_.Failures().front();
        backend_.ClearFailures();
        return report(failure);
    }
    if (!form.IsLoaded()) {
        if (view) out_ << "The tracking window was closed.\n";
        return Outcome::Quit;
    }
    ReportWrittenFile(form);
    if (verb != "show" && verb != "help" && verb != "answer" && verb != "windows") {
        ShowIfChanged(form);
    }
    return Outcome::Continue;
}

void HostLoop::Execute(windowing::Form& form, WindowCommands& commands, const std::string& verb,
                       const std::vector<std::string>& args, const std::string& rest) {
    if (verb == "help") {
        out_ << "Commands, one a line:\n" << commands.Help() << kSharedHelp;
    } else if (verb == "show") {
        const bool all = !args.empty() && automation::EqualsIgnoreCase(args[0], "all");
        if (args.size() > 1 || (!args.empty() && !all)) throw UsageError("usage: show [all]");
        Show(form, all || !source_.Interactive());
    } else if (verb == "wait") {
        if (args.size() != 1) throw UsageError("usage: wait MS");
        session_.AdvanceTime(ParseNumber(args[0], "the time to wait", 0, INT32_MAX));
    } else if (verb == "answer") {
        QueueAnswer(args);
    } else if (verb == "windows") {
        if (!args.empty()) throw UsageError("usage: windows");
        ListWindows(form);
    } else if (verb == "close") {
        if (!args.empty()) throw UsageError("usage: close");
        CloseOpenedLast(form);
    } else if (verb == "map") {
        RunMapCommand(args, out_);
    } else if (!commands.Run(verb, args, rest, out_)) {
        throw UsageError("unknown command \"" + verb + "\" (type help for the list)");
    }
}

void HostLoop::QueueAnswer(const std::vector<std::string>& args) {
    if (args.size() != 1) throw UsageError("usage: answer yes|no|ok|cancel");
    const int32_t answer = AnswerFromName(args[0]);
    if (answer == 0) {
        throw UsageError("\"" + args[0] + "\" is not an answer (yes, no, ok or cancel)");
    }
    backend_.QueueAnswer(answer);
}

void HostLoop::ShowFirstTime(windowing::Form& form) {
    Window& window = WindowOf(form);
    if (window.shown) return;
    const bool view = ViewerOf(*window.commands) != nullptr;
    if (view) ++viewsShown_;
    Show(form, true);
    if (view && source_.Interactive() && !greeted_) {
        out_ << "Type help for the commands, quit to end.\n";
        greeted_ = true;
    }
}

void HostLoop::Show(windowing::Form& form, bool all) {
    Window& window = WindowOf(form);
    const std::string text = window.commands->Render();
    if (all || !window.shown) {
        Print(out_, text);
    } else {
        // Only the panes that changed since they were printed last.
        const auto before = Sections(*window.shown);
        const auto now = Sections(text);
        bool any = false;
        for (size_t i = 0; i < now.size(); ++i) {
            if (i < before.size() && before[i] == now[i]) continue;
            out_ << now[i];
            any = true;
        }
        if (!any) out_ << "(nothing changed since it was shown; show all prints everything)\n";
    }
    window.shown = text;
}

void HostLoop::ShowIfChanged(windowing::Form& form) {
    Window& window = WindowOf(form);
    if (window.shown && window.commands->Render() == *window.shown) return;
    Show(form, !source_.Interactive());
}

void HostLoop::ReportWrittenFile(windowing::Form& form) {
    Window& window = WindowOf(form);
    auto viewer = ViewerOf(*window.commands);
    if (!viewer || viewer->LastOutputPath().empty()) return;
    const std::string path = viewer->LastOutputPath().string();
    if (path == window.written) return;
    window.written = path;
    out_ << "[written: " << path << "]\n";
}

// `close`: the window opened last goes, a bill window beside the one taking the commands first.
void HostLoop::CloseOpenedLast(windowing::Form& current) {
    auto beside = OpenedLastBeside(current, session_);
    if (!beside) {
        CloseByUser(current);
        return;
    }
    const std::string caption = beside->Caption();
    if (beside->CloseByUser()) out_ << "The window \"" << caption << "\" was closed.\n";
}

// The close box of a window. An embedded view has none of its own: its page closes, as the client
// closes it (the viewer reports Hide, then the window unloads).
void HostLoop::CloseByUser(windowing::Form& form) {
    auto viewer = ViewerOf(*WindowOf(form).commands);
    if (viewer && !viewer->StandAlone()) {
        viewer->Close();
        form.Unload();
        return;
    }
    form.CloseByUser();
}

void HostLoop::ListWindows(windowing::Form& current) {
    for (const auto& form : windowing::LoadedForms()) {
        out_ << (form.get() == &current ? "* " : "  ") << WindowOf(*form).commands->Name() << "  \""
             << form->Caption() << "\"" << (form->IsModal() ? ", modal" : "")
             << (form->Visible() ? "" : ", hidden") << "\n";
    }
}

std::string HostLoop::Prompt() const {
    std::string prompt;
    for (const auto& form : WorkingWindows()) {
        auto found = windows_.find(form.get());
        if (found == windows_.end() || found->second.form.expired()) continue;
        prompt += (prompt.empty() ? "" : "/") + found->second.commands->Name();
    }
    return prompt;
}

}  // namespace textface
