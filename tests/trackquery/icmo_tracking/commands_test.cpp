// The commands of the task order tracking window, clicked as the user clicks them, against the
// client's components over a fixture database.

#include <support/tracker_fixture.h>

#include <components/bills/ic_list.h>
#include <components/middle_tier/failing_middle_tier.h>
#include <contracts/message_helper.h>
#include <contracts/view_models/detail_model.h>
#include <trackquery/dialogs/frmList.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/windowing/form.h>

#include <fstream>

namespace trackquery::testing {
namespace {

using automation::Variant;

// The client's message object, recording what it is asked to show.
class RecordingMessageHelper : public IMessageHelper {
  public:
    std::string TypeName() const override { return "MessageHelper"; }
    void ShowMessage(const std::string& text) override { shown->push_back(text); }
    std::shared_ptr<std::vector<std::string>> shown = std::make_shared<std::vector<std::string>>();
};

class CommandTest : public TrackerFixture {
  protected:
    bool Click(const std::string& key) { return Session().ClickTool(key); }

    // Shows a detail model of our own in the viewer, the item at `path` selected (none for an
    // empty path) and the detail pane active.
    void ShowDetail(const DetailModelPtr& model, const std::string& path) {
        Viewer().SetDetailModel(model);
        if (!path.empty()) Viewer().SelectDetail(path);
        Viewer().ActivatePane("Detail");
    }

    static DetailNodePtr NewNode(const std::string& key) {
        auto node = std::make_shared<DetailNode>();
        node->Key = key;
        node->Tag = int32_t{1};
        return node;
    }

    static DetailRowPtr NewRow(const std::vector<std::pair<std::string, Variant>>& cells) {
        auto row = std::make_shared<DetailRow>();
        row->RowColor = 5662310;
        for (const auto& [key, value] : cells) row->AddCell(key, automation::CStr(value), value);
        return row;
    }

    // A node of bills with one bill row and its totals row.
    static DetailModelPtr ModelWithRow(const std::string& kind, const DetailRowPtr& row) {
        auto node = NewNode(kind);
        node->AddRow(row);
        auto total = NewRow({{"FBillNo", "合计"}});
        total->IsTotal = true;
        node->AddRow(total);
        auto model = std::make_shared<DetailModel>();
        model->Add(node);
        return model;
    }

    std::string ItemNumberOfTaskOrder(int32_t id) const {
        return Text(
            "SELECT it.FNumber FROM ICMO i JOIN t_ICItem it ON it.FItemID = i.FItemID "
            "WHERE i.FInterID = " +
            std::to_string(id));
    }

