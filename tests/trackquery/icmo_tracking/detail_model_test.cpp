// The detail tree of tracked bill kinds over a fixture database: which nodes a task order and the
// navigation root get, their columns, the operation nodes, and how the bill option dialog updates
// the tree in place.

#include "trackquery/icmo_tracking/tracker_session.h"

#include <client/middle_tier/failing_middle_tier.h>
#include <client/middle_tier/middle_tier_servers.h>

#include <trackquery/contracts/detail_model.h>
#include <trackquery/contracts/middle_tier.h>
#include <trackquery/dialogs/frmBillSel.h>

#include <platform/automation/conversions.h>
#include <platform/windowing/form.h>
#include <platform/windowing/list_view.h>

#include <algorithm>
#include <functional>

namespace trackquery::testing {
namespace {

using automation::Variant;

// Counts the field definition reads of tracked kinds (transaction type -85) and passes every call
// on to the real server.
class CountingGetICMOQuery : public client::middle_tier::GetICMOQueryServer {
  public:
    explicit CountingGetICMOQuery(std::shared_ptr<int> kindReads,
                                  std::shared_ptr<std::vector<std::string>> selectors)
        : kindReads_(std::move(kindReads)), selectors_(std::move(selectors)) {}
    explicit CountingGetICMOQuery(std::shared_ptr<int> kindReads)
        : kindReads_(std::move(kindReads)) {}
    RecordsetPtr GetQueryFields(const std::string& sProps, int16_t iTranType,
                                const automation::Variant& vSelector) override {
        if (iTranType == -85) ++*kindReads_;
        if (iTranType == -85 && selectors_) selectors_->push_back(automation::CStr(vSelector));
        return GetICMOQueryServer::GetQueryFields(sProps, iTranType, vSelector);
    }

  private:
    std::shared_ptr<int> kindReads_;
    std::shared_ptr<std::vector<std::string>> selectors_;
};

class DetailModelTest : public TrackerSession {
  protected:
    DetailNodePtr Node(const std::string& key) const {
        for (const auto& node : Detail()->Nodes()) {
            if (node->Key == key) return node;
        }
        return nullptr;
    }
    static std::vector<std::string> ColumnKeys(const DetailNodePtr& node) {
        std::vector<std::string> keys;
        for (int32_t i = 1; i <= node->ColumnCount(); ++i) keys.push_back(node->Column(i)->Key);
        return keys;
    }
    // A task order with ordinary operations, and one with rework operations too.
    int32_t OrderWithOperations() const {
        return static_cast<int32_t>(
            Scalar("SELECT MIN(FICMOInterID) FROM SHWorkBill WHERE FBillType = 11620"));
    }
    int32_t OrderWithRework() const {
        return static_cast<int32_t>(
            Scalar("SELECT MIN(FICMOInterID) FROM SHWorkBill WHERE FBillType = 11621"));
    }
    int32_t OrderWithoutOperations() const {
        return static_cast<int32_t>(
            Scalar("SELECT MIN(FInterID) FROM ICMO WHERE FInterID NOT IN (SELECT FICMOInterID FROM "
                   "SHWorkBill)"));
    }

    // Runs the bill option dialog; `user` acts on it while it is shown.
    void RunBillOption(std::function<void(frmBillSel&)> user) {
        session->Backend().AddModalStep(
            "frmBillSel", [user](windowing::Form& form) { user(dynamic_cast<frmBillSel&>(form)); });
        DetailModelTestAccess::ShowBillOption(*tracker);
    }
    // Clicks the check box of the option with `key` as the user does.
    static void Toggle(frmBillSel& dialog, const std::string& key) {
        dialog.lvwBillType->ClickCheckBox(dialog.lvwBillType->GetListItems().Item(key));
    }
    static void Confirm(frmBillSel& dialog) { dialog.CmdOK->Click(); }
};

// --- A task order's nodes -------------------------------------------------------------------

TEST_F(DetailModelTest, ChosenOrdinaryKindsBecomeNodesInOptionOrder) {
    Open(Choose({"A06-2", "A02-88", "A10-81"}));
    Start({OrderWithoutOperations()});
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "-2", "-81"}));
    for (const auto& node : Detail()->Nodes()) {
        EXPECT_FALSE(node->IsExpanded);
        EXPECT_TRUE(node->CanExpand);
        EXPECT_EQ(node->FillStatus, 0);
        EXPECT_EQ(node->Tag, Variant(tracker->FInterID()));
    }
    EXPECT_EQ(Detail(), tracker->Window()->Viewer()->GetDetailModel());
}

