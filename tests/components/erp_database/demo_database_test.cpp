// The generated ERP databases: deterministic, complete enough that every tracked kind and phase
// shows rows, and never left half-written.

#include <components/erp_database/demo_command.h>
#include <components/erp_database/demo_database.h>
#include <components/erp_database/erp_schema.h>
#include <components/erp_database/sqlite_database.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <sstream>

namespace {

namespace erp = client::erp_database;
namespace fs = std::filesystem;

std::string TempPath(const std::string& name) {
    return (fs::path(::testing::TempDir()) / (name + "_" + std::to_string(::getpid()) + ".db"))
        .string();
}

class DemoDatabase : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        path_ = TempPath("demo300");
        erp::DemoDefinition definition;
        definition.taskOrders = 300;
        counts_ = erp::BuildDemoDatabase(path_, definition);
    }
    static void TearDownTestSuite() { fs::remove(path_); }

    static int64_t Scalar(const std::string& sql) {
        erp::SqliteDatabase db(path_, false);
        return db.QueryInt(sql);
    }

    static std::string path_;
    static erp::DemoCounts counts_;
};

std::string DemoDatabase::path_;
erp::DemoCounts DemoDatabase::counts_;

// A digest of the rows that matter, to compare two builds.
std::string Digest(const std::string& path) {
    erp::SqliteDatabase db(path, false);
    std::ostringstream digest;
    for (const char* sql :
         {"SELECT COUNT(*) FROM ICMO", "SELECT SUM(FQty * FInterID) FROM ICMO",
          "SELECT SUM(FStatus * FInterID) FROM ICMO", "SELECT COUNT(*) FROM ICStockBillEntry",
          "SELECT SUM(FQty) FROM SEOrderEntry", "SELECT SUM(FAmount) FROM t_RPReceiptEntry",
          "SELECT SUM(FQty) FROM ICInventory", "SELECT COUNT(*) FROM SHOperBill"}) {
        auto statement = db.Prepare(sql);
        statement.Query({});
        digest << statement.ColumnText(0) << "|";
    }
    return digest.str();
}

TEST_F(DemoDatabase, SameSeedGivesTheSameDataAndAnotherSeedOther) {
    const std::string again = TempPath("demo300_again");
    const std::string other = TempPath("demo300_other");
    erp::DemoDefinition definition;
    definition.taskOrders = 300;
    erp::BuildDemoDatabase(again, definition);
    definition.seed = 2;
    erp::BuildDemoDatabase(other, definition);
    EXPECT_EQ(Digest(path_), Digest(again));
    EXPECT_NE(Digest(path_), Digest(other));
    fs::remove(again);
    fs::remove(other);
}

TEST_F(DemoDatabase, CountsReportWhatWasWritten) {
    EXPECT_EQ(counts_.taskOrders, 300);
    EXPECT_EQ(counts_.taskOrders, Scalar("SELECT COUNT(*) FROM ICMO"));
    EXPECT_EQ(counts_.salesOrders, Scalar("SELECT COUNT(*) FROM SEOrder"));
    EXPECT_EQ(counts_.salesEntries, Scalar("SELECT COUNT(*) FROM SEOrderEntry"));
}

TEST_F(DemoDatabase, TaskOrdersOfEveryKindAndStatus) {
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO WHERE FTranType = 85 AND FScheduleID = 0"), 0);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO WHERE FTranType = 85 AND FScheduleID <> 0"), 0);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO WHERE FTranType = 571"), 0);
    for (int status : {0, 1, 2, 3, 5}) {
        EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO WHERE FStatus = " + std::to_string(status)), 0)
            << status;
    }
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO WHERE FSuspend = 1"), 0);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO WHERE FCancellation = 1"), 0);
    // Overdue and on time against the server date.
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO WHERE FStatus <> 3 AND FStockQty < FQty AND "
                     "FPlanFinishDate < '2026-06-30'"),
              0);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO WHERE FStatus <> 3 AND "
                     "FPlanFinishDate >= '2026-06-30'"),
              0);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO WHERE FParentInterID <> 0"), 0);
}

