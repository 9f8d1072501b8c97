// The viewer's own menu bar, the host's attached bar and the tool members of the contract.

#include <support/model_builders.h>
#include "recording_sink.h"

#include <components/viewer/viewer_document.h>
#include <components/viewer/viewer_menu_bar.h>

#include <platform/activebar/active_bar.h>
#include <platform/automation/errors.h>

#include <gtest/gtest.h>

namespace client::testing {
namespace {

using namespace trackquery::testing;

namespace ev = trackquery::viewer_event;
using activebar::ToolType;

// A host bar with a few of the tracking window's tools.
activebar::ActiveBarPtr MakeHostBar() {
    auto bar = std::make_shared<activebar::ActiveBar>();
    auto band = bar->GetBands().Add("bndToolbar");
    band->AddTool("btnExit", ToolType::Button, "退出");
    band->AddTool("btnExport", ToolType::Button, "引出内部数据");
    band->AddTool("btnPrint", ToolType::Button, "打印(&P)");
    band->AddTool("btnPrintPreview", ToolType::Button, "打印预览");
    auto filter = band->AddTool("btnShowFilter", ToolType::Button, "选单时弹出过滤界面(&F)");
    filter->SetCheckable(true);
    band->AddTool("btnItem", ToolType::Button, "查看物料")->SetShortcut(118, activebar::vbCtrlMask);
    return bar;
}

class ViewerToolsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        viewer = std::make_shared<ViewerDocument>();
        viewer->SetEventSink(&sink);
    }
    void TearDown() override { viewer->SetEventSink(nullptr); }

    RecordingSink sink;
    std::shared_ptr<ViewerDocument> viewer;
};

TEST_F(ViewerToolsTest, TheViewersOwnBarHoldsTheToolsTheControllersUse) {
    for (const char* key :
         {"btnRefresh", "btnSelectBills", "btnPosition", "btnShowSummaryView", "btnShowDetailView",
          "btnShowSummaryTitle", "btnShowTitle", "mnuViewerTitle", "btnShowStandard",
          "btnShowViewer", "btnShowSelectBills", "btnShowPosition", "txtSelectBills",
          "txtPosition"}) {
        auto tool = viewer->GetTool(key);
        ASSERT_NE(tool, nullptr) << key;
        EXPECT_EQ(tool->Parent(), viewer->GetMenuBar()) << key;
    }
    auto bar = viewer->GetMenuBar();
    EXPECT_TRUE(bar->GetBands().Item("bndfilter")->GetTools().Exists("txtSelectBills"));
    EXPECT_TRUE(bar->GetBands().Item("bndSearch")->GetTools().Exists("txtPosition"));
    EXPECT_EQ(viewer->GetTool("txtPosition")->ControlType(), ToolType::TextBox);
}

TEST_F(ViewerToolsTest, GetToolFindsToolsOfBothBarsAndNothingElse) {
    auto host = MakeHostBar();
    viewer->AttachMenuBar(host);
    EXPECT_EQ(viewer->GetTool("btnExit"), host->GetTools().Item("btnExit"));
    EXPECT_EQ(viewer->GetTool("btnShowFilter")->Parent(), host);
    EXPECT_NE(viewer->GetTool("btnRefresh"), nullptr);
    EXPECT_EQ(viewer->GetTool("btnNoSuchTool"), nullptr);
    EXPECT_EQ(viewer->AttachedMenuBar(), host);
}

TEST_F(ViewerToolsTest, SetToolsVisibleTakesKeysJoinedByBarsAcrossBothBars) {
    viewer->AttachMenuBar(MakeHostBar());
    viewer->SetToolsVisible("btnShowSummaryView|btnExit|btnUnknown| btnShowTitle", false);
    EXPECT_FALSE(viewer->GetTool("btnShowSummaryView")->Visible());
    EXPECT_FALSE(viewer->GetTool("btnExit")->Visible());
    EXPECT_FALSE(viewer->GetTool("btnShowTitle")->Visible());
    EXPECT_TRUE(viewer->GetTool("btnShowDetailView")->Visible());
    viewer->SetToolsVisible("btnExit", true);
    EXPECT_TRUE(viewer->GetTool("btnExit")->Visible());
}

