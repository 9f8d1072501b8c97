#include <trackquery/services/quiet_failures.h>

#include <trackquery/services/MMTS.h>
#include <trackquery/services/modYqLogMsg.h>

namespace trackquery {

std::string WithoutStatement(const std::string& description) {
    return description.substr(0, description.find(" [SQL: "));
}

namespace {

// The failures in a row that a viewer's status line shows: each one changes the line, so that a
// second failure (a server still down) is not taken for a view with nothing in it.
struct FailuresInARow {
    std::weak_ptr<ITraceViewer> viewer;
    std::string shown;  // the line the last one set
    int count = 0;
};

std::string StatusLineFor(const TraceViewerPtr& viewer, const std::string& description) {
    static FailuresInARow last;
    const bool again = last.viewer.lock() == viewer && viewer->StatusText() == last.shown;
    last.count = again ? last.count + 1 : 1;
    last.viewer = viewer;
    last.shown =
        (last.count == 1 ? LoadResText("读取数据失败，原因：")
                         : FormatResText("读取数据失败（连续第%1次），原因：", last.count)) +
        description;
    return last.shown;
}

}  // namespace

void ReportQuietFailure(const TraceViewerPtr& viewer, const std::string& procedure,
                        const automation::RuntimeError& error) {
    LogFailure(procedure, error);
    if (!viewer) return;
    try {
        automation::PendingErrorGuard keepCallersError;
        viewer->SetStatusText(StatusLineFor(viewer, WithoutStatement(error.Description())));
    } catch (const automation::RuntimeError&) {
        // A viewer that cannot show the line still has the failure in the log.
    }
}

void ClearQuietFailure(const TraceViewerPtr& viewer) {
    if (!viewer) return;
    try {
        if (!viewer->StatusText().empty()) viewer->SetStatusText("");
    } catch (const automation::RuntimeError&) {
        // Nothing to clear on a viewer that cannot answer.
    }
}

}  // namespace trackquery