TEST_F(DetailModelTest, NodeColumnsFollowTheKindsFieldsAndEndWithTheHiddenBillId) {
    Open(Choose({"A02-88"}));
    Start({1});
    auto node = Node("-88");
    ASSERT_TRUE(node);
    const int64_t fields =
        Scalar("SELECT COUNT(*) FROM ICTrackTemplate WHERE FTrackType = -85 AND FTranType = -88");
    ASSERT_EQ(node->ColumnCount(), fields + 1);
    // The bill number column is headed by the kind's name, the others by their own captions.
    EXPECT_EQ(node->Column(1)->Key, "FBillNO");
    EXPECT_EQ(node->Column(1)->Caption, "生产投料单");
    EXPECT_EQ(node->Column(2)->Key, "FStatus");
    EXPECT_EQ(node->Column(2)->Caption, "状态");
    EXPECT_EQ(node->Column(2)->Align, 2);
    EXPECT_EQ(automation::CLng(node->Column(7)->CtlType), 1);
    EXPECT_TRUE(node->Column(7)->Visible);
    auto last = node->Column(node->ColumnCount());
    EXPECT_EQ(last->Key, "FBillInterID");
    EXPECT_EQ(last->Caption, "单据内码");
    EXPECT_FALSE(last->Visible);
    EXPECT_EQ(last->Align, 0);
}

TEST_F(DetailModelTest, KindWithoutFieldsGetsANodeWithoutColumns) {
    std::vector<std::string> statements = Choose({"A02-88", "A04-24"});
    statements.push_back("DELETE FROM ICTrackTemplate WHERE FTrackType = -85 AND FTranType = -24");
    Open(statements);
    Start({1});
    ASSERT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "-24"}));
    EXPECT_EQ(Node("-24")->ColumnCount(), 0);
    EXPECT_GT(Node("-88")->ColumnCount(), 1);
}

TEST_F(DetailModelTest, OperationNodesComeAfterTheOrdinaryNodes) {
    Open(Choose({"A02-88", "P00-52", "P01-502"}));
    const int32_t order = OrderWithRework();
    ASSERT_GT(order, 0);
    Start({order});
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "11620", "11621"}));
    EXPECT_EQ(DetailModelTestAccess::PackageCount(*tracker), 2);
}

TEST_F(DetailModelTest, OnlyOperationKindsGiveOnlyOperationNodes) {
    Open(Choose({"P00-52", "P04-710"}));
    const int32_t order = OrderWithOperations();
    Start({order});
    ASSERT_FALSE(NodeKeys().empty());
    for (const auto& key : NodeKeys()) EXPECT_TRUE(key == "11620" || key == "11621") << key;
}

TEST_F(DetailModelTest, PackageKindsNeverBecomeTopLevelNodes) {
    Open(Choose({"A02-88", "P00-52", "P01-502", "P05-715"}));
    Start({OrderWithoutOperations()});
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88"}));
}

// --- The navigation root ---------------------------------------------------------------------

TEST_F(DetailModelTest, RootShowsEveryChosenKindWithOneBillNumberColumn) {
    Open(Choose({"A02-88", "A04-24", "P00-52", "P01-502"}));
    const int32_t order = OrderWithOperations();
    auto kindReads = std::make_shared<int>(0);
    Start({order});
    session->Replace(kProgIdGetICMOQuery, [kindReads] {
        return std::make_shared<CountingGetICMOQuery>(kindReads, nullptr);
    });
    session->ClickNavigationNode(1);
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "-24"}));
    for (const auto& node : Detail()->Nodes()) {
        ASSERT_EQ(node->ColumnCount(), 1);
        EXPECT_EQ(node->Column(1)->Key, "FBillNO");
        EXPECT_TRUE(node->Column(1)->Visible);
        EXPECT_EQ(node->Column(1)->CtlType, Variant(""));
        EXPECT_EQ(node->Tag, Variant(int32_t{0}));
    }
    EXPECT_EQ(Node("-88")->Column(1)->Caption, "生产投料单");
    EXPECT_EQ(Node("-24")->Column(1)->Caption, "生产领料单");
    EXPECT_EQ(*kindReads, 0) << "the root reads no field definitions";
}

// --- Failures ------------------------------------------------------------------------------