    std::filesystem::path OutputDirectory() const {
        return std::filesystem::path(::testing::TempDir()) /
               ("icmo_output_" + std::to_string(::getpid()));
    }
};

// --- Refresh ---------------------------------------------------------------------------------

using RefreshCommandTest = CommandTest;

TEST_F(RefreshCommandTest, TheHeadAndDetailOfTheShownTaskOrderAreReadAgain) {
    Start({1, 2});
    const DetailModelPtr before = Viewer().GetDetailModel();
    Execute("UPDATE ICMO SET FBillNo = 'WORK000001R' WHERE FInterID = 1");
    ASSERT_TRUE(Click("btnRefresh"));
    EXPECT_NE(Viewer().HeadTitle().find("WORK000001R"), std::string::npos) << Viewer().HeadTitle();
    EXPECT_NE(Viewer().GetDetailModel(), before) << "a new detail model";
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(RefreshCommandTest, OnTheRootTheHeadAsksForATaskOrder) {
    Start({1});
    Session().ClickNavigationNode(1);
    ASSERT_TRUE(Click("btnRefresh"));
    EXPECT_EQ(Viewer().HeadTitle(), "请选择任务单！");
}

// --- Material --------------------------------------------------------------------------------

using ItemCommandTest = CommandTest;

TEST_F(ItemCommandTest, FromTheHeadPanesTheTaskOrdersMaterialIsShown) {
    Start({1, 2});
    for (const char* pane : {"Null", "Navigation", "Summary"}) {
        Viewer().ActivatePane(pane);
        ASSERT_TRUE(Click("btnItem"));
        EXPECT_EQ(ItemNumbersShown(), std::vector<std::string>{ItemNumberOfTaskOrder(1)}) << pane;
    }
    EXPECT_EQ(client::ItemViewHistory().size(), 3u);
    auto options = client::ItemViewHistory().back()->Options();
    ASSERT_TRUE(options);
    EXPECT_EQ(automation::CStr(options->Item("BeShortNumber")), "0");
    EXPECT_EQ(automation::CLng(options->Item("GetDataType")), 1);
    EXPECT_EQ(automation::CLng(options->Item("Refresh")), 1);
}

TEST_F(ItemCommandTest, WithoutATaskOrderThereIsNoMaterial) {
    Start({});
    ExpectBox("没有可以查看的物料。");
    ASSERT_TRUE(Click("btnItem"));
    EXPECT_TRUE(client::ItemViewHistory().empty());
}

TEST_F(ItemCommandTest, InTheDetailPaneWithNothingSelectedThereIsNoMaterial) {
    Start({1});
    Viewer().ActivatePane("Detail");
    ExpectBox("没有可以查看的物料。");
    ASSERT_TRUE(Click("btnItem"));
    EXPECT_TRUE(client::ItemViewHistory().empty());
}

TEST_F(ItemCommandTest, TheTotalsRowAndANodeShowNothingAndSayNothing) {
    Start({1});
    const std::string number = ItemNumberOfTaskOrder(2);
    ShowDetail(ModelWithRow("-24", NewRow({{"FItemNumber", number}})), "1.2");
    ASSERT_TRUE(Click("btnItem"));
    Viewer().SelectDetail("1");
    ASSERT_TRUE(Click("btnItem"));
    EXPECT_TRUE(client::ItemViewHistory().empty());
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(ItemCommandTest, ABillRowShowsTheMaterialOfItsItemNumber) {
    Start({1});
    const std::string number = ItemNumberOfTaskOrder(2);
    ASSERT_NE(number, ItemNumberOfTaskOrder(1));
    ShowDetail(ModelWithRow("-24", NewRow({{"FBillNo", "SOUT1"}, {"FItemNumber", number}})), "1.1");
    ASSERT_TRUE(Click("btnItem"));
    EXPECT_EQ(ItemNumbersShown(), std::vector<std::string>{number});
}

TEST_F(ItemCommandTest, ABillRowWithoutAnItemNumberFallsBackToTheTaskOrder) {
    Start({1});
    ShowDetail(ModelWithRow("-24", NewRow({{"FBillNo", "SOUT1"}})), "1.1");
    ASSERT_TRUE(Click("btnItem"));
    EXPECT_EQ(ItemNumbersShown(), std::vector<std::string>{ItemNumberOfTaskOrder(1)});
}

TEST_F(ItemCommandTest, ASubstitutionRowShowsTheMaterialAndItsSubstitute) {
    Start({1});
    const std::string first = Text("SELECT FNumber FROM t_ICItem ORDER BY FItemID LIMIT 1");
    const std::string second =
        Text("SELECT FNumber FROM t_ICItem ORDER BY FItemID LIMIT 1 OFFSET 1");
    ShowDetail(ModelWithRow("-501", NewRow({{"FBillNo", 1},
                                            {"FItemID", first},
                                            {"FSubsItemID", second},
                                            {"FItemNumber", "not this one"}})),
               "1.1");
    ASSERT_TRUE(Click("btnItem"));
    EXPECT_EQ(ItemNumbersShown(), (std::vector<std::string>{first, second}));
}

// --- BOM and routing -------------------------------------------------------------------------

class BomCommandTest : public CommandTest {
  protected:
    // The guest holds no right but the view of ordinary BOMs (object 1).
    erp::FixtureDefinition Definition() const override {
        erp::FixtureDefinition definition;
        definition.statements = {
            "INSERT INTO t_AccessRight (FOwnerType, FOwnerID, FObjectType, FObjectID, "
            "FAccessMask) VALUES (0, 16399, 1017, 1, 2097152)",
            "UPDATE ICBOM SET FTranType = 50 WHERE FInterID = (SELECT FBOMInterID FROM ICMO WHERE "
            "FInterID = 1)",
            "UPDATE ICMO SET FBOMInterID = 0 WHERE FInterID = 2",
            "UPDATE ICMO SET FBOMInterID = 999999 WHERE FInterID = 3",
        };
        return definition;
    }
    int32_t BomOf(int32_t id) const {
        return static_cast<int32_t>(
            Scalar("SELECT FBOMInterID FROM ICMO WHERE FInterID = " + std::to_string(id)));
    }
};

TEST_F(BomCommandTest, AnOrdinaryBomIsCheckedWithObjectOneAndOpens) {
    OpenSession(erp::kGuestID);
    Start({1});
    ASSERT_GT(BomOf(1), 0);
    ASSERT_TRUE(Click("btnBOM"));
    const auto* opened = LastBillOpened();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->Request.BillType, 900);
    EXPECT_EQ(opened->Request.ShowMode, 2);
    EXPECT_EQ(opened->InterID, BomOf(1));
    EXPECT_EQ(opened->TranType, 50);
    EXPECT_EQ(opened->Request.Component, "QzBills.Bills");
}

TEST_F(BomCommandTest, AnyOtherBomIsCheckedWithObject27) {
    OpenSession(erp::kGuestID);
    Start({1});
    Execute("UPDATE ICBOM SET FTranType = 55 WHERE FInterID = " + std::to_string(BomOf(1)));
    ExpectBox("对不起，你没有相应的权限！");
    ASSERT_TRUE(Click("btnBOM"));
    EXPECT_EQ(LastBillOpened(), nullptr);

    Execute(
        "INSERT INTO t_AccessRight (FOwnerType, FOwnerID, FObjectType, FObjectID, FAccessMask) "
        "VALUES (0, 16399, 1017, 27, 2097152)");
    ASSERT_TRUE(Click("btnBOM"));
    ASSERT_NE(LastBillOpened(), nullptr);
    EXPECT_EQ(LastBillOpened()->TranType, 55);
}

TEST_F(BomCommandTest, WithoutATaskOrderTheUserIsAskedToChooseOne) {
    Start({1});
    Session().ClickNavigationNode(1);
    ExpectBox("请选择任务单!");
    ASSERT_TRUE(Click("btnBOM"));
}

TEST_F(BomCommandTest, ATaskOrderWithoutABomOrWithAMissingOneSaysSo) {
    Start({2, 3});
    ExpectBox("当前任务单没有对应的BOM！");
    ASSERT_TRUE(Click("btnBOM"));
    Session().ClickNavigationNode(3);
    Session().AdvanceTime(500);
    ExpectBox("当前任务单没有对应的BOM！");
    ASSERT_TRUE(Click("btnBOM"));
    EXPECT_EQ(LastBillOpened(), nullptr);
}

TEST_F(BomCommandTest, AFailingMiddleTierIsRaisedWithTheSourceTrail) {
    Start({1});
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetRs", client::middle_tier::FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    try {
        Click("btnBOM");
        FAIL() << "the failure was swallowed";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Source().rfind("QzICMOTrackQuery.CICMOQuery.ITrackQuery_MenuClick\r\n", 0),
                  0u)
            << error.Source();
        EXPECT_NE(error.Source().find("GetRs"), std::string::npos) << error.Source();
    }
    EXPECT_EQ(BoxCount(), 0u) << "no message after a failure";
}

TEST_F(BomCommandTest, AMissingRecordSetReadsAsNoBom) {
    Start({1});
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetRs");
    client::middle_tier::RegisterFailingMiddleTier(plan);
    ExpectBox("当前任务单没有对应的BOM！");
    ASSERT_TRUE(Click("btnBOM"));
}

class RoutingCommandTest : public CommandTest {
  protected:
    erp::FixtureDefinition Definition() const override {
        erp::FixtureDefinition definition;
        definition.statements = {"UPDATE ICMO SET FRoutingID = 0 WHERE FInterID = 2"};
        return definition;
    }
};

TEST_F(RoutingCommandTest, TheRoutingOpensWithTheRoutingRight) {
    Start({1});
    const auto routing = Scalar("SELECT FRoutingID FROM ICMO WHERE FInterID = 1");
    ASSERT_GT(routing, 0);
    ASSERT_TRUE(Click("btnRouting"));
    const auto* opened = LastBillOpened();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->Request.BillType, 210);
    EXPECT_EQ(opened->Request.ShowMode, 2);
    EXPECT_EQ(opened->InterID, routing);
    EXPECT_EQ(opened->TranType, 51);
}

