#include "host_commands.h"

#include <client/trace_viewer/headless_trace_viewer.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <charconv>
#include <sstream>
#include <stdexcept>

namespace apps {

namespace {

// Bad input from the user: the message says what was wrong and how to say it instead.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

int64_t ParseNumber(const std::string& text, const std::string& what, int64_t minimum) {
    int64_t value = 0;
    const auto* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || next != end || value < minimum) {
        throw UsageError(what + " must be a whole number of at least " + std::to_string(minimum) +
                         ", not \"" + text + "\"");
    }
    return value;
}

// A detail path: dotted positions, each 1 or more ("2", "7.1.1").
void CheckPath(const std::string& path) {
    std::istringstream parts(path);
    std::string part;
    bool any = false;
    while (std::getline(parts, part, '.')) {
        ParseNumber(part, "each position of the detail path \"" + path + "\"", 1);
        any = true;
    }
    if (!any || path.back() == '.') {
        throw UsageError("\"" + path + "\" is not a detail path (write positions like 2 or 7.1)");
    }
}

int32_t KeyCodeOf(const std::string& key) {
    const std::string name = automation::UCase(key);
    if (name == "F7") return 118;
    if (name == "ENTER" || name == "RETURN") return 13;
    return static_cast<int32_t>(ParseNumber(key, "the key (F7, Enter or a key code)", 1));
}

// Everything after the first `words` words of a line, as typed.
std::string RestAfterWords(const std::string& line, size_t words) {
    size_t at = 0;
    for (size_t i = 0; i < words; ++i) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string::npos) return "";
        at = line.find_first_of(" \t", at);
        if (at == std::string::npos) return "";
    }
    const auto start = line.find_first_not_of(" \t", at);
    if (start == std::string::npos) return "";
    auto end = line.find_last_not_of(" \t\r\n");
    return line.substr(start, end - start + 1);
}

}  // namespace

std::vector<std::string> SplitCommand(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
        if (words.empty() && word[0] == '#') break;
        words.push_back(word);
    }
    return words;
}

std::string HostCommands::HelpText() {
    return "Commands, one a line:\n"
           "  select N               click navigation node N (1 is the root)\n"
           "  wait MS                let MS milliseconds pass (the selection follows a click "
           "after 500 ms)\n"
           "  expand PATH            expand the detail node or row at PATH (2, 7.1, ...)\n"
           "  expand-row PATH ROW    expand row ROW of the detail node at PATH\n"
           "  open PATH ROW          double-click row ROW of the detail node at PATH\n"
           "  tool KEY               click a menu bar tool (btnRefresh, btnBill, btnExit, ...)\n"
           "  type BAND TEXT         type TEXT into the band's text box and press Enter\n"
           "                         (bndfilter: txtSelectBills, bndSearch: txtPosition)\n"
           "  key BAND KEY           press KEY (F7, Enter or a key code) in the band's text box\n"
           "  answer yes|no|ok|cancel  the answer to the next message box\n"
           "  show                   print the view\n"
           "  quit                   close the tracking window and end\n"
           "  help                   this list\n";
}

HostCommands::HostCommands(client::HeadlessSession& session, TerminalBackend& backend,
                           trackquery::ICICMOQueryPtr tracker, std::ostream& out)
    : session_(session), backend_(backend), tracker_(std::move(tracker)), out_(out) {}

HostCommands::Outcome HostCommands::Run(const std::string& line) {
    const auto words = SplitCommand(line);
    if (words.empty()) return Outcome::Continue;
    const std::string verb = automation::LCase(words[0]);
    if (verb == "quit" || verb == "exit") return Outcome::Quit;
    backend_.ClearFailures();
    try {
        Execute(verb, {words.begin() + 1, words.end()}, RestAfterWords(line, 2));
    } catch (const UsageError& error) {
        Report(error.what());
        return Outcome::Failed;
    } catch (const automation::RuntimeError& error) {
        // A box nobody answered shows up here when the library let its error through.
        if (backend_.Failures().empty()) {
            Report(error.Description());
            return Outcome::Failed;
        }
    } catch (const std::exception& error) {
        // Nothing may escape: in a stand-alone window the commands run inside the modal loop.
        Report(error.what());
        return Outcome::Failed;
    }
    if (!backend_.Failures().empty()) {
        Report(backend_.Failures().front());
        backend_.ClearFailures();
        return Outcome::Failed;
    }
    if (WindowClosed()) {
        out_ << "The tracking window was closed.\n";
        return Outcome::Quit;
    }
    if (verb != "show" && verb != "help" && verb != "answer") ShowIfChanged();
    return Outcome::Continue;
}

