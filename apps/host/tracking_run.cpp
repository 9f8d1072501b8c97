#include "tracking_run.h"

#include "command_words.h"
#include "host_loop.h"
#include "order_selection.h"
#include "task_order_selection.h"
#include "terminal_backend.h"

#include <client/headless/headless_session.h>
#include <client/trace_viewer/headless_trace_viewer.h>

#include <trackquery/contracts/trackers.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>
#include <platform/windowing/event_loop.h>

#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>

namespace apps {

namespace {

constexpr int32_t kSalesOrderClass = 81;
constexpr int32_t kExportOrderClass = 1007100;

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

// What a verb hands the session runner: how its view is opened, and how it is named.
struct ViewStart {
    std::string prompt;     // "icmo" or "seorder"
    std::string trackerName;  // for the message when no view opened
    // Opens the view; true when it was shown. Stand-alone, it returns once the window closed.
    std::function<bool(client::HeadlessSession&, HostLoop&)> open;
};

// The script, opened before anything else so that a missing one is named at once.
std::unique_ptr<std::ifstream> OpenScript(const std::string& path) {
    if (path.empty()) return nullptr;
    auto script = std::make_unique<std::ifstream>(path);
    if (!*script) throw std::runtime_error("cannot read the script \"" + path + "\"");
    return script;
}

int RunSession(const TrackingOptions& options, int32_t userId, const ViewStart& start,
               std::istream& commandInput, std::istream& answerInput, std::ostream& out) {
    client::HeadlessSessionOptions sessionOptions;
    sessionOptions.databasePath = options.database;
    sessionOptions.userId = userId;
    sessionOptions.userName = options.userName;
    sessionOptions.subId = automation::UCase(options.subId);
    // The harness takes the language code in lower case.
    sessionOptions.language = automation::LCase(options.language);
    client::HeadlessSession session(sessionOptions);

    CommandSource source(commandInput, out, options.scriptPath);
    auto backend =
        std::make_shared<TerminalBackend>(session.Backend(), out, answerInput, source.Interactive());
    BackendSwap swap(backend);
    HostLoop loop(session, *backend, source, out);
    backend->SetLoop(&loop);

    try {
        for (const auto& line : source.LeadingAnswers()) loop.RunAhead(line, start.prompt);
    } catch (const UsageError& error) {
        out << "error: " << error.what() << "\n"
            << options.scriptPath << ":" << source.LineNumber() << ": the script stops here.\n";
        return 1;
    }
    const bool shown = start.open(session, loop);
    if (shown && options.embedded) loop.RunEmbedded(*session.Viewer()->Window());

    // A box that failed while the view opened (a command's own failures were reported by it).
    if (!backend->Failures().empty()) {
        out << "error: " << backend->Failures().front() << "\n";
        return 1;
    }
    if (!shown) {
        out << "error: " << start.trackerName << " could not show its window.\n";
        return 1;
    }
    if (!loop.Stopped() && !source.Interactive() && backend->PendingAnswers() > 0) {
        // An answer no box took would have answered a later box the script did not mean.
        out << "error: " << backend->PendingAnswers()
            << " answer(s) of the script were left for a message box that never came.\n";
        return 1;
    }
    return loop.Stopped() ? 1 : 0;
}

// Runs a verb's session with its command input: the script when there is one, the terminal
// otherwise (which also answers the boxes).
int RunVerb(const char* verb, const TrackingOptions& options, int32_t userId,
            const ViewStart& start, std::istream* script, std::istream& in, std::ostream& out,
            std::ostream& err) {
    try {
        return RunSession(options, userId, start, script ? *script : in, in, out);
    } catch (const automation::RuntimeError& error) {
        err << "trackquery " << verb << ": " << error.Description() << "\n";
    } catch (const std::exception& error) {
        err << "trackquery " << verb << ": " << error.what() << "\n";
    }
    return 1;
}

}  // namespace

int RunIcmoCommand(const IcmoOptions& options, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    const std::string subId = automation::UCase(options.subId);
    int32_t userId = 0;
    TaskOrderSelection selection;
    std::unique_ptr<std::ifstream> script;
    try {
        script = OpenScript(options.scriptPath);
        CheckErpDatabase(options.database);
        userId = LookUpUserId(options.database, options.userName);
        selection = SelectTaskOrders(options.database, subId, options.billNumbers);
    } catch (const std::exception& error) {
        err << "trackquery icmo: " << error.what() << "\n";
        return 1;
    }

    out << "Task order tracking of " << options.database << ": " << selection.bills->Count()
        << " task orders of sub-system " << subId << ", user " << options.userName << " (" << userId
        << "), language " << automation::LCase(options.language)
        << (options.embedded ? ", embedded" : "") << ".\n";
    if (selection.truncated) {
        out << "Only the first " << kMaxTaskOrders
            << " task orders are tracked; choose others with --bills or the selection box.\n";
    }
    ViewStart start{"icmo", "the task order tracker",
                    [&](client::HeadlessSession& session, HostLoop&) {
                        auto tracker = session.CreateICMOQuery();
                        if (options.embedded) {
                            return session.StartEmbedded(tracker, selection.bills,
                                                         selection.status);
                        }
                        return tracker->InitTrack(nullptr, 0, nullptr, selection.bills,
                                                  selection.status);
                    }};
    return RunVerb("icmo", options, userId, start, script.get(), in, out, err);
}

int RunSeOrderCommand(const SeOrderOptions& options, std::istream& in, std::ostream& out,
                      std::ostream& err) {
    const bool exportOrders = automation::EqualsIgnoreCase(options.type, "export");
    const int32_t classTypeId = exportOrders ? kExportOrderClass : kSalesOrderClass;
    int32_t userId = 0;
    automation::VectorPtr orders;
    std::unique_ptr<std::ifstream> script;
    try {
        script = OpenScript(options.scriptPath);
        CheckErpDatabase(options.database);
        userId = LookUpUserId(options.database, options.userName);
        if (!options.orders.empty()) {
            orders = SelectSalesOrders(options.database, classTypeId, options.orders);
        }
    } catch (const std::exception& error) {
        err << "trackquery seorder: " << error.what() << "\n";
        return 1;
    }

    out << (exportOrders ? "Export" : "Sales") << " order tracking of " << options.database << ": "
        << (!orders ? std::string("no orders yet")
                    : std::to_string(orders->Count()) + (orders->Count() == 1 ? " order" : " orders"))
        << ", sub-system " << automation::UCase(options.subId) << ", user " << options.userName
        << " (" << userId << "), language " << automation::LCase(options.language)
        << (options.embedded ? ", embedded" : "")
        << (options.calledByIcmo ? ", as opened from task order tracking" : "") << ".\n";
    ViewStart start{"seorder", "sales order tracking",
                    [&](client::HeadlessSession& session, HostLoop& loop) {
                        auto para = std::make_shared<automation::Dictionary>();
                        para->SetItem("ClassTypeID", classTypeId);
                        para->SetItem("CallByICMOTrack", options.calledByIcmo);
                        if (orders) para->SetItem("vctSeOrderList", orders);
                        auto tracker = session.CreateSeOrderQuery();
                        if (options.embedded) return session.LoadEmbedded(tracker, para);
                        tracker->Load(para);
                        return loop.ViewsShown() > 0;
                    }};
    return RunVerb("seorder", options, userId, start, script.get(), in, out, err);
}

}  // namespace apps
