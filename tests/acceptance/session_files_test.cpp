// Whole sessions kept as data: each sessions/NAME.session is a host script whose first line (after
// comment lines "# ...") is the command line it runs with ("args: icmo --sub CJ --bills
// WORK000001"), and NAME.expected is
// everything the terminal printed, the database's name written as $DATABASE. Every session runs on
// a copy of its own of the demo database (300 task orders, as `trackquery demo-db` makes it) and
// must print its transcript byte for byte, on SQLite and in the PostgreSQL variant.
//
// After a change of what the terminal shows that is meant, TRACKQUERY_RECORD_SESSIONS=1 writes
// the transcripts anew instead of comparing; review them with git diff before committing.

#include "host_runner.h"

#include <platform/adodb/connection.h>
#include <platform/automation/strings.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

using namespace host_test;

const fs::path kSessions = fs::path(TRACKQUERY_SOURCE_DIR) / "tests" / "acceptance" / "sessions";
constexpr int32_t kDemoOrders = 300;

struct SessionFile {
    std::vector<std::string> args;  // the verb and its options, without --db and --script
    std::string script;
};

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

SessionFile ReadSession(const fs::path& path) {
    std::string text = ReadWhole(path);
    while (text.rfind("#", 0) == 0) text.erase(0, text.find('\n') + 1);
    const auto firstLineEnd = text.find('\n');
    const std::string header = text.substr(0, firstLineEnd);
    if (header.rfind("args: ", 0) != 0) {
        ADD_FAILURE() << path << " must begin with a line \"args: VERB OPTIONS...\"";
        return {};
    }
    SessionFile session;
    std::istringstream words(header.substr(6));
    for (std::string word; words >> word;) session.args.push_back(word);
    session.script = firstLineEnd == std::string::npos ? "" : text.substr(firstLineEnd + 1);
    return session;
}

std::vector<std::string> SessionNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kSessions)) {
        if (entry.path().extension() == ".session") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool Recording() {
    const char* value = std::getenv("TRACKQUERY_RECORD_SESSIONS");
    return value && std::string(value) == "1";
}

class SessionFiles : public ::testing::TestWithParam<std::string> {};

TEST_P(SessionFiles, PrintWhatTheirTranscriptHolds) {
    const fs::path base = kSessions / GetParam();
    const SessionFile session = ReadSession(base.string() + ".session");
    ASSERT_FALSE(session.args.empty());

    // A session may save options: each runs on a copy of its own.
    const fs::path copy = TempFile("session_" + GetParam() + ".db");
    fs::copy_file(DemoFile(kDemoOrders), copy, fs::copy_options::overwrite_existing);
    const test_support::TestDatabase own(copy.string());
    const std::string& database = own.Name();
    const std::vector<std::string> options(session.args.begin() + 1, session.args.end());
    const HostRun run = RunScript(database, session.script, options, RunHost, session.args[0]);
    // The header names the database as the session shows it: without a user or a password.
    const std::string printed =
        automation::Replace(run.output, adodb::RedactedDataSource(database), "$DATABASE");

    const fs::path expectedFile = base.string() + ".expected";
    if (Recording()) {
        std::ofstream(expectedFile, std::ios::binary) << printed;
        GTEST_SKIP() << "recorded " << expectedFile;
    }
    ASSERT_TRUE(fs::exists(expectedFile)) << expectedFile << " is missing: record it";
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(printed, ReadWhole(expectedFile)) << "the session " << GetParam() << " printed";
}

INSTANTIATE_TEST_SUITE_P(Sessions, SessionFiles, ::testing::ValuesIn(SessionNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
