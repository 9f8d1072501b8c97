#include <trackquery/services/quiet_failures.h>

#include <trackquery/services/MMTS.h>
#include <trackquery/services/modYqLogMsg.h>

namespace trackquery {

namespace {

// The statement a record-set error quotes says nothing to a user; the log keeps it.
std::string WithoutStatement(const std::string& description) {
    return description.substr(0, description.find(" [SQL: "));
}

}  // namespace

void ReportQuietFailure(const TraceViewerPtr& viewer, const std::string& procedure,
                        const automation::RuntimeError& error) noexcept {
    LogFailure(procedure, error);
    if (!viewer) return;
    try {
        automation::PendingErrorGuard keepCallersError;
        viewer->SetStatusText(LoadResText("读取数据失败，原因：") +
                              WithoutStatement(error.Description()));
    } catch (...) {
        // A viewer that cannot show the line still has the failure in the log.
    }
}

void ClearQuietFailure(const TraceViewerPtr& viewer) noexcept {
    if (!viewer) return;
    try {
        if (!viewer->StatusText().empty()) viewer->SetStatusText("");
    } catch (...) {
        // Nothing to clear on a viewer that cannot answer.
    }
}

}  // namespace trackquery
