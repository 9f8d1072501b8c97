// Creation, start-up, closing and the saved window options of the task order tracker.

#include "trackquery/icmo_tracking/icmo_fixture.h"

#include <platform/automation/errors.h>

namespace trackquery::testing {
namespace {

using LifecycleTest = IcmoFixture;

TEST_F(LifecycleTest, TheUserGroupSwitchComesFromTheSystemProfile) {
    checkUserGroup = automation::Variant("1");
    EXPECT_TRUE(CreateCICMOQuery()->CheckUserGroup());
    checkUserGroup = automation::Null;
    EXPECT_FALSE(CreateCICMOQuery()->CheckUserGroup());
    checkUserGroup = automation::Variant(int32_t{0});
    EXPECT_FALSE(CreateCICMOQuery()->CheckUserGroup());
}

TEST_F(LifecycleTest, CreationFailsWithItsSourceWithoutASystemProfile) {
    automation::ComponentRegistry::Instance().Unregister(kSystemProfileProgId);
    try {
        CreateCICMOQuery();
        FAIL() << "created without a system profile";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), automation::vberr::CannotCreateObject);
        EXPECT_EQ(error.Source().rfind("QzICMOTrackQuery.CICMOQuery.Class_Initialize", 0), 0u)
            << error.Source();
    }
}

TEST_F(LifecycleTest, SubSystemCJForcesOrdinaryTaskOrdersWhateverTheHostSet) {
    UseProps("SubID=cj;");
    auto controller = StartEmbedded(Bills({{1001, "WORK1001"}}), nullptr, -571);
    EXPECT_EQ(controller->TranType(), -85);
    EXPECT_EQ(controller->OptionKey(), "ICMOTrack");
    EXPECT_EQ(options->readKeys, std::vector<std::string>{"ICMOTrackFrm"});
    EXPECT_EQ(viewer->navigationTitles.back(), "生产任务单(1)");
}

TEST_F(LifecycleTest, SubSystemsREPMAndSUBCChooseTheirKinds) {
    UseProps("SubID=REPM;");
    auto repetitive = StartEmbedded(Bills({}));
    EXPECT_EQ(repetitive->TranType(), -54);
    EXPECT_EQ(repetitive->OptionKey(), "REPICMOTrack");
    UseProps("SubID=Subc;");
    auto outsourced = StartEmbedded(Bills({}));
    EXPECT_EQ(outsourced->TranType(), -571);
    EXPECT_EQ(outsourced->OptionKey(), "WWICMOTrack");
}

TEST_F(LifecycleTest, AnotherSubSystemKeepsTheHostsKind) {
    UseProps("SubID=XX;");
    auto controller = StartEmbedded(Bills({{7, "W7"}}), nullptr, -571);
    EXPECT_EQ(controller->TranType(), -571);
    EXPECT_EQ(controller->OptionKey(), "WWICMOTrack");
    EXPECT_EQ(options->readKeys, std::vector<std::string>{"WWICMOTrackFrm"});
    EXPECT_EQ(viewer->navigationTitles.back(), "委外加工生产任务单(1)");
}

TEST_F(LifecycleTest, WithoutAKindTheOptionKeyStaysEmptyAndOptionsAreReadUnderFrm) {
    UseProps("SubID=XX;");
    auto controller = StartEmbedded(Bills({{7, "W7"}}), nullptr, 0);
    EXPECT_EQ(controller->OptionKey(), "");
    EXPECT_EQ(options->readKeys, std::vector<std::string>{"Frm"});
}

TEST_F(LifecycleTest, TheViewerIsConfigured) {
    auto controller = StartEmbedded(Bills({{1, "A"}}));
    EXPECT_EQ(viewer->ViewSetting05(), "ICMOTrackQuery");
    EXPECT_TRUE(viewer->ViewSetting01());
    EXPECT_EQ(viewer->ViewSetting03(), 10);
    EXPECT_EQ(viewer->attachedBar, controller->Window()->abSubMenu);
    EXPECT_EQ(viewer->ViewSetting17(), 0);
    EXPECT_EQ(viewer->ViewSetting16(), 4);
    EXPECT_EQ(viewer->ViewSetting15(), 8);
    EXPECT_EQ(viewer->detailTitle, "详细跟踪信息");
    EXPECT_FALSE(viewer->StandAlone());
    EXPECT_FALSE(viewer->ViewSetting13()) << "no saved layout: the designed split";
    EXPECT_FLOAT_EQ(viewer->ViewSetting12(), 0.2f);
    EXPECT_FLOAT_EQ(viewer->ViewSetting11(), 0.34f);
    EXPECT_FALSE(viewer->HeadTitleAlert());
    EXPECT_GE(viewer->refreshCount, 1);
    ASSERT_FALSE(viewer->toolsVisible.empty());
    EXPECT_EQ(viewer->toolsVisible.front(),
              std::make_pair(
                  std::string("btnShowSummaryView|btnShowDetailView|btnShowSummaryTitle"), false));
}

