#pragma once
// Procedure logging through the client's procedure log ("YqLogMsg.Log"). The main procedures call
// LogProcStart with their full name ("QzICMOTrackQuery.<class or module>.<procedure>") and
// LogProcEnd with the handle on each of their exits. Neither call ever fails or touches the
// caller's pending error.

#include <trackquery/services/QzEnum.h>

#include <platform/automation/errors.h>

#include <cstdint>
#include <string>

namespace trackquery {

// Starts the record of a procedure; 0 when nothing was logged. The logger is looked for once per
// process and dropped for good once it reports that it is disabled.
int32_t LogProcStart(const std::string& key);

// Ends the record of `handle`; `failed` is kLogFailed on a failure exit.
void LogProcEnd(int32_t handle, int32_t failed = kLogNormal) noexcept;

// A logged procedure: LogProcStart when it begins, LogProcEnd on every way out, also when an error
// leaves it. The end is marked failed only where the procedure says so (MarkFailed), as the
// failure exits that the procedure log distinguishes are few.
class ProcLog {
  public:
    explicit ProcLog(const std::string& key) : handle_(LogProcStart(key)) {}
    ~ProcLog() { LogProcEnd(handle_, failed_ ? kLogFailed : kLogNormal); }
    ProcLog(const ProcLog&) = delete;
    ProcLog& operator=(const ProcLog&) = delete;

    void MarkFailed() { failed_ = true; }

  private:
    int32_t handle_;
    bool failed_ = false;
};

// Records a failure that the caller handles without telling the user in a box, with the error's
// number and description. Recorded whether or not procedure records are kept. Keeps the caller's
// pending error; a log that fails (a run-time error) records nothing, a fault of the program
// reaches the caller.
void LogFailure(const std::string& procedure, const automation::RuntimeError& error);

// For tests only: forgets the logger and the one-time look-up, as if the library had just been
// loaded.
void ResetYqLogMsgState();

}  // namespace trackquery
