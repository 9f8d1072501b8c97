#pragma once
// Runs the host as a user would, with a script or a terminal input, and gives back its exit code
// and everything it printed: in-process through the host's library (RunHost, RunScript), or as
// the built `trackquery` program (RunProgram) for the few tests that check the program itself.
// The demo databases the runs read are built once per test program by the same code as
// `trackquery demo-db`.

#include <apps/host/host_program.h>
#include <components/erp_database/demo_database.h>
#include <support/test_database.h>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace host_test {

namespace fs = std::filesystem;
namespace erp = client::erp_database;

struct HostRun {
    int exitCode = -1;
    std::string output;  // stdout and stderr together, in the order printed

    bool Shows(const std::string& text) const { return output.find(text) != std::string::npos; }
    size_t Count(const std::string& text) const {
        size_t count = 0;
        for (auto at = output.find(text); at != std::string::npos;
             at = output.find(text, at + text.size())) {
            ++count;
        }
        return count;
    }
};

inline fs::path HostProgram() { return fs::path(TRACKQUERY_BINARY_DIR) / "apps" / "trackquery"; }

inline fs::path TempFile(const std::string& name) {
    return fs::path(::testing::TempDir()) / ("host_" + std::to_string(::getpid()) + "_" + name);
}

// The demo databases built by this program, by order count and user group switch.
using BuiltDatabases =
    std::map<std::pair<int32_t, bool>, std::unique_ptr<test_support::TestDatabase>>;
inline BuiltDatabases& Built() {
    static BuiltDatabases built;
    return built;
}

// They are removed (dropped) after the last test, while the client's kept connections, which
// must be closed first, still exist.
class RemoveBuiltDatabases : public ::testing::Environment {
  public:
    void TearDown() override { Built().clear(); }
};
inline ::testing::Environment* const kRemoveBuiltDatabases =
    ::testing::AddGlobalTestEnvironment(new RemoveBuiltDatabases);

// A demo database of `orders` task orders, built once per program and kept until it ends.
inline const test_support::TestDatabase& BuiltDemo(int32_t orders, bool checkUserGroup) {
    auto& database = Built()[{orders, checkUserGroup}];
    if (!database) {
        const std::string path =
            TempFile("demo_" + std::to_string(orders) + (checkUserGroup ? "_groups" : "") + ".db")
                .string();
        erp::DemoDefinition definition;
        definition.taskOrders = orders;
        definition.checkUserGroup = checkUserGroup;
        definition.showcaseOrder = true;  // as demo-db makes it
        erp::BuildDemoDatabase(path, definition);
        database = std::make_unique<test_support::TestDatabase>(path);
    }
    return *database;
}

// The demo database of `orders` task orders as --db takes it: the file, or its copy on the
// PostgreSQL test server in the PostgreSQL variant. Tests that change it work on a copy.
inline std::string DemoDatabase(int32_t orders = 60, bool checkUserGroup = false) {
    return BuiltDemo(orders, checkUserGroup).Name();
}
// The SQLite file of that demo database, for tests of what a file can do wrong.
inline std::string DemoFile(int32_t orders = 60) { return BuiltDemo(orders, false).File(); }

inline std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs `trackquery ARGS` in this process with `input` on its standard input (empty: end of input
// at once); what it prints on its output and its error stream is kept together, in order.
inline HostRun RunHost(const std::vector<std::string>& args, const std::string& input = "") {
    std::vector<std::string> argv{"trackquery"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::istringstream in(input);
    std::ostringstream printed;
    HostRun run;
    run.exitCode = apps::RunHostProgram(argv, in, printed, printed);
    run.output = printed.str();
    return run;
}

// Runs the built program `trackquery ARGS` with `input` on its standard input; stdout and stderr
// together, as a terminal shows them with `2>&1`.
inline HostRun RunProgram(const std::vector<std::string>& args, const std::string& input = "") {
    HostRun run;
    const fs::path inputFile = TempFile("stdin.txt");
    std::ofstream(inputFile) << input;
    std::string command = Quoted(HostProgram().string());
    for (const auto& arg : args) command += " " + Quoted(arg);
    command += " <" + Quoted(inputFile.string()) + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    size_t read = 0;
    while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.output.append(buffer.data(), read);
    }
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    fs::remove(inputFile);
    return run;
}

// Runs `trackquery VERB --db DB ARGS --script FILE` with the script's lines (VERB: icmo unless
// given), in this process or (`run` = RunProgram) as the built program.
inline HostRun RunScript(const std::string& database, const std::string& script,
                         std::vector<std::string> args = {},
                         HostRun (*run)(const std::vector<std::string>&,
                                        const std::string&) = RunHost,
                         const std::string& verb = "icmo") {
    const fs::path scriptFile = TempFile("script.txt");
    std::ofstream(scriptFile) << script;
    std::vector<std::string> all{verb, "--db", database};
    all.insert(all.end(), args.begin(), args.end());
    all.push_back("--script");
    all.push_back(scriptFile.string());
    HostRun result = run(all, "");
    fs::remove(scriptFile);
    return result;
}

using test_support::QueryText;

// The lines of a text.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const auto end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// The top-level detail nodes of the last view printed, in order, each with whether it can expand
// ("[+]").
struct TopNode {
    std::string label;
    bool expandable = false;
};

inline std::vector<TopNode> TopLevelDetailNodes(const std::string& output,
                                                const std::string& detailTitle) {
    const auto lines = Lines(output);
    size_t title = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find("== " + detailTitle + " ==") != std::string::npos) title = i;
    }
    std::vector<TopNode> nodes;
    for (size_t i = title + 1; i < lines.size(); ++i) {
        const auto& line = lines[i];
        if (line.empty() || line.rfind("== ", 0) == 0 || line.rfind("icmo>", 0) == 0) break;
        if (line.size() > 5 && (line[0] == ' ' || line[0] == '>') && line[1] == '[' &&
            line[3] == ']') {
            nodes.push_back({line.substr(5), line[2] == '+'});
        }
    }
    return nodes;
}

}  // namespace host_test
