// Expanding detail nodes into their bills and operation record rows into the package kinds, over
// the SQLite middle tier.

#include "trackquery/icmo_tracking/tracked_bills_fixture.h"

#include <client/middle_tier/failing_middle_tier.h>

namespace trackquery::testing {
namespace {

class DetailExpansionTest : public TrackedBillsFixture {
  protected:
    CICMOQueryPtr Tracker(const std::vector<std::string>& chosenKeys = {"A02-88"}) {
        Session(erp::kAdministratorID, chosenKeys);
        return Track({{9003, "WORK9003"}});
    }

    // A loaded node of `kind` under `parentId`.
    DetailNodePtr Loaded(CICMOQuery& tracker, int32_t kind, int32_t parentId) {
        auto node = NodeOf(kind, parentId);
        Expand(tracker, node, "0");
        return node;
    }

    // The operation record node under the first ordinary operation of task order 9001, as the
    // view shows it.
    DetailNodePtr OperationRecords() {
        auto model = session_->Viewer()->GetDetailModel();
        if (!model) return nullptr;
        for (const auto& node : model->Nodes()) {
            if (node->Key == "11620") return RowOf(node, 1)->GetChild(1);
        }
        return nullptr;
    }
};

// --- Loading a node ----------------------------------------------------------------------------

TEST_F(DetailExpansionTest, ANodeOfTheNavigationRootDoesNotLoad) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -501, 0);
    EXPECT_EQ(node->FillStatus, 0);
    EXPECT_TRUE(node->CanExpand);
    EXPECT_EQ(node->RowCount(), 0);
}

TEST_F(DetailExpansionTest, AKindWithNoBillsIsMarkedEmptyAndGetsNoTotals) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -501, 9003);
    EXPECT_EQ(node->FillStatus, 2);
    EXPECT_EQ(node->RowCount(), 0);
}

TEST_F(DetailExpansionTest, AKindWithBillsButNoTotalledColumnGetsNoTotalsRow) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -551, 9002);
    EXPECT_EQ(node->FillStatus, 1);
    ASSERT_EQ(node->RowCount(), 1);
    EXPECT_FALSE(RowOf(node, 1)->IsTotal);
    EXPECT_EQ(TextOf(RowOf(node, 1), "FBillNO"), "RPT90201");
}

TEST_F(DetailExpansionTest, ALoadedNodeIsNotReadAgain) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -501, 9001);
    const int32_t rows = node->RowCount();
    Expand(*tracker, node, "0");
    EXPECT_EQ(node->RowCount(), rows);
}

TEST_F(DetailExpansionTest, EveryCellOfARowShowsItsColumnAndTheHiddenBillId) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -88, 9001);
    ASSERT_GE(node->RowCount(), 1);
    auto row = RowOf(node, 1);
    EXPECT_EQ(row->RowColor, 5662310);
    EXPECT_FALSE(row->CanExpand);
    EXPECT_EQ(row->Cells()->Count(), node->ColumnCount());
    EXPECT_EQ(TextOf(row, "FBillNO"), "PPBOM9001");
    EXPECT_EQ(TextOf(row, "FItemNumber"), "T.9002");
    EXPECT_EQ(automation::CLng(row->Cell("FBillInterID")->Value), 90001);
    EXPECT_EQ(automation::CLng(row->Cell("FBillerID")->Value), erp::kPlannerID);
}

// --- Numbers and totals ------------------------------------------------------------------------

TEST_F(DetailExpansionTest, SubstitutionLinesAreNumberedInsteadOfShowingBillNumbers) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -501, 9001);
    ASSERT_EQ(node->RowCount(), 3);
    EXPECT_EQ(TextOf(RowOf(node, 1), "FBillNO"), "1");
    EXPECT_EQ(automation::CLng(RowOf(node, 1)->Cell("FBillNO")->Value), 1);
    EXPECT_EQ(TextOf(RowOf(node, 2), "FBillNO"), "2");
    EXPECT_EQ(automation::CLng(RowOf(node, 2)->Cell("FBillNO")->Value), 2);
}

TEST_F(DetailExpansionTest, QuantitiesShowTheDecimalsOfTheirRow) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -501, 9001);
    ASSERT_EQ(node->RowCount(), 3);
    EXPECT_EQ(TextOf(RowOf(node, 1), "FQty"), "1.5");
    EXPECT_EQ(TextOf(RowOf(node, 2), "FQty"), "2.125");
    EXPECT_DOUBLE_EQ(automation::CDbl(RowOf(node, 2)->Cell("FQty")->Value), 2.125);
}