TEST_F(DemoDatabase, EveryTrackedKindHasRows) {
    erp::SqliteDatabase db(path_, false);
    auto kinds = db.Prepare("SELECT FTranType, FViewName FROM ICTrackKind");
    for (bool row = kinds.Query({}); row; row = kinds.Next()) {
        EXPECT_GT(Scalar("SELECT COUNT(*) FROM " + kinds.ColumnText(1)), 0) << kinds.ColumnInt(0);
    }
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM SHWorkBill WHERE FBillType = 11621"), 0);
}

TEST_F(DemoDatabase, SalesOrdersHaveEveryPhaseWithPartialDeliveriesAndWriteOffs) {
    for (const char* phase : {"VPhase_1007132", "VPhase_82", "VPhase_21", "VPhase_80",
                              "VPhase_1000034", "VPhase_WriteOff", "VPhase_85"}) {
        EXPECT_GT(Scalar(std::string("SELECT COUNT(*) FROM ") + phase), 0) << phase;
    }
    // An entry shipped in two lots that together stay below the ordered quantity.
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM SEOrderEntry o WHERE (SELECT COUNT(*) FROM "
                     "SEOutStockEntry n WHERE n.FOrderInterID = o.FInterID AND n.FOrderEntryID = "
                     "o.FEntryID) >= 2 AND (SELECT SUM(FQty) FROM SEOutStockEntry n WHERE "
                     "n.FOrderInterID = o.FInterID AND n.FOrderEntryID = o.FEntryID) < o.FQty"),
              0);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM SEOutStock WHERE FROB = -1"), 0);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM (SELECT FOrderInterID, FOrderEntryID FROM ICSaleEntry "
                     "GROUP BY 1, 2 HAVING COUNT(*) >= 2)"),
              0);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM SEOrder WHERE FClassTypeID = 1007100"), 0);
}

TEST_F(DemoDatabase, UsersSitInOverlappingGroupsWithDifferentRights) {
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM t_Group WHERE FUserID = 16394 AND FGroupID <> 0"), 2);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM t_Group WHERE FUserID = 16397 AND FGroupID <> 0"), 2);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM t_Group WHERE FUserID = 16399 AND FGroupID <> 0"), 0);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM t_AccessRight WHERE FOwnerType = 1 AND FOwnerID = 1"),
              Scalar("SELECT COUNT(*) FROM t_AccessRight WHERE FOwnerType = 1 AND FOwnerID = 3"));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM t_AccessRight WHERE FOwnerID = 16399"), 0);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM t_SystemProfile WHERE FCategory = 'IC' AND "
                     "FKey = 'CheckUserGroup'"),
              1);
}

TEST_F(DemoDatabase, BomsOfBothPermissionObjectsAndTaskOrdersWithAndWithoutRouting) {
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO i JOIN ICBOM b ON b.FInterID = i.FBOMInterID "
                     "WHERE b.FTranType = 50"),
              0);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO i JOIN ICBOM b ON b.FInterID = i.FBOMInterID "
                     "WHERE b.FTranType <> 50"),
              0);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO WHERE FRoutingID = 0 AND FTranType = 85"), 0);
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICMO WHERE FRoutingID <> 0"), 0);
}

TEST_F(DemoDatabase, TrackingLookUpsAreIndexSearches) {
    erp::SqliteDatabase db(path_, false);
    for (const std::string sql :
         {"SELECT * FROM VTrack_Stock24 WHERE FParentID = 7",
          "SELECT * FROM VTrack_OperRecord WHERE FParentID = 7",
          "SELECT * FROM VTrack_Oper502 WHERE FParentID = 7",
          "SELECT * FROM VTrack_PPBOM WHERE FParentID = 7",
          "SELECT * FROM VPhase_21 WHERE FOrderInterID = 1 AND FOrderEntryID = 1",
          "SELECT * FROM VPhase_85 WHERE FOrderInterID = 1 AND FOrderEntryID = 1",
          "SELECT * FROM VPhase_1000034 WHERE FOrderInterID = 1 AND FOrderEntryID = 1",
          "SELECT * FROM VTrackICMOHead WHERE FInterID = 7"}) {
        auto plan = db.Prepare("EXPLAIN QUERY PLAN " + sql);
        for (bool row = plan.Query({}); row; row = plan.Next()) {
            const std::string step = plan.ColumnText(3);
            EXPECT_EQ(step.find("SCAN"), std::string::npos) << sql << ": " << step;
        }
    }
}

