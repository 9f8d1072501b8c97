// Opening a tracked bill by a double click on its row: rights, user groups, the browse list and
// the two routes (classic bills and class-template bills), over the real client components.

#include "trackquery/icmo_tracking/tracked_bills_fixture.h"

#include <trackquery/contracts/security.h>

#include <platform/automation/errors.h>

namespace trackquery::testing {
namespace {

class OpenBillTest : public TrackedBillsFixture {
  protected:
    CICMOQueryPtr Tracker(int32_t userId = erp::kAdministratorID) {
        Session(userId, {"A02-88"});
        return Track({{9003, "WORK9003"}});
    }

    DetailNodePtr Loaded(CICMOQuery& tracker, int32_t kind, int32_t parentId) {
        auto node = NodeOf(kind, parentId);
        Expand(tracker, node, "0");
        return node;
    }

    static bool DoubleClick(CICMOQuery& tracker, const automation::ObjectPtr& item) {
        bool cancelExpand = false;
        tracker.DetailDblClick(item, cancelExpand);
        return cancelExpand;
    }

    size_t BoxesShown() { return session_->MessageBoxes().size(); }
};

// --- What opens nothing ------------------------------------------------------------------------

TEST_F(OpenBillTest, DoubleClickingANodeOpensNothingAndSaysNothing) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -502, 90011);
    const size_t boxes = BoxesShown();
    EXPECT_FALSE(DoubleClick(*tracker, node));
    EXPECT_TRUE(client::BillWindowHistory().empty());
    EXPECT_EQ(BoxesShown(), boxes);
}

TEST_F(OpenBillTest, TheTotalsRowOpensNothing) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -502, 90011);
    ASSERT_TRUE(RowOf(node, 3)->IsTotal);
    const size_t boxes = BoxesShown();
    DoubleClick(*tracker, RowOf(node, 3));
    EXPECT_TRUE(client::BillWindowHistory().empty());
    EXPECT_EQ(BoxesShown(), boxes);
}

TEST_F(OpenBillTest, SubstitutionLinesOpenNothing) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -501, 9001);
    const size_t boxes = BoxesShown();
    DoubleClick(*tracker, RowOf(node, 1));
    EXPECT_TRUE(client::BillWindowHistory().empty());
    EXPECT_EQ(BoxesShown(), boxes);
}

TEST_F(OpenBillTest, OperationRowsOpenNothing) {
    Session(erp::kAdministratorID, {"P00-52"});
    auto tracker = Track({{9001, "WORK9001"}, {9002, "WORK9002"}});
    auto model = session_->Viewer()->GetDetailModel();
    ASSERT_NE(model, nullptr);
    ASSERT_GE(model->Count(), 1);
    auto operations = model->Item(model->Count());
    ASSERT_EQ(operations->Key, "11620");
    const size_t boxes = BoxesShown();
    EXPECT_FALSE(session_->DoubleClickDetail(std::to_string(model->Count()) + ".1"));
    EXPECT_TRUE(client::BillWindowHistory().empty());
    EXPECT_EQ(BoxesShown(), boxes);
}

TEST_F(OpenBillTest, NothingSelectedOpensNothing) {
    auto tracker = Tracker();
    EXPECT_FALSE(DoubleClick(*tracker, nullptr));
    EXPECT_TRUE(client::BillWindowHistory().empty());
}

// --- Classic bills -----------------------------------------------------------------------------

TEST_F(OpenBillTest, TheBillWindowBrowsesTheNodeFromTheClickedRow) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -502, 90011);
    DoubleClick(*tracker, RowOf(node, 2));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    const auto& opened = client::BillWindowHistory().back();
    EXPECT_EQ(opened.Request.Component, "QzBills.Bills");
    EXPECT_EQ(opened.InterID, 90102);
    EXPECT_EQ(opened.TranType, 502);
    EXPECT_EQ(opened.Position, 2);
    EXPECT_EQ(opened.RowCount, 2) << "every bill row of the node, without the totals row";
    EXPECT_EQ(opened.Request.BillType, 502);
    EXPECT_EQ(opened.Request.ShowMode, 1) << "the administrator may change the bill";
    EXPECT_EQ(opened.Request.SystemName, "OPERMANAGE");
    EXPECT_EQ(opened.Request.ShowForModeExt, 1);
    EXPECT_EQ(opened.Request.TheSaleMode, 0);
    EXPECT_EQ(opened.Request.NewBillTransType, "502");
    EXPECT_EQ(opened.BillNo, "GXYZ90102");
}

