// The operation nodes of a task order and the package kinds an operation record offers, as the
// detail panel shows them over the SQLite middle tier.

#include "trackquery/icmo_tracking/tracked_bills.h"

#include <support/tracker_fixture.h>

#include <components/middle_tier/failing_middle_tier.h>
#include <components/middle_tier/middle_tier_servers.h>

#include <contracts/middle_tier.h>

namespace trackquery::testing {
namespace {

using automation::Variant;
using client::middle_tier::FailurePlan;

class OperPackageTest : public TrackerFixture {
  protected:
    erp::FixtureDefinition Definition() const override { return TrackedBills(); }

    void ClickAndWait(int32_t node) {
        Session().ClickNavigationNode(node);
        Session().AdvanceTime(500);
    }
};

// Ordinary operations under one node, rework operations under another, one row per operation;
// each row carries its own copy of the operation record node, not yet loaded.
TEST_F(OperPackageTest, OperationNodesListTheOperationsOfTheTaskOrder) {
    Choose({"A02-88", "P00-52", "P01-502"});
    Start({9001, 9002});
    ASSERT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "11620"})) << "after the ordinary kinds";
    auto node = NodeAt("2");
    EXPECT_EQ(node->Tag, Variant(int32_t{9001}));
    EXPECT_EQ(node->FillStatus, 1) << "built at once, never loaded";
    EXPECT_TRUE(node->CanExpand);
    EXPECT_FALSE(node->IsExpanded);
    ASSERT_EQ(node->ColumnCount(), 1);
    EXPECT_EQ(node->Column(1)->Caption, "普通工序");
    EXPECT_EQ(node->Column(1)->Key, "CommonOper");
    EXPECT_EQ(automation::CLng(node->Column(1)->CtlType), 9001);
    EXPECT_TRUE(node->Column(1)->Visible);

    ASSERT_EQ(node->RowCount(), 2);
    auto first = RowAt("2.1");
    EXPECT_EQ(first->RowColor, 5662310);
    EXPECT_TRUE(first->CanExpand);
    EXPECT_FALSE(first->IsExpanded);
    auto cell = first->Cell("CommonOper");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->Text, "10-Cutting");
    EXPECT_EQ(automation::CLng(cell->Value), 9001);
    EXPECT_EQ(automation::CLng(first->CellTag(first->CellPosition("CommonOper"))), 10);
    EXPECT_EQ(TextOf(RowAt("2.2"), "CommonOper"), "20-Welding");
    ASSERT_EQ(ChildKeys(first), std::vector<std::string>{"-52"});
    auto records = first->GetChild(1);
    EXPECT_EQ(records->Tag, Variant(int32_t{9001}));
    EXPECT_EQ(records->FillStatus, 0);
    EXPECT_TRUE(records->CanExpand);
    EXPECT_EQ(records->RowCount(), 0);
    EXPECT_GT(records->ColumnCount(), 1) << "the kind's columns come from its query fields";
    EXPECT_NE(records, RowAt("2.2")->GetChild(1));

    ClickAndWait(3);
    ASSERT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "11621"})) << "rework only";
    auto rework = NodeAt("2");
    EXPECT_EQ(automation::CStr(rework->Tag), "");
    ASSERT_EQ(rework->ColumnCount(), 1);
    EXPECT_EQ(rework->Column(1)->Caption, "返修工序");
    EXPECT_EQ(rework->Column(1)->Key, "RepairOper");
    EXPECT_EQ(automation::CStr(rework->Column(1)->CtlType), "");
    ASSERT_EQ(rework->RowCount(), 1);
    EXPECT_EQ(TextOf(RowAt("2.1"), "RepairOper"), "15-Welding");
    auto repair = RowAt("2.1");
    EXPECT_EQ(automation::CLng(repair->CellTag(repair->CellPosition("RepairOper"))), 15);
}

// No operations, or a middle tier that returns none, give no operation node and no message.
TEST_F(OperPackageTest, WithoutOperationsThereIsNoOperationNode) {
    Choose({"A02-88", "P00-52"});
    Start({9003, 9001});
    EXPECT_EQ(NodeKeys(), std::vector<std::string>{"-88"});
    auto plan = std::make_shared<FailurePlan>();
    plan->Fail("GetICMOOper");
    client::middle_tier::RegisterFailingMiddleTier(plan);
    ClickAndWait(3);
    EXPECT_EQ(plan->Calls("GetICMOOper"), 1);
    EXPECT_EQ(Tracker()->FInterID(), 9001);
    EXPECT_EQ(NodeKeys(), std::vector<std::string>{"-88"});
    EXPECT_EQ(BoxCount(), 0u);
}

// The package holds the chosen package kinds in option key order, operation records first: the
// operation rows carry the first, an operation record row offers the others as its children,
// which list the bills of that record.
TEST_F(OperPackageTest, AnOperationRecordOffersTheOtherChosenPackageKinds) {
    Choose({"P061002504", "A02-88", "P01-502", "P00-52", "A03-501"});
    Start({9001});
    ASSERT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "-501", "11620"}));
    EXPECT_EQ(ChildKeys(RowAt("3.1")), std::vector<std::string>{"-52"});
    ASSERT_TRUE(Session().ExpandDetail("3.1.1"));
    ASSERT_TRUE(Session().ExpandDetail("3.1.1.1"));
    auto record = RowAt("3.1.1.1");
    ASSERT_EQ(ChildKeys(record), (std::vector<std::string>{"-502", "1002504"}));
    auto transfers = record->GetChild(1);
    EXPECT_EQ(transfers->Tag, Variant(int32_t{90011})) << "the bills of the operation record";
    EXPECT_EQ(transfers->FillStatus, 0);
    EXPECT_TRUE(transfers->CanExpand);
    EXPECT_FALSE(transfers->IsExpanded);
    EXPECT_EQ(transfers->RowCount(), 0);
    EXPECT_GT(transfers->ColumnCount(), 1);
}

// A middle tier that also lists the package kinds the user has not chosen: only those chosen
// (FValue 1) join the package.
class EveryOptionGetICMOQuery : public client::middle_tier::GetICMOQueryServer {
  public:
    RecordsetPtr GetBillOption(const std::string& sProps, const std::string& sBillType,
                               const Variant& vUserID, bool) override {
        return GetICMOQueryServer::GetBillOption(sProps, sBillType, vUserID, false);
    }
};

TEST_F(OperPackageTest, PackageKindsNotChosenStayOutOfThePackage) {
    Choose({"A02-88", "P00-52", "P05-715"});
    Session().Replace(kProgIdGetICMOQuery,
                      [] { return std::make_shared<EveryOptionGetICMOQuery>(); });
    Start({9001});
    auto keys = NodeKeys();
    ASSERT_FALSE(keys.empty());
    ASSERT_EQ(keys.back(), "11620");
    const std::string operations = std::to_string(keys.size());
    ASSERT_TRUE(Session().ExpandDetail(operations + ".1.1"));
    ASSERT_TRUE(Session().ExpandDetail(operations + ".1.1.1"));
    EXPECT_EQ(ChildKeys(RowAt(operations + ".1.1.1")), std::vector<std::string>{"-715"});
}

}  // namespace
}  // namespace trackquery::testing