TEST_F(ViewerToolsTest, SetToolsVisibleWithAnEmptyListChangesNothing) {
    viewer->SetToolsVisible("", false);
    viewer->SetToolsVisible("||", false);
    EXPECT_TRUE(viewer->GetTool("btnRefresh")->Visible());
}

TEST_F(ViewerToolsTest, AHiddenOrDisabledToolCannotBeClicked) {
    viewer->SetToolsVisible("btnRefresh", false);
    EXPECT_FALSE(viewer->ClickTool("btnRefresh"));
    viewer->GetTool("btnPosition")->SetEnabled(false);
    EXPECT_FALSE(viewer->ClickTool("btnPosition"));
    EXPECT_TRUE(sink.events.empty());
    EXPECT_THROW(viewer->ClickTool("btnNoSuchTool"), automation::RuntimeError);
}

TEST_F(ViewerToolsTest, HostToolClicksComeBackAsEventsWithTheHostsTool) {
    auto host = MakeHostBar();
    viewer->AttachMenuBar(host);
    viewer->ClickTool("btnExit");
    host->ClickTool("btnShowFilter");  // a click straight on the host's bar
    ASSERT_EQ(sink.Numbers(), (std::vector<int32_t>{ev::BeforeMenuClick, ev::MenuClick,
                                                    ev::BeforeMenuClick, ev::MenuClick}));
    EXPECT_EQ(sink.events[1].tool, host->GetTools().Item("btnExit"));
    EXPECT_EQ(sink.events[3].text, "btnShowFilter");
    // The viewer leaves the host's checkable tools to the controller.
    EXPECT_FALSE(host->GetTools().Item("btnShowFilter")->Checked());
}

TEST_F(ViewerToolsTest, TheWindowsKeyForwardingReachesHostShortcuts) {
    viewer->AttachMenuBar(MakeHostBar());
    int16_t keyCode = 118;
    int16_t shift = activebar::vbCtrlMask;
    viewer->GetMenuBar()->OnKeyDown(keyCode, shift);
    EXPECT_EQ(keyCode, 0);
    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[1].text, "btnItem");
}