TEST_F(OpenBillTest, TheFirstRowOpensOnTheFirstBill) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -502, 90011);
    DoubleClick(*tracker, RowOf(node, 1));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    EXPECT_EQ(client::BillWindowHistory().back().InterID, 90101);
    EXPECT_EQ(client::BillWindowHistory().back().Position, 1);
}

TEST_F(OpenBillTest, ABillTheUserMayViewButNotChangeOpensReadOnly) {
    auto tracker = Tracker(erp::kGuestID);
    auto node = Loaded(*tracker, -502, 90011);
    DoubleClick(*tracker, RowOf(node, 1));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    EXPECT_EQ(client::BillWindowHistory().back().Request.ShowMode, 2);
}

// Without the user group switch, user groups play no part: the refusal names the missing right
// even when the user shares no group with the biller.
TEST_F(OpenBillTest, ABillTheUserMayNotViewIsRefusedWithTheReason) {
    auto tracker = Tracker(erp::kGuestID);
    auto node = Loaded(*tracker, -88, 9001);
    const size_t boxes = BoxesShown();
    DoubleClick(*tracker, RowOf(node, 1));
    EXPECT_TRUE(client::BillWindowHistory().empty());
    ASSERT_EQ(BoxesShown(), boxes + 1);
    EXPECT_EQ(session_->Messages().back(), "对不起，你没有相应的查看权限！(生产投料单)");
}

TEST_F(OpenBillTest, TheBillWindowIsPositionedOnTheRowItWasAskedFor) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -88, 9001);
    DoubleClick(*tracker, RowOf(node, 1));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    const auto& opened = client::BillWindowHistory().back();
    EXPECT_EQ(opened.InterID, 90001);
    EXPECT_EQ(opened.TranType, 88);
    EXPECT_EQ(opened.Request.SystemName, "ShopFloor") << "material lists belong to the shop floor";
}

// --- The command that opens the selected bill --------------------------------------------------

TEST_F(OpenBillTest, TheBillCommandOnANodeAsksForABill) {
    Session(erp::kAdministratorID, {"A02-88"});
    Track({{9001, "WORK9001"}});
    session_->Viewer()->SelectDetail("1");
    session_->ClickTool("btnBill");
    EXPECT_TRUE(client::BillWindowHistory().empty());
    ASSERT_FALSE(session_->Messages().empty());
    EXPECT_EQ(session_->Messages().back(), "请选择对应单据!");
}

TEST_F(OpenBillTest, TheBillCommandOnARowOpensThatBill) {
    Session(erp::kAdministratorID, {"A02-88"});
    Track({{9001, "WORK9001"}});
    ASSERT_TRUE(session_->ExpandDetail("1"));
    session_->Viewer()->SelectDetail("1.1");
    session_->ClickTool("btnBill");
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    EXPECT_EQ(client::BillWindowHistory().back().InterID, 90001);
    EXPECT_EQ(client::BillWindowHistory().back().TranType, 88);
}

TEST_F(OpenBillTest, ADoubleClickInTheViewOpensTheRow) {
    Session(erp::kAdministratorID, {"A02-88"});
    Track({{9001, "WORK9001"}});
    ASSERT_TRUE(session_->ExpandDetail("1"));
    EXPECT_FALSE(session_->DoubleClickDetail("1.1"));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    EXPECT_EQ(client::BillWindowHistory().back().BillNo, "PPBOM9001");
}

// --- Failures ----------------------------------------------------------------------------------

// An application connection that cannot reach the database.
class BrokenAppConnection : public IAppConnection {
  public:
    std::string TypeName() const override { return "BrokenAppConnection"; }
    std::shared_ptr<adodb::Recordset> Execute(const std::string&,
                                              const std::vector<automation::Variant>&) override {
        automation::Raise(3709, "QzConnection.AppConnection", "The connection is closed.");
    }
};

TEST_F(OpenBillTest, ADoubleClickWhoseGroupCountFailsOpensNothingAndRaisesNothing) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -502, 90011);
    session_->Replace(kAppConnectionProgId, [] { return std::make_shared<BrokenAppConnection>(); });
    bool cancelExpand = false;
    EXPECT_NO_THROW(tracker->DetailDblClick(RowOf(node, 1), cancelExpand));
    EXPECT_FALSE(cancelExpand);
    EXPECT_TRUE(client::BillWindowHistory().empty());
}

// --- Class-template bills ----------------------------------------------------------------------

