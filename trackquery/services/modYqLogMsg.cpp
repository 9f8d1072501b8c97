#include <trackquery/services/modYqLogMsg.h>

#include <contracts/logging.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <memory>

namespace trackquery {

namespace {

// The module's state, one per process.
struct LogState {
    std::shared_ptr<IYqLogMsg> logger;
    // The logger is looked for once only, whether it was found or not.
    bool initialised = false;
    // Procedure records stop for good once the logger reports itself disabled; failures are
    // recorded all the same.
    bool recording = true;
};

LogState& State() {
    static LogState state;
    return state;
}

void FindLoggerOnce() {
    auto& state = State();
    if (state.initialised) return;
    state.initialised = true;
    if (state.logger) return;
    try {
        state.logger = automation::CreateObject<IYqLogMsg>(kYqLogMsgProgId);
    } catch (const automation::RuntimeError&) {
        state.logger.reset();  // no procedure log installed: nothing is logged
    }
}

// A logger that once reports itself disabled records no procedure for the rest of the process.
bool LoggingEnabled() {
    auto& state = State();
    if (!state.logger || !state.recording) return false;
    if (!state.logger->IsEnabled()) {
        state.recording = false;
        return false;
    }
    return true;
}

}  // namespace

int32_t LogProcStart(const std::string& key) {
    automation::PendingErrorGuard keepCallersError;
    try {
        FindLoggerOnce();
        if (!LoggingEnabled()) return 0;
        return automation::CLng(State().logger->LogStart(key));
    } catch (const automation::RuntimeError&) {
        return 0;
    }
}

void LogProcEnd(int32_t handle, int32_t failed) noexcept {
    // Called from failure handlers and while an error leaves a procedure: the handler must still
    // see its own error afterwards, and nothing may escape.
    try {
        automation::PendingErrorGuard keepCallersError;
        if (LoggingEnabled()) State().logger->LogEnd(handle, failed);
    } catch (...) {
        // A boundary: the end of a record runs in ProcLog's destructor, also while an error
        // unwinds, where anything thrown would end the program. Whatever the procedure log throws
        // only means that nothing is logged.
    }
}

void LogFailure(const std::string& procedure, const automation::RuntimeError& error) {
    try {
        automation::PendingErrorGuard keepCallersError;
        FindLoggerOnce();
        if (auto& logger = State().logger) {
            logger->LogFailure(procedure, error.Number(), error.Description());
        }
    } catch (const automation::RuntimeError&) {
        // A log that cannot take the record changes nothing for the caller, who goes on.
    }
}

void ResetYqLogMsgState() { State() = LogState{}; }

}  // namespace trackquery
