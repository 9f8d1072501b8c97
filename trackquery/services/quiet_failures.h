#pragma once
// Failures the trackers handle without a message box: a node that cannot be read stays empty, a
// click that cannot be shown leaves the view as it was, options that cannot be saved do not keep
// the window from closing. Each is written to the client's log, and the viewer's status line names
// it, so that a broken database never passes for one with nothing in it.

#include <contracts/trace_viewer.h>

#include <platform/automation/errors.h>

#include <string>

namespace trackquery {

// Logs the failure of `procedure` and shows it in the viewer's status line ("读取数据失败，原因："
// and the error's description; a failure that follows one still shown counts them, "读取数据失败
// （连续第2次），原因：", so that each one changes the line). Keeps the caller's pending error. A
// viewer that fails to show the line (a run-time error) leaves it as it was; a fault of the program
// reaches the caller.
void ReportQuietFailure(const TraceViewerPtr& viewer, const std::string& procedure,
                        const automation::RuntimeError& error);

// The part of an error's description a user reads: the statement a record-set error quotes says
// nothing to a user (the log keeps it).
std::string WithoutStatement(const std::string& description);

// Empties the status line once the view shows what was asked for again; a viewer that cannot answer
// (a run-time error) keeps its line.
void ClearQuietFailure(const TraceViewerPtr& viewer);

}  // namespace trackquery
