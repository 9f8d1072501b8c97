#pragma once
// "YqLogMsg.Log": the client's procedure log. When a log file is set (SetProcedureLogFile, or the
// environment variable TRACKQUERY_PROC_LOG names one) each ended procedure appends one line
//     <start time>\t<duration in ms>\t<OK|FAILED>\t<procedure>
// with the start time as "YYYY-MM-DD hh:mm:ss.mmm" (UTC). Without a log file, or when the file
// cannot be opened for appending, the log reports itself disabled.

#include <contracts/logging.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>

namespace client {

inline constexpr char kProcLogEnvironmentVariable[] = "TRACKQUERY_PROC_LOG";

// A time as the log lines start with it: "YYYY-MM-DD hh:mm:ss.mmm" (UTC).
std::string FormatLogTime(std::chrono::system_clock::time_point when);

// Sets the log file of every procedure log; an empty path goes back to the environment.
void SetProcedureLogFile(const std::filesystem::path& file);
std::filesystem::path ProcedureLogFile();

class ProcLog : public trackquery::IYqLogMsg {
  public:
    std::string TypeName() const override { return "Log"; }

    bool IsEnabled() override;
    // A handle (1, 2, ...) for LogEnd; nothing is written yet.
    automation::Variant LogStart(const std::string& key) override;
    // Appends the line of the procedure of `handle`. An unknown handle fails with error 5.
    void LogEnd(const automation::Variant& handle, int32_t failed) override;
    // Always recorded (see failure_log.h), whether a procedure log file is set or not.
    void LogFailure(const std::string& key, int32_t number,
                    const std::string& description) override;

  private:
    struct Started {
        std::string key;
        std::chrono::system_clock::time_point wallClock;
        std::chrono::steady_clock::time_point steady;
    };

    int32_t lastHandle_ = 0;
    std::map<int32_t, Started> running_;
};

}  // namespace client
