// The navigation tree of the task orders and the deferred selection of its nodes; replacing the
// list by a typed bill number or from the bill list; finding a node by its text.

#include <support/tracker_fixture.h>

#include <components/bills/ic_list.h>
#include <components/logging/failure_log.h>
#include <components/middle_tier/failing_middle_tier.h>
#include <trackquery/dialogs/frmList.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/strings.h>
#include <platform/windowing/form.h>

#include <gmock/gmock.h>

#include <tuple>

namespace trackquery::testing {
namespace {

using ::testing::StartsWith;

using NavigationTest = TrackerFixture;

TEST_F(NavigationTest, TheTreeHoldsTheRootAndOneNodePerTaskOrder) {
    Start({1, 2});
    auto model = Viewer().GetNavigationModel();
    ASSERT_NE(model, nullptr);
    ASSERT_EQ(model->NodeCount(), 3);
    auto root = model->NodeItem(1);
    EXPECT_EQ(root->Key, "root");
    EXPECT_EQ(root->Level, 0);
    EXPECT_EQ(root->ParentKey, "");
    EXPECT_EQ(root->Text, "生产任务单");
    EXPECT_EQ(root->Image, 1);
    EXPECT_EQ(root->SelectedImage, 1);
    EXPECT_EQ(root->ItemData, "\"");
    auto bill = model->NodeItem(3);
    EXPECT_EQ(bill->Key, "MO2");
    EXPECT_EQ(bill->ParentKey, "root");
    EXPECT_EQ(bill->Level, 1);
    EXPECT_EQ(bill->Text, "WORK000002");
    EXPECT_EQ(bill->ItemData, "2") << "not shown yet: no links recorded";
    EXPECT_FALSE(model->Updating);
    EXPECT_EQ(Viewer().NavigationTitle(), "生产任务单(2)");
}

// The first task order of a new list shows at once; a later click shows 500 ms after the last
// click, and only the node clicked last is built.
TEST_F(NavigationTest, TheFirstTaskOrderShowsAtOnceAndLaterClicksAfterAPause) {
    Start({1, 2, 3});
    auto model = Viewer().GetNavigationModel();
    EXPECT_EQ(SelectedIndex(), 2);
    EXPECT_THAT(Viewer().HeadTitle(), StartsWith("WORK000001"));
    EXPECT_EQ(Tracker()->LastKey(), "MO1");
    EXPECT_EQ(Tracker()->FInterID(), 1);
    EXPECT_TRUE(model->NodeItem(2)->ModelsBuilt);

    model->NodeItem(3)->ModelsBuilt = true;
    Session().ClickNavigationNode(3);
    EXPECT_FALSE(model->NodeItem(3)->ModelsBuilt) << "marked as not built until shown";
    Session().AdvanceTime(200);
    Session().ClickNavigationNode(4);
    Session().AdvanceTime(499);
    EXPECT_THAT(Viewer().HeadTitle(), StartsWith("WORK000001"))
        << "nothing before 500 ms after the last click";
    EXPECT_EQ(Tracker()->LastKey(), "MO1");
    Session().AdvanceTime(1);
    EXPECT_THAT(Viewer().HeadTitle(), StartsWith("WORK000003"));
    EXPECT_EQ(Tracker()->LastKey(), "MO3");
    EXPECT_EQ(Tracker()->FInterID(), 3);
    EXPECT_TRUE(model->NodeItem(4)->ModelsBuilt);
    EXPECT_FALSE(model->NodeItem(3)->ModelsBuilt) << "the node clicked in between was never shown";
    const HeadModelPtr shown = Viewer().GetHeadModel();
    Session().AdvanceTime(5000);
    EXPECT_EQ(Viewer().GetHeadModel(), shown) << "the timer fires once";
}

TEST_F(NavigationTest, ClickingTheRootShowsAtOnce) {
    Start({1, 2});
    Session().ClickNavigationNode(1);
    EXPECT_EQ(Viewer().HeadTitle(), "请选择任务单！");
    EXPECT_EQ(Tracker()->FInterID(), 0);
    EXPECT_EQ(Tracker()->LastKey(), "root");
}

TEST_F(NavigationTest, ClickingTheNodeShownAgainRebuildsNothing) {
    Start({1, 2});
    const HeadModelPtr head = Viewer().GetHeadModel();
    const DetailModelPtr detail = Viewer().GetDetailModel();
    Session().ClickNavigationNode(2);
    Session().AdvanceTime(500);
    EXPECT_EQ(Viewer().GetHeadModel(), head);
    EXPECT_EQ(Viewer().GetDetailModel(), detail);
    EXPECT_FALSE(Viewer().GetNavigationModel()->NodeItem(2)->ModelsBuilt);
    EXPECT_EQ(Tracker()->LastKey(), "MO1");
}

TEST_F(NavigationTest, ANodeTheViewerKeptIsShownFromItsBufferWithoutBuilding) {
    Start({1, 2});
    const HeadModelPtr firstHead = Viewer().GetHeadModel();
    const DetailModelPtr first = Viewer().GetDetailModel();
    Session().ClickNavigationNode(3);
    Session().AdvanceTime(500);
    ASSERT_NE(Viewer().GetDetailModel(), first);
    ASSERT_TRUE(Viewer().HasBuffer("MO1"));
    auto node = Viewer().GetNavigationModel()->NodeItem(2);
    node->ModelsBuilt = true;
    Session().ClickNavigationNode(2);
    Session().AdvanceTime(500);
    EXPECT_EQ(Viewer().GetDetailModel(), first);
    EXPECT_EQ(Viewer().GetHeadModel(), firstHead);
    EXPECT_FALSE(node->ModelsBuilt);
    EXPECT_EQ(Tracker()->LastKey(), "MO1");
    EXPECT_EQ(Tracker()->FInterID(), 1);
}

TEST_F(NavigationTest, WithoutAListTheRootIsSelectedAndShown) {
    StartOn(nullptr);
    EXPECT_EQ(Viewer().GetNavigationModel()->NodeCount(), 1);
    EXPECT_EQ(SelectedIndex(), 1);
    EXPECT_EQ(Viewer().NavigationTitle(), "生产任务单");
    EXPECT_EQ(Viewer().HeadTitle(), "请选择任务单！");
    EXPECT_EQ(Tracker()->LastKey(), "root");
}

TEST_F(NavigationTest, StatusIconsFollowTheStatusMap) {
    auto status = std::make_shared<automation::Dictionary>();
    auto entry = [&](int32_t id, int32_t st, int32_t suspend, int32_t cancelled) {
        auto values = std::make_shared<automation::Dictionary>();
        values->SetItem("FStatus", st);
        values->SetItem("FSuspend", suspend);
        values->SetItem("FCancellation", cancelled);
        status->SetItem(std::to_string(id), values);
    };
    entry(2, 1, 1, 1);  // suspended wins
    entry(3, 1, 0, 1);  // cancelled
    entry(4, 0, 0, 0);  // planned
    entry(7, 3, 0, 0);  // closed
    entry(8, 5, 0, 0);  // confirmed
    entry(9, 1, 0, 0);  // released
    Start({1, 2, 3, 4, 7, 8, 9}, status);
    auto model = Viewer().GetNavigationModel();
    const int32_t expected[] = {16, 23, 19, 16, 18, 20, 17};
    for (int32_t i = 0; i < 7; ++i) {
        EXPECT_EQ(model->NodeItem(i + 2)->Image, expected[i]) << model->NodeItem(i + 2)->Text;
        EXPECT_EQ(model->NodeItem(i + 2)->SelectedImage, expected[i]);
    }
}

TEST_F(NavigationTest, BillNumbersAreFoundWhateverTheirKeysCaseAndMissingFieldsTakeDefaults) {
    auto list = std::make_shared<automation::Vector>();
    auto bill = std::make_shared<automation::Dictionary>();
    bill->SetItem("FInterID", 4);
    bill->SetItem("FBillNO", "WORK000004");
    list->Add(bill);
    list->Add(std::make_shared<automation::Dictionary>());
    StartOn(list);
    auto model = Viewer().GetNavigationModel();
    ASSERT_EQ(model->NodeCount(), 3);
    EXPECT_EQ(model->NodeItem(2)->Text, "WORK000004");
    EXPECT_EQ(model->NodeItem(3)->Key, "MO0");
    EXPECT_EQ(model->NodeItem(3)->Text, "");
}

// --- Against the client's components and a fixture database ----------------------------------

const std::vector<std::string> kOrdinaryUpToNine{"WORK000001", "WORK000002", "WORK000003",
                                                 "WORK000004", "WORK000007", "WORK000008",
                                                 "WORK000009"};

class SessionNavigationTest : public TrackerFixture {
  protected:
    // Types into the bill number box and presses Enter, as the user does.
    void TypeBillNumber(const std::string& text) {
        ASSERT_TRUE(Session().TypeIntoTool("bndfilter", "txtSelectBills", text));
    }
    void TypePosition(const std::string& text) {
        ASSERT_TRUE(Session().TypeIntoTool("bndSearch", "txtPosition", text));
    }
    // Enter in a box whose text was set while the focus was somewhere else.
    void PressEnterIn(const std::string& band, const std::string& key, const std::string& text) {
        ViewerTool(key)->SetText(text);
        ViewerTool("btnRefresh")->SetFocus();
        ASSERT_TRUE(Viewer().PressToolKey(band, key, 13));
    }

