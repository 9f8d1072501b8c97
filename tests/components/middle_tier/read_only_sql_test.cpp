// GetRs runs the library's own statements read-only; every statement the trackers send straight
// to the ERP database runs on the schema unchanged.

#include "erp_fixture.h"

namespace mt_test {
namespace {

class ReadOnlySql : public ErpFixture {
  protected:
    trackquery::RecordsetPtr Rs(const std::string& sql) { return IcmoQuery()->GetRs(Props(), sql); }
};

TEST_F(ReadOnlySql, UpdateIsRefusedAndChangesNothing) {
    const int64_t before = Scalar("SELECT SUM(FStatus) FROM ICMO");
    try {
        Rs("UPDATE ICMO SET FStatus = 3");
        FAIL() << "the update ran";
    } catch (const automation::RuntimeError& error) {
        EXPECT_NE(error.Description().find("SELECT"), std::string::npos);
        EXPECT_NE(error.Source().find("GetRs"), std::string::npos);
    }
    EXPECT_EQ(Scalar("SELECT SUM(FStatus) FROM ICMO"), before);
}

TEST_F(ReadOnlySql, AnythingButOneSelectIsRefused) {
    for (const std::string sql :
         {"DELETE FROM ICMO", "SELECT 1; DELETE FROM ICMO", "  -- note\n DROP TABLE ICMO",
          "PRAGMA writable_schema = 1", "INSERT INTO t_Group VALUES (9, 9)", "SELECT 1; SELECT 2",
          "SELECTX FROM ICMO", "SELECT 'unclosed"}) {
        EXPECT_THROW(Rs(sql), automation::RuntimeError) << sql;
    }
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ICMO"), 12);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM t_Group"), 13);
}

TEST_F(ReadOnlySql, SelectsWithCommentsSemicolonsAndQuotedSemicolonsRun) {
    EXPECT_EQ(Rs("/* head */ SELECT COUNT(*) AS N FROM ICMO;")->Value("N"), Variant(int32_t{12}));
    EXPECT_EQ(Rs("SELECT COUNT(*) AS N FROM ICMO WHERE FNote <> ';' -- trailing")->Value("N"),
              Variant(int32_t{12}));
}

TEST_F(ReadOnlySql, TaskOrderLookUpByTypedNumberRuns) {
    const std::string user = std::to_string(erp::kAdministratorID);
    for (const std::string kind :
         {"FTranType=571 ", "FTranType=85 AND FScheduleID=0", "FTranType=85 AND FScheduleID<>0"}) {
        const std::string plain =
            " SELECT FINTERID,FBillNO,FStatus,FSuspend,FCancellation FROM "
            "ICMO WHERE FBIllNO Like '%0000%' AND " +
            kind;
        const std::string grouped =
            plain +
            " AND FBillerID IN (SELECT FUserID FROM t_Group WHERE FGroupID IN (SELECT "
            "FGroupID FROM t_Group WHERE FGroupID<>0 AND FUserID='" +
            user + "')) ";
        auto rs = Rs(plain);
        EXPECT_GT(rs->RecordCount(), 0) << kind;
        EXPECT_NO_THROW(rs->Value("FBillNo"));
        EXPECT_EQ(Rs(grouped)->RecordCount(), rs->RecordCount()) << kind;
    }
    // The guest shares no group with any biller.
    EXPECT_EQ(Rs(" SELECT FINTERID FROM ICMO WHERE FBIllNO Like '%0000%' AND FTranType=85 AND "
                 "FScheduleID=0 AND FBillerID IN (SELECT FUserID FROM t_Group WHERE FGroupID IN "
                 "(SELECT FGroupID FROM t_Group WHERE FGroupID<>0 AND FUserID='16399')) ")
                  ->RecordCount(),
              0);
}

TEST_F(ReadOnlySql, GroupCountsRun) {
    auto shared =
        Rs(" SELECT COUNT(*) As Num FROM t_Group WHERE FGroupID<>0 AND FUserID='16394' "
           "AND FGroupID IN (\r\n SELECT FGroupID FROM t_Group WHERE FGroupID<>0 AND "
           "FUserID='16395')");
    EXPECT_EQ(shared->Value("Num"), Variant(int32_t{1}));
    auto none =
        Rs(" SELECT COUNT(*) As Num FROM t_Group WHERE FGroupID<>0 AND FUserID='16399' "
           "AND FGroupID IN (\r\n SELECT FGroupID FROM t_Group WHERE FGroupID<>0 AND "
           "FUserID='16394')");
    EXPECT_EQ(none->Value("Num"), Variant(int32_t{0}));
    auto byOrder =
        Rs(" SELECT COUNT(*) As Num FROM t_Group WHERE FGroupID<>0 AND FUserID='16397' "
           "AND FGroupID IN (\r\n SELECT t2.FGroupID FROM ICMO t1 INNER JOIN t_Group t2 "
           "ON t1.FBillerID=t2.FUserID WHERE t2.FGroupID<>0 AND t1.FInterID='1')");
    EXPECT_EQ(byOrder->Value("Num"), Variant(int32_t{1}));
}

TEST_F(ReadOnlySql, BomClassTypeAndTransactionTypeLookUpsRun) {
    auto bom = Rs(" SELECT FTranType FROM ICBOM WHERE FInterID= " +
                  std::to_string(Scalar("SELECT MIN(FInterID) FROM ICBOM")));
    ASSERT_EQ(bom->RecordCount(), 1);
    EXPECT_EQ(bom->Value("FTranType"), Variant(int32_t{50}));
    for (int32_t kind : {1002504, 1007100, 1007132, 1000005, 1000015}) {
        auto classType = Rs(" SELECT FClassTypeKey,FPrimaryKey FROM ICClassType WHERE FID=" +
                            std::to_string(kind));
        ASSERT_EQ(classType->RecordCount(), 1) << kind;
        EXPECT_FALSE(Text(classType, "FPrimaryKey").empty());
    }
    for (int32_t kind : {85, 571, 54, 2,   5,   21,  24,  28,  52,  80, 81,
                         82, 86,  88, 501, 502, 551, 581, 582, 710, 715}) {
        auto type =
            Rs(" SELECT FType,FObjectType,FObjectID,FName FROM ICTransActionType WHERE FID=" +
               std::to_string(kind));
        ASSERT_EQ(type->RecordCount(), 1) << kind;
        EXPECT_FALSE(Text(type, "FName").empty());
    }
}

TEST_F(ReadOnlySql, TaskOrdersOfAnOrderRun) {
    auto rs =
        Rs("SELECT FInterID, FBillNo, FStatus, FCancellation,FSuspend \r\nFROM ICMO WHERE "
           "FInterID IN (1,2,3)");
    ASSERT_EQ(rs->RecordCount(), 3);
    EXPECT_EQ(Text(rs, "FBillNO"), "WORK000001");
}

TEST_F(ReadOnlySql, BillListsOfTheListControlTakeTheirFilters) {
    EXPECT_GT(Rs("SELECT * FROM ICList_32 v1 WHERE  v1.FStatus>0 AND v1.FClassTypeID = 0 AND "
                 "v1.FCancellation = 0 ")
                  ->RecordCount(),
              0);
    EXPECT_GT(Rs("SELECT * FROM ICList_36 v1 WHERE  v1.FTrantype=85 AND v1.FScheduleID=0 ")
                  ->RecordCount(),
              0);
    EXPECT_GT(Rs("SELECT * FROM ICList_620 v1 WHERE  v1.FTrantype=571 ")->RecordCount(), 0);
}

}  // namespace
}  // namespace mt_test
