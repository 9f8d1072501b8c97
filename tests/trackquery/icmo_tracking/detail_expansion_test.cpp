// Expanding detail nodes into their bills and operation record rows into the package kinds, as
// the user expands them in the detail panel, over the SQLite middle tier.

#include "trackquery/icmo_tracking/tracked_bills.h"

#include <support/tracker_fixture.h>

#include <components/middle_tier/failing_middle_tier.h>

namespace trackquery::testing {
namespace {

using client::middle_tier::FailurePlan;

class DetailExpansionTest : public TrackerFixture {
  protected:
    erp::FixtureDefinition Definition() const override { return TrackedBills(); }

    // Task orders, material lists, substitution lines and task order reports, in that order.
    void StartWithOrdinaryKinds(const std::vector<int32_t>& ids) {
        Choose({"A01-85", "A02-88", "A03-501", "A05-551"});
        Start(ids);
        ASSERT_EQ(NodeKeys(), (std::vector<std::string>{"-85", "-88", "-501", "-551"}));
    }

    // The node at `path` expanded by the user.
    DetailNodePtr Expanded(const std::string& path) {
        EXPECT_TRUE(Session().ExpandDetail(path)) << path;
        return NodeAt(path);
    }
};

// --- Loading a node ----------------------------------------------------------------------------

// A node loads at its first expansion: empty when the kind has no bills, without a totals row
// when no column is totalled; it is not read again, and nodes of the navigation root never load.
TEST_F(DetailExpansionTest, ANodeLoadsItsBillsAtItsFirstExpansionOnly) {
    StartWithOrdinaryKinds({9003, 9002});
    auto substitutes = Expanded("3");
    EXPECT_EQ(substitutes->FillStatus, 2) << "no substitution lines";
    EXPECT_EQ(substitutes->RowCount(), 0);

    Session().ClickNavigationNode(3);
    Session().AdvanceTime(500);
    auto reports = Expanded("4");
    EXPECT_EQ(reports->FillStatus, 1);
    ASSERT_EQ(reports->RowCount(), 1) << "no totals row";
    EXPECT_FALSE(RowAt("4.1")->IsTotal);
    EXPECT_EQ(TextOf(RowAt("4.1"), "FBillNO"), "RPT90201");
    auto plan = std::make_shared<FailurePlan>();
    client::middle_tier::RegisterFailingMiddleTier(plan);
    Viewer().CollapseDetail("4");
    ASSERT_TRUE(Session().ExpandDetail("4"));
    EXPECT_EQ(plan->Calls("GetICMOQuery"), 0) << "a loaded node is not read again";
    EXPECT_EQ(reports->RowCount(), 1);

    Session().ClickNavigationNode(1);
    auto ofRoot = Expanded("3");
    EXPECT_EQ(ofRoot->FillStatus, 0);
    EXPECT_TRUE(ofRoot->CanExpand);
    EXPECT_EQ(ofRoot->RowCount(), 0);
    EXPECT_EQ(plan->Calls("GetICMOQuery"), 0);
}

TEST_F(DetailExpansionTest, EveryCellShowsItsColumnWithStatusStockAndTheHiddenBillId) {
    StartWithOrdinaryKinds({9001});
    auto orders = Expanded("1");
    ASSERT_GE(orders->RowCount(), 1);
    auto order = RowAt("1.1");
    EXPECT_EQ(TextOf(order, "FStatus"), "下达") << "a checked task order is released";
    EXPECT_EQ(order->StatusIcon, 17);
    EXPECT_EQ(automation::CStr(order->Cell("FStatus")->Value), "Check");

    auto materials = Expanded("2");
    ASSERT_GE(materials->RowCount(), 1);
    auto row = RowAt("2.1");
    EXPECT_EQ(row->RowColor, 5662310);
    EXPECT_FALSE(row->CanExpand);
    EXPECT_EQ(row->CellCount(), materials->ColumnCount());
    EXPECT_EQ(TextOf(row, "FBillNO"), "PPBOM9001");
    EXPECT_EQ(TextOf(row, "FItemNumber"), "T.9002");
    EXPECT_EQ(TextOf(row, "FStatus"), "审核") << "any other checked bill is checked";
    EXPECT_EQ(row->StatusIcon, 17);
    EXPECT_EQ(TextOf(row, "FQtyMust"), "10.000");
    // The stock of the material comes from the stock, with the decimals of its quantity.
    EXPECT_EQ(TextOf(row, "FAuxQtyStock"), "13.750");
    EXPECT_DOUBLE_EQ(automation::CDbl(row->Cell("FAuxQtyStock")->Value), 13.75);
    EXPECT_EQ(automation::CLng(row->Cell("FBillInterID")->Value), 90001);
    EXPECT_EQ(automation::CLng(row->Cell("FBillerID")->Value), erp::kPlannerID);
}

// Substitution lines are numbered instead of showing bill numbers, each quantity shows the
// decimals of its row and the total the largest of them; no status keyword sets no icon.
TEST_F(DetailExpansionTest, SubstitutionLinesAreNumberedAndTotalledWithTheLargestDecimals) {
    StartWithOrdinaryKinds({9001});
    auto node = Expanded("3");
    ASSERT_EQ(node->RowCount(), 3);
    EXPECT_EQ(TextOf(RowAt("3.1"), "FBillNO"), "1");
    EXPECT_EQ(automation::CLng(RowAt("3.1")->Cell("FBillNO")->Value), 1);
    EXPECT_EQ(TextOf(RowAt("3.2"), "FBillNO"), "2");
    EXPECT_EQ(TextOf(RowAt("3.1"), "FQty"), "1.5");
    EXPECT_EQ(TextOf(RowAt("3.2"), "FQty"), "2.125");
    EXPECT_DOUBLE_EQ(automation::CDbl(RowAt("3.2")->Cell("FQty")->Value), 2.125);
    EXPECT_EQ(RowAt("3.1")->StatusIcon, 0);
    EXPECT_EQ(TextOf(RowAt("3.1"), "FStatus"), "");

    auto totals = RowAt("3.3");
    EXPECT_TRUE(totals->IsTotal);
    EXPECT_FALSE(totals->CanExpand);
    EXPECT_EQ(totals->RowColor, 5662310);
    auto first = totals->Cell("FBillNo");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Text, "合计");
    EXPECT_EQ(automation::CStr(totals->CellTag(totals->CellPosition("FBillNo"))), "SUM");
    EXPECT_EQ(TextOf(totals, "FQty"), "3.625");
    EXPECT_DOUBLE_EQ(automation::CDbl(totals->Cell("FQty")->Value), 3.625);
}

// A failing middle tier ends the expansion without a word and leaves the node unloaded, so that
// the next expansion reads it.
TEST_F(DetailExpansionTest, AMiddleTierFailureLeavesTheNodeToLoadAgain) {
    StartWithOrdinaryKinds({9001});
    auto plan = std::make_shared<FailurePlan>();
    plan->Fail("GetICMOQuery", FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    auto node = Expanded("3");
    EXPECT_EQ(plan->Calls("GetICMOQuery"), 1);
    EXPECT_EQ(node->FillStatus, 0);
    EXPECT_EQ(node->RowCount(), 0);
    EXPECT_EQ(BoxCount(), 0u);

    plan->HealAll();
    Viewer().CollapseDetail("3");
    ASSERT_TRUE(Session().ExpandDetail("3"));
    EXPECT_EQ(node->FillStatus, 1);
    EXPECT_EQ(node->RowCount(), 3);
}

// --- Operation records and the package kinds under them ---------------------------------------

TEST_F(DetailExpansionTest, OperationRecordsLoadUnderTheirOperationAndOfferThePackageKinds) {
    Choose({"P00-52", "P01-502", "P061002504"});
    Start({9001});
    ASSERT_EQ(NodeKeys(), std::vector<std::string>{"11620"});
    auto records = Expanded("1.1.1");
    EXPECT_EQ(records->FillStatus, 1);
    ASSERT_EQ(records->RowCount(), 2) << "the record of operation 10 and the totals row";
    auto record = RowAt("1.1.1.1");
    EXPECT_EQ(TextOf(record, "FOperSN"), "10");
    EXPECT_EQ(automation::CLng(record->Cell("FKeyInterID")->Value), 90011);
    EXPECT_TRUE(RowAt("1.1.1.2")->IsTotal);
    EXPECT_TRUE(record->CanExpand);
    EXPECT_FALSE(record->IsExpanded);

    ASSERT_TRUE(Session().ExpandDetail("1.1.1.1"));
    EXPECT_EQ(record->ChildState, 1);
    ASSERT_EQ(ChildKeys(record), (std::vector<std::string>{"-502", "1002504"}));
    EXPECT_EQ(automation::CLng(record->GetChild(1)->Tag), 90011);
    auto transfers = Expanded("1.1.1.1.1");
    EXPECT_EQ(transfers->FillStatus, 1);
    ASSERT_EQ(transfers->RowCount(), 3);
    EXPECT_EQ(TextOf(RowAt("1.1.1.1.1.1"), "FBillNO"), "GXYZ90101");
    EXPECT_EQ(TextOf(RowAt("1.1.1.1.1.1"), "FStatus"), "审核");
    EXPECT_EQ(TextOf(RowAt("1.1.1.1.1.2"), "FStatus"), "关闭");
    EXPECT_EQ(RowAt("1.1.1.1.1.2")->StatusIcon, 18);
    EXPECT_EQ(TextOf(RowAt("1.1.1.1.1.3"), "FQty"), "80.0");

    // A second expansion of the row builds nothing more.
    Viewer().CollapseDetail("1.1.1.1");
    ASSERT_TRUE(Session().ExpandDetail("1.1.1.1"));
    EXPECT_EQ(record->ChildCount(), 2);
}

// Expansions that change nothing: the event before an expansion, a record row when no package
// kind is chosen, and a bill row of any other kind.
TEST_F(DetailExpansionTest, ExpansionsThatOfferNothing) {
    Choose({"A02-88", "P00-52"});
    Start({9001});
    ASSERT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "11620"}));
    auto plan = std::make_shared<FailurePlan>();
    client::middle_tier::RegisterFailingMiddleTier(plan);
    Tracker()->DetailBeforeExpand(0, "1", NodeAt("1"), "0");
    EXPECT_EQ(NodeAt("1")->FillStatus, 0);
    EXPECT_EQ(NodeAt("1")->RowCount(), 0);
    EXPECT_EQ(plan->Calls("GetICMOQuery"), 0);

    Expanded("2.1.1");
    auto record = RowAt("2.1.1.1");
    ASSERT_NE(record, nullptr);
    EXPECT_FALSE(record->CanExpand);
    EXPECT_FALSE(Session().ExpandDetail("2.1.1.1")) << "the viewer offers no expansion";
    // Asked all the same, the tracker marks the row as having no children.
    Tracker()->DetailExpand(0, "2.1.1.1", record, "1");
    EXPECT_EQ(record->ChildState, 2);
    EXPECT_FALSE(record->CanExpand);
    EXPECT_EQ(record->ChildCount(), 0);

    Expanded("1");
    auto material = RowAt("1.1");
    ASSERT_NE(material, nullptr);
    Tracker()->DetailExpand(0, "1.1", material, "1");
    EXPECT_EQ(material->ChildState, 0);
    EXPECT_EQ(material->ChildCount(), 0);
}

