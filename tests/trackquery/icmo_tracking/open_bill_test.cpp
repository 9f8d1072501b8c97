// Opening a tracked bill by a double click on its row or with the bill tool: rights, user
// groups, the browse list and the two routes (classic bills and class-template bills), over the
// client's bill components.

#include "trackquery/icmo_tracking/tracked_bills.h"

#include <support/tracker_fixture.h>

#include <contracts/security.h>

#include <platform/automation/errors.h>

namespace trackquery::testing {
namespace {

// The detail panel of task order 9001 with these kinds chosen: material lists (node 1),
// substitution lines (node 2) and the ordinary operations (node 3), whose first operation record
// offers operation transfers and operation reports.
const std::vector<std::string> kKinds = {"A02-88", "A03-501", "P00-52", "P01-502", "P061002504"};
constexpr const char* kRecord = "3.1.1.1";
constexpr const char* kTransfers = "3.1.1.1.1";  // two bills, then the totals row
constexpr const char* kReports = "3.1.1.1.2";    // a class-template bill, then the totals row

class OpenBillTest : public TrackerFixture {
  protected:
    erp::FixtureDefinition Definition() const override { return TrackedBills(); }

    // Tracks task order 9001 as `userId` and expands the operation record's package kinds.
    void TrackAs(int32_t userId) {
        Choose(kKinds, userId);
        OpenSession(userId);
        Start({9001});
        ASSERT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "-501", "11620"}));
        for (const std::string path : {"1", "2", "3.1.1", kRecord, kTransfers, kReports}) {
            ASSERT_TRUE(Session().ExpandDetail(path)) << path;
        }
    }

    static std::string RowOf(const char* node, int32_t row) {
        return std::string(node) + "." + std::to_string(row);
    }
};

TEST_F(OpenBillTest, NodesTotalsSubstitutionLinesAndOperationRowsOpenNothing) {
    TrackAs(erp::kAdministratorID);
    ASSERT_TRUE(RowAt(RowOf(kTransfers, 3))->IsTotal);
    for (const std::string& path :
         {std::string(kTransfers), RowOf(kTransfers, 3), std::string("2.1"), std::string("3.1")}) {
        EXPECT_FALSE(Session().DoubleClickDetail(path)) << path;
    }
    bool cancelExpand = false;
    Tracker()->DetailDblClick(nullptr, cancelExpand);
    EXPECT_FALSE(cancelExpand);
    EXPECT_TRUE(client::BillWindowHistory().empty());
    EXPECT_EQ(BoxCount(), 0u);
}

// --- Classic bills -----------------------------------------------------------------------------

TEST_F(OpenBillTest, TheBillWindowBrowsesTheNodeFromTheClickedRow) {
    TrackAs(erp::kAdministratorID);
    EXPECT_FALSE(Session().DoubleClickDetail(RowOf(kTransfers, 2)));
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

    // The first row opens on the first bill; the expand flag stays as the viewer passed it.
    bool cancelExpand = true;
    Tracker()->DetailDblClick(RowAt(RowOf(kTransfers, 1)), cancelExpand);
    EXPECT_TRUE(cancelExpand);
    ASSERT_EQ(client::BillWindowHistory().size(), 2u);
    EXPECT_EQ(client::BillWindowHistory().back().InterID, 90101);
    EXPECT_EQ(client::BillWindowHistory().back().Position, 1);

    EXPECT_FALSE(Session().DoubleClickDetail("1.1"));
    ASSERT_EQ(client::BillWindowHistory().size(), 3u);
    EXPECT_EQ(client::BillWindowHistory().back().InterID, 90001);
    EXPECT_EQ(client::BillWindowHistory().back().TranType, 88);
    EXPECT_EQ(client::BillWindowHistory().back().BillNo, "PPBOM9001");
    EXPECT_EQ(client::BillWindowHistory().back().Request.SystemName, "ShopFloor")
        << "material lists belong to the shop floor";
}

TEST_F(OpenBillTest, AClassTemplateBillOpensInTheClassBillManager) {
    TrackAs(erp::kAdministratorID);
    ASSERT_EQ(NodeAt(kReports)->RowCount(), 2);
    EXPECT_FALSE(Session().DoubleClickDetail(RowOf(kReports, 1)));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    const auto& opened = client::BillWindowHistory().back();
    EXPECT_EQ(opened.Request.Component, "QzSingleClassBill.ClassInfoManager");
    EXPECT_EQ(opened.Request.BillType, 1002504);
    EXPECT_EQ(opened.InterID, 90103);
    EXPECT_EQ(opened.RowCount, 1);
    EXPECT_EQ(opened.Request.ShowMode, 2);
}

