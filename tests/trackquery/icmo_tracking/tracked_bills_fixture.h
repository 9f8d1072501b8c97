#pragma once
// A headless session over a fixture ERP database that holds, beside the generated data, three
// task orders whose downstream bills the tests know exactly:
// - 9001 (WORK9001): two substitution lines (quantities 1.5 with 1 decimal and 2.125 with 3), a
//   material list line of item 9002 with 13.75 in stock, ordinary operations 10 "Cutting" and
//   20 "Welding"; the record of operation 10 carries two operation transfers (one closed) and
//   one operation report;
// - 9002 (WORK9002): a rework operation 15 "Welding" only, and one task order report;
// - 9003 (WORK9003): nothing downstream.
// Every bill is made by the planner (16395, production group). The guest (16399, group 0 only)
// may view operation transfers and operation reports but not change them.

#include <client/bills/bill_window.h>
#include <client/erp_database/demo_database.h>
#include <client/erp_database/demo_definition.h>
#include <client/headless/headless_session.h>
#include <client/trace_viewer/headless_trace_viewer.h>

#include <trackquery/contracts/detail_model.h>
#include <trackquery/contracts/middle_tier.h>
#include <trackquery/icmo_tracking/CICMOQuery.h>
#include <trackquery/services/MMTS.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/registry.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace trackquery {

// Reaches the tracker's operation package procedures and state.
struct OperPackageTestAccess {
    static void CreateOperPackage(CICMOQuery& tracker, RecordsetPtr& rsOption,
                                  const RecordsetPtr& rsFields) {
        tracker.CreateOperPackage(rsOption, rsFields);
    }
    static int32_t CreateOperDetail(CICMOQuery& tracker, DetailModelPtr& model, int32_t interId,
                                    const RecordsetPtr& rsOption, const RecordsetPtr& rsFields) {
        int32_t result = 12345;
        tracker.CreateOperDetail(model, interId, rsOption, rsFields, result);
        return result;
    }
    static automation::VectorPtr Package(const CICMOQuery& tracker) {
        return tracker.m_vctOperPackage;
    }
    static void SetFInterID(CICMOQuery& tracker, int32_t interId) { tracker.m_FInterID = interId; }
};

}  // namespace trackquery

namespace trackquery::testing {

namespace erp = client::erp_database;

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

class TrackedBillsFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("trackquery_bills_" + std::string(info->name()) + "_" +
                 std::to_string(::getpid()) + ".db");
        erp::FixtureDefinition definition;
        definition.data.checkUserGroup = CheckUserGroup();
        definition.statements = TrackedBillStatements();
        for (const auto& statement : ExtraStatements()) definition.statements.push_back(statement);
        erp::BuildFixture(path_.string(), definition);
        client::ClearBillWindowHistory();
    }
    void TearDown() override {
        session_.reset();
        client::ClearBillWindowHistory();
        std::filesystem::remove(path_);
    }

    virtual bool CheckUserGroup() const { return false; }
    virtual std::vector<std::string> ExtraStatements() const { return {}; }

    // The session of `userId`, whose chosen bill kinds are `chosenKeys` (option keys such as
    // "A03-501"; none keeps the defaults).
    client::HeadlessSession& Session(int32_t userId = erp::kAdministratorID,
                                     const std::vector<std::string>& chosenKeys = {}) {
        client::HeadlessSessionOptions options;
        options.databasePath = path_;
        options.userId = userId;
        session_ = std::make_unique<client::HeadlessSession>(options);
        if (!chosenKeys.empty()) Choose(userId, chosenKeys);
        return *session_;
    }

    void Choose(int32_t userId, const std::vector<std::string>& keys) {
        std::string values;
        for (const auto& key : keys) values += (values.empty() ? "'" : ",'") + key + "'";
        auto writer = automation::CreateObject<CSetICMOQuery>(kProgIdSetICMOQuery);
        ASSERT_TRUE(writer->SetBillOption(session_->PropsString(), "ICMOTrack", userId, values));
    }

    // A tracker started embedded on the task orders given (the first one is shown).
    CICMOQueryPtr Track(const std::vector<std::pair<int32_t, std::string>>& bills) {
        auto tracker = session_->CreateICMOQuery();
        EXPECT_TRUE(session_->StartEmbedded(tracker, client::HeadlessSession::BillList(bills)));
        return tracker;
    }

    static std::shared_ptr<CGetICMOQuery> Server() {
        return automation::CreateObject<CGetICMOQuery>(kProgIdGetICMOQuery);
    }

    // A node of `kind` under `parentId` with the kind's columns read from its query fields and
    // the hidden bill id column last, as the detail model builds it.
    static DetailNodePtr NodeOf(int32_t kind, int32_t parentId) {
        auto node = std::make_shared<DetailNode>();
        node->Key = std::to_string(kind);
        node->Tag = parentId;
        auto fields = Server()->GetQueryFields(GetPropsString(), -85, automation::Variant(kind));
        for (; fields && !fields->Eof(); fields->MoveNext()) {
            auto column = std::make_shared<DetailColumn>();
            column->Key = automation::CStr(fields->Value("FKey"));
            column->Caption = automation::CStr(fields->Value("FCaption"));
            column->CtlType = fields->Value("FCtlType");
            column->Visible = automation::CLng(fields->Value("FVisible")) == 1;
            node->AddColumn(column);
        }
        auto idColumn = std::make_shared<DetailColumn>();
        idColumn->Key = "FBillInterID";
        idColumn->CtlType = "";
        idColumn->Visible = false;
        node->AddColumn(idColumn);
        return node;
    }

    static void Expand(CICMOQuery& tracker, const automation::ObjectPtr& item,
                       const char* rowType) {
        tracker.DetailExpand(0, "", item, rowType);
    }

    static DetailRowPtr RowOf(const DetailNodePtr& node, int32_t index) {
        return std::dynamic_pointer_cast<DetailRow>(node->Row(index));
    }

    static std::string TextOf(const DetailRowPtr& row, const char* key) {
        auto cell = row->Cell(key);
        return cell ? cell->Text : "<no cell " + std::string(key) + ">";
    }

    std::filesystem::path path_;
    std::unique_ptr<client::HeadlessSession> session_;
};

}  // namespace trackquery::testing