TEST_F(ViewerToolsTest, AttachingAnotherBarReleasesTheFirst) {
    auto first = MakeHostBar();
    viewer->AttachMenuBar(first);
    auto second = std::make_shared<activebar::ActiveBar>();
    second->GetTools().Add("btnOption");
    viewer->AttachMenuBar(second);
    EXPECT_EQ(viewer->GetTool("btnExit"), nullptr);
    EXPECT_NE(viewer->GetTool("btnOption"), nullptr);
    first->ClickTool("btnExit");
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(ViewerToolsTest, KeysInTextBoxesOfEitherBarReachTheListenerWithTheirBand) {
    auto host = MakeHostBar();
    host->GetBands().Add("bndHostSearch")->AddTool("txtHost", ToolType::TextBox)->SetText("h1");
    viewer->AttachMenuBar(host);
    host->TextKeyDown("txtHost", 13);
    viewer->GetTool("txtSelectBills")->SetText("WORK");
    viewer->GetMenuBar()->TextKeyDown("txtSelectBills", 118);
    ASSERT_EQ(sink.Numbers(), (std::vector<int32_t>{ev::MenuTextKeyDown, ev::MenuTextKeyDown}));
    EXPECT_EQ(sink.events[0].text, "13,bndHostSearch,h1");
    EXPECT_EQ(sink.events[1].text, "118,bndfilter,WORK");
}

TEST_F(ViewerToolsTest, TheHostsGuardedOutputToolsReplaceTheViewersOwn) {
    EXPECT_TRUE(viewer->GetTool(kToolViewerExport)->Visible());
    viewer->AttachMenuBar(MakeHostBar());
    EXPECT_FALSE(viewer->GetTool(kToolViewerExport)->Visible());
    EXPECT_FALSE(viewer->GetTool(kToolViewerPrint)->Visible());
    EXPECT_FALSE(viewer->GetTool(kToolViewerPrintPreview)->Visible());
    viewer->AttachMenuBar(nullptr);
    EXPECT_TRUE(viewer->GetTool(kToolViewerExport)->Visible());
}

TEST_F(ViewerToolsTest, ViewToolsToggleAndShowOrHideTheirBand) {
    auto band = viewer->GetMenuBar()->GetBands().Item("bndSearch");
    viewer->ClickTool("btnShowPosition");
    EXPECT_FALSE(viewer->GetTool("btnShowPosition")->Checked());
    EXPECT_FALSE(band->Visible());
    EXPECT_FALSE(viewer->TypeIntoTool("bndSearch", "txtPosition", "x"));
    viewer->ClickTool("btnShowPosition");
    EXPECT_TRUE(band->Visible());
    // The controller hears the click too.
    EXPECT_EQ(sink.events.size(), 4u);
}

TEST_F(ViewerToolsTest, CheckStatesRestoredByTheHostTakeEffectOnRefresh) {
    viewer->GetTool("btnShowSelectBills")->SetChecked(false);
    viewer->RefreshView();
    EXPECT_FALSE(viewer->GetMenuBar()->GetBands().Item("bndfilter")->Visible());
    EXPECT_EQ(viewer->RefreshCount(), 1);
}

TEST_F(ViewerToolsTest, PositionTextIsTheTextOfTxtPosition) {
    EXPECT_EQ(viewer->GetPositionText(), "");
    viewer->GetTool("txtPosition")->SetText(" MO-00 ");
    EXPECT_EQ(viewer->GetPositionText(), " MO-00 ");
}

TEST_F(ViewerToolsTest, TypingPutsTheFocusIntoTheBox) {
    viewer->TypeIntoTool("bndfilter", "txtSelectBills", "abc", false);
    EXPECT_EQ(viewer->GetMenuBar()->FocusedTool(), viewer->GetTool("txtSelectBills"));
}

TEST_F(ViewerToolsTest, SetHostKeepsTheHostsFormAndBar) {
    automation::ObjectPtr form = std::make_shared<automation::Dictionary>();
    automation::ObjectPtr bar = MakeHostBar();
    viewer->SetHost(form, bar);
    EXPECT_EQ(viewer->HostForm(), form);
    EXPECT_EQ(viewer->HostBar(), bar);
}

TEST_F(ViewerToolsTest, SettingsAndTitlesAreKept) {
    viewer->SetViewSetting05("ICMOTrackQuery");
    viewer->SetViewSetting01(true);
    viewer->SetViewSetting03(10);
    viewer->SetViewSetting12(0.2f);
    viewer->SetStandAlone(true);
    viewer->SetHeadTitleAlert(true);
    viewer->SetExportTitle("任务单全程跟踪_MO-001");
    EXPECT_EQ(viewer->ViewSetting05(), "ICMOTrackQuery");
    EXPECT_TRUE(viewer->ViewSetting01());
    EXPECT_EQ(viewer->ViewSetting03(), 10);
    EXPECT_FLOAT_EQ(viewer->ViewSetting12(), 0.2f);
    EXPECT_TRUE(viewer->StandAlone());
    EXPECT_TRUE(viewer->HeadTitleAlert());
    EXPECT_EQ(viewer->ExportTitle(), "任务单全程跟踪_MO-001");
    EXPECT_FALSE(viewer->LayoutRestored());
    EXPECT_EQ(viewer->ActivePane(), "Null");
}

TEST_F(ViewerToolsTest, ActivatePaneKnowsTheFourPanes) {
    viewer->ActivatePane("summary");
    EXPECT_EQ(viewer->ActivePane(), "Summary");
    EXPECT_THROW(viewer->ActivatePane("Toolbar"), automation::RuntimeError);
    EXPECT_EQ(viewer->ActivePane(), "Summary");
}

TEST(ViewerBarLifetimeTest, ABarThatOutlivesTheViewerNoLongerCallsIt) {
    auto host = MakeHostBar();
    activebar::ActiveBarPtr own;
    {
        auto viewer = std::make_shared<ViewerDocument>();
        viewer->AttachMenuBar(host);
        own = viewer->GetMenuBar();
    }
    EXPECT_TRUE(host->ClickTool("btnExit"));
    EXPECT_TRUE(own->ClickTool("btnRefresh"));
    int16_t keyCode = 118;
    int16_t shift = activebar::vbCtrlMask;
    own->OnKeyDown(keyCode, shift);
}

}  // namespace
}  // namespace client::testing
