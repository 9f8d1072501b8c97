// The operation package (template nodes of the chosen package kinds) and the operation nodes of a
// task order, over the SQLite middle tier.

#include "trackquery/icmo_tracking/tracked_bills_fixture.h"

#include <client/middle_tier/failing_middle_tier.h>

#include <algorithm>

namespace trackquery::testing {
namespace {

using Access = OperPackageTestAccess;

class OperPackageTest : public TrackedBillsFixture {
  protected:
    // The user's bill options (all of them, chosen or not) and the query fields of every kind.
    void ReadOptions(bool chosenOnly) {
        options = Server()->GetBillOption(GetPropsString(), "ICMOTrack",
                                          automation::Variant(erp::kAdministratorID), chosenOnly);
        ASSERT_NE(options, nullptr);
        std::string list;
        for (options->MoveFirst(); !options->Eof(); options->MoveNext()) {
            list += automation::CStr(options->Value("FID")) + " ,";
        }
        list.pop_back();
        fields = Server()->GetQueryFields(GetPropsString(), -85, automation::Variant(list));
    }

    CICMOQueryPtr TrackerWithPackage(const std::vector<std::string>& chosenKeys) {
        Session(erp::kAdministratorID, chosenKeys);
        auto tracker = Track({{9003, "WORK9003"}});
        Access::SetFInterID(*tracker, 9001);
        ReadOptions(true);
        Access::CreateOperPackage(*tracker, options, fields);
        return tracker;
    }

    static std::vector<std::string> Keys(const automation::VectorPtr& package) {
        std::vector<std::string> keys;
        for (const auto& item : package->Items()) keys.push_back(item.As<DetailNode>()->Key);
        return keys;
    }

    static std::vector<std::string> Fids(const RecordsetPtr& rs) {
        std::vector<std::string> fids;
        rs->SetFilter("");
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
            fids.push_back(automation::CStr(rs->Value("FID")));
        return fids;
    }