TEST_F(OpenBillTest, AClassTemplateBillOpensInTheClassBillManager) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, 1002504, 90011);
    ASSERT_EQ(node->RowCount(), 2);
    DoubleClick(*tracker, RowOf(node, 1));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    const auto& opened = client::BillWindowHistory().back();
    EXPECT_EQ(opened.Request.Component, "QzSingleClassBill.ClassInfoManager");
    EXPECT_EQ(opened.Request.BillType, 1002504);
    EXPECT_EQ(opened.InterID, 90103);
    EXPECT_EQ(opened.RowCount, 1);
    EXPECT_EQ(opened.Request.ShowMode, 2);
}

TEST_F(OpenBillTest, AClassTemplateBillTheUserMayViewButNotChangeOpensInMode0) {
    auto tracker = Tracker(erp::kGuestID);
    auto node = Loaded(*tracker, 1002504, 90011);
    DoubleClick(*tracker, RowOf(node, 1));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    EXPECT_EQ(client::BillWindowHistory().back().Request.ShowMode, 0);
}

TEST_F(OpenBillTest, TheDoubleClickLeavesTheExpandFlagAlone) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -502, 90011);
    bool cancelExpand = true;
    tracker->DetailDblClick(RowOf(node, 1), cancelExpand);
    EXPECT_TRUE(cancelExpand);
    EXPECT_EQ(client::BillWindowHistory().size(), 1u);
}

// --- The user group switch ---------------------------------------------------------------------

class OpenBillGroupTest : public OpenBillTest {
  protected:
    bool CheckUserGroup() const override { return true; }
};

TEST_F(OpenBillGroupTest, ABillerWhoSharesNoGroupIsRefusedEvenWithTheViewRight) {
    auto tracker = Tracker(erp::kGuestID);
    ASSERT_TRUE(tracker->CheckUserGroup());
    auto node = Loaded(*tracker, -502, 90011);
    const size_t boxes = BoxesShown();
    DoubleClick(*tracker, RowOf(node, 1));
    EXPECT_TRUE(client::BillWindowHistory().empty());
    ASSERT_EQ(BoxesShown(), boxes + 1);
    EXPECT_EQ(session_->Messages().back(), "对不起，你没有相应的用户组权限!");
}

TEST_F(OpenBillGroupTest, AClassTemplateBillOfABillerWhoSharesNoGroupIsRefused) {
    auto tracker = Tracker(erp::kGuestID);
    auto node = Loaded(*tracker, 1002504, 90011);
    const size_t boxes = BoxesShown();
    DoubleClick(*tracker, RowOf(node, 1));
    EXPECT_TRUE(client::BillWindowHistory().empty());
    ASSERT_EQ(BoxesShown(), boxes + 1);
    EXPECT_EQ(session_->Messages().back(), "对不起，你没有相应的用户组权限!");
}

TEST_F(OpenBillGroupTest, ABillerInTheUsersGroupOpens) {
    auto tracker = Tracker(erp::kAdministratorID);
    auto node = Loaded(*tracker, -502, 90011);
    DoubleClick(*tracker, RowOf(node, 2));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    EXPECT_EQ(client::BillWindowHistory().back().InterID, 90102);
}

class OpenBillSharedGroupTest : public OpenBillGroupTest {
  protected:
    // The guest and the planner share a group that grants nothing, so the planner's bills are
    // shared and the guest's own rights decide.
    std::vector<std::string> ExtraStatements() const override {
        return {"INSERT INTO t_UserGroup (FGroupID, FName) VALUES (9, 'Test')",
                "INSERT INTO t_Group (FGroupID, FUserID) VALUES (9, 16399), (9, 16395)"};
    }
};

TEST_F(OpenBillSharedGroupTest, WithASharedGroupTheViewRightDecides) {
    auto tracker = Tracker(erp::kGuestID);
    auto transfers = Loaded(*tracker, -502, 90011);
    DoubleClick(*tracker, RowOf(transfers, 1));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    EXPECT_EQ(client::BillWindowHistory().back().Request.ShowMode, 2);

    auto materials = Loaded(*tracker, -88, 9001);
    const size_t boxes = BoxesShown();
    DoubleClick(*tracker, RowOf(materials, 1));
    EXPECT_EQ(client::BillWindowHistory().size(), 1u);
    ASSERT_EQ(BoxesShown(), boxes + 1);
    EXPECT_EQ(session_->Messages().back(), "对不起，你没有相应的查看权限！(生产投料单)");
}

}  // namespace
}  // namespace trackquery::testing
