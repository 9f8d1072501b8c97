// The demo on a PostgreSQL server: demo-db fills a database of the server, replacing only the
// ERP tables, and the trackers read it; the address a user gives is shown without the user name.

#include "host_runner.h"

namespace {

using namespace host_test;

class ServerDemo : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test_support::OnPostgres()) GTEST_SKIP() << "PostgreSQL only: a server database";
        database_ =
            std::make_unique<test_support::ServerDatabase>("tq_demo_" + std::to_string(::getpid()));
        name_ = database_->Name();
        address_ = database_->Address();
    }
    void TearDown() override {
        client::CloseReadConnections();  // the host's kept connections end before the database
        database_.reset();
    }

    std::unique_ptr<test_support::ServerDatabase> database_;
    std::string name_, address_;
};

TEST_F(ServerDemo, DemoDbFillsTheDatabaseAndTheTrackersReadIt) {
    ASSERT_NE(address_.find("user=postgres"), std::string::npos) << address_;
    test_support::ExecuteSql(address_,
                             "CREATE TABLE customer_notes (note text);"
                             "INSERT INTO customer_notes VALUES ('kept')");

    HostRun built = RunHost({"demo-db", "--out", address_, "--orders", "40"});
    ASSERT_EQ(built.exitCode, 0) << built.output;
    EXPECT_TRUE(built.Shows("Wrote postgresql:///" + name_ + "?host=")) << built.output;
    EXPECT_TRUE(built.Shows(": 40 task orders")) << built.output;
    // The requested task orders and the two of the showcase order.
    EXPECT_EQ(test_support::QueryNumber(address_, "SELECT COUNT(*) FROM ICMO"), 40 + 2);

    // Built again: the ERP tables are replaced, a table of the user's own is left alone.
    built = RunHost({"demo-db", "--out", address_, "--orders", "25"});
    ASSERT_EQ(built.exitCode, 0) << built.output;
    EXPECT_EQ(test_support::QueryNumber(address_, "SELECT COUNT(*) FROM ICMO"), 25 + 2);
    EXPECT_EQ(test_support::QueryText(address_, "SELECT note FROM customer_notes"), "kept");

    const HostRun tracked = RunScript(address_, "show\n", {"--bills", "WORK000001"});
    ASSERT_EQ(tracked.exitCode, 0) << tracked.output;
    EXPECT_TRUE(tracked.Shows("Task order tracking of postgresql:///" + name_)) << tracked.output;
    EXPECT_TRUE(tracked.Shows("  任务单号:WORK000001\n")) << tracked.output;
    for (const auto& run : {built, tracked}) {
        EXPECT_FALSE(run.Shows("postgres&") || run.Shows("user=")) << run.output;
    }
}

// A database of an ordinary user (no superuser): demo-db fills it and analyses the tables it made,
// without a warning for each table of the database only a superuser may analyse.
TEST_F(ServerDemo, DemoDbIntoAnOrdinaryUsersDatabaseWarnsOfNothing) {
    const std::string role = "tq_owner_" + std::to_string(::getpid());
    test_support::ExecuteOnServer("DROP ROLE IF EXISTS " + role);
    test_support::ExecuteOnServer("CREATE ROLE " + role + " LOGIN");
    test_support::ExecuteOnServer("ALTER DATABASE " + name_ + " OWNER TO " + role);
    std::string address = address_;
    address.replace(address.find("user=postgres"), 13, "user=" + role);

    const HostRun built = RunProgram({"demo-db", "--out", address, "--orders", "10"});
    EXPECT_EQ(built.exitCode, 0) << built.output;
    EXPECT_FALSE(built.Shows("WARNING") || built.Shows("skipping")) << built.output;
    EXPECT_EQ(test_support::QueryNumber(address_, "SELECT COUNT(*) FROM ICMO"),
              10 + 2);  // and the showcase's two
    EXPECT_GT(test_support::QueryNumber(address_,
                                        "SELECT COUNT(*) FROM pg_stats WHERE tablename = 'icmo'"),
              0)
        << "the tables made are analysed";

    client::CloseReadConnections();
    database_.reset();
    test_support::ExecuteOnServer("DROP ROLE " + role);
}

TEST_F(ServerDemo, AnAddressThatLeadsNowhereIsToldWithoutItsUser) {
    std::string nowhere =
        test_support::ServerAddressOf(test_support::FindTestServer().address, "no_such_erp");
    nowhere.replace(nowhere.find(":///"), 4, "://planner:secret@/");
    const HostRun built = RunHost({"demo-db", "--out", nowhere});
    EXPECT_EQ(built.exitCode, 1) << built.output;
    EXPECT_TRUE(built.Shows("demo-db: the database was not written: The database cannot be opened"))
        << built.output;
    const HostRun tracked = RunHost({"icmo", "--db", nowhere});
    EXPECT_EQ(tracked.exitCode, 1) << tracked.output;
    EXPECT_TRUE(tracked.Shows("The database cannot be opened")) << tracked.output;
    for (const auto& run : {built, tracked}) {
        EXPECT_FALSE(run.Shows("planner") || run.Shows("secret")) << run.output;
    }
}

}  // namespace
