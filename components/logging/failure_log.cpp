#include <components/logging/failure_log.h>

#include <components/logging/proc_log.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <mutex>

namespace client {

namespace {

constexpr size_t kKept = 200;

struct Failures {
    std::mutex mutex;
    std::deque<LoggedFailure> kept;
    size_t count = 0;
};

Failures& State() {
    static Failures failures;
    return failures;
}

std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    return text;
}

void AppendToFile(const LoggedFailure& failure) {
    const auto file = FailureLogFile();
    if (file.empty()) return;
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    std::ofstream out(file, std::ios::app);
    out << failure.time << "\t-\tFAILED\t" << OneLine(failure.procedure) << '\t' << failure.number
        << '\t' << OneLine(failure.description) << '\n';
}

}  // namespace

std::filesystem::path FailureLogFile() {
    auto procedureLog = ProcedureLogFile();
    if (!procedureLog.empty()) return procedureLog;
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state) return std::filesystem::path(state) / "trackquery" / "trackquery.log";
    const char* home = std::getenv("HOME");
    if (home && *home) {
        return std::filesystem::path(home) / ".local" / "state" / "trackquery" / "trackquery.log";
    }
    return {};
}

void RecordFailure(const std::string& procedure, int32_t number, const std::string& description) {
    LoggedFailure failure{FormatLogTime(std::chrono::system_clock::now()), procedure, number,
                          description};
    AppendToFile(failure);
    auto& state = State();
    std::lock_guard lock(state.mutex);
    state.kept.push_back(std::move(failure));
    if (state.kept.size() > kKept) state.kept.pop_front();
    ++state.count;
}

size_t FailureCount() {
    auto& state = State();
    std::lock_guard lock(state.mutex);
    return state.count;
}

std::vector<LoggedFailure> FailuresSince(size_t first) {
    auto& state = State();
    std::lock_guard lock(state.mutex);
    const size_t oldestKept = state.count - state.kept.size();
    const size_t from = std::max(first, oldestKept) - oldestKept;
    if (from >= state.kept.size()) return {};
    return {state.kept.begin() + static_cast<std::ptrdiff_t>(from), state.kept.end()};
}

}  // namespace client