TEST_F(RoutingCommandTest, WithoutTheRightTheRoutingIsRefused) {
    OpenSession(erp::kGuestID);
    Start({1});
    ExpectBox("对不起，你没有相应的权限！");
    ASSERT_TRUE(Click("btnRouting"));
    EXPECT_EQ(LastBillOpened(), nullptr);
}

TEST_F(RoutingCommandTest, ATaskOrderWithoutRoutingOrNoTaskOrderSaysSo) {
    Start({2});
    ExpectBox("当前任务单没有对应的工艺路线！");
    ASSERT_TRUE(Click("btnRouting"));
    Session().ClickNavigationNode(1);
    ExpectBox("请选择任务单!");
    ASSERT_TRUE(Click("btnRouting"));
    EXPECT_EQ(LastBillOpened(), nullptr);
}

// --- Bill ------------------------------------------------------------------------------------

using BillCommandTest = CommandTest;

TEST_F(BillCommandTest, FromTheHeadPanesTheTaskOrderItselfOpens) {
    Start({1});
    ASSERT_TRUE(Click("btnBill"));
    const auto* opened = LastBillOpened();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->Request.BillType, 207);
    EXPECT_EQ(opened->Request.ShowMode, 1);
    EXPECT_EQ(opened->InterID, 1);
    EXPECT_EQ(opened->TranType, 85);
    EXPECT_EQ(opened->BillNo, "WORK000001");
}