TEST_F(LifecycleTest, ASavedLayoutIsKept) {
    automation::ComponentRegistry::Instance().Register(kProgIdTraceViewer, [this] {
        viewer = std::make_shared<FakeTraceViewer>();
        viewer->layoutRestored = true;
        viewer->SetViewSetting12(0.5f);
        return viewer;
    });
    StartEmbedded(Bills({{1, "A"}}));
    EXPECT_TRUE(viewer->ViewSetting13());
    EXPECT_FLOAT_EQ(viewer->ViewSetting12(), 0.5f);
}

TEST_F(LifecycleTest, CalledBySalesOrderTrackingHidesTheJumpBack) {
    auto status = std::make_shared<automation::Dictionary>();
    status->SetItem("CallBySETrack", true);
    StartEmbedded(Bills({{1, "A"}}), status);
    EXPECT_EQ(viewer->toolsVisible.back(), std::make_pair(std::string("btnSETrace"), false));
}

TEST_F(LifecycleTest, WithoutTheCalledByFlagTheJumpBackStays) {
    StartEmbedded(Bills({{1, "A"}}));
    EXPECT_EQ(viewer->toolsVisible.back(), std::make_pair(std::string("btnSETrace"), true));
    auto status = std::make_shared<automation::Dictionary>();
    status->SetItem("CallBySETrack", false);
    StartEmbedded(Bills({{1, "A"}}), status);
    EXPECT_EQ(viewer->toolsVisible.back(), std::make_pair(std::string("btnSETrace"), true));
}

TEST_F(LifecycleTest, SavedWindowOptionsSetTheToolsCheckStates) {
    options->rows["ICMOTrackFrm"] = {
        {"btnShowFilter", "1"}, {"btnShowStandard", "0"}, {"btnNoSuchTool", "1"}};
    automation::ComponentRegistry::Instance().Register(kProgIdTraceViewer, [this] {
        viewer = std::make_shared<FakeTraceViewer>();
        viewer->GetTool("btnShowStandard")->SetChecked(true);
        return viewer;
    });
    auto controller = StartEmbedded(Bills({{1, "A"}}));
    EXPECT_TRUE(controller->Window()->abSubMenu->GetTools().Item("btnShowFilter")->Checked());
    EXPECT_FALSE(viewer->GetTool("btnShowStandard")->Checked());
}

TEST_F(LifecycleTest, WithoutAnOptionRecordSetTheToolsStayAsDesigned) {
    options->missingRecordset = true;
    automation::ComponentRegistry::Instance().Register(kProgIdTraceViewer, [this] {
        viewer = std::make_shared<FakeTraceViewer>();
        viewer->GetTool("btnShowStandard")->SetChecked(true);
        return viewer;
    });
    auto controller = StartEmbedded(Bills({{1, "A"}}));
    EXPECT_TRUE(viewer->GetTool("btnShowStandard")->Checked());
    EXPECT_FALSE(controller->Window()->abSubMenu->GetTools().Item("btnShowFilter")->Checked());
}

TEST_F(LifecycleTest, EmbeddedStartReturnsAtOnceWithTheWindowShown) {
    auto controller = StartEmbedded(Bills({{1, "A"}}));
    ASSERT_NE(controller->Window(), nullptr);
    EXPECT_TRUE(controller->Window()->Visible());
    EXPECT_NE(controller->Hwnd(), 0);
    EXPECT_EQ(controller->Hwnd(), controller->Window()->Hwnd());
    EXPECT_TRUE(messages->empty());
}

TEST_F(LifecycleTest, HwndIsZeroWithoutAWindow) {
    auto controller = CreateCICMOQuery();
    EXPECT_EQ(controller->Hwnd(), 0);
}

