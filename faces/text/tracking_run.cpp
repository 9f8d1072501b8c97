#include "tracking_run.h"

#include <harness/erp_database_open.h>
#include <harness/order_selection.h>
#include <harness/task_order_selection.h>
#include "command_words.h"
#include "escaped_output.h"
#include "host_loop.h"
#include "terminal_backend.h"
#include "text_viewer_face.h"

#include <components/logging/failure_log.h>
#include <harness/headless_session.h>

#include <contracts/erp_kinds.h>
#include <contracts/trackers.h>

#include <platform/adodb/connection.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>
#include <platform/windowing/event_loop.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace textface {

using harness::IcmoOptions;
using harness::SeOrderOptions;
using harness::TrackingOptions;

namespace {

using trackquery::kExportOrderClass;
using trackquery::kSalesOrderClass;

// The script, opened before anything else so that a missing one is named at once.
std::unique_ptr<std::ifstream> OpenScript(const std::string& path) {
    if (path.empty()) return nullptr;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        throw std::runtime_error("the script \"" + path +
                                 "\" is a directory, not a file of commands");
    }
    auto script = std::make_unique<std::ifstream>(path);
    if (!*script) throw std::runtime_error("cannot read the script \"" + path + "\"");
    return script;
}

int RunSession(const PreparedTracking& prepared, const TrackingOptions& options,
               std::istream& commandInput, std::istream& answerInput, std::ostream& out,
               const Presentation* presentation) {
    harness::HeadlessSession session(prepared.session);
    CommandSource source(commandInput, out, options.scriptPath);
    auto answers = std::make_shared<TerminalBackend>(session.Backend(), out, answerInput,
                                                     source.Interactive());
    windowing::ScopedBackend swap(presentation ? presentation->backend(answers) : answers);
    HostLoop loop(session, *answers, source, out);
    answers->SetLoop(&loop);
    if (presentation) loop.SetAfterCommand(presentation->afterCommand);

    int lineNumber = 0;
    try {
        for (const auto& answer : source.LeadingAnswers()) {
            lineNumber = answer.number;
            loop.RunAhead(answer.text, prepared.verb);
        }
    } catch (const UsageError& error) {
        // A line that could not be read is the last one read; an answer refused is its own.
        if (lineNumber == 0) lineNumber = source.LineNumber();
        out << "error: " << error.what() << "\n"
            << options.scriptPath << ":" << lineNumber << ": the script stops here.\n";
        return 1;
    }
    const bool shown = prepared.open(session, [&loop] { return loop.ViewsShown() > 0; });
    if (shown && prepared.embedded) loop.RunEmbedded(*session.Viewer()->Window());

    // A box that failed while the view opened (a command's own failures were reported by it).
    if (!answers->Failures().empty()) {
        out << "error: " << answers->Failures().front() << "\n";
        return 1;
    }
    if (!shown) {
        out << "error: " << prepared.tracker << " could not show its window.\n";
        return 1;
    }
    if (!loop.Stopped() && !source.Interactive() && answers->PendingAnswers() > 0) {
        // An answer no box took would have answered a later box the script did not mean.
        out << "error: " << answers->PendingAnswers()
            << " answer(s) of the script were left for a message box that never came.\n";
        return 1;
    }
    return loop.Stopped() ? 1 : 0;
}

std::string Lower(const std::string& text) { return automation::LCase(text); }

// The failures the trackers handled quietly in this session went to the log; the last one may
// have come when no view was left to show it (options saved as a window closed).
void TellLoggedFailures(size_t before, std::ostream& out) {
    const auto failures = client::FailuresSince(before);
    if (failures.empty()) return;
    out << "!! " << failures.size() << (failures.size() == 1 ? " failure" : " failures")
        << " of this session went to the log " << client::FailureLogFile().string()
        << "; the last: " << harness::WithoutStatement(failures.back().description) << "\n";
}

}  // namespace

int RunTracking(const PreparedTracking& prepared, const TrackingOptions& options, std::istream& in,
                std::ostream& terminalOut, std::ostream& terminalErr,
                const Presentation* presentation) {
    // Bill numbers, names and messages come from the database: shown, never obeyed.
    EscapedOutput out(terminalOut);
    EscapedOutput err(terminalErr);
    try {
        auto script = OpenScript(options.scriptPath);
        out << prepared.header << "\n";
        const size_t failuresBefore = client::FailureCount();
        const int code =
            RunSession(prepared, options, script ? *script : in, in, out, presentation);
        TellLoggedFailures(failuresBefore, out);
        return code;
    } catch (const automation::RuntimeError& error) {
        err << "trackquery " << prepared.verb << ": " << error.Description() << "\n";
    } catch (const std::exception& error) {
        err << "trackquery " << prepared.verb << ": " << error.what() << "\n";
    }
    return 1;
}