    // The status icon a task order's node must show, from its row in the database.
    int32_t IconInDatabase(const std::string& nodeKey) {
        const std::string where = " FROM ICMO WHERE FInterID = " + nodeKey.substr(2);
        if (Scalar("SELECT FSuspend" + where) == 1) return 23;
        if (Scalar("SELECT FCancellation" + where) == 1) return 19;
        switch (Scalar("SELECT FStatus" + where)) {
            case 0:
                return 16;
            case 3:
                return 18;
            case 5:
                return 20;
            default:
                return 17;
        }
    }

    static client::ICList& ListOf(windowing::Form& form) {
        return dynamic_cast<client::ICList&>(*dynamic_cast<frmList&>(form).ICListSel);
    }

    // The user picks the rows at these places of the bill list and confirms.
    void UserPicksFromTheList(std::vector<int32_t> positions) {
        Session().Backend().AddModalStep("frmList", [positions](windowing::Form& form) {
            auto& list = ListOf(form);
            for (const int32_t position : positions) list.SelectRow(position);
            list.RaiseCommand("SelectOK");
        });
    }
};

// Selection by a typed bill number.

using SelectionByNumberTest = SessionNavigationTest;

TEST_F(SelectionByNumberTest, TheTreeHoldsTheTaskOrdersOfTheKindWhoseNumberContainsTheText) {
    Start({2});
    TypeBillNumber("work00000");
    EXPECT_EQ(TaskOrderTexts(), kOrdinaryUpToNine) << "letter case ignored, kind kept";
    EXPECT_EQ(Viewer().NavigationTitle(), "生产任务单(7)");
    EXPECT_EQ(Tracker()->LastKey(), "MO1") << "the first task order of a new list shows at once";
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(SelectionByNumberTest, EveryNodeShowsTheStatusOfItsTaskOrder) {
    Start({1});
    TypeBillNumber("WORK");
    auto model = Viewer().GetNavigationModel();
    ASSERT_EQ(model->NodeCount(), 10);
    for (int32_t i = 2; i <= model->NodeCount(); ++i) {
        auto node = model->NodeItem(i);
        EXPECT_EQ(node->Image, IconInDatabase(node->Key)) << node->Text;
        EXPECT_EQ(node->SelectedImage, node->Image) << node->Text;
    }
    EXPECT_EQ(model->NodeItem(3)->Image, 16) << "task order 2 is planned";
    EXPECT_EQ(model->NodeItem(4)->Image, 20) << "task order 3 is confirmed";
}

TEST_F(SelectionByNumberTest, RepetitiveTrackingSelectsOnlyRepetitiveTaskOrders) {
    OpenSession(erp::kAdministratorID, "REPM");
    Start({5});
    TypeBillNumber("0000");
    EXPECT_EQ(TaskOrderTexts(), (std::vector<std::string>{"REPT000005", "REPT000012"}));
    EXPECT_EQ(Viewer().NavigationTitle(), "重复生产任务单(2)");
}

TEST_F(SelectionByNumberTest, OutsourcedTrackingSelectsOnlyOutsourcedTaskOrders) {
    OpenSession(erp::kAdministratorID, "SUBC");
    Start({6});
    TypeBillNumber("0000");
    EXPECT_EQ(TaskOrderTexts(), std::vector<std::string>{"WWJG000006"});
    EXPECT_EQ(Viewer().NavigationTitle(), "委外加工生产任务单(1)");
}

TEST_F(SelectionByNumberTest, ATextWithASingleQuoteIsRefusedInABox) {
    Start({1, 2});
    ExpectBox("选单号不能包含单引号，请重新录入！");
    TypeBillNumber("WORK' OR '1'='1");
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Session().MessageBoxes()[0].Title, "Velo提示");
    EXPECT_EQ(TaskOrderTexts(), (std::vector<std::string>{"WORK000001", "WORK000002"}));
}

TEST_F(SelectionByNumberTest, SqlWithoutAQuoteIsMatchedAsTextAndHarmsNothing) {
    Start({1, 2});
    for (const std::string text :
         {"%; DELETE FROM ICMO; --", "0 OR 1=1", "%\" OR \"1\"=\"1", "x]; DROP TABLE ICMO"}) {
        ExpectBox("没有单据号为" + text + "的单据");
        TypeBillNumber(text);
    }
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ICMO"), 12);
    EXPECT_EQ(TaskOrderTexts(), (std::vector<std::string>{"WORK000001", "WORK000002"}));
}

TEST_F(SelectionByNumberTest, ANumberThatFitsNoTaskOrderIsToldAndTheFocusGoesBackToTheBox) {
    Start({1});
    ExpectBox("没有单据号为REPT的单据或者该单据不符合选单条件或者您没有权限查看该单据，不能选单!");
    PressEnterIn("bndfilter", "txtSelectBills", "REPT");
    EXPECT_EQ(FocusedToolName(), "txtSelectBills");
    EXPECT_EQ(TaskOrderTexts(), std::vector<std::string>{"WORK000001"});
}

TEST_F(SelectionByNumberTest, TheTextIsSearchedAsTypedWithItsBlanks) {
    Start({1});
    ExpectBox("没有单据号为 WORK000001的单据");
    TypeBillNumber(" WORK000001");
}

TEST_F(SelectionByNumberTest, ABlankTextAndOtherKeysDoNothing) {
    Start({1});
    TypeBillNumber("   ");
    ViewerTool("txtSelectBills")->SetText("WORK");
    ASSERT_TRUE(Viewer().PressToolKey("bndfilter", "txtSelectBills", 65));
    ASSERT_TRUE(Viewer().PressToolKey("bndSearch", "txtPosition", 118)) << "F7 only in bndfilter";
    EXPECT_EQ(TaskOrderTexts(), std::vector<std::string>{"WORK000001"});
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(SelectionByNumberTest, WithoutAKindNoTaskOrderFitsAndTheUserIsTold) {
    OpenSession(erp::kAdministratorID, "XX");
    Start({1});
    ExpectBox("没有单据号为WORK的单据");
    TypeBillNumber("WORK");
    EXPECT_EQ(TaskOrderTexts(), std::vector<std::string>{"WORK000001"});
}

TEST_F(SelectionByNumberTest, ANewListShowsItsFirstTaskOrderAtOnceAndDefersLaterClicks) {
    Start({2});
    TypeBillNumber("WORK00000");
    EXPECT_EQ(Tracker()->LastKey(), "MO1");
    Session().ClickNavigationNode(3);
    Session().AdvanceTime(499);
    EXPECT_EQ(Tracker()->LastKey(), "MO1");
    Session().AdvanceTime(1);
    EXPECT_EQ(Tracker()->LastKey(), "MO2");
    EXPECT_EQ(Tracker()->FInterID(), 2);
}

TEST_F(SelectionByNumberTest, AFailingMiddleTierEndsTheSelectionQuietly) {
    Start({1, 2});
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetRs", client::middle_tier::FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    TypeBillNumber("WORK");
    EXPECT_EQ(plan->Calls("GetRs"), 1);
    EXPECT_EQ(TaskOrderTexts(), (std::vector<std::string>{"WORK000001", "WORK000002"}));
    EXPECT_EQ(Tracker()->LastKey(), "MO1");
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(SelectionByNumberTest, AMissingRecordSetIsToldLikeNoTaskOrder) {
    Start({1});
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetRs");
    client::middle_tier::RegisterFailingMiddleTier(plan);
    ExpectBox("没有单据号为WORK的单据");
    TypeBillNumber("WORK");
    EXPECT_EQ(TaskOrderTexts(), std::vector<std::string>{"WORK000001"});
}

class UserGroupSelectionTest : public SessionNavigationTest {
  protected:
    erp::FixtureDefinition Definition() const override {
        erp::FixtureDefinition definition;
        definition.data.checkUserGroup = true;
        return definition;
    }
};

TEST_F(UserGroupSelectionTest, OnlyTaskOrdersMadeInTheUsersGroupsAreSelected) {
    OpenSession(erp::kWarehouseID);
    Start({3});
    ASSERT_TRUE(Tracker()->CheckUserGroup());
    TypeBillNumber("WORK");
    EXPECT_EQ(TaskOrderTexts(), (std::vector<std::string>{"WORK000003", "WORK000009"}));
}

TEST_F(UserGroupSelectionTest, AUserInNoGroupOfTheBillersSelectsNothing) {
    OpenSession(erp::kSalesID);
    Start({1});
    ExpectBox("没有单据号为WORK的单据");
    TypeBillNumber("WORK");
}

// Long selections: the user is asked from 200 task orders on, and again from 32767 on.

// Task orders numbered MASS00001.. made by the planner, ordinary, `count` of them, inserted after
// the generated data.
std::string MassTaskOrders(int32_t count) {
    return "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
           std::to_string(count) +
           ") INSERT INTO ICMO (FInterID, FBillNo, FTranType, FBillerID, FDate, FItemID, "
           "FUnitID, FQty, FPlanCommitDate, FPlanFinishDate) SELECT 100000 + i, "
           "printf('MASS%05d', i), 85, 16395, '2026-06-01', (SELECT MIN(FItemID) FROM "
           "t_ICItem), 1, 10, '2026-06-02', '2026-07-01' FROM n";
}

template <int32_t kCount>
class MassSelectionTest : public SessionNavigationTest {
  protected:
    erp::FixtureDefinition Definition() const override {
        erp::FixtureDefinition definition;
        definition.statements.push_back(MassTaskOrders(kCount));
        return definition;
    }
};

using Selection199Test = MassSelectionTest<199>;
using Selection200Test = MassSelectionTest<200>;
using Selection32767Test = MassSelectionTest<32767>;
using Selection32768Test = MassSelectionTest<32768>;

TEST_F(Selection199Test, NinetyNinePlusAHundredAskNothing) {
    Start({1});
    TypeBillNumber("MASS");
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_EQ(Viewer().GetNavigationModel()->NodeCount(), 200);
    EXPECT_EQ(Viewer().NavigationTitle(), "生产任务单(199)");
}

TEST_F(Selection200Test, TwoHundredAreAskedForAndNoKeepsTheTree) {
    Start({1});
    ViewerTool("txtSelectBills")->SetText("MASS");
    ExpectBox(
        "您查询的生产任务单超过200张，将会影响查询速度，建议您重新录入查询条件。您仍要如此选择吗？",
        windowing::vbNo);
    ViewerTool("btnRefresh")->SetFocus();
    ASSERT_TRUE(Viewer().PressToolKey("bndfilter", "txtSelectBills", 13));
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Session().MessageBoxes()[0].Buttons & 7, windowing::vbYesNo);
    EXPECT_EQ(TaskOrderTexts(), std::vector<std::string>{"WORK000001"});
    EXPECT_EQ(FocusedToolName(), "txtSelectBills");
}

TEST_F(Selection200Test, TwoHundredAreTakenOnYes) {
    Start({1});
    ExpectBox("超过200张", windowing::vbYes);
    TypeBillNumber("MASS");
    EXPECT_EQ(Viewer().NavigationTitle(), "生产任务单(200)");
    EXPECT_EQ(Viewer().GetNavigationModel()->NodeItem(201)->Text, "MASS00200");
}

TEST_F(Selection32767Test, TheLimitOfTheTreeIsAskedForAgain) {
    Start({1});
    ExpectBox("超过200张", windowing::vbYes);
    ExpectBox("满足条件的任务单太多，系统只取前面的32767个任务单节点，您确认要如此选择吗？",
              windowing::vbNo);
    TypeBillNumber("MASS");
    EXPECT_EQ(TaskOrderTexts(), std::vector<std::string>{"WORK000001"});
}

TEST_F(Selection32768Test, OnYesTheTreeTakesTheFirst32767) {
    Start({1});
    ExpectBox("超过200张", windowing::vbYes);
    ExpectBox("系统只取前面的32767个任务单节点", windowing::vbYes);
    TypeBillNumber("MASS");
    auto model = Viewer().GetNavigationModel();
    ASSERT_EQ(model->NodeCount(), 32768);
    EXPECT_EQ(model->NodeItem(32768)->Text, "MASS32767");
    EXPECT_EQ(Viewer().NavigationTitle(), "生产任务单(32767)");
}

// The bill list (F7 in the bill number box).

using BillListSelectionTest = SessionNavigationTest;

TEST_F(BillListSelectionTest, TheChosenTaskOrdersReplaceTheTreeWithTheirStatus) {
    Start({1});
    UserPicksFromTheList({2, 3, 4});
    ASSERT_TRUE(Viewer().PressToolKey("bndfilter", "txtSelectBills", 118));
    auto model = Viewer().GetNavigationModel();
    ASSERT_EQ(model->NodeCount(), 4);
    for (int32_t i = 2; i <= 4; ++i) {
        auto node = model->NodeItem(i);
        EXPECT_EQ(node->Text, BillNo(std::stoi(node->Key.substr(2))));
        EXPECT_EQ(node->Text.rfind("WORK", 0), 0u) << "only ordinary task orders are offered";
        EXPECT_EQ(node->Image, IconInDatabase(node->Key)) << node->Text;
    }
    EXPECT_EQ(Viewer().NavigationTitle(), "生产任务单(3)");
    EXPECT_EQ(Tracker()->LastKey(), model->NodeItem(2)->Key);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(BillListSelectionTest, WithoutStatusesFromTheMiddleTierEveryNodeShowsTheFirstIcon) {
    Start({1});
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetICMOInfo");
    client::middle_tier::RegisterFailingMiddleTier(plan);
    UserPicksFromTheList({3, 4});
    ASSERT_TRUE(Viewer().PressToolKey("bndfilter", "txtSelectBills", 118));
    auto model = Viewer().GetNavigationModel();
    ASSERT_EQ(model->NodeCount(), 3);
    EXPECT_EQ(model->NodeItem(2)->Image, 16);
    EXPECT_EQ(model->NodeItem(3)->Image, 16);
}

TEST_F(BillListSelectionTest, TheListIsTheKindsListAndOpensOnItsFilterWhenTheToolIsChecked) {
    OpenSession(erp::kAdministratorID, "SUBC");
    Start({6});
    Session().ClickTool("btnShowFilter");
    int32_t listId = 0, selectFlag = -1;
    std::string filter;
    Session().Backend().AddModalStep("frmList", [&](windowing::Form& form) {
        auto& list = ListOf(form);
        listId = list.ListID;
        selectFlag = list.SelectFlag;
        filter = list.Filter;
        list.RaiseCommand("Exit");
    });
    ASSERT_TRUE(Viewer().PressToolKey("bndfilter", "txtSelectBills", 118));
    EXPECT_EQ(listId, 620);
    EXPECT_EQ(selectFlag, 1);
    EXPECT_EQ(filter, " v1.FTrantype=571 ");
}

TEST_F(BillListSelectionTest, ALeftListKeepsTheTree) {
    Start({1, 2});
    Session().Backend().AddModalStep("frmList", [](windowing::Form& form) {
        ListOf(form).SelectRow(1);
        ListOf(form).RaiseCommand("Exit");
    });
    ASSERT_TRUE(Viewer().PressToolKey("bndfilter", "txtSelectBills", 118));
    EXPECT_EQ(TaskOrderTexts(), (std::vector<std::string>{"WORK000001", "WORK000002"}));
    EXPECT_EQ(Tracker()->LastKey(), "MO1");
    EXPECT_EQ(BoxCount(), 0u);
}

// A list whose view is gone: F7 says why, the log has it, and the tree stays.
TEST_F(BillListSelectionTest, AListThatCannotOpenSaysWhyAndIsLogged) {
    for (const auto& [subId, order, view] :
         {std::tuple{"CJ", 1, "iclist_36"}, std::tuple{"SUBC", 6, "iclist_620"}}) {
        CloseSession();
        RebuildDatabase();
        OpenSession(erp::kAdministratorID, subId);
        Start({order});
        Execute(std::string("DROP VIEW ") + view);
        const size_t logged = client::FailureCount();
        ExpectBox("读取数据失败，原因：");
        ASSERT_TRUE(Viewer().PressToolKey("bndfilter", "txtSelectBills", 118));
        EXPECT_NE(automation::LCase(LastBox()).find(view), std::string::npos) << LastBox();
        EXPECT_EQ(LastBox().find("[SQL"), std::string::npos) << LastBox();
        EXPECT_EQ(client::FailureCount(), logged + 1);
        EXPECT_EQ(TaskOrderTexts(), std::vector<std::string>{BillNo(order)});
    }
}

using BillList200Test = MassSelectionTest<200>;

TEST_F(BillList200Test, TwoHundredChosenAreAskedForAndNoKeepsTheTree) {
    Start({1});
    std::vector<int32_t> all;
    for (int32_t i = 1; i <= 200; ++i) all.push_back(i);
    UserPicksFromTheList(all);
    ExpectBox(
        "您选择的生产任务单超过200张，将会影响查询速度，建议您重新选择任务单。您仍要如此选择吗？",
        windowing::vbNo);
    ASSERT_TRUE(Viewer().PressToolKey("bndfilter", "txtSelectBills", 118));
    EXPECT_EQ(TaskOrderTexts(), std::vector<std::string>{"WORK000001"});
}

TEST_F(BillList200Test, TwoHundredChosenAreAllTakenOnYes) {
    Start({1});
    std::vector<int32_t> all;
    for (int32_t i = 1; i <= 200; ++i) all.push_back(i);
    UserPicksFromTheList(all);
    ExpectBox("超过200张", windowing::vbYes);
    ASSERT_TRUE(Viewer().PressToolKey("bndfilter", "txtSelectBills", 118));
    EXPECT_EQ(Viewer().NavigationTitle(), "生产任务单(200)");
}

// The question from 32767 on promises the first 32767 task orders: a confirmed selection of more
// is cut to them, as a typed number is.
using BillList32768Test = MassSelectionTest<32768>;

TEST_F(BillList32768Test, OnYesTheTreeTakesTheFirst32767Chosen) {
    Start({1});
    Session().Backend().AddModalStep("frmList", [](windowing::Form& form) {
        ListOf(form).SelectAll();
        ListOf(form).RaiseCommand("SelectOK");
    });
    ExpectBox("超过200张", windowing::vbYes);
    ExpectBox("你选择的任务单太多，系统只取前面的32767个任务单", windowing::vbYes);
    ASSERT_TRUE(Viewer().PressToolKey("bndfilter", "txtSelectBills", 118));
    auto model = Viewer().GetNavigationModel();
    ASSERT_EQ(model->NodeCount(), 32768);
    EXPECT_EQ(Viewer().NavigationTitle(), "生产任务单(32767)");
    EXPECT_EQ(model->NodeItem(32768)->Text,
              Text("SELECT FBillNo FROM ICList_36 v1 WHERE v1.FTrantype=85 AND v1.FScheduleID=0 "
                   "ORDER BY v1.FInterID LIMIT 1 OFFSET 32766"));
}

// Finding a node by its text (the position box).

using PositionSearchTest = SessionNavigationTest;

TEST_F(PositionSearchTest, TheSearchGoesOnFromTheSelectedNode) {
    Start({1, 2, 3});
    TypePosition("work");
    EXPECT_EQ(SelectedIndex(), 3) << "letter case ignored";
    EXPECT_EQ(Tracker()->LastKey(), "MO1") << "the click is deferred as usual";
    Session().AdvanceTime(500);
    EXPECT_EQ(Tracker()->LastKey(), "MO2");
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(PositionSearchTest, FromTheLastNodeTheSearchWrapsToTheFirstTaskOrder) {
    Start({1, 2, 3});
    Session().ClickNavigationNode(4);
    TypePosition("WORK");
    EXPECT_EQ(SelectedIndex(), 2);
}

TEST_F(PositionSearchTest, ATextOnlyInTheCurrentNodeSelectsNothingAndSaysNothing) {
    Start({1, 2, 3});
    Session().ClickNavigationNode(3);
    Session().AdvanceTime(500);
    auto current = Viewer().SelectedNavigationNode();
    ASSERT_TRUE(current->ModelsBuilt);
    TypePosition("000002");
    EXPECT_EQ(SelectedIndex(), 3);
    EXPECT_TRUE(current->ModelsBuilt) << "the shown node was not clicked again";
    Session().AdvanceTime(500);
    EXPECT_EQ(Tracker()->LastKey(), "MO2");
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(PositionSearchTest, TheRootIsNeverAHit) {
    Start({1, 2});
    Session().ClickNavigationNode(1);
    ExpectBox("没有符合条件的任务单。");
    TypePosition("生产任务单");
    EXPECT_EQ(SelectedIndex(), 1);
}

TEST_F(PositionSearchTest, FromTheRootTheFirstTaskOrderIsFound) {
    Start({1, 2});
    Session().ClickNavigationNode(1);
    TypePosition("WORK000001");
    EXPECT_EQ(SelectedIndex(), 2);
}

TEST_F(PositionSearchTest, NoHitIsToldAndTheFocusGoesBackToTheBox) {
    Start({1, 2});
    ExpectBox("没有符合条件的任务单。");
    PressEnterIn("bndSearch", "txtPosition", "WWJG");
    EXPECT_EQ(FocusedToolName(), "txtPosition");
    EXPECT_EQ(SelectedIndex(), 2);
}

TEST_F(PositionSearchTest, AHitLeavesTheFocusInTheBox) {
    Start({1, 2});
    PressEnterIn("bndSearch", "txtPosition", "000002");
    EXPECT_EQ(SelectedIndex(), 3);
    EXPECT_EQ(FocusedToolName(), "txtPosition");
}

TEST_F(PositionSearchTest, KeysInTheNavigationTreeAreLeftToTheViewer) {
    Start({1, 2});
    EXPECT_EQ(Viewer().PressNavigationKey(40), 40);
    EXPECT_EQ(SelectedIndex(), 3);
    int16_t keyCode = 38, shift = 1;
    Tracker()->NavigationKeyPress(keyCode, shift);
    EXPECT_EQ(keyCode, 38);
    EXPECT_EQ(shift, 1);
}

TEST_F(PositionSearchTest, AnEmptyListShowsOnlyTheRootAndSelectsNothing) {
    Start({});
    EXPECT_EQ(Viewer().NavigationTitle(), "生产任务单(0)");
    EXPECT_EQ(Viewer().GetNavigationModel()->NodeCount(), 1);
    EXPECT_EQ(Viewer().SelectedNavigationNode(), nullptr);
    EXPECT_EQ(Tracker()->LastKey(), "");
    ExpectBox("没有符合条件的任务单。");
    TypePosition("WORK");
}

}  // namespace
}  // namespace trackquery::testing