TEST_F(BillCommandTest, ARepetitiveTaskOrderOpensInMode2) {
    OpenSession(erp::kAdministratorID, "REPM");
    Start({5});
    ASSERT_TRUE(Click("btnBill"));
    ASSERT_NE(LastBillOpened(), nullptr);
    EXPECT_EQ(LastBillOpened()->Request.BillType, 207);
    EXPECT_EQ(LastBillOpened()->Request.ShowMode, 2);
    EXPECT_EQ(LastBillOpened()->TranType, 85);
}

TEST_F(BillCommandTest, AnOutsourcedTaskOrderOpensAsBill971) {
    OpenSession(erp::kAdministratorID, "SUBC");
    Start({6});
    ASSERT_TRUE(Click("btnBill"));
    ASSERT_NE(LastBillOpened(), nullptr);
    EXPECT_EQ(LastBillOpened()->Request.BillType, 971);
    EXPECT_EQ(LastBillOpened()->Request.ShowMode, 1);
    EXPECT_EQ(LastBillOpened()->InterID, 6);
    EXPECT_EQ(LastBillOpened()->TranType, 571);
}

TEST_F(BillCommandTest, WithoutATaskOrderThereIsNoBill) {
    Start({1});
    Session().ClickNavigationNode(1);
    ExpectBox("没有需要查看的单据。");
    ASSERT_TRUE(Click("btnBill"));
    EXPECT_EQ(LastBillOpened(), nullptr);
}