namespace {

// What both verbs prepare alike: the session of the options' user, once the database is known to
// be an ERP database and the user one of its users.
PreparedTracking PrepareSession(const TrackingOptions& options, adodb::Connection& erp,
                                std::string verb, std::string tracker) {
    PreparedTracking prepared;
    prepared.verb = std::move(verb);
    prepared.tracker = std::move(tracker);
    prepared.embedded = options.embedded;
    prepared.session.databasePath = options.database;
    prepared.session.userName = options.userName;
    prepared.session.subId = automation::UCase(options.subId);
    prepared.session.language = Lower(options.language);
    prepared.session.userId = harness::LookUpUserId(erp, options.userName);
    prepared.session.viewerFace = TextViewerFace::Factory();
    return prepared;
}

}  // namespace

PreparedTracking PrepareIcmo(const IcmoOptions& options) {
    const auto erp = harness::OpenErpDatabase(options.database);
    PreparedTracking prepared = PrepareSession(options, *erp, "icmo", "the task order tracker");
    const auto selection = std::make_shared<harness::TaskOrderSelection>(
        harness::SelectTaskOrders(*erp, prepared.session.subId, options.billNumbers));

    std::ostringstream header;
    header << "Task order tracking of " << adodb::RedactedDataSource(options.database) << ": "
           << selection->bills->Count() << " task orders of sub-system " << prepared.session.subId
           << ", user " << options.userName << " (" << prepared.session.userId << "), language "
           << prepared.session.language << (options.embedded ? ", embedded" : "") << ".";
    if (selection->truncated) {
        header << "\nOnly the first " << harness::kMaxTaskOrders
               << " task orders are tracked; choose others with --bills or the selection box.";
    }
    prepared.header = header.str();
    prepared.open = [selection, embedded = options.embedded](harness::HeadlessSession& session,
                                                             const std::function<bool()>&) {
        auto tracker = session.CreateICMOQuery();
        if (embedded) return session.StartEmbedded(tracker, selection->bills, selection->status);
        return tracker->InitTrack(nullptr, 0, nullptr, selection->bills, selection->status);
    };
    return prepared;
}

PreparedTracking PrepareSeOrder(const SeOrderOptions& options) {
    const bool exportOrders = automation::EqualsIgnoreCase(options.type, "export");
    const int32_t classTypeId = exportOrders ? kExportOrderClass : kSalesOrderClass;
    const auto erp = harness::OpenErpDatabase(options.database);
    PreparedTracking prepared = PrepareSession(options, *erp, "seorder", "sales order tracking");
    automation::VectorPtr orders;
    if (!options.orders.empty()) {
        orders = harness::SelectSalesOrders(*erp, classTypeId, options.orders);
    }

    std::ostringstream header;
    header << (exportOrders ? "Export" : "Sales") << " order tracking of "
           << adodb::RedactedDataSource(options.database) << ": "
           << (!orders ? std::string("no orders yet")
                       : std::to_string(orders->Count()) +
                             (orders->Count() == 1 ? " order" : " orders"))
           << ", sub-system " << prepared.session.subId << ", user " << options.userName << " ("
           << prepared.session.userId << "), language " << prepared.session.language
           << (options.embedded ? ", embedded" : "")
           << (options.calledByIcmo ? ", as opened from task order tracking" : "") << ".";
    prepared.header = header.str();
    prepared.open = [orders, classTypeId, embedded = options.embedded,
                     calledByIcmo = options.calledByIcmo](harness::HeadlessSession& session,
                                                          const std::function<bool()>& shown) {
        auto para = std::make_shared<automation::Dictionary>();
        para->SetItem("ClassTypeID", classTypeId);
        para->SetItem("CallByICMOTrack", calledByIcmo);
        if (orders) para->SetItem("vctSeOrderList", orders);
        auto tracker = session.CreateSeOrderQuery();
        if (embedded) return session.LoadEmbedded(tracker, para);
        tracker->Load(para);
        return shown();
    };
    return prepared;
}

namespace {

template <class Options, class Prepare>
int RunVerb(const char* verb, const Options& options, Prepare prepare, std::istream& in,
            std::ostream& out, std::ostream& err) {
    PreparedTracking prepared;
    try {
        // A script that cannot be read is named before anything is read from the database.
        OpenScript(options.scriptPath);
        prepared = prepare(options);
    } catch (const std::exception& error) {
        EscapedOutput(err) << "trackquery " << verb << ": " << error.what() << "\n";
        return 1;
    }
    return RunTracking(prepared, options, in, out, err);
}

}  // namespace

int RunIcmoCommand(const IcmoOptions& options, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    return RunVerb("icmo", options, PrepareIcmo, in, out, err);
}

int RunSeOrderCommand(const SeOrderOptions& options, std::istream& in, std::ostream& out,
                      std::ostream& err) {
    return RunVerb("seorder", options, PrepareSeOrder, in, out, err);
}

}  // namespace textface