TEST_F(DetailModelTest, FailedOperationReadKeepsThePreviousModel) {
    Open(Choose({"A02-88", "P00-52"}));
    Start({OrderWithOperations()});
    const DetailModelPtr before = Detail();
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetICMOOper", client::middle_tier::FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    std::string error;
    EXPECT_FALSE(DetailModelTestAccess::CreateDetailModel(*tracker, tracker->FInterID(), error));
    EXPECT_EQ(error, "获取工序信息失败。");
    EXPECT_EQ(Detail(), before);
}

TEST_F(DetailModelTest, MissingBillOptionsInstallAnEmptyModel) {
    Open(Choose({"A02-88"}));
    Start({1});
    ASSERT_EQ(Detail()->Count(), 1);
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("CGetICMOQuery.GetBillOption");
    client::middle_tier::RegisterFailingMiddleTier(plan);
    std::string error;
    EXPECT_TRUE(DetailModelTestAccess::CreateDetailModel(*tracker, 1, error));
    ASSERT_TRUE(Detail());
    EXPECT_EQ(Detail()->Count(), 0);
}

// --- The bill option dialog -----------------------------------------------------------------

TEST_F(DetailModelTest, AfterTheDialogKeptNodesKeepTheirRowsAndNewKindsTakeTheirPlace) {
    Open(Choose({"A02-88", "A10-81"}));
    Start({OrderWithoutOperations()});
    auto kept = Node("-88");
    ASSERT_TRUE(kept);
    kept->AddRow(std::make_shared<DetailRow>());
    kept->FillStatus = 1;
    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "A06-2");   // newly chosen, between -88 and -81
        Toggle(dialog, "A10-81");  // no longer chosen
        Toggle(dialog, "A01-85");  // newly chosen, first
        Confirm(dialog);
    });
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-85", "-88", "-2"}));
    EXPECT_EQ(Node("-88"), kept);
    EXPECT_EQ(kept->RowCount(), 1);
    EXPECT_EQ(kept->FillStatus, 1);
    auto added = Node("-2");
    EXPECT_EQ(added->FillStatus, 0);
    EXPECT_EQ(added->Tag, Variant(tracker->FInterID()));
    EXPECT_EQ(added->Column(added->ColumnCount())->Key, "FBillInterID");
    EXPECT_EQ(Node("-2")->Column(1)->Caption, "产品入库单");
}

TEST_F(DetailModelTest, LeavingTheDialogChangesNothing) {
    Open(Choose({"A02-88"}));
    Start({1});
    const DetailModelPtr before = Detail();
    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "A06-2");
        dialog.cmdExit->Click();
    });
    EXPECT_EQ(Detail(), before);
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88"}));
}

TEST_F(DetailModelTest, UnchoosingOperationRecordsRemovesTheOperationNodesAndEmptiesThePackage) {
    Open(Choose({"A02-88", "P00-52", "P01-502"}));
    const int32_t order = OrderWithRework();
    Start({order});
    ASSERT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "11620", "11621"}));
    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "P00-52");
        Confirm(dialog);
    });
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88"}));
    EXPECT_EQ(DetailModelTestAccess::PackageCount(*tracker), 0);
    // Building the tree again (as a refresh does) does not bring the operation nodes back.
    std::string error;
    ASSERT_TRUE(DetailModelTestAccess::CreateDetailModel(*tracker, order, error));
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88"}));
}

TEST_F(DetailModelTest, ChoosingOperationRecordsAddsTheOperationNodes) {
    Open(Choose({"A02-88"}));
    const int32_t order = OrderWithOperations();
    Start({order});
    ASSERT_EQ(NodeKeys(), (std::vector<std::string>{"-88"}));
    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "P01-502");  // checks -52 as well
        Confirm(dialog);
    });
    const auto keys = NodeKeys();
    ASSERT_GE(keys.size(), 2u);
    EXPECT_EQ(keys.front(), "-88");
    EXPECT_EQ(keys[1], "11620");
    EXPECT_EQ(DetailModelTestAccess::PackageCount(*tracker), 2);
}