// Without the user group switch, user groups play no part: what the guest may view opens read-
// only, and the refusal of what the guest may not view names the missing right.
TEST_F(OpenBillTest, TheUsersRightsDecideWhetherAndHowABillOpens) {
    TrackAs(erp::kGuestID);
    EXPECT_FALSE(Session().DoubleClickDetail(RowOf(kTransfers, 1)));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    EXPECT_EQ(client::BillWindowHistory().back().Request.ShowMode, 2) << "classic: 2 in place of 1";
    EXPECT_FALSE(Session().DoubleClickDetail(RowOf(kReports, 1)));
    ASSERT_EQ(client::BillWindowHistory().size(), 2u);
    EXPECT_EQ(client::BillWindowHistory().back().Request.ShowMode, 0)
        << "class template: 0 in place of 2";

    ExpectBox("对不起，你没有相应的查看权限！(生产投料单)");
    EXPECT_FALSE(Session().DoubleClickDetail("1.1"));
    EXPECT_EQ(client::BillWindowHistory().size(), 2u);
    EXPECT_EQ(LastBox(), "对不起，你没有相应的查看权限！(生产投料单)");
}

TEST_F(OpenBillTest, TheBillToolOpensTheSelectedRowAndAsksForABillOnANode) {
    TrackAs(erp::kAdministratorID);
    Viewer().SelectDetail("1");
    ExpectBox("请选择对应单据!");
    ASSERT_TRUE(Session().ClickTool("btnBill"));
    EXPECT_TRUE(client::BillWindowHistory().empty());
    Viewer().SelectDetail("1.1");
    ASSERT_TRUE(Session().ClickTool("btnBill"));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    EXPECT_EQ(client::BillWindowHistory().back().InterID, 90001);
    EXPECT_EQ(client::BillWindowHistory().back().TranType, 88);
}

// An application connection that cannot reach the database; it counts the statements it was
// asked to run.
class BrokenAppConnection : public IAppConnection {
  public:
    explicit BrokenAppConnection(std::shared_ptr<int> calls) : calls_(std::move(calls)) {}
    std::string TypeName() const override { return "BrokenAppConnection"; }
    std::shared_ptr<adodb::Recordset> Execute(const std::string&,
                                              const std::vector<automation::Variant>&) override {
        ++*calls_;
        automation::Raise(3709, "QzConnection.AppConnection", "The connection is closed.");
    }

  private:
    std::shared_ptr<int> calls_;
};

// The user group count fails: the double click opens nothing and shows nothing, and the view
// goes on as before.
TEST_F(OpenBillTest, ADoubleClickWhoseGroupCountFailsOpensNothingAndShowsNothing) {
    TrackAs(erp::kAdministratorID);
    auto calls = std::make_shared<int>(0);
    Session().Replace(kAppConnectionProgId,
                      [calls] { return std::make_shared<BrokenAppConnection>(calls); });
    EXPECT_FALSE(Session().DoubleClickDetail(RowOf(kTransfers, 1)));
    EXPECT_EQ(*calls, 1) << "the bill was checked against the user groups";
    EXPECT_TRUE(client::BillWindowHistory().empty());
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_EQ(automation::Err().Number, 0) << "no error is left pending";
}

// --- The user group switch ---------------------------------------------------------------------

class OpenBillGroupTest : public OpenBillTest {
  protected:
    erp::FixtureDefinition Definition() const override { return TrackedBills(true); }
};

TEST_F(OpenBillGroupTest, ABillerWhoSharesNoGroupIsRefusedEvenWithTheViewRight) {
    TrackAs(erp::kGuestID);
    ASSERT_TRUE(Tracker()->CheckUserGroup());
    for (const std::string& path : {RowOf(kTransfers, 1), RowOf(kReports, 1)}) {
        ExpectBox("对不起，你没有相应的用户组权限!");
        EXPECT_FALSE(Session().DoubleClickDetail(path));
        EXPECT_EQ(LastBox(), "对不起，你没有相应的用户组权限!") << path;
    }
    EXPECT_TRUE(client::BillWindowHistory().empty());
}

TEST_F(OpenBillGroupTest, ABillerInTheUsersGroupOpens) {
    TrackAs(erp::kAdministratorID);
    EXPECT_FALSE(Session().DoubleClickDetail(RowOf(kTransfers, 2)));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    EXPECT_EQ(client::BillWindowHistory().back().InterID, 90102);
}

class OpenBillSharedGroupTest : public OpenBillGroupTest {
  protected:
    // The guest and the planner share a group that grants nothing, so the planner's bills are
    // shared and the guest's own rights decide.
    erp::FixtureDefinition Definition() const override {
        auto definition = TrackedBills(true);
        definition.statements.push_back(
            "INSERT INTO t_UserGroup (FGroupID, FName) VALUES (9, 'Test')");
        definition.statements.push_back(
            "INSERT INTO t_Group (FGroupID, FUserID) VALUES (9, 16399), (9, 16395)");
        return definition;
    }
};

TEST_F(OpenBillSharedGroupTest, WithASharedGroupTheViewRightDecides) {
    TrackAs(erp::kGuestID);
    EXPECT_FALSE(Session().DoubleClickDetail(RowOf(kTransfers, 1)));
    ASSERT_EQ(client::BillWindowHistory().size(), 1u);
    EXPECT_EQ(client::BillWindowHistory().back().Request.ShowMode, 2);

    ExpectBox("对不起，你没有相应的查看权限！(生产投料单)");
    EXPECT_FALSE(Session().DoubleClickDetail("1.1"));
    EXPECT_EQ(client::BillWindowHistory().size(), 1u);
}

}  // namespace
}  // namespace trackquery::testing