TEST(Fixture, AFailingStatementLeavesNoDatabase) {
    const std::string path = TempPath("broken_fixture");
    erp::FixtureDefinition definition;
    definition.statements.push_back("INSERT INTO NoSuchTable VALUES (1)");
    EXPECT_THROW(erp::BuildFixture(path, definition), std::runtime_error);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(fs::exists(path + ".building"));
}

TEST(Fixture, StatementsOfTheDefinitionRunAfterTheData) {
    const std::string path = TempPath("fixture_statements");
    erp::FixtureDefinition definition;
    definition.statements.push_back(
        "UPDATE t_SystemProfile SET FValue = '1' WHERE FKey = 'CheckUserGroup'");
    erp::BuildFixture(path, definition);
    erp::SqliteDatabase db(path, false);
    EXPECT_EQ(db.QueryInt("SELECT FValue FROM t_SystemProfile WHERE FKey = 'CheckUserGroup'"), 1);
    EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM ICMO"), 12);
    fs::remove(path);
}

TEST(EmptyDatabase, HoldsTemplatesButNoBills) {
    const std::string path = TempPath("empty_erp");
    erp::CreateEmptyErpDatabase(path);
    erp::SqliteDatabase db(path, false);
    EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM ICMO"), 0);
    EXPECT_GT(db.QueryInt("SELECT COUNT(*) FROM ICTrackTemplate"), 100);
    EXPECT_GT(db.QueryInt("SELECT COUNT(*) FROM ICTransActionType"), 20);
    fs::remove(path);
}

TEST(Templates, EveryTrackedKindEndsWithTheColumnsTheTrackersRead) {
    const std::string path = TempPath("templates");
    erp::CreateEmptyErpDatabase(path);
    erp::SqliteDatabase db(path, false);
    auto kinds = db.Prepare("SELECT FTranType FROM ICTrackKind");
    for (bool row = kinds.Query({}); row; row = kinds.Next()) {
        const std::string kind = std::to_string(kinds.ColumnInt(0));
        for (const char* key : {"FBillNO", "FStatus", "FBillerID"}) {
            EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM ICTrackTemplate WHERE FTrackType = -85 AND "
                                  "FTranType = " +
                                  kind + " AND FKey = '" + key + "'"),
                      1)
                << kind << " " << key;
        }
    }
    // Every option of task order tracking has its kind's rows and templates.
    EXPECT_EQ(
        db.QueryInt("SELECT COUNT(*) FROM ICTrackOptionDef d WHERE d.FOptionKey LIKE '%ICMOTrack' "
                    "AND NOT EXISTS (SELECT 1 FROM ICTrackKind k WHERE k.FTranType = d.FID)"),
        0);
    fs::remove(path);
}

TEST(DemoDbCommand, RefusesBadOptionsWithAMessageAndWritesNothing) {
    std::ostringstream out, err;
    erp::DemoDbOptions options;
    options.out = TempPath("refused");
    options.orders = 0;
    EXPECT_EQ(erp::RunDemoDbCommand(options, out, err), 1);
    EXPECT_NE(err.str().find("--orders"), std::string::npos);
    EXPECT_FALSE(fs::exists(options.out));
    options.orders = 10;
    options.out = "/no/such/folder/demo.db";
    err.str("");
    EXPECT_EQ(erp::RunDemoDbCommand(options, out, err), 1);
    EXPECT_NE(err.str().find("does not exist"), std::string::npos);
}

}  // namespace