TEST_F(DetailModelTest, KeptOperationNodesResetThePackageChildrenOfTheirRecords) {
    Open(Choose({"A02-88", "P00-52"}));
    const int32_t order = OrderWithOperations();
    Start({order});
    auto operations = Node("11620");
    ASSERT_TRUE(operations);
    ASSERT_GT(operations->RowCount(), 0);
    auto operationRow = std::dynamic_pointer_cast<DetailRow>(operations->Row(1));
    ASSERT_TRUE(operationRow);
    ASSERT_GE(operationRow->ChildCount(), 1);
    auto records = operationRow->GetChild(1);
    auto recordRow = std::make_shared<DetailRow>();
    recordRow->ChildState = 2;
    recordRow->CanExpand = false;
    records->AddRow(recordRow);
    // A record row that was expanded before: it carries the package node of the earlier choice.
    auto expandedRow = std::make_shared<DetailRow>();
    auto cell = std::make_shared<DetailCell>();
    cell->Key = "FKeyInterID";
    cell->Value = Variant(int32_t{77});
    expandedRow->AddCell(cell);
    expandedRow->RowColor = 5662310;
    expandedRow->ChildState = 1;
    expandedRow->CanExpand = true;
    expandedRow->AddChild(std::make_shared<DetailNode>());
    records->AddRow(expandedRow);
    const int32_t expandedIndex = records->RowCount();
    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "P04-710");
        Confirm(dialog);
    });
    EXPECT_EQ(Node("11620"), operations) << "the operation node stays as it was";
    EXPECT_EQ(recordRow->ChildState, 0);
    EXPECT_TRUE(recordRow->CanExpand) << "the new package kinds can be reached";
    // The expanded row is replaced in place by one without the old package nodes, so that the
    // next expansion does not show the earlier choice beside the new one.
    auto replaced = std::dynamic_pointer_cast<DetailRow>(records->Row(expandedIndex));
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->ChildCount(), 0);
    EXPECT_EQ(replaced->ChildState, 0);
    EXPECT_EQ(replaced->RowColor, 5662310);
    EXPECT_EQ(replaced->ParentNode(), records);
    ASSERT_TRUE(replaced->Cell("FKeyInterID"));
    EXPECT_EQ(replaced->Cell("FKeyInterID")->Value, Variant(int32_t{77}));
    EXPECT_EQ(DetailModelTestAccess::PackageCount(*tracker), 2);
}

TEST_F(DetailModelTest, ARefusedEmptyChoiceLeftWithExitKeepsEveryNode) {
    Open(Choose({"A02-88", "A06-2"}));
    Start({OrderWithoutOperations()});
    const DetailModelPtr before = Detail();
    RunBillOption([](frmBillSel& dialog) {
        dialog.cmdClear->Click();
        Confirm(dialog);
        dialog.cmdExit->Click();
    });
    const auto messages = session->Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "请选择至少一个单据！");
    // The dialog reports OK: the tree is brought in line with the unchanged saved choice.
    EXPECT_EQ(Detail(), before);
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "-2"}));
}

TEST_F(DetailModelTest, AFailedSaveIsShownAndLeavesTheTreeAsItWas) {
    Open(Choose({"A02-88"}));
    Start({1});
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("SetBillOption", client::middle_tier::FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "A06-2");
        Confirm(dialog);
    });
    const auto messages = session->Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(messages.back().find("Injected failure."), std::string::npos) << messages.back();
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88"}));
    // The dialog does not stay loaded behind the failure.
    const auto& events = session->Backend().FormEvents();
    auto last = std::find_if(events.rbegin(), events.rend(), [](const std::string& event) {
        return event.find("frmBillSel") != std::string::npos;
    });
    ASSERT_NE(last, events.rend());
    EXPECT_EQ(*last, "Unload frmBillSel");
}

TEST_F(DetailModelTest, FieldsAreReadOnceForEveryChosenKindIncludingThePackage) {
    Open(Choose({"A02-88", "A06-2", "P00-52", "P01-502"}));
    const int32_t order = OrderWithOperations();
    auto kindReads = std::make_shared<int>(0);
    auto selectors = std::make_shared<std::vector<std::string>>();
    session->Replace(kProgIdGetICMOQuery, [kindReads, selectors] {
        return std::make_shared<CountingGetICMOQuery>(kindReads, selectors);
    });
    Start({order});
    ASSERT_EQ(*kindReads, 1);
    // Each kind followed by a blank and a comma, the last comma dropped, in option key order.
    EXPECT_EQ(selectors->front(), "-88 ,-2 ,-52 ,-502 ");
}

TEST_F(DetailModelTest, AUserIdAboveTheSixteenBitRangeReadsItsOptions) {
    // No choice saved for this user: the option set's defaults apply.
    Open({}, 12, 100000);
    Start({OrderWithoutOperations()});
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "-24", "-2", "-81"}));
}

}  // namespace
}  // namespace trackquery::testing
