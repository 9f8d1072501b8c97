#pragma once
// Three task orders whose downstream bills the tests know exactly, added to the generated data:
// - 9001 (WORK9001): two substitution lines (quantities 1.5 with 1 decimal and 2.125 with 3), a
//   material list line of item 9002 with 13.75 in stock, ordinary operations 10 "Cutting" and
//   20 "Welding"; the record of operation 10 carries two operation transfers (one closed) and
//   one operation report;
// - 9002 (WORK9002): a rework operation 15 "Welding" only, and one task order report;
// - 9003 (WORK9003): nothing downstream.
// Every bill is made by the planner (16395, production group). The guest (16399, group 0 only)
// may view operation transfers and operation reports but not change them.

#include <components/erp_database/demo_definition.h>

#include <string>
#include <vector>

namespace trackquery::testing {

inline const std::vector<std::string>& TrackedBillStatements() {
    static const std::vector<std::string> statements{
        "INSERT INTO t_ICItem (FItemID, FNumber, FName, FUnitID, FQtyDecimal) VALUES "
        "(9001, 'T.9001', 'Tube', 1, 1), (9002, 'T.9002', 'Plate', 1, 3), "
        "(9003, 'T.9003', 'Bolt', 1, 0)",
        "INSERT INTO ICMO (FInterID, FBillNo, FTranType, FStatus, FBillerID, FCheckerID, FDate, "
        "FItemID, FUnitID, FQty, FPlanCommitDate, FPlanFinishDate) VALUES "
        "(9001, 'WORK9001', 85, 1, 16395, 16394, '2026-06-01', 9001, 1, 100, '2026-06-02', "
        "'2026-06-20'), "
        "(9002, 'WORK9002', 85, 1, 16395, 16394, '2026-06-01', 9001, 1, 10, '2026-06-02', "
        "'2026-06-20'), "
        "(9003, 'WORK9003', 85, 0, 16395, 0, '2026-06-01', 9003, 1, 5, '2026-06-02', "
        "'2026-06-20')",
        "INSERT INTO ICSubstitute (FInterID, FICMOInterID, FEntryID, FItemID, FSubsItemID, FQty, "
        "FBillerID) VALUES (90001, 9001, 1, 9001, 9003, 1.5, 16395), "
        "(90002, 9001, 2, 9002, 9003, 2.125, 16395)",
        "INSERT INTO PPBOM (FInterID, FBillNo, FICMOInterID, FStatus, FBillerID, FDate) VALUES "
        "(90001, 'PPBOM9001', 9001, 1, 16395, '2026-06-01')",
        "INSERT INTO PPBOMEntry (FInterID, FEntryID, FItemID, FQtyMust, FQtySupply) VALUES "
        "(90001, 1, 9002, 10, 5)",
        "INSERT INTO ICInventory (FItemID, FStockID, FQty) VALUES (9002, 1, 12.5), (9002, 2, 1.25)",
        "INSERT INTO t_Operation (FOperID, FNumber, FName) VALUES (9001, 'OP9001', 'Cutting'), "
        "(9002, 'OP9002', 'Welding')",
        "INSERT INTO SHWorkBill (FInterID, FBillNo, FBillType, FICMOInterID, FItemID, FStatus, "
        "FBillerID, FDate) VALUES (9001, 'GXJH9001', 11620, 9001, 9001, 1, 16395, '2026-06-02'), "
        "(9002, 'FXGX9002', 11621, 9002, 9001, 1, 16395, '2026-06-03')",
        "INSERT INTO SHWorkBillEntry (FDetailID, FInterID, FEntryID, FOperSN, FOperID, FQtyPlan, "
        "FQtyFinish, FQtyPass, FPlanStartDate, FPlanEndDate) VALUES "
        "(90011, 9001, 1, 10, 9001, 100, 80, 78, '2026-06-02', '2026-06-05'), "
        "(90012, 9001, 2, 20, 9002, 100, 40, 40, '2026-06-05', '2026-06-09'), "
        "(90021, 9002, 1, 15, 9002, 10, 5, 5, '2026-06-03', '2026-06-04')",
        "INSERT INTO SHOperBill (FInterID, FTranType, FBillNo, FWBEntryID, FICMOInterID, FItemID, "
        "FOperID, FQty, FQtyPass, FStatus, FBillerID, FDate) VALUES "
        "(90101, 502, 'GXYZ90101', 90011, 9001, 9001, 9001, 30, 30, 1, 16395, '2026-06-04'), "
        "(90102, 502, 'GXYZ90102', 90011, 9001, 9001, 9001, 50, 48, 3, 16395, '2026-06-05'), "
        "(90103, 1002504, 'GXHB90103', 90011, 9001, 9001, 9001, 80, 78, 1, 16395, "
        "'2026-06-05')",
        "INSERT INTO ICMORpt (FInterID, FBillNo, FICMOInterID, FDate, FQtyFinish, FQtyPass, "
        "FStatus, FBillerID) VALUES (90201, 'RPT90201', 9002, '2026-06-05', 4, 4, 1, 16395)",
        // Task order reports total nothing, so that a kind with bills and no totals exists.
        "UPDATE ICTrackTemplate SET FSum = 0 WHERE FTrackType = -85 AND FTranType = -551",
        // The guest may view operation transfers and operation reports, and change neither.
        "INSERT INTO t_AccessRight (FOwnerType, FOwnerID, FObjectType, FObjectID, FAccessMask) "
        "VALUES (0, 16399, 1030, 502, 2097152), (0, 16399, 1030, 2504, 2097152)",
    };
    return statements;
}

// The generated data and the known bills, with the user group switch as given.
inline client::erp_database::FixtureDefinition TrackedBills(bool checkUserGroup = false) {
    client::erp_database::FixtureDefinition definition;
    definition.data.checkUserGroup = checkUserGroup;
    definition.statements = TrackedBillStatements();
    return definition;
}

}  // namespace trackquery::testing