void HostCommands::Execute(const std::string& verb, const std::vector<std::string>& args,
                           const std::string& rest) {
    if (verb == "help") {
        out_ << HelpText();
    } else if (verb == "show") {
        Show();
    } else if (verb == "select") {
        RequireArgs(verb, args, 1, "select N");
        session_.ClickNavigationNode(
            static_cast<int32_t>(ParseNumber(args[0], "the node number", 1)));
    } else if (verb == "wait") {
        RequireArgs(verb, args, 1, "wait MS");
        session_.AdvanceTime(ParseNumber(args[0], "the time to wait", 0));
    } else if (verb == "expand") {
        RequireArgs(verb, args, 1, "expand PATH");
        CheckPath(args[0]);
        if (!session_.ExpandDetail(args[0])) out_ << "Nothing to expand at " << args[0] << ".\n";
    } else if (verb == "expand-row") {
        RequireArgs(verb, args, 2, "expand-row PATH ROW");
        CheckPath(args[0]);
        const auto row = static_cast<int32_t>(ParseNumber(args[1], "the row number", 1));
        if (!session_.Viewer()->ExpandDetailRow(args[0], row)) {
            out_ << "Row " << row << " of " << args[0] << " cannot be expanded.\n";
        }
    } else if (verb == "open") {
        RequireArgs(verb, args, 2, "open PATH ROW");
        CheckPath(args[0]);
        ParseNumber(args[1], "the row number", 1);
        session_.DoubleClickDetail(args[0] + "." + args[1]);
    } else if (verb == "tool") {
        RequireArgs(verb, args, 1, "tool KEY");
        if (!session_.ClickTool(args[0])) {
            out_ << "The tool " << args[0] << " is hidden or disabled.\n";
        }
    } else if (verb == "type") {
        if (args.size() < 2) throw UsageError("usage: type BAND TEXT");
        if (!session_.TypeIntoTool(args[0], TextBoxOf(args[0]), rest, true)) {
            out_ << "The text box of " << args[0] << " is hidden or disabled.\n";
        }
    } else if (verb == "key") {
        RequireArgs(verb, args, 2, "key BAND KEY");
        const int32_t keyCode = KeyCodeOf(args[1]);
        if (!session_.Viewer()->PressToolKey(args[0], TextBoxOf(args[0]), keyCode)) {
            out_ << "The text box of " << args[0] << " is hidden or disabled.\n";
        }
    } else if (verb == "answer") {
        RequireArgs(verb, args, 1, "answer yes|no|ok|cancel");
        const int32_t answer = AnswerFromName(args[0]);
        if (answer == 0) {
            throw UsageError("\"" + args[0] + "\" is not an answer (yes, no, ok or cancel)");
        }
        backend_.QueueAnswer(answer);
    } else {
        throw UsageError("unknown command \"" + verb + "\" (type help for the list)");
    }
}

void HostCommands::RequireArgs(const std::string& verb, const std::vector<std::string>& args,
                               size_t count, const std::string& usage) const {
    if (args.size() != count) throw UsageError("usage: " + usage);
    if ((verb == "expand" || verb == "open" || verb == "expand-row" || verb == "select" ||
         verb == "tool" || verb == "type" || verb == "key") &&
        !session_.Viewer()) {
        throw UsageError("there is no tracking view to act on");
    }
}

std::string HostCommands::TextBoxOf(const std::string& band) const {
    if (automation::EqualsIgnoreCase(band, "bndfilter")) return "txtSelectBills";
    if (automation::EqualsIgnoreCase(band, "bndSearch")) return "txtPosition";
    throw UsageError("\"" + band + "\" has no text box (use bndfilter or bndSearch)");
}

bool HostCommands::WindowClosed() const { return tracker_->Hwnd() == 0; }

void HostCommands::Show() {
    if (!session_.Viewer()) {
        out_ << "(no tracking view)\n";
        return;
    }
    lastShown_ = session_.Render();
    out_ << lastShown_;
    if (!lastShown_.empty() && lastShown_.back() != '\n') out_ << "\n";
}

void HostCommands::ShowIfChanged() {
    if (!session_.Viewer() || session_.Render() == lastShown_) return;
    Show();
}

void HostCommands::Report(const std::string& message) { out_ << "error: " << message << "\n"; }

}  // namespace apps