TEST_F(BillCommandTest, WithoutTheViewRightTheTaskOrderIsRefused) {
    OpenSession(erp::kGuestID);
    Start({1});
    ExpectBox("对不起，你没有相应的权限！");
    ASSERT_TRUE(Click("btnBill"));
    EXPECT_EQ(LastBillOpened(), nullptr);
}

TEST_F(BillCommandTest, WithTheSwitchOffAUserOfAnotherGroupMayOpenIt) {
    OpenSession(erp::kSalesID);
    Start({1});
    ASSERT_TRUE(Click("btnBill"));
    ASSERT_NE(LastBillOpened(), nullptr);
    EXPECT_EQ(LastBillOpened()->InterID, 1);
}

TEST_F(BillCommandTest, AnOutsourcedTaskOrderIsGuardedByItsOwnPermissionObject) {
    OpenSession(erp::kGuestID, "SUBC");
    Start({6});
    Execute(
        "INSERT INTO t_AccessRight (FOwnerType, FOwnerID, FObjectType, FObjectID, FAccessMask) "
        "VALUES (0, 16399, 1022, 10, 2097152)");
    ExpectBox("对不起，你没有相应的权限！");
    ASSERT_TRUE(Click("btnBill"));
    EXPECT_EQ(LastBillOpened(), nullptr);
    Execute(
        "INSERT INTO t_AccessRight (FOwnerType, FOwnerID, FObjectType, FObjectID, FAccessMask) "
        "VALUES (0, 16399, 1022, 88, 2097152)");
    ASSERT_TRUE(Click("btnBill"));
    ASSERT_NE(LastBillOpened(), nullptr);
    EXPECT_EQ(LastBillOpened()->InterID, 6);
}

TEST_F(BillCommandTest, InTheDetailPaneWithNothingSelectedThereIsNoBill) {
    Start({1});
    Viewer().ActivatePane("Detail");
    ExpectBox("没有需要查看的单据。");
    ASSERT_TRUE(Click("btnBill"));
}

TEST_F(BillCommandTest, InTheDetailPaneANodeAsksForABill) {
    Start({1});
    ShowDetail(ModelWithRow("-24", NewRow({{"FBillNo", "SOUT1"}})), "1");
    ExpectBox("请选择对应单据!");
    ASSERT_TRUE(Click("btnBill"));
    EXPECT_EQ(LastBillOpened(), nullptr);
}

class GroupBillCommandTest : public CommandTest {
  protected:
    erp::FixtureDefinition Definition() const override {
        erp::FixtureDefinition definition;
        definition.data.checkUserGroup = true;
        return definition;
    }
};

TEST_F(GroupBillCommandTest, ATaskOrderOfABillerInNoSharedGroupIsRefusedForTheGroup) {
    OpenSession(erp::kSalesID);
    Start({1});
    ExpectBox("对不起，你没有相应的用户组权限！");
    ASSERT_TRUE(Click("btnBill"));
    EXPECT_EQ(LastBillOpened(), nullptr);
    EXPECT_EQ(LastBox(), "对不起，你没有相应的用户组权限！") << "full-width exclamation mark";
}

TEST_F(GroupBillCommandTest, ASharedGroupOpensIt) {
    OpenSession(erp::kWorkshopID);
    Start({1});
    ASSERT_TRUE(Click("btnBill"));
    ASSERT_NE(LastBillOpened(), nullptr);
}

// --- Selection, position, option, exit -----------------------------------------------------------

using NavigationCommandTest = CommandTest;

