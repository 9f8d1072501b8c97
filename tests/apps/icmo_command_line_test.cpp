// The command line of `trackquery icmo`: what it needs, and the clear message and failed exit of
// every option it cannot use. Nothing is started on bad input.

#include "acceptance/host_runner.h"

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>

namespace {

using namespace host_test;

class IcmoCommandLine : public ::testing::Test {
  protected:
    void SetUp() override { database_ = DemoDatabase(30); }
    HostRun Icmo(std::vector<std::string> args) {
        args.insert(args.begin(), {"icmo", "--db", database_});
        return RunHost(args);
    }
    std::string database_;
};

TEST_F(IcmoCommandLine, DatabaseIsRequired) {
    const HostRun run = RunHost({"icmo"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.Shows("--db")) << run.output;
}

TEST_F(IcmoCommandLine, MissingDatabaseFileIsNamedWithTheWayToCreateIt) {
    const HostRun run = RunHost({"icmo", "--db", "/nonexistent/erp.db"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.Shows("\"/nonexistent/erp.db\" does not exist")) << run.output;
    EXPECT_TRUE(run.Shows("trackquery demo-db --out")) << run.output;
    EXPECT_FALSE(run.Shows("icmo>"));
}

TEST_F(IcmoCommandLine, FileThatIsNoErpDatabaseIsRefused) {
    const fs::path other = TempFile("not_erp.db");
    std::ofstream(other) << "not a database";
    const HostRun run = RunHost({"icmo", "--db", other.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.Shows("is not an ERP database")) << run.output;
    fs::remove(other);
}

TEST_F(IcmoCommandLine, UnknownUserIsRefused) {
    const HostRun run = Icmo({"--user", "nobody"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.Shows("no user named \"nobody\"")) << run.output;
}

TEST_F(IcmoCommandLine, UserNameWithAQuoteIsLookedUpAsText) {
    const HostRun run = Icmo({"--user", "x' OR '1'='1"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.Shows("no user named")) << run.output;
}

TEST_F(IcmoCommandLine, UserIsLookedUpByName) {
    const HostRun run = Icmo({"--user", "张三", "--script", "/dev/null"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("user 张三 (16395)")) << run.output;
}

TEST_F(IcmoCommandLine, UnknownLanguageAndSubSystemAreRefusedWithTheChoices) {
    const int refused = static_cast<int>(CLI::ExitCodes::ValidationError);
    const HostRun language = Icmo({"--lang", "FR"});
    EXPECT_EQ(language.exitCode, refused);
    EXPECT_TRUE(language.Shows("--lang: FR not in {CHS,CHT,EN}")) << language.output;
    EXPECT_FALSE(language.Shows("Task order tracking")) << language.output;
    const HostRun sub = Icmo({"--sub", "MRP"});
    EXPECT_EQ(sub.exitCode, refused);
    EXPECT_TRUE(sub.Shows("--sub: MRP not in {CJ,REPM,SUBC}")) << sub.output;
}

// Values the parser would bend are refused, saying what was wrong: a list of commas only, an
// option where the numbers should be, a seed or a count out of range.
TEST_F(IcmoCommandLine, ValuesTheParserWouldBendAreRefused) {
    const std::string out = TempFile("bent.db").string();
    const std::string seeds = "--seed: must be a whole number from 0 to 18446744073709551615, not ";
    struct Case {
        std::vector<std::string> args;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {{"icmo", "--db", database_, "--bills", ",,,", "--lang", "EN"}, "--bills: names no number"},
        {{"icmo", "--db", database_, "--bills", "--lang", "EN"},
         "--bills: is followed by the option \"--lang\" instead of numbers"},
        {{"demo-db", "--out", out, "--seed", "-1"}, seeds + "\"-1\""},
        {{"demo-db", "--out", out, "--seed", "99999999999999999999"},
         seeds + "\"99999999999999999999\""},
        {{"demo-db", "--out", out, "--orders", "99999999999999999999"},
         "--orders: must be a whole number from 1 to 10000000"},
    };
    for (const auto& test : cases) {
        const HostRun run = RunHost(test.args);
        EXPECT_EQ(run.exitCode, static_cast<int>(CLI::ExitCodes::ValidationError)) << run.output;
        EXPECT_TRUE(run.Shows(test.shown)) << test.shown << "\n" << run.output;
        EXPECT_FALSE(run.Shows("is not a task order")) << run.output;
    }
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(IcmoCommandLine, LanguageChoosesTheTextsOfTheView) {
    const HostRun english = Icmo({"--lang", "en", "--script", "/dev/null"});
    ASSERT_EQ(english.exitCode, 0) << english.output;
    EXPECT_TRUE(english.Shows("language en")) << english.output;
    EXPECT_TRUE(english.Shows("== Detailed Tracking Information ==")) << english.output;
    EXPECT_FALSE(english.Shows("详细跟踪信息")) << english.output;
    const HostRun traditional = Icmo({"--lang", "CHT", "--script", "/dev/null"});
    ASSERT_EQ(traditional.exitCode, 0) << traditional.output;
    EXPECT_TRUE(traditional.Shows("== 詳細跟蹤信息 ==")) << traditional.output;
}

TEST_F(IcmoCommandLine, UnreadableScriptIsRefused) {
    const HostRun run = Icmo({"--script", "/nonexistent/script.txt"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.Shows("cannot read the script")) << run.output;
}

TEST_F(IcmoCommandLine, BillNumbersAreTrackedInTheOrderGiven) {
    const std::string first =
        QueryText(database_,
                  "SELECT FBillNo FROM ICMO WHERE FTranType=85 AND FScheduleID=0 "
                  "ORDER BY FBillNo LIMIT 1");
    const std::string second =
        QueryText(database_,
                  "SELECT FBillNo FROM ICMO WHERE FTranType=85 AND FScheduleID=0 "
                  "ORDER BY FBillNo LIMIT 1 OFFSET 1");
    const HostRun run = Icmo({"--bills", second + " , ,\t" + first + ",", "--script", "/dev/null"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("2 task orders of sub-system CJ")) << run.output;
    EXPECT_TRUE(run.Shows("== 生产任务单(2) ==")) << run.output;
    EXPECT_LT(run.output.find("  " + second), run.output.find("  " + first)) << run.output;
}

TEST_F(IcmoCommandLine, BillNumberOfAnotherKindOrUnknownIsNamed) {
    const std::string outsourced =
        QueryText(database_, "SELECT FBillNo FROM ICMO WHERE FTranType=571 LIMIT 1");
    ASSERT_FALSE(outsourced.empty());
    const HostRun other = Icmo({"--bills", outsourced});
    EXPECT_EQ(other.exitCode, 1);
    EXPECT_TRUE(other.Shows("\"" + outsourced + "\" is not a task order of sub-system CJ"))
        << other.output;
    const HostRun unknown = Icmo({"--bills", "NOSUCH-1"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.Shows("\"NOSUCH-1\" is not a task order")) << unknown.output;
}

TEST_F(IcmoCommandLine, SubSystemChoosesTheKindOfTaskOrders) {
    const std::string outsourced =
        QueryText(database_, "SELECT COUNT(*) FROM ICMO WHERE FTranType=571");
    const HostRun run = Icmo({"--sub", "subc", "--script", "/dev/null"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("== 委外加工生产任务单(" + outsourced + ") ==")) << run.output;
}

TEST_F(IcmoCommandLine, EveryTaskOrderOfTheKindWhenNoneAreGiven) {
    const std::string repetitive =
        QueryText(database_, "SELECT COUNT(*) FROM ICMO WHERE FTranType=85 AND FScheduleID<>0");
    const HostRun run = Icmo({"--sub", "REPM", "--script", "/dev/null"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("== 重复生产任务单(" + repetitive + ") ==")) << run.output;
}

TEST(IcmoTaskOrderLimit, OneTreeTakesAtMost32767TaskOrdersAndTheHostSaysSo) {
    const fs::path database = TempFile("limit.db");
    erp::FixtureDefinition definition;
    definition.statements = {
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32768) "
        "INSERT INTO ICMO (FInterID, FBillNo, FTranType, FBillerID, FDate, FItemID, FUnitID, "
        "FQty, FPlanCommitDate, FPlanFinishDate) SELECT 500000 + i, 'MANY' || printf('%05d', i), "
        "85, 16394, '2026-05-01', i.FItemID, i.FUnitID, 1, '2026-05-01', '2026-05-10' "
        "FROM n, (SELECT FItemID, FUnitID FROM ICMO LIMIT 1) i"};
    erp::BuildFixture(database.string(), definition);

    const HostRun run = RunHost({"icmo", "--db", database.string(), "--script", "/dev/null"});
    EXPECT_EQ(run.exitCode, 0) << run.output.substr(0, 2000);
    EXPECT_TRUE(run.Shows("Only the first 32767 task orders are tracked"))
        << run.output.substr(0, 2000);
    EXPECT_TRUE(run.Shows("== 生产任务单(32767) ==")) << run.output.substr(0, 2000);
    fs::remove(database);
}

}  // namespace
