// Each database name the host cannot use is told for what it is: an address libpq cannot read, or
// whose values cannot be right, is malformed (not a server that cannot be reached); a connection
// string may not name the Mode the programs choose; a missing file named by a connection string
// is named with the demo-db command that makes it; a server that takes the connection and never
// answers is told within its time limit.

#include "acceptance/host_runner.h"

#include <support/silent_listener.h>

#include <chrono>

namespace {

using namespace host_test;

TEST(DatabaseAddress, EachNameThatCannotBeUsedIsToldForWhatItIs) {
    const test_support::SilentListener silent;
    const std::string missing = TempFile("missing.db").string();
    struct Case {
        std::string database;
        std::string says;
        std::string saysNot;
    };
    const Case cases[] = {
        {"postgresql://:::@@/", "cannot be read: the host \"@\" is no host name", "reached"},
        {"Provider=PostgreSQL;Data Source=\"host=/tmp sslmode=bogus\"",
         "sslmode \"bogus\" is not one of disable, allow, prefer", "reached"},
        {"postgresql://dbhost/erp?connect_timeout=soon", "connect_timeout \"soon\" is not a whole",
         "reached"},
        {"Data Source=\"" + missing + "\";Mode=Create", "names a Mode: leave it out", "twice"},
        {"Data Source=\"" + missing + "\"",
         "(create one with: trackquery demo-db --out " + missing + ")", "--out Data Source"},
        {"postgresql://127.0.0.1:" + std::to_string(silent.Port()) + "/erp",
         "did not answer in time", "reached"},
    };
    for (const auto& [database, says, saysNot] : cases) {
        const auto started = std::chrono::steady_clock::now();
        const HostRun run = RunHost({"icmo", "--db", database});
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        EXPECT_EQ(run.exitCode, 1) << database;
        EXPECT_TRUE(run.Shows(says)) << database << ": " << run.output;
        EXPECT_FALSE(run.Shows(saysNot)) << database << ": " << run.output;
        EXPECT_LT(seconds, 15) << database;
    }
}

}  // namespace
