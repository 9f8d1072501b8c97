#include <platform/activebar/active_bar.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <gtest/gtest.h>
#include <support/error_number.h>

#include <functional>
#include <vector>

using namespace activebar;
using automation::RuntimeError;
namespace vberr = automation::vberr;

namespace {

constexpr int16_t vbKeyF5 = 116;
constexpr int16_t vbKeyP = 80;
constexpr int32_t vbKeyReturn = 13;

// A bar laid out like the tracking window's: a main menu with a view menu, a tool bar and a
// filter band holding a text box.
ActiveBarPtr MakeWindowBar() {
    auto bar = std::make_shared<ActiveBar>();
    bar->GetBands().Add("mnuMain", BandType::MenuBar);
    auto view = bar->GetBands().Add("mnuView", BandType::Popup);
    auto toolbar = bar->GetBands().Add("bndToolbar", BandType::Toolbar);
    auto filter = bar->GetBands().Add("bndfilter", BandType::Toolbar);
    view->AddTool("btnPrint", ToolType::Button, "打印(&P)");
    toolbar->AddTool("btnPrint");
    toolbar->AddTool("btnRefresh", ToolType::Button, "刷新");
    view->AddTool("btnShowFilter", ToolType::Button, "选单时弹出过滤界面(&F)")->SetCheckable(true);
    filter->AddTool("txtSelectBills", ToolType::TextBox);
    return bar;
}

// Records every click and text key the bar raises.
struct Recorder {
    std::vector<std::string> clicks;
    std::vector<std::string> textKeys;