    RecordsetPtr options;
    RecordsetPtr fields;
};

TEST_F(OperPackageTest, ThePackageHoldsTheChosenPackageKindsOperationRecordsFirst) {
    auto tracker = TrackerWithPackage({"P061002504", "A02-88", "P01-502", "P00-52", "A03-501"});
    EXPECT_EQ(Keys(Access::Package(*tracker)),
              (std::vector<std::string>{"-52", "-502", "1002504"}));
}

TEST_F(OperPackageTest, PackageNodesAreNewUnloadedNodesOfTheShownTaskOrder) {
    auto tracker = TrackerWithPackage({"P00-52", "P01-502"});
    auto package = Access::Package(*tracker);
    ASSERT_EQ(package->Count(), 2);
    auto node = package->Item(2).As<DetailNode>();
    EXPECT_EQ(node->Key, "-502");
    EXPECT_EQ(automation::CLng(node->Tag), 9001);
    EXPECT_EQ(node->FillStatus, 0);
    EXPECT_TRUE(node->CanExpand);
    EXPECT_FALSE(node->IsExpanded);
    EXPECT_EQ(node->RowCount(), 0);
    EXPECT_GT(node->ColumnCount(), 1) << "the kind's columns come from its query fields";
}

TEST_F(OperPackageTest, ThePackageKindsItTookAreDeletedFromTheOptionsAndTheFilterIsCleared) {
    Session(erp::kAdministratorID, {"A02-88", "P00-52", "P01-502"});
    auto tracker = Track({{9003, "WORK9003"}});
    ReadOptions(false);
    Access::CreateOperPackage(*tracker, options, fields);
    EXPECT_EQ(options->Filter(), "");
    const auto left = Fids(options);
    for (const char* taken : {"-52", "-502"}) {
        EXPECT_EQ(std::count(left.begin(), left.end(), taken), 0) << taken;
    }
    // Package kinds the user has not chosen stay where they were, and so do ordinary kinds.
    for (const char* kept : {"-88", "-85", "-581", "-582", "-710", "-715", "1002504"}) {
        EXPECT_EQ(std::count(left.begin(), left.end(), kept), 1) << kept;
    }
    EXPECT_EQ(Keys(Access::Package(*tracker)), (std::vector<std::string>{"-52", "-502"}));
}

TEST_F(OperPackageTest, AnEmptyOptionListLeavesTheEarlierPackage) {
    auto tracker = TrackerWithPackage({"P00-52", "P01-502"});
    auto earlier = Access::Package(*tracker);
    auto empty = std::make_shared<adodb::Recordset>();
    empty->Fields()->Append("FID", adodb::adInteger);
    empty->Fields()->Append("FKey", adodb::adVarWChar, 20);
    empty->Fields()->Append("FValue", adodb::adInteger);
    empty->Open();
    Access::CreateOperPackage(*tracker, empty, fields);
    EXPECT_EQ(Access::Package(*tracker), earlier);
    EXPECT_EQ(Keys(earlier), (std::vector<std::string>{"-52", "-502"}));
}

TEST_F(OperPackageTest, OrdinaryOperationsBecomeOneRowEachUnderTheOrdinaryNode) {
    auto tracker = TrackerWithPackage({"P00-52", "P01-502"});
    auto model = std::make_shared<DetailModel>();
    EXPECT_EQ(Access::CreateOperDetail(*tracker, model, 9001, options, fields), 2);
    ASSERT_EQ(model->Count(), 1);
    auto node = model->Item(1);
    EXPECT_EQ(node->Key, "11620");
    EXPECT_EQ(automation::CLng(node->Tag), 9001);
    EXPECT_EQ(node->FillStatus, 1);
    EXPECT_TRUE(node->CanExpand);
    EXPECT_FALSE(node->IsExpanded);
    ASSERT_EQ(node->ColumnCount(), 1);
    EXPECT_EQ(node->Column(1)->Caption, "普通工序");
    EXPECT_EQ(node->Column(1)->Key, "CommonOper");
    EXPECT_EQ(automation::CLng(node->Column(1)->CtlType), 9001);
    EXPECT_TRUE(node->Column(1)->Visible);

    ASSERT_EQ(node->RowCount(), 2);
    auto first = RowOf(node, 1);
    EXPECT_EQ(first->RowColor, 5662310);
    EXPECT_TRUE(first->CanExpand);
    EXPECT_FALSE(first->IsExpanded);
    auto cell = first->Cell("CommonOper");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->Text, "10-Cutting");
    EXPECT_EQ(automation::CLng(cell->Value), 9001);
    EXPECT_EQ(automation::CLng(cell->Tag), 10);
    EXPECT_EQ(TextOf(RowOf(node, 2), "CommonOper"), "20-Welding");

