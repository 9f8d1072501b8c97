// The detail tree of tracked bill kinds: which nodes a task order and the navigation root get and
// their columns, and how the bill option dialog (the option tool) changes the tree in place.

#include "trackquery/icmo_tracking/tracked_bills.h"

#include <support/tracker_fixture.h>

#include <components/middle_tier/failing_middle_tier.h>
#include <components/middle_tier/middle_tier_servers.h>

#include <contracts/middle_tier.h>
#include <trackquery/dialogs/frmBillSel.h>

#include <platform/windowing/form.h>
#include <platform/windowing/list_view.h>

#include <algorithm>
#include <functional>

namespace trackquery::testing {
namespace {

using automation::Variant;
using client::middle_tier::FailurePlan;

// Notes the kind lists of the field definition reads of tracked kinds (transaction type -85)
// and passes every call on to the real server.
class CountingGetICMOQuery : public client::middle_tier::GetICMOQueryServer {
  public:
    explicit CountingGetICMOQuery(std::shared_ptr<std::vector<std::string>> kindLists)
        : kindLists_(std::move(kindLists)) {}
    RecordsetPtr GetQueryFields(const std::string& sProps, int16_t iTranType,
                                const Variant& vSelector) override {
        if (iTranType == -85) kindLists_->push_back(automation::CStr(vSelector));
        return GetICMOQueryServer::GetQueryFields(sProps, iTranType, vSelector);
    }

  private:
    std::shared_ptr<std::vector<std::string>> kindLists_;
};

class DetailModelTest : public TrackerFixture {
  protected:
    erp::FixtureDefinition Definition() const override { return TrackedBills(); }

    DetailNodePtr Node(const std::string& key) {
        for (const auto& node : Viewer().GetDetailModel()->Nodes()) {
            if (node->Key == key) return node;
        }
        return nullptr;
    }

    // The user opens the bill option dialog with the option tool and `user` acts on it.
    void RunBillOption(std::function<void(frmBillSel&)> user) {
        Session().Backend().AddModalStep(
            "frmBillSel", [user](windowing::Form& form) { user(dynamic_cast<frmBillSel&>(form)); });
        ASSERT_TRUE(Session().ClickTool("btnOption"));
    }
    // Clicks the check box of the option with `key` as the user does.
    static void Toggle(frmBillSel& dialog, const std::string& key) {
        dialog.lvwBillType->ClickCheckBox(dialog.lvwBillType->GetListItems().Item(key));
    }
    static void Confirm(frmBillSel& dialog) { dialog.CmdOK->Click(); }
};

// --- The nodes of a task order and of the root ---------------------------------------------

// Chosen ordinary kinds become nodes in option order, each with its kind's columns and the
// hidden bill id last; a kind without field definitions gets a node without columns; package
// kinds never become nodes of their own.
TEST_F(DetailModelTest, ATaskOrderShowsOneNodePerChosenKindWithItsColumns) {
    Choose({"A10-81", "A06-2", "A02-88", "A04-24", "P01-502", "P05-715"});
    Execute("DELETE FROM ICTrackTemplate WHERE FTrackType = -85 AND FTranType = -24");
    Start({9001});
    ASSERT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "-24", "-2", "-81"}));
    for (const auto& node : Viewer().GetDetailModel()->Nodes()) {
        EXPECT_FALSE(node->IsExpanded);
        EXPECT_TRUE(node->CanExpand);
        EXPECT_EQ(node->FillStatus, 0);
        EXPECT_EQ(node->Tag, Variant(int32_t{9001}));
    }
    EXPECT_EQ(Node("-24")->ColumnCount(), 0);
    auto node = Node("-88");
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

TEST_F(DetailModelTest, FieldsAreReadOnceForEveryChosenKindIncludingThePackage) {
    Choose({"A02-88", "A06-2", "P00-52", "P01-502"});
    auto kindLists = std::make_shared<std::vector<std::string>>();
    Session().Replace(kProgIdGetICMOQuery,
                      [kindLists] { return std::make_shared<CountingGetICMOQuery>(kindLists); });
    Start({9001});
    // Each kind followed by a blank and a comma, the last comma dropped, in option key order.
    EXPECT_EQ(*kindLists, std::vector<std::string>{"-88 ,-2 ,-52 ,-502 "});
}

