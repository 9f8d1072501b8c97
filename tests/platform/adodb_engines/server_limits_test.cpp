// Every wait on a PostgreSQL server ends: a server that takes the connection and never answers,
// one frozen in the middle of a session, and a statement that runs too long each fail within
// their limit with words that say so; the limits can be set in the address or on the connection,
// and the session goes on when the server answers again.

#include <support/silent_listener.h>
#include <support/test_server.h>

#include <platform/adodb/connection.h>
#include <platform/automation/conversions.h>

#include <gtest/gtest.h>

#include <signal.h>
#include <chrono>
#include <functional>

namespace {

std::string On(const std::string& address) {
    return "Provider=PostgreSQL;Data Source=" + adodb::QuotedConnectionValue(address);
}

TEST(ServerLimits, EveryWaitEndsWithinItsLimitAndTheSessionGoesOn) {
    if (!test_support::OnPostgres()) GTEST_SKIP() << "PostgreSQL only: a file does not wait";
    const std::string address = test_support::FindTestServer().address;
    const test_support::SilentListener silent;
    const std::string silentAddress =
        "host=127.0.0.1 port=" + std::to_string(silent.Port()) + " dbname=erp user=erp";
    adodb::Connection frozen, limited, set, db;
    frozen.Open(On(address));
    const int backend = automation::CLng(frozen.Execute("SELECT pg_backend_pid()")->Value(0));
    limited.Open(On(address + "&options=-c%20statement_timeout%3D1000"));
    set.Open(On(address));

    const struct {
        const char* what;
        std::function<void()> action;
        const char* said;
    } cases[] = {
        {"a server that never answers", [&] { db.Open(On(silentAddress)); },
         "no answer within 5 s"},
        {"the same, with the address's limit",
         [&] { db.Open(On(silentAddress + " connect_timeout=2")); }, "no answer within 2 s"},
        {"a server frozen in a session",
         [&] {
             ::kill(backend, SIGSTOP);
             frozen.Execute("SELECT 1");
         },
         "did not answer within 10 s"},
        {"a statement past the address's limit", [&] { limited.Execute("SELECT pg_sleep(5)"); },
         "statement timeout"},
        {"a statement past the connection's limit",
         [&] {
             set.SetCommandTimeout(1);
             set.Execute("SELECT pg_sleep(5)");
         },
         "statement timeout"},
    };
    for (const auto& [what, action, said] : cases) {
        const auto started = std::chrono::steady_clock::now();
        try {
            action();
            ADD_FAILURE() << what << ": no failure";
        } catch (const automation::RuntimeError& error) {
            EXPECT_EQ(adodb::CauseOfFailure(error), adodb::FailureCause::TimedOut) << what;
            EXPECT_NE(error.Description().find(said), std::string::npos)
                << what << ": " << error.Description();
        }
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15)) << what;
    }
    ::kill(backend, SIGCONT);

    // The frozen session was given up: it fails at once, and a caller keeping it sees it gone.
    EXPECT_THROW(frozen.Execute("SELECT 1"), automation::RuntimeError);
    EXPECT_TRUE(frozen.DatabaseStamp().identity.empty());
    // A statement the server cut short leaves its session working, with its limit.
    EXPECT_EQ(automation::CLng(limited.Execute("SELECT 2")->Value(0)), 2);
    EXPECT_EQ(limited.CommandTimeout(), 1);
    db.Open(On(address));
    EXPECT_EQ(db.CommandTimeout(), 8) << "the default limit";
    EXPECT_EQ(automation::CLng(db.Execute("SELECT 3")->Value(0)), 3);
}

}  // namespace
