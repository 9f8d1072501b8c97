#include "icmo_command.h"

#include "host_commands.h"
#include "task_order_selection.h"
#include "terminal_backend.h"

#include <client/headless/headless_session.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>
#include <platform/windowing/event_loop.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace apps {

std::string SessionLanguage(const std::string& language) {
    const std::string code = automation::LCase(language);
    if (code == "chs" || code == "cht" || code == "en") return code;
    throw std::runtime_error("unknown language \"" + language + "\" (use CHS, CHT or EN)");
}

std::string SubSystem(const std::string& subId) {
    const std::string sub = automation::UCase(subId);
    if (sub == "CJ" || sub == "REPM" || sub == "SUBC") return sub;
    throw std::runtime_error("unknown sub-system \"" + subId + "\" (use CJ, REPM or SUBC)");
}

namespace {

// Puts the harness's own back end back in place when the run ends, before the harness goes.
class BackendSwap {
  public:
    explicit BackendSwap(std::shared_ptr<windowing::Backend> replacement)
        : saved_(windowing::EventLoop::Instance().BackendPtr()) {
        windowing::EventLoop::Instance().SetBackend(std::move(replacement));
    }
    ~BackendSwap() { windowing::EventLoop::Instance().SetBackend(saved_); }
    BackendSwap(const BackendSwap&) = delete;
    BackendSwap& operator=(const BackendSwap&) = delete;

  private:
    std::shared_ptr<windowing::Backend> saved_;
};

// Reads and runs commands until the user quits, the input ends or the window closes. A script
// stops at its first failing line; the terminal goes on after telling the user.
class CommandLoop {
  public:
    CommandLoop(HostCommands& commands, std::istream& input, std::ostream& out, bool interactive,
                std::string scriptName)
        : commands_(commands),
          input_(input),
          out_(out),
          interactive_(interactive),
          scriptName_(std::move(scriptName)) {}

    // True when every command ran; false when a script stopped on an error.
    bool Run() {
        commands_.Show();
        if (interactive_) out_ << "Type help for the commands, quit to end.\n";
        auto last = std::chrono::steady_clock::now();
        std::string line;
        for (int number = 1;; ++number) {
            if (interactive_) out_ << "icmo> " << std::flush;
            if (!std::getline(input_, line)) {
                if (interactive_) out_ << "\n";
                return true;
            }
            if (interactive_) {
                // Time passes while the user reads and types, so timers fall due as they would.
                const auto now = std::chrono::steady_clock::now();
                windowing::EventLoop::Instance().AdvanceTime(
                    std::chrono::duration_cast<std::chrono::milliseconds>(now - last).count());
            } else if (!SplitCommand(line).empty()) {
                out_ << "icmo> " << line << "\n";
            }
            const auto outcome = commands_.Run(line);
            last = std::chrono::steady_clock::now();
            if (outcome == HostCommands::Outcome::Quit) return true;
            if (outcome == HostCommands::Outcome::Failed && !interactive_) {
                out_ << scriptName_ << ":" << number << ": the script stops here.\n";
                return false;
            }
        }
    }

  private:
    HostCommands& commands_;
    std::istream& input_;
    std::ostream& out_;
    bool interactive_;
    std::string scriptName_;
};

int RunSession(const IcmoOptions& options, const std::string& language, const std::string& subId,
               int32_t userId, const TaskOrderSelection& selection, std::istream& commandInput,
               std::istream& answerInput, std::ostream& out) {
    const bool interactive = options.scriptPath.empty();
    client::HeadlessSessionOptions sessionOptions;
    sessionOptions.databasePath = options.database;
    sessionOptions.userId = userId;
    sessionOptions.userName = options.userName;
    sessionOptions.subId = subId;
    sessionOptions.language = language;
    client::HeadlessSession session(sessionOptions);

    auto backend =
        std::make_shared<TerminalBackend>(session.Backend(), out, answerInput, interactive);
    BackendSwap swap(backend);

    auto tracker = session.CreateICMOQuery();
    HostCommands commands(session, *backend, tracker, out);
    CommandLoop loop(commands, commandInput, out, interactive, options.scriptPath);
    bool completed = true;

    bool shown = false;
    if (options.embedded) {
        shown = session.StartEmbedded(tracker, selection.bills, selection.status);
        if (shown) completed = loop.Run();
    } else {
        bool ran = false;
        shown = session.StartStandAlone(tracker, selection.bills, selection.status,
                                        {[&](client::HeadlessSession&) {
                                            ran = true;
                                            completed = loop.Run();
                                        }});
        shown = shown && ran;
    }
    // A box that failed while the tracker started (a command's own failures were reported by it).
    if (!backend->Failures().empty()) {
        out << "error: " << backend->Failures().front() << "\n";
        return 1;
    }
    if (!shown) {
        out << "error: the task order tracker could not show its window.\n";
        return 1;
    }
    if (completed && !interactive && backend->PendingAnswers() > 0) {
        // An answer no box took would have answered a later box the script did not mean.
        out << "error: " << backend->PendingAnswers()
            << " answer(s) of the script were left for a message box that never came.\n";
        return 1;
    }
    return completed ? 0 : 1;
}

}  // namespace

std::vector<std::string> SplitBillNumbers(const std::string& list) {
    std::vector<std::string> numbers;
    std::istringstream parts(list);
    std::string part;
    while (std::getline(parts, part, ',')) {
        const auto first = part.find_first_not_of(" \t");
        if (first == std::string::npos) continue;
        const auto last = part.find_last_not_of(" \t");
        numbers.push_back(part.substr(first, last - first + 1));
    }
    return numbers;
}

int RunIcmoCommand(const IcmoOptions& options, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    std::string language, subId;
    int32_t userId = 0;
    TaskOrderSelection selection;
    std::ifstream script;
    try {
        language = SessionLanguage(options.language);
        subId = SubSystem(options.subId);
        if (!options.scriptPath.empty()) {
            script.open(options.scriptPath);
            if (!script) {
                throw std::runtime_error("cannot read the script \"" + options.scriptPath + "\"");
            }
        }
        CheckErpDatabase(options.database);
        userId = LookUpUserId(options.database, options.userName);
        selection = SelectTaskOrders(options.database, subId, options.billNumbers);
    } catch (const std::exception& error) {
        err << "trackquery icmo: " << error.what() << "\n";
        return 1;
    }

    out << "Task order tracking of " << options.database << ": " << selection.bills->Count()
        << " task orders of sub-system " << subId << ", user " << options.userName << " (" << userId
        << "), language " << language << (options.embedded ? ", embedded" : "") << ".\n";
    if (selection.truncated) {
        out << "Only the first " << kMaxTaskOrders
            << " task orders are tracked; choose others with --bills or the selection box.\n";
    }
    try {
        if (options.scriptPath.empty()) {
            return RunSession(options, language, subId, userId, selection, in, in, out);
        }
        return RunSession(options, language, subId, userId, selection, script, in, out);
    } catch (const automation::RuntimeError& error) {
        err << "trackquery icmo: " << error.Description() << "\n";
    } catch (const std::exception& error) {
        err << "trackquery icmo: " << error.what() << "\n";
    }
    return 1;
}

}  // namespace apps