TEST_F(DetailModelTest, TheRootShowsEveryChosenKindWithOneBillNumberColumnAndReadsNoFields) {
    Choose({"A02-88", "A04-24", "P00-52", "P01-502"});
    Start({9001});
    auto kindLists = std::make_shared<std::vector<std::string>>();
    Session().Replace(kProgIdGetICMOQuery,
                      [kindLists] { return std::make_shared<CountingGetICMOQuery>(kindLists); });
    Session().ClickNavigationNode(1);
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "-24"})) << "no operation nodes";
    for (const auto& node : Viewer().GetDetailModel()->Nodes()) {
        ASSERT_EQ(node->ColumnCount(), 1);
        EXPECT_EQ(node->Column(1)->Key, "FBillNO");
        EXPECT_TRUE(node->Column(1)->Visible);
        EXPECT_EQ(node->Column(1)->CtlType, Variant(""));
        EXPECT_EQ(node->Tag, Variant(int32_t{0}));
    }
    EXPECT_EQ(Node("-88")->Column(1)->Caption, "生产投料单");
    EXPECT_EQ(Node("-24")->Column(1)->Caption, "生产领料单");
    EXPECT_TRUE(kindLists->empty()) << "the root reads no field definitions";
}

TEST_F(DetailModelTest, AUserIdAboveTheSixteenBitRangeReadsItsOptions) {
    // No choice saved for this user: the option set's defaults apply.
    OpenSession(100000);
    Start({9003});
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "-24", "-2", "-81"}));
}

// --- Failures ------------------------------------------------------------------------------

TEST_F(DetailModelTest, AFailedOperationReadIsToldAndTheTreeShownStays) {
    Choose({"A02-88", "P00-52"});
    Start({9001});
    const DetailModelPtr before = Viewer().GetDetailModel();
    auto plan = std::make_shared<FailurePlan>();
    plan->Fail("GetICMOOper", FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    ExpectBox("获取工序信息失败。");
    ASSERT_TRUE(Session().ClickTool("btnRefresh"));
    EXPECT_EQ(Viewer().GetDetailModel(), before);
}

TEST_F(DetailModelTest, WithoutBillOptionsTheTreeIsEmpty) {
    Choose({"A02-88"});
    Start({9001});
    ASSERT_EQ(NodeKeys(), std::vector<std::string>{"-88"});
    auto plan = std::make_shared<FailurePlan>();
    plan->Fail("CGetICMOQuery.GetBillOption");
    client::middle_tier::RegisterFailingMiddleTier(plan);
    ASSERT_TRUE(Session().ClickTool("btnRefresh"));
    ASSERT_NE(Viewer().GetDetailModel(), nullptr);
    EXPECT_EQ(Viewer().GetDetailModel()->Count(), 0);
}

// --- The bill option dialog -----------------------------------------------------------------

TEST_F(DetailModelTest, AfterTheDialogKeptNodesKeepTheirRowsAndNewKindsTakeTheirPlace) {
    Choose({"A02-88", "A10-81"});
    Start({9001});
    ASSERT_TRUE(Session().ExpandDetail("1"));
    auto kept = Node("-88");
    ASSERT_EQ(kept->FillStatus, 1);
    const int32_t rows = kept->RowCount();
    ASSERT_GT(rows, 0);
    ASSERT_TRUE(Viewer().HasBuffer("MO9001"));
    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "A06-2");   // newly chosen, between -88 and -81
        Toggle(dialog, "A10-81");  // no longer chosen
        Toggle(dialog, "A01-85");  // newly chosen, first
        Confirm(dialog);
    });
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-85", "-88", "-2"}));
    EXPECT_EQ(Node("-88"), kept);
    EXPECT_EQ(kept->RowCount(), rows);
    EXPECT_EQ(kept->FillStatus, 1);
    auto added = Node("-2");
    EXPECT_EQ(added->FillStatus, 0);
    EXPECT_EQ(added->Tag, Variant(int32_t{9001}));
    EXPECT_EQ(added->Column(1)->Caption, "产品入库单");
    EXPECT_EQ(added->Column(added->ColumnCount())->Key, "FBillInterID");
    EXPECT_FALSE(Viewer().HasBuffer("MO9001")) << "the viewer's kept panels are dropped";
}

// Leaving the dialog, or confirming a refused empty choice and then leaving it, keeps the tree.
TEST_F(DetailModelTest, ADialogLeftWithoutANewChoiceKeepsTheTree) {
    Choose({"A02-88", "A06-2"});
    Start({9003});
    const DetailModelPtr before = Viewer().GetDetailModel();
    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "A10-81");
        dialog.cmdExit->Click();
    });
    EXPECT_EQ(Viewer().GetDetailModel(), before);
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "-2"}));

    ExpectBox("请选择至少一个单据！");
    RunBillOption([](frmBillSel& dialog) {
        dialog.cmdClear->Click();
        Confirm(dialog);
        dialog.cmdExit->Click();
    });
    // The dialog reports OK: the tree is brought in line with the unchanged saved choice.
    EXPECT_EQ(Viewer().GetDetailModel(), before);
    EXPECT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "-2"}));
}