TEST_F(DetailExpansionTest, TheTotalsRowUsesTheLargestDecimalsOfItsColumn) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -501, 9001);
    ASSERT_EQ(node->RowCount(), 3);
    auto totals = RowOf(node, 3);
    EXPECT_TRUE(totals->IsTotal);
    EXPECT_FALSE(totals->CanExpand);
    EXPECT_EQ(totals->RowColor, 5662310);
    auto first = totals->Cell("FBillNo");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Text, "合计");
    EXPECT_EQ(automation::CStr(first->Tag), "SUM");
    EXPECT_EQ(TextOf(totals, "FQty"), "3.625");
    EXPECT_DOUBLE_EQ(automation::CDbl(totals->Cell("FQty")->Value), 3.625);
}

TEST_F(DetailExpansionTest, StockQuantitiesOfMaterialListLinesComeFromTheStock) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -88, 9001);
    ASSERT_GE(node->RowCount(), 1);
    auto row = RowOf(node, 1);
    EXPECT_EQ(TextOf(row, "FAuxQtyStock"), "13.750");
    EXPECT_DOUBLE_EQ(automation::CDbl(row->Cell("FAuxQtyStock")->Value), 13.75);
    EXPECT_EQ(TextOf(row, "FQtyMust"), "10.000");
}

// --- Status ------------------------------------------------------------------------------------

TEST_F(DetailExpansionTest, ACheckedTaskOrderReadsReleased) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -85, 9001);
    ASSERT_GE(node->RowCount(), 1);
    auto row = RowOf(node, 1);
    EXPECT_EQ(TextOf(row, "FStatus"), "下达");
    EXPECT_EQ(row->StatusIcon, 17);
    EXPECT_EQ(automation::CStr(row->Cell("FStatus")->Value), "Check");
}

TEST_F(DetailExpansionTest, AnyOtherCheckedBillReadsChecked) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -88, 9001);
    ASSERT_GE(node->RowCount(), 1);
    EXPECT_EQ(TextOf(RowOf(node, 1), "FStatus"), "审核");
    EXPECT_EQ(RowOf(node, 1)->StatusIcon, 17);
}

TEST_F(DetailExpansionTest, AClosedBillShowsTheClosedIcon) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -502, 90011);
    ASSERT_EQ(node->RowCount(), 3);
    EXPECT_EQ(TextOf(RowOf(node, 1), "FStatus"), "审核");
    EXPECT_EQ(TextOf(RowOf(node, 2), "FStatus"), "关闭");
    EXPECT_EQ(RowOf(node, 2)->StatusIcon, 18);
    EXPECT_EQ(TextOf(RowOf(node, 3), "FQty"), "80.0");
}

TEST_F(DetailExpansionTest, AStatusWithoutAKeywordSetsNoIconAndNoText) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -501, 9001);
    ASSERT_GE(node->RowCount(), 1);
    EXPECT_EQ(RowOf(node, 1)->StatusIcon, 0);
    EXPECT_EQ(TextOf(RowOf(node, 1), "FStatus"), "");
}

// --- Failures ----------------------------------------------------------------------------------

TEST_F(DetailExpansionTest, AMiddleTierFailureLeavesTheNodeAsItWas) {
    auto tracker = Tracker();
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetICMOQuery", client::middle_tier::FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    auto node = NodeOf(-501, 9001);
    EXPECT_NO_THROW(Expand(*tracker, node, "0"));
    EXPECT_EQ(node->FillStatus, 0);
    EXPECT_EQ(node->RowCount(), 0);
}

TEST_F(DetailExpansionTest, BeforeExpandDoesNothing) {
    auto tracker = Tracker();
    auto node = NodeOf(-501, 9001);
    tracker->DetailBeforeExpand(0, "1", node, "0");
    EXPECT_EQ(node->FillStatus, 0);
    EXPECT_EQ(node->RowCount(), 0);
}

// --- Operation records and the package kinds under them ---------------------------------------

TEST_F(DetailExpansionTest, OperationRecordsAreThoseOfTheirOperation) {
    Session(erp::kAdministratorID, {"P00-52", "P01-502"});
    auto tracker = Track({{9001, "WORK9001"}});
    auto records = OperationRecords();
    ASSERT_NE(records, nullptr);
    ASSERT_TRUE(session_->ExpandDetail("1.1.1"));
    EXPECT_EQ(records->FillStatus, 1);
    ASSERT_EQ(records->RowCount(), 2) << "one record and the totals row";
    EXPECT_EQ(TextOf(RowOf(records, 1), "FOperSN"), "10");
    EXPECT_EQ(automation::CLng(RowOf(records, 1)->Cell("FKeyInterID")->Value), 90011);
    EXPECT_TRUE(RowOf(records, 2)->IsTotal);
}