    void Listen(const ActiveBarPtr& bar) {
        bar->SetToolClickListener([this](const ToolPtr& tool) { clicks.push_back(tool->Name()); });
        bar->SetTextKeyDownListener(
            [this](const ToolPtr& tool, const std::string& band, int32_t key) {
                textKeys.push_back(band + "/" + tool->Name() + "/" + tool->Text() + "/" +
                                   std::to_string(key));
            });
    }
};

TEST(ActiveBarLayout, BandsAndToolsAreFoundByKeyWithoutRegardToCase) {
    auto bar = MakeWindowBar();
    EXPECT_EQ(bar->GetBands().Count(), 4);
    EXPECT_EQ(bar->GetTools().Count(), 4);
    EXPECT_EQ(bar->GetBands().Item("MNUVIEW")->Name(), "mnuView");
    EXPECT_EQ(bar->GetTools().Item("btnprint")->Caption(), "打印(&P)");
    EXPECT_EQ(bar->GetTools().Item(2)->Name(), "btnRefresh");
    EXPECT_EQ(bar->GetBands().Item(1)->Type(), BandType::MenuBar);
    EXPECT_EQ(bar->GetTools().Find("btnNothing"), nullptr);
    EXPECT_FALSE(bar->GetBands().Exists("mnuRight"));
}

TEST(ActiveBarLayout, AToolOnTwoBandsIsOneTool) {
    auto bar = MakeWindowBar();
    auto onMenu = bar->GetBands().Item("mnuView")->GetTools().Item("btnPrint");
    auto onToolbar = bar->GetBands().Item("bndToolbar")->GetTools().Item("btnPrint");
    EXPECT_EQ(onMenu, onToolbar);
    onMenu->SetEnabled(false);
    EXPECT_FALSE(bar->GetTools().Item("btnPrint")->Enabled());
    EXPECT_EQ(onMenu->Parent(), bar);
}

TEST(ActiveBarLayout, MissingOrDuplicateKeysFail) {
    auto bar = MakeWindowBar();
    EXPECT_EQ(ErrorNumberOf([&] { bar->GetTools().Item("btnMissing"); }),
              vberr::SubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([&] { bar->GetTools().Item(0); }), vberr::SubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([&] { bar->GetTools().Item(5); }), vberr::SubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([&] { bar->GetBands().Item("bndNone"); }), vberr::SubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([&] { bar->GetTools().Add("BTNREFRESH"); }), vberr::KeyAlreadyExists);
    EXPECT_EQ(ErrorNumberOf([&] { bar->GetBands().Add("mnumain"); }), vberr::KeyAlreadyExists);
    EXPECT_EQ(ErrorNumberOf([&] { bar->GetTools().Add(""); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(ErrorNumberOf([&] { bar->GetBands().Item("mnuView")->AddTool("btnPrint"); }),
              vberr::KeyAlreadyExists);
    EXPECT_EQ(bar->GetTools().Count(), 4);  // the failed adds left nothing behind
}

TEST(ActiveBarLayout, RemovingAToolFromTheBarKeepsTheBandsCopy) {
    auto bar = MakeWindowBar();
    bar->GetTools().Remove("btnRefresh");
    EXPECT_FALSE(bar->GetTools().Exists("btnRefresh"));
    EXPECT_TRUE(bar->GetBands().Item("bndToolbar")->GetTools().Exists("btnRefresh"));
    EXPECT_EQ(ErrorNumberOf([&] { bar->GetTools().Remove("btnRefresh"); }),
              vberr::SubscriptOutOfRange);
}

TEST(ActiveBarLayout, FontNameIsKept) {
    auto bar = std::make_shared<ActiveBar>();
    EXPECT_EQ(bar->FontName(), "MS Sans Serif");
    bar->SetFontName("宋体");
    EXPECT_EQ(bar->FontName(), "宋体");
}

TEST(ToolState, PropertiesStartAsANewToolAndKeepWhatIsWritten) {
    Tool tool("btnShowFilter");
    EXPECT_TRUE(tool.Enabled());
    EXPECT_TRUE(tool.Visible());
    EXPECT_FALSE(tool.Checked());
    EXPECT_FALSE(tool.Checkable());
    EXPECT_EQ(tool.ControlType(), ToolType::Button);
    tool.SetChecked(true);
    tool.SetCaption("选单时弹出过滤界面(&F)");
    tool.SetDescription("Set up printer properties");
    tool.SetText("WORK001");
    EXPECT_TRUE(tool.Checked());
    EXPECT_EQ(tool.Caption(), "选单时弹出过滤界面(&F)");
    EXPECT_EQ(tool.Description(), "Set up printer properties");
    EXPECT_EQ(tool.Text(), "WORK001");
    EXPECT_EQ(tool.TypeName(), "Tool");
}

TEST(ToolState, ABareToolCanBeNamedAndHasNoBar) {
    auto tool = std::make_shared<Tool>();
    tool->SetName("close");
    EXPECT_EQ(tool->Name(), "close");
    EXPECT_EQ(tool->Parent(), nullptr);
    tool->SetFocus();  // nowhere to take the focus: no failure
}

TEST(ToolState, MenuToolNamesTheBandItOpens) {
    auto bar = std::make_shared<ActiveBar>();
    auto tool = bar->GetTools().Add("btnSelectBillOption", ToolType::Menu, "单据选单选项(&O)");
    tool->SetSubBand("mnuSelectBillOption");
    EXPECT_EQ(bar->GetTools().Item("btnSelectBillOption")->SubBand(), "mnuSelectBillOption");
    EXPECT_EQ(tool->ControlType(), ToolType::Menu);
}

TEST(ToolFocus, SetFocusIsRecordedOnTheBar) {
    auto bar = MakeWindowBar();
    EXPECT_EQ(bar->FocusedTool(), nullptr);
    auto box = bar->GetTools().Item("txtSelectBills");
    box->SetFocus();
    EXPECT_EQ(bar->FocusedTool(), box);
    bar->GetTools().Item("btnRefresh")->SetFocus();
    EXPECT_EQ(bar->FocusedTool()->Name(), "btnRefresh");
}

TEST(ToolFocus, AToolAddedToASecondBarKeepsItsFirstBar) {
    auto first = MakeWindowBar();
    auto second = std::make_shared<ActiveBar>();
    auto box = first->GetTools().Item("txtSelectBills");
    second->GetTools().Add(box);
    box->SetFocus();
    EXPECT_EQ(first->FocusedTool(), box);
    EXPECT_EQ(second->FocusedTool(), nullptr);
}

TEST(ToolFocus, ABareToolAddedToABarIsAdopted) {
    auto bar = std::make_shared<ActiveBar>();
    auto tool = std::make_shared<Tool>("txtPosition", ToolType::TextBox);
    bar->GetTools().Add(tool);
    EXPECT_EQ(tool->Parent(), bar);
    tool->SetFocus();
    EXPECT_EQ(bar->FocusedTool(), tool);
}

TEST(ToolFocus, ToolOutlivingItsBarHasNoParent) {
    ToolPtr tool;
    {
        auto bar = MakeWindowBar();
        tool = bar->GetTools().Item("btnPrint");
    }
    EXPECT_EQ(tool->Parent(), nullptr);
    tool->SetFocus();
}

TEST(ToolClick, ClickRaisesTheEventWithTheTool) {
    auto bar = MakeWindowBar();
    ToolPtr clicked;
    bar->SetToolClickListener([&](const ToolPtr& tool) { clicked = tool; });
    EXPECT_TRUE(bar->ClickTool("btnRefresh"));
    ASSERT_NE(clicked, nullptr);
    EXPECT_EQ(clicked, bar->GetTools().Item("btnRefresh"));
}

TEST(ToolClick, DisabledHiddenOrUnknownToolsRaiseNothing) {
    auto bar = MakeWindowBar();
    Recorder recorder;
    recorder.Listen(bar);
    bar->GetTools().Item("btnPrint")->SetEnabled(false);
    bar->GetTools().Item("btnRefresh")->SetVisible(false);
    EXPECT_FALSE(bar->ClickTool("btnPrint"));
    EXPECT_FALSE(bar->ClickTool("btnRefresh"));
    EXPECT_FALSE(bar->ClickTool("btnUnknown"));
    EXPECT_FALSE(bar->ClickTool(ToolPtr()));
    EXPECT_TRUE(recorder.clicks.empty());
}

TEST(ToolClick, ClickLeavesTheCheckStateToTheProgram) {
    auto bar = MakeWindowBar();
    bar->SetToolClickListener([](const ToolPtr& tool) { tool->SetChecked(!tool->Checked()); });
    bar->ClickTool("btnShowFilter");
    EXPECT_TRUE(bar->GetTools().Item("btnShowFilter")->Checked());
    bar->ClickTool("btnShowFilter");
    EXPECT_FALSE(bar->GetTools().Item("btnShowFilter")->Checked());
}

TEST(ToolClick, WithoutAListenerAClickIsHarmless) {
    auto bar = MakeWindowBar();
    EXPECT_TRUE(bar->ClickTool("btnRefresh"));
}

TEST(ToolClick, AListenerMayReplaceItselfWhileRunning) {
    auto bar = MakeWindowBar();
    int calls = 0;
    bar->SetToolClickListener([&](const ToolPtr&) {
        ++calls;
        bar->SetToolClickListener(nullptr);
    });
    bar->ClickTool("btnRefresh");
    bar->ClickTool("btnRefresh");
    EXPECT_EQ(calls, 1);
}

TEST(ToolClick, AToolOfAnotherBarCanBeClickedThroughThisOne) {
    auto viewerBar = std::make_shared<ActiveBar>();
    auto windowBar = MakeWindowBar();
    Recorder recorder;
    recorder.Listen(viewerBar);
    EXPECT_TRUE(viewerBar->ClickTool(windowBar->GetTools().Item("btnPrint")));
    EXPECT_EQ(recorder.clicks, std::vector<std::string>{"btnPrint"});
}

TEST(ShortcutKeys, MatchingKeyClicksTheToolAndIsConsumed) {
    auto bar = MakeWindowBar();
    Recorder recorder;
    recorder.Listen(bar);
    bar->GetTools().Item("btnRefresh")->SetShortcut(vbKeyF5);
    bar->GetTools().Item("btnPrint")->SetShortcut(vbKeyP, vbCtrlMask);

    int16_t keyCode = vbKeyF5;
    int16_t shift = 0;
    bar->OnKeyDown(keyCode, shift);
    EXPECT_EQ(keyCode, 0);

    keyCode = vbKeyP;
    shift = vbCtrlMask;
    bar->OnKeyDown(keyCode, shift);
    EXPECT_EQ(keyCode, 0);
    EXPECT_EQ(shift, vbCtrlMask);
    EXPECT_EQ(recorder.clicks, (std::vector<std::string>{"btnRefresh", "btnPrint"}));
}

TEST(ShortcutKeys, ShiftStateMustMatch) {
    auto bar = MakeWindowBar();
    Recorder recorder;
    recorder.Listen(bar);
    bar->GetTools().Item("btnPrint")->SetShortcut(vbKeyP, vbCtrlMask);

    int16_t keyCode = vbKeyP;
    int16_t shift = 0;
    bar->OnKeyDown(keyCode, shift);
    EXPECT_EQ(keyCode, vbKeyP);

    shift = vbCtrlMask | vbShiftMask;
    bar->OnKeyDown(keyCode, shift);
    EXPECT_EQ(keyCode, vbKeyP);
    EXPECT_TRUE(recorder.clicks.empty());
}

TEST(ShortcutKeys, OtherKeysAndUnavailableToolsPassUnchanged) {
    auto bar = MakeWindowBar();
    Recorder recorder;
    recorder.Listen(bar);
    auto refresh = bar->GetTools().Item("btnRefresh");
    refresh->SetShortcut(vbKeyF5);

    int16_t keyCode = vbKeyP;
    int16_t shift = 0;
    bar->OnKeyDown(keyCode, shift);
    EXPECT_EQ(keyCode, vbKeyP);

    refresh->SetEnabled(false);
    keyCode = vbKeyF5;
    bar->OnKeyDown(keyCode, shift);
    EXPECT_EQ(keyCode, vbKeyF5);

    refresh->SetEnabled(true);
    refresh->SetVisible(false);
    bar->OnKeyDown(keyCode, shift);
    EXPECT_EQ(keyCode, vbKeyF5);
    EXPECT_TRUE(recorder.clicks.empty());
}

TEST(ShortcutKeys, KeyCodeZeroIsNeverAShortcut) {
    auto bar = MakeWindowBar();
    Recorder recorder;
    recorder.Listen(bar);
    int16_t keyCode = 0;
    int16_t shift = 0;
    bar->OnKeyDown(keyCode, shift);
    EXPECT_TRUE(recorder.clicks.empty());
}

TEST(TextBoxKeys, KeyInATextBoxReportsItsBandAndText) {
    auto bar = MakeWindowBar();
    Recorder recorder;
    recorder.Listen(bar);
    bar->GetTools().Item("txtSelectBills")->SetText("WORK00");
    EXPECT_TRUE(bar->TextKeyDown("txtSelectBills", vbKeyReturn));
    EXPECT_EQ(recorder.textKeys, std::vector<std::string>{"bndfilter/txtSelectBills/WORK00/13"});
}

TEST(TextBoxKeys, TheFirstVisibleBandHoldingTheBoxIsReported) {
    auto bar = MakeWindowBar();
    auto search = bar->GetBands().Add("bndSearch");
    search->AddTool("txtSelectBills");
    bar->GetBands().Item("bndfilter")->SetVisible(false);
    EXPECT_EQ(bar->BandOf(bar->GetTools().Item("txtSelectBills")), "bndSearch");
    search->SetVisible(false);
    EXPECT_EQ(bar->BandOf(bar->GetTools().Item("txtSelectBills")), "bndfilter");
}

TEST(TextBoxKeys, ButtonsAndUnknownToolsTakeNoTextKeys) {
    auto bar = MakeWindowBar();
    Recorder recorder;
    recorder.Listen(bar);
    EXPECT_FALSE(bar->TextKeyDown("btnRefresh", vbKeyReturn));
    EXPECT_FALSE(bar->TextKeyDown("txtNothing", vbKeyReturn));
    EXPECT_TRUE(recorder.textKeys.empty());
}

TEST(Creation, TheBarAndABareToolAreCreatedByProgId) {
    RegisterComponents();
    auto bar = automation::CreateObject<ActiveBar>("ActiveBarLibraryCtl.ActiveBar");
    ASSERT_NE(bar, nullptr);
    bar->GetTools().Add("btnExit");
    EXPECT_EQ(bar->GetTools().Item("btnExit")->Parent(), bar);
    auto tool = automation::CreateObject<Tool>("ActiveBarLibraryCtl.Tool");
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->Parent(), nullptr);
}

}  // namespace
