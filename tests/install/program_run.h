#pragma once
// Runs a shell command line as a user would and keeps what it printed.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace install_test {

struct ProgramRun {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
    bool Shows(const std::string& text) const { return output.find(text) != std::string::npos; }
};

inline std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline ProgramRun RunCommand(const std::string& command) {
    ProgramRun run;
    FILE* pipe = ::popen((command + " </dev/null 2>&1").c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    for (size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        run.output.append(buffer.data(), got);
    }
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace install_test