TEST_F(LifecycleTest, StandAloneStartReturnsOnlyAfterTheWindowClosed) {
    auto controller = CreateCICMOQuery();
    bool stepRan = false;
    headless->AddModalStep("frmICMOQuery", [&](windowing::Form& form) {
        stepRan = true;
        EXPECT_TRUE(form.Visible());
        EXPECT_TRUE(viewer->StandAlone());
        controller->CloseMe();
    });
    EXPECT_TRUE(controller->InitTrack(nullptr, 0, nullptr, Bills({{1, "A"}}), nullptr));
    EXPECT_TRUE(stepRan);
    EXPECT_EQ(controller->Window(), nullptr);
    EXPECT_EQ(controller->Hwnd(), 0);
    ASSERT_EQ(options->saved.size(), 1u);
    EXPECT_EQ(options->saved[0].key, "ICMOTrack");
    EXPECT_EQ(options->saved[0].userId, 16394);
}

TEST_F(LifecycleTest, AfterAStandAloneCloseWindowAndControllerAreReleased) {
    std::weak_ptr<CICMOQuery> weakController;
    std::weak_ptr<frmICMOQuery> weakWindow;
    {
        auto controller = CreateCICMOQuery();
        weakController = controller;
        headless->AddModalStep([&](windowing::Form&) {
            weakWindow = controller->Window();
            // The user clicks the exit tool of the window's bar.
            viewer->Sink()->OnMenuClick(
                controller->Window()->abSubMenu->GetTools().Item("btnExit"));
        });
        EXPECT_TRUE(controller->InitTrack(nullptr, 0, nullptr, Bills({{1, "A"}}), nullptr));
    }
    EXPECT_TRUE(weakWindow.expired());
    EXPECT_TRUE(weakController.expired());
}

TEST_F(LifecycleTest, AUserCloseOfTheStandAloneWindowEndsTheStart) {
    std::weak_ptr<CICMOQuery> weakController;
    {
        auto controller = CreateCICMOQuery();
        weakController = controller;
        headless->CloseModalForm();
        EXPECT_TRUE(controller->InitTrack(nullptr, 0, nullptr, Bills({{1, "A"}}), nullptr));
    }
    EXPECT_TRUE(weakController.expired());
}

TEST_F(LifecycleTest, EmbeddedCloseAsksTheHostToCloseItsPage) {
    auto host = std::make_shared<RecordingHostForm>();
    automation::ObjectPtr hostForm = host;
    auto controller = Started(CreateCICMOQuery());
    ASSERT_TRUE(controller->InitTrack(&hostForm, windowing::CreateHostWindow(), nullptr,
                                      Bills({{1, "A"}}), nullptr));
    EXPECT_EQ(viewer->HostForm(), hostForm);
    controller->CloseMe();
    EXPECT_EQ(host->fired, std::vector<std::string>{"close"});
    EXPECT_NE(controller->Window(), nullptr) << "the viewer's Hide releases the window";
    ASSERT_EQ(options->saved.size(), 1u);
}

TEST_F(LifecycleTest, EmbeddedCloseWithAHostFormWithoutTheCallGoesOn) {
    automation::ObjectPtr hostForm = std::make_shared<PlainObject>();
    auto controller = Started(CreateCICMOQuery());
    ASSERT_TRUE(controller->InitTrack(&hostForm, windowing::CreateHostWindow(), nullptr,
                                      Bills({{1, "A"}}), nullptr));
    EXPECT_NO_THROW(controller->CloseMe());
}

TEST_F(LifecycleTest, HideReleasesWindowAndController) {
    std::weak_ptr<CICMOQuery> weakController;
    std::weak_ptr<frmICMOQuery> weakWindow;
    {
        auto controller = StartEmbedded(Bills({{1, "A"}, {2, "B"}}));
        weakController = controller;
        weakWindow = controller->Window();
        viewer->Sink()->OnHide();
        EXPECT_EQ(controller->Window(), nullptr);
    }
    EXPECT_TRUE(weakWindow.expired());
    EXPECT_TRUE(weakController.expired());
}

TEST_F(LifecycleTest, ASecondStartAfterHideOpensANewWindow) {
    auto controller = StartEmbedded(Bills({{1, "A"}}));
    viewer->Sink()->OnHide();
    EXPECT_TRUE(controller->InitTrack(nullptr, windowing::CreateHostWindow(), nullptr,
                                      Bills({{2, "B"}}), nullptr));
    ASSERT_NE(controller->Window(), nullptr);
    EXPECT_EQ(controller->LastKey(), "MO2");
}