TEST_F(NavigationCommandTest, TheSelectionToolOpensTheBillList) {
    Start({1});
    Session().Backend().AddModalStep("frmList", [](windowing::Form& form) {
        auto& list = dynamic_cast<client::ICList&>(*dynamic_cast<frmList&>(form).ICListSel);
        EXPECT_EQ(list.ListID, 36);
        EXPECT_EQ(list.Filter, " v1.FTrantype=85 AND v1.FScheduleID=0 ");
        EXPECT_EQ(list.SelectFlag, 0);
        list.SelectRow(2);
        list.RaiseCommand("SelectOK");
    });
    ASSERT_TRUE(Click("btnSelectBills"));
    EXPECT_EQ(Viewer().GetNavigationModel()->NodeCount(), 2);
    EXPECT_EQ(Viewer().NavigationTitle(), "生产任务单(1)");
}

TEST_F(NavigationCommandTest, ThePositionToolSearchesTheTextOfThePositionBox) {
    Start({1, 2});
    ViewerTool("txtPosition")->SetText("WORK000002");
    ASSERT_TRUE(Click("btnPosition"));
    EXPECT_EQ(Viewer().SelectedNavigationNode()->Index(), 3);
}

TEST_F(NavigationCommandTest, AnEmptyPositionBoxAsksForATextAndTakesTheFocus) {
    Start({1, 2});
    ViewerTool("txtPosition")->SetText("  ");
    ExpectBox("请输入查询条件。");
    ASSERT_TRUE(Click("btnPosition"));
    EXPECT_EQ(FocusedToolName(), "txtPosition");
    EXPECT_EQ(Viewer().SelectedNavigationNode()->Index(), 2);
}

TEST_F(NavigationCommandTest, TheCheckableToolsToggleOnEveryClick) {
    Start({1});
    for (const char* key : {"btnShowFilter", "btnReturnAllBill", "btnReturnSelection"}) {
        auto tool = ViewerTool(key);
        ASSERT_TRUE(tool) << key;
        const bool before = tool->Checked();
        Tracker()->MenuClick(tool);
        EXPECT_EQ(tool->Checked(), !before) << key;
        Tracker()->MenuClick(tool);
        EXPECT_EQ(tool->Checked(), before) << key;
    }
    ASSERT_TRUE(Click("btnShowFilter"));
    EXPECT_TRUE(ViewerTool("btnShowFilter")->Checked());
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(NavigationCommandTest, ToolsOfOtherWindowsAndKeysInAnotherCaseDoNothing) {
    Start({1});
    const auto eventsBefore = Session().Backend().FormEvents().size();
    const DetailModelPtr detailBefore = Viewer().GetDetailModel();
    for (const char* key : {"TitleFont", "OrderSet"}) ASSERT_TRUE(Click(key));
    Tracker()->MenuClick(std::make_shared<activebar::Tool>("txtSelectBills"));
    Tracker()->MenuClick(std::make_shared<activebar::Tool>("BTNREFRESH"));
    Tracker()->MenuClick(nullptr);
    EXPECT_EQ(Session().Backend().FormEvents().size(), eventsBefore);
    EXPECT_EQ(Viewer().GetDetailModel(), detailBefore) << "tool keys are compared exactly";
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_NE(Tracker()->Window(), nullptr);
}

TEST_F(NavigationCommandTest, BeforeMenuClickLeavesTheFlagAsItCame) {
    Start({1});
    auto tool = ViewerTool("btnRefresh");
    bool cancel = false;
    Tracker()->BeforeMenuClick(tool, cancel);
    EXPECT_FALSE(cancel);
    cancel = true;
    Tracker()->BeforeMenuClick(tool, cancel);
    EXPECT_TRUE(cancel);
}

TEST_F(NavigationCommandTest, MessagesGoToTheClientsMessageObjectAndRefusalsToABox) {
    OpenSession(erp::kGuestID);
    Start({1});
    auto helper = std::make_shared<RecordingMessageHelper>();
    Session().Replace(kMessageHelperProgId, [helper] { return helper; });
    Session().ClickNavigationNode(1);
    ASSERT_TRUE(Click("btnRouting"));
    EXPECT_EQ(*helper->shown, std::vector<std::string>{"请选择任务单!"});
    EXPECT_EQ(BoxCount(), 0u);
    ExpectBox("对不起，你没有相应的权限！");
    ASSERT_TRUE(Click("btnPrint"));
    EXPECT_EQ(helper->shown->size(), 1u) << "the print refusal is a box of its own";
}

TEST_F(NavigationCommandTest, AFailingMessageObjectIsRaisedWithTheSourceTrail) {
    Start({1});
    Session().Replace(kMessageHelperProgId, [] { return automation::ObjectPtr(); });
    Session().ClickNavigationNode(1);
    try {
        Click("btnRouting");
        FAIL() << "the failure was swallowed";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Source().rfind("QzICMOTrackQuery.CICMOQuery.ITrackQuery_MenuClick", 0), 0u)
            << error.Source();
    }
}