TEST_F(DetailExpansionTest, OperationRecordRowsOfferThePackageKindsBesideOperationRecords) {
    Session(erp::kAdministratorID, {"P00-52", "P01-502", "P061002504"});
    auto tracker = Track({{9001, "WORK9001"}});
    auto records = OperationRecords();
    ASSERT_NE(records, nullptr);
    Expand(*tracker, records, "0");
    ASSERT_GE(records->RowCount(), 1);
    auto record = RowOf(records, 1);
    EXPECT_TRUE(record->CanExpand);
    EXPECT_FALSE(record->IsExpanded);

    Expand(*tracker, record, "1");
    EXPECT_EQ(record->ChildState, 1);
    ASSERT_EQ(record->ChildCount(), 2);
    EXPECT_EQ(record->GetChild(1)->Key, "-502");
    EXPECT_EQ(record->GetChild(2)->Key, "1002504");
    EXPECT_EQ(automation::CLng(record->GetChild(1)->Tag), 90011);

    // The package kinds load under the operation record.
    auto transfers = record->GetChild(1);
    Expand(*tracker, transfers, "0");
    EXPECT_EQ(transfers->FillStatus, 1);
    ASSERT_EQ(transfers->RowCount(), 3);
    EXPECT_EQ(TextOf(RowOf(transfers, 1), "FBillNO"), "GXYZ90101");

    // A second expansion of the row builds nothing more.
    Expand(*tracker, record, "1");
    EXPECT_EQ(record->ChildCount(), 2);
}

TEST_F(DetailExpansionTest, WithOnlyOperationRecordsChosenTheRowsOfferNothing) {
    Session(erp::kAdministratorID, {"P00-52"});
    auto tracker = Track({{9001, "WORK9001"}});
    auto records = OperationRecords();
    ASSERT_NE(records, nullptr);
    Expand(*tracker, records, "0");
    ASSERT_GE(records->RowCount(), 1);
    auto record = RowOf(records, 1);
    EXPECT_FALSE(record->CanExpand);
    Expand(*tracker, record, "1");
    EXPECT_EQ(record->ChildState, 2);
    EXPECT_FALSE(record->CanExpand);
    EXPECT_EQ(record->ChildCount(), 0);
}

TEST_F(DetailExpansionTest, RowsOfOtherKindsDoNotExpand) {
    Session(erp::kAdministratorID, {"A02-88", "P00-52", "P01-502"});
    auto tracker = Track({{9003, "WORK9003"}});
    auto node = Loaded(*tracker, -88, 9001);
    auto row = RowOf(node, 1);
    Expand(*tracker, row, "1");
    EXPECT_EQ(row->ChildState, 0);
    EXPECT_EQ(row->ChildCount(), 0);
}

// --- Empty values ------------------------------------------------------------------------------

class DetailExpansionEmptyValueTest : public DetailExpansionTest {
  protected:
    // Task order reports read through a view with a text and a quantity that are never filled.
    std::vector<std::string> ExtraStatements() const override {
        return {
            "CREATE VIEW VTrack_TestReports AS SELECT *, NULL AS FRemark, NULL AS FQtyRework "
            "FROM VTrack_ICMORpt",
            "UPDATE ICTrackKind SET FViewName = 'VTrack_TestReports' WHERE FTrackType = -85 AND "
            "FTranType = -551",
            "INSERT INTO ICTrackTemplate VALUES "
            "(-85, -551, 9, 'FRemark', '备注', '備註', 'Remark', 0, 1, 0, 0, '', 0), "
            "(-85, -551, 10, 'FQtyRework', '返工数量', '返工數量', 'Rework', 1, 1, 1, 1, '', 2)",
        };
    }
};

TEST_F(DetailExpansionEmptyValueTest, AnEmptyValueShowsAsNothingAndTheBillStays) {
    auto tracker = Tracker();
    auto node = Loaded(*tracker, -551, 9002);
    EXPECT_EQ(node->FillStatus, 1);
    ASSERT_EQ(node->RowCount(), 2) << "the report and the totals row";
    auto row = RowOf(node, 1);
    EXPECT_EQ(TextOf(row, "FBillNO"), "RPT90201");
    EXPECT_EQ(TextOf(row, "FRemark"), "");
    EXPECT_TRUE(row->Cell("FRemark")->Value.IsNull());
    EXPECT_EQ(TextOf(row, "FQtyRework"), "");
    EXPECT_EQ(automation::CLng(row->Cell("FBillInterID")->Value), 90201);
    auto totals = RowOf(node, 2);
    ASSERT_TRUE(totals->IsTotal);
    EXPECT_EQ(TextOf(totals, "FQtyRework"), "0.00") << "nothing to add, shown with its decimals";
}

}  // namespace
}  // namespace trackquery::testing