TEST_F(LifecycleTest, SaveFrameOptionsKeepsTheOrderAndSkipsUnavailableTools) {
    auto controller = StartEmbedded(Bills({{1, "A"}}));
    auto& tools = controller->Window()->abSubMenu->GetTools();
    tools.Item("btnShowFilter")->SetChecked(true);
    tools.Item("btnReturnAllBill")->SetEnabled(false);
    viewer->GetTool("btnShowViewer")->SetChecked(true);
    controller->CloseMe();
    ASSERT_EQ(options->saved.size(), 1u);
    const auto& saved = *options->saved[0].options;
    const std::vector<std::string> expected = {"btnShowFilter",      "btnReturnSelection",
                                               "btnShowStandard",    "btnShowViewer",
                                               "btnShowSelectBills", "btnShowPosition"};
    ASSERT_EQ(saved.Count(), static_cast<int32_t>(expected.size()));
    for (int32_t i = 1; i <= saved.Count(); ++i) EXPECT_EQ(saved.Key(i), expected[i - 1]);
    EXPECT_EQ(saved.Item("btnShowFilter"), automation::Variant(true));
    EXPECT_EQ(saved.Item("btnShowViewer"), automation::Variant(true));
    EXPECT_EQ(saved.Item("btnShowStandard"), automation::Variant(false));
}

TEST_F(LifecycleTest, ABadUserIdSavesNothingButTheWindowStillCloses) {
    UseProps("SubID=CJ;", "abc");
    auto controller = CreateCICMOQuery();
    headless->AddModalStep([&](windowing::Form&) { controller->CloseMe(); });
    EXPECT_TRUE(controller->InitTrack(nullptr, 0, nullptr, Bills({{1, "A"}}), nullptr));
    EXPECT_TRUE(options->saved.empty());
    EXPECT_EQ(controller->Window(), nullptr);
}

TEST_F(LifecycleTest, AStartWithoutAViewerFailsWithAMessageAndLeavesNothingBehind) {
    automation::ComponentRegistry::Instance().Unregister(kProgIdTraceViewer);
    std::weak_ptr<CICMOQuery> weakController;
    {
        auto controller = CreateCICMOQuery();
        weakController = controller;
        EXPECT_FALSE(controller->InitTrack(nullptr, windowing::CreateHostWindow(), nullptr,
                                           Bills({{1, "A"}}), nullptr));
        EXPECT_EQ(controller->Window(), nullptr);
    }
    EXPECT_TRUE(weakController.expired());
    ASSERT_EQ(messages->size(), 1u);
    EXPECT_EQ(messages->front().rfind("显示窗体错误,原因:", 0), 0u) << messages->front();
    EXPECT_EQ(automation::Err().Number, 0);
}

TEST_F(LifecycleTest, AFailedTreeBuildGivesFalseWithItsReason) {
    auto bad = std::make_shared<automation::Vector>();
    bad->Add(automation::Variant("not a bill"));
    auto controller = CreateCICMOQuery();
    EXPECT_FALSE(
        controller->InitTrack(nullptr, windowing::CreateHostWindow(), nullptr, bad, nullptr));
    ASSERT_EQ(messages->size(), 1u);
    EXPECT_GT(messages->front().size(), std::string("显示窗体错误,原因:").size());
    EXPECT_EQ(controller->Window(), nullptr);
}

TEST_F(LifecycleTest, ModuleNamesOfTheBillKinds) {
    UseProps("SubID=CJ;");
    auto controller = StartEmbedded(Bills({}));
    EXPECT_EQ(controller->GetModuleName(55), "ShopFloor");
    EXPECT_EQ(controller->GetModuleName(88), "ShopFloor");
    EXPECT_EQ(controller->GetModuleName(9999), "");
    EXPECT_EQ(controller->GetModuleName(2), "Stock");
    EXPECT_EQ(controller->GetModuleName(700), "OPERMANAGE");
    EXPECT_EQ(controller->GetModuleName(54), "REPM");
    EXPECT_EQ(controller->GetModuleName(571), "SubContractor");
    EXPECT_EQ(controller->GetModuleName(81), "SaleIn");
    EXPECT_EQ(controller->GetModuleName(85), "ShopFloor");
    EXPECT_EQ(controller->GetModuleName(87), "MPS");
    EXPECT_EQ(controller->GetModuleName(714), "QM");
}

TEST_F(LifecycleTest, ModuleNameOfTaskOrderKindsFollowsTheSubSystem) {
    UseProps("SubID=XX;");
    EXPECT_EQ(StartEmbedded(Bills({}), nullptr, -85)->GetModuleName(55), "");
    UseProps("SubID=subc;");
    EXPECT_EQ(StartEmbedded(Bills({}))->GetModuleName(551), "SubContractor");
    UseProps("SubID=REPM;");
    EXPECT_EQ(StartEmbedded(Bills({}))->GetModuleName(55), "REPM");
}

}  // namespace
}  // namespace trackquery::testing