// --- Print, preview, export ------------------------------------------------------------------

using OutputCommandTest = CommandTest;

TEST_F(OutputCommandTest, PrintAndPreviewWriteTheViewWithThePrintRight) {
    Start({1});
    Viewer().SetOutputDirectory(OutputDirectory());
    ASSERT_TRUE(Click("btnPrint"));
    const auto printed = Viewer().LastOutputPath();
    ASSERT_FALSE(printed.empty());
    EXPECT_TRUE(std::filesystem::exists(printed));
    ASSERT_TRUE(Click("btnPrintPreview"));
    EXPECT_NE(Viewer().LastOutputPath(), printed);
    EXPECT_TRUE(std::filesystem::exists(Viewer().LastOutputPath()));
    std::filesystem::remove_all(OutputDirectory());
}

TEST_F(OutputCommandTest, WithoutThePrintRightTheRefusalBoxIsShown) {
    OpenSession(erp::kGuestID);
    Start({1});
    Viewer().SetOutputDirectory(OutputDirectory());
    ExpectBox("对不起，你没有相应的权限！");
    ASSERT_TRUE(Click("btnPrint"));
    ExpectBox("对不起，你没有相应的权限！");
    ASSERT_TRUE(Click("btnPrintPreview"));
    ExpectBox("对不起，你没有相应的权限！");
    ASSERT_TRUE(Click("btnExport"));
    ASSERT_EQ(BoxCount(), 3u);
    for (const auto& box : Session().MessageBoxes()) {
        EXPECT_EQ(box.Title, "Velo提示");
        EXPECT_EQ(box.Buttons, windowing::vbInformation + windowing::vbOKOnly);
    }
    EXPECT_TRUE(Viewer().LastOutputPath().empty());
}

TEST_F(OutputCommandTest, ExportNamesTheFileAfterTheSelectedTaskOrder) {
    Start({1, 2});
    Session().ClickNavigationNode(3);
    Viewer().SetOutputDirectory(OutputDirectory());
    ASSERT_TRUE(Click("btnExport"));
    EXPECT_EQ(Viewer().ExportTitle(), "任务单全程跟踪_WORK000002");
    const auto written = Viewer().LastOutputPath();
    EXPECT_TRUE(std::filesystem::exists(written));
    EXPECT_NE(written.filename().string().find("WORK000002"), std::string::npos) << written;
    std::filesystem::remove_all(OutputDirectory());
}

TEST_F(OutputCommandTest, ExportWithoutASelectedNodeDoesNothing) {
    Start({});
    ASSERT_EQ(Viewer().SelectedNavigationNode(), nullptr);
    Viewer().SetOutputDirectory(OutputDirectory());
    ASSERT_TRUE(Click("btnExport"));
    EXPECT_EQ(Viewer().ExportTitle(), "");
    EXPECT_TRUE(Viewer().LastOutputPath().empty());
    EXPECT_EQ(BoxCount(), 0u);
}

}  // namespace
}  // namespace trackquery::testing
