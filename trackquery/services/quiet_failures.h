#pragma once
// Failures the trackers handle without a message box: a node that cannot be read stays empty, a
// click that cannot be shown leaves the view as it was, options that cannot be saved do not keep
// the window from closing. Each is written to the client's log, and the viewer's status line names
// it, so that a broken database never passes for one with nothing in it.

#include <trackquery/contracts/trace_viewer.h>

#include <platform/automation/errors.h>

#include <string>

namespace trackquery {

// Logs the failure of `procedure` and shows it in the viewer's status line ("读取数据失败，原因："
// and the error's description). Never fails; keeps the caller's pending error.
void ReportQuietFailure(const TraceViewerPtr& viewer, const std::string& procedure,
                        const automation::RuntimeError& error) noexcept;

// Empties the status line once the view shows what was asked for again.
void ClearQuietFailure(const TraceViewerPtr& viewer) noexcept;

}  // namespace trackquery
