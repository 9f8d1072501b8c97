#include <components/logging/proc_log.h>

#include <components/logging/failure_log.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <mutex>

namespace client {

namespace {

struct LogFileSetting {
    std::mutex mutex;
    std::filesystem::path file;
};

LogFileSetting& Setting() {
    static LogFileSetting setting;
    return setting;
}

}  // namespace

std::string FormatLogTime(std::chrono::system_clock::time_point when) {
    auto seconds = std::chrono::system_clock::to_time_t(when);
    auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() %
        1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<int>(millis));
    return text;
}

void SetProcedureLogFile(const std::filesystem::path& file) {
    auto& setting = Setting();
    std::lock_guard lock(setting.mutex);
    setting.file = file;
}

std::filesystem::path ProcedureLogFile() {
    {
        auto& setting = Setting();
        std::lock_guard lock(setting.mutex);
        if (!setting.file.empty()) return setting.file;
    }
    const char* fromEnvironment = std::getenv(kProcLogEnvironmentVariable);
    return fromEnvironment ? std::filesystem::path(fromEnvironment) : std::filesystem::path();
}

bool ProcLog::IsEnabled() {
    auto file = ProcedureLogFile();
    if (file.empty()) return false;
    std::ofstream probe(file, std::ios::app);
    return static_cast<bool>(probe);
}

automation::Variant ProcLog::LogStart(const std::string& key) {
    int32_t handle = ++lastHandle_;
    running_[handle] = {key, std::chrono::system_clock::now(), std::chrono::steady_clock::now()};
    return handle;
}

void ProcLog::LogEnd(const automation::Variant& handle, int32_t failed) {
    auto started = running_.find(automation::CLng(handle));
    if (started == running_.end()) {
        automation::Raise(
            automation::vberr::InvalidProcedureCall, trackquery::kYqLogMsgProgId,
            "No procedure was started under the log handle " + automation::CStr(handle) + ".");
    }
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started->second.steady);
    std::ofstream out(ProcedureLogFile(), std::ios::app);
    if (!out) {
        automation::Raise(75, trackquery::kYqLogMsgProgId,
                          "Cannot append to the procedure log " + ProcedureLogFile().string());
    }
    out << FormatLogTime(started->second.wallClock) << '\t' << elapsed.count() << '\t'
        << (failed != 0 ? "FAILED" : "OK") << '\t' << started->second.key << '\n';
    running_.erase(started);
}

void ProcLog::LogFailure(const std::string& key, int32_t number, const std::string& description) {
    RecordFailure(key, number, description);
}

}  // namespace client