TEST_F(DetailModelTest, AFailedSaveIsShownAndLeavesTheTreeAsItWas) {
    Choose({"A02-88"});
    Start({9003});
    auto plan = std::make_shared<FailurePlan>();
    plan->Fail("SetBillOption", FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    ExpectBox("Injected failure.");
    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "A06-2");
        Confirm(dialog);
    });
    EXPECT_EQ(NodeKeys(), std::vector<std::string>{"-88"});
    // The dialog does not stay loaded behind the failure.
    const auto& events = Session().Backend().FormEvents();
    auto last = std::find_if(events.rbegin(), events.rend(), [](const std::string& event) {
        return event.find("frmBillSel") != std::string::npos;
    });
    ASSERT_NE(last, events.rend());
    EXPECT_EQ(*last, "Unload frmBillSel");
}

// --- The operation nodes and the dialog -------------------------------------------------------

TEST_F(DetailModelTest, UnchoosingOperationRecordsRemovesTheOperationNodesForGood) {
    Choose({"A02-88", "P00-52", "P01-502"});
    Start({9001});
    ASSERT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "11620"}));
    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "P00-52");  // takes the package kinds with it
        Confirm(dialog);
    });
    EXPECT_EQ(NodeKeys(), std::vector<std::string>{"-88"});
    // Building the tree again (as a refresh does) does not bring the operation nodes back.
    ASSERT_TRUE(Session().ClickTool("btnRefresh"));
    EXPECT_EQ(NodeKeys(), std::vector<std::string>{"-88"});
}

// Operation records newly chosen bring the operation nodes after the ordinary ones. A record row
// offers the package kinds of the choice made when it is next expanded: a row that offered none
// becomes expandable, and a row already expanded is built again without the earlier package.
TEST_F(DetailModelTest, TheOperationRecordsFollowTheChoiceOfPackageKinds) {
    Choose({"A02-88"});
    Start({9001});
    ASSERT_EQ(NodeKeys(), std::vector<std::string>{"-88"});
    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "P00-52");
        Confirm(dialog);
    });
    ASSERT_EQ(NodeKeys(), (std::vector<std::string>{"-88", "11620"}));
    auto operations = Node("11620");
    ASSERT_TRUE(Session().ExpandDetail("2.1.1"));
    auto record = RowAt("2.1.1.1");
    ASSERT_NE(record, nullptr);
    EXPECT_FALSE(record->CanExpand) << "no package kind chosen";
    EXPECT_FALSE(Session().ExpandDetail("2.1.1.1"));

    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "P01-502");
        Confirm(dialog);
    });
    EXPECT_EQ(Node("11620"), operations) << "the operation node stays as it was";
    EXPECT_EQ(RowAt("2.1.1.1"), record);
    EXPECT_TRUE(record->CanExpand);
    EXPECT_EQ(record->ChildState, 0);
    ASSERT_TRUE(Session().ExpandDetail("2.1.1.1"));
    EXPECT_EQ(ChildKeys(record), std::vector<std::string>{"-502"});

    RunBillOption([](frmBillSel& dialog) {
        Toggle(dialog, "P04-710");
        Confirm(dialog);
    });
    auto rebuilt = RowAt("2.1.1.1");
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_NE(rebuilt, record) << "the expanded row is replaced in place";
    EXPECT_EQ(rebuilt->ChildCount(), 0);
    EXPECT_EQ(rebuilt->ChildState, 0);
    EXPECT_TRUE(rebuilt->CanExpand);
    EXPECT_EQ(rebuilt->RowColor, 5662310);
    EXPECT_EQ(rebuilt->ParentNode(), NodeAt("2.1.1"));
    ASSERT_NE(rebuilt->Cell("FKeyInterID"), nullptr) << "the cells stay";
    EXPECT_EQ(automation::CLng(rebuilt->Cell("FKeyInterID")->Value), 90011);
    ASSERT_TRUE(Session().ExpandDetail("2.1.1.1"));
    EXPECT_EQ(ChildKeys(rebuilt), (std::vector<std::string>{"-502", "-710"}));
    EXPECT_EQ(rebuilt->GetChild(2)->Tag, Variant(int32_t{90011}));
}

}  // namespace
}  // namespace trackquery::testing
