#pragma once
// The failures the library handled without a message box, as "YqLogMsg.Log" records them. They are
// always recorded, unlike the procedure lines: appended to the failure log file, one line each
//     <time>\t-\tFAILED\t<procedure>\t<error number>\t<description>
// (time as the procedure log writes it, line breaks of the description turned into spaces), and
// kept in the process for the host to show. The file is the procedure log when one is set
// (SetProcedureLogFile or TRACKQUERY_PROC_LOG), else "trackquery/trackquery.log" in the user's
// state folder ($XDG_STATE_HOME, or ~/.local/state). A file that cannot be written costs the line,
// never the caller's work; the failure is still kept in the process.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace client {

struct LoggedFailure {
    std::string time;
    std::string procedure;
    int32_t number = 0;
    std::string description;
};

void RecordFailure(const std::string& procedure, int32_t number, const std::string& description);

// The file failures go to; empty when there is no home or state folder to put it in.
std::filesystem::path FailureLogFile();

// How many failures this process recorded, and those from the `first` (0-based) on that are still
// kept (the latest 200).
size_t FailureCount();
std::vector<LoggedFailure> FailuresSince(size_t first);

}  // namespace client