// --- Empty values ------------------------------------------------------------------------------

class DetailExpansionEmptyValueTest : public DetailExpansionTest {
  protected:
    // Task order reports read through a view with a text and a quantity that are never filled.
    erp::FixtureDefinition Definition() const override {
        auto definition = TrackedBills();
        for (const char* statement :
             {"CREATE VIEW VTrack_TestReports AS SELECT *, NULL AS FRemark, NULL AS FQtyRework "
              "FROM VTrack_ICMORpt",
              "UPDATE ICTrackKind SET FViewName = 'VTrack_TestReports' WHERE FTrackType = -85 AND "
              "FTranType = -551",
              "INSERT INTO ICTrackTemplate VALUES "
              "(-85, -551, 9, 'FRemark', '备注', '備註', 'Remark', 0, 1, 0, 0, '', 0), "
              "(-85, -551, 10, 'FQtyRework', '返工数量', '返工數量', 'Rework', "
              "1, 1, 1, 1, '', 2)"}) {
            definition.statements.push_back(statement);
        }
        return definition;
    }
};

TEST_F(DetailExpansionEmptyValueTest, AnEmptyValueShowsAsNothingAndTheBillStays) {
    StartWithOrdinaryKinds({9002});
    auto node = Expanded("4");
    EXPECT_EQ(node->FillStatus, 1);
    ASSERT_EQ(node->RowCount(), 2) << "the report and the totals row";
    auto row = RowAt("4.1");
    EXPECT_EQ(TextOf(row, "FBillNO"), "RPT90201");
    EXPECT_EQ(TextOf(row, "FRemark"), "");
    EXPECT_TRUE(row->Cell("FRemark")->Value.IsNull());
    EXPECT_EQ(TextOf(row, "FQtyRework"), "");
    EXPECT_EQ(automation::CLng(row->Cell("FBillInterID")->Value), 90201);
    auto totals = RowAt("4.2");
    ASSERT_TRUE(totals->IsTotal);
    EXPECT_EQ(TextOf(totals, "FQtyRework"), "0.00") << "nothing to add, shown with its decimals";
}

}  // namespace
}  // namespace trackquery::testing