    // Each operation carries its own copy of the operation record node, not the package's.
    ASSERT_EQ(first->ChildCount(), 1);
    auto records = first->GetChild(1);
    EXPECT_EQ(records->Key, "-52");
    EXPECT_EQ(automation::CLng(records->Tag), 9001);
    EXPECT_EQ(records->FillStatus, 0);
    EXPECT_NE(records, Access::Package(*tracker)->Item(1).As<DetailNode>());
    EXPECT_NE(records, RowOf(node, 2)->GetChild(1));
}

TEST_F(OperPackageTest, OnlyReworkOperationsGiveOnlyTheReworkNode) {
    auto tracker = TrackerWithPackage({"P00-52"});
    auto model = std::make_shared<DetailModel>();
    EXPECT_EQ(Access::CreateOperDetail(*tracker, model, 9002, options, fields), 1);
    ASSERT_EQ(model->Count(), 1);
    auto node = model->Item(1);
    EXPECT_EQ(node->Key, "11621");
    EXPECT_EQ(automation::CStr(node->Tag), "");
    ASSERT_EQ(node->ColumnCount(), 1);
    EXPECT_EQ(node->Column(1)->Caption, "返修工序");
    EXPECT_EQ(node->Column(1)->Key, "RepairOper");
    EXPECT_EQ(automation::CStr(node->Column(1)->CtlType), "");
    ASSERT_EQ(node->RowCount(), 1);
    EXPECT_EQ(TextOf(RowOf(node, 1), "RepairOper"), "15-Welding");
    EXPECT_EQ(automation::CLng(RowOf(node, 1)->Cell("RepairOper")->Tag), 15);
}

TEST_F(OperPackageTest, OperationNodesComeAfterTheNodesAlreadyInTheModel) {
    auto tracker = TrackerWithPackage({"P00-52"});
    auto model = std::make_shared<DetailModel>();
    auto ordinary = std::make_shared<DetailNode>();
    ordinary->Key = "-88";
    model->Add(ordinary, -1, false);
    EXPECT_EQ(Access::CreateOperDetail(*tracker, model, 9001, options, fields), 2);
    ASSERT_EQ(model->Count(), 2);
    EXPECT_EQ(model->Item(1)->Key, "-88");
    EXPECT_EQ(model->Item(2)->Key, "11620");
}

TEST_F(OperPackageTest, ATaskOrderWithoutOperationsGetsNoNode) {
    auto tracker = TrackerWithPackage({"P00-52"});
    auto model = std::make_shared<DetailModel>();
    EXPECT_EQ(Access::CreateOperDetail(*tracker, model, 9003, options, fields), 0);
    EXPECT_EQ(model->Count(), 0);
}

TEST_F(OperPackageTest, OperationRowsWithoutAPackageFail) {
    Session(erp::kAdministratorID, {"A02-88"});
    auto tracker = Track({{9003, "WORK9003"}});
    ReadOptions(true);
    Access::CreateOperPackage(*tracker, options, fields);
    ASSERT_EQ(Access::Package(*tracker)->Count(), 0);
    auto model = std::make_shared<DetailModel>();
    EXPECT_EQ(Access::CreateOperDetail(*tracker, model, 9001, options, fields), -1);
    EXPECT_EQ(model->Count(), 0) << "the ordinary node is added only after its rows";
}

TEST_F(OperPackageTest, AMiddleTierThatReturnsNoOperationsGivesNoNode) {
    auto tracker = TrackerWithPackage({"P00-52"});
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetICMOOper", client::middle_tier::FailurePlan::Mode::ReturnNothing);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    auto model = std::make_shared<DetailModel>();
    EXPECT_EQ(Access::CreateOperDetail(*tracker, model, 9001, options, fields), 0);
    EXPECT_EQ(model->Count(), 0);
    EXPECT_EQ(plan->Calls("GetICMOOper"), 1);
}

TEST_F(OperPackageTest, AMiddleTierThatCannotReadOperationsGivesFailure) {
    auto tracker = TrackerWithPackage({"P00-52"});
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetICMOOper", client::middle_tier::FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    auto model = std::make_shared<DetailModel>();
    EXPECT_EQ(Access::CreateOperDetail(*tracker, model, 9001, options, fields), -1);
    EXPECT_EQ(model->Count(), 0);
}

TEST_F(OperPackageTest, TheViewShowsOperationNodesAfterTheOrdinaryKinds) {
    Session(erp::kAdministratorID, {"A02-88", "P00-52", "P01-502"});
    Track({{9001, "WORK9001"}, {9002, "WORK9002"}});
    auto model = session_->Viewer()->GetDetailModel();
    ASSERT_NE(model, nullptr);
    ASSERT_EQ(model->Count(), 2);
    EXPECT_EQ(model->Item(1)->Key, "-88");
    EXPECT_EQ(model->Item(2)->Key, "11620");
    EXPECT_EQ(model->Item(2)->RowCount(), 2);
}

}  // namespace
}  // namespace trackquery::testing
