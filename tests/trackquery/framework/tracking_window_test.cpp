// The tracking window: its design-time content, how it forwards the viewer's events to the
// controller, embedding, resizing, key handling, the one-shot timer and unloading.

#include "trackquery/framework/fake_components.h"

#include <trackquery/framework/frmICMOQuery.h>

#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/screen.h>
#include <platform/windowing/window_api.h>

#include <gtest/gtest.h>

namespace trackquery {
namespace {

using testing::CountingController;
using testing::EmptyController;
using testing::FakeTraceViewer;
using testing::PlainObject;

class TrackingWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        automation::ComponentRegistry::Instance().Clear();
        automation::ComponentRegistry::Instance().Register(kProgIdTraceViewer, [this] {
            lastViewer = std::make_shared<FakeTraceViewer>();
            return lastViewer;
        });
        window = frmICMOQuery::Create();
        viewer = lastViewer;
        controller = std::make_shared<CountingController>();
        window->SetCTrackModel(controller);
    }
    void TearDown() override {
        if (window) window->Unload();
        automation::ComponentRegistry::Instance().Clear();
    }

    windowing::ScopedHeadless headless;
    std::shared_ptr<FakeTraceViewer> lastViewer;
    std::shared_ptr<FakeTraceViewer> viewer;
    std::shared_ptr<frmICMOQuery> window;
    std::shared_ptr<CountingController> controller;
};

TEST_F(TrackingWindowTest, DesignTimeContent) {
    EXPECT_EQ(window->Caption(), "生产任务单全程跟踪");
    EXPECT_TRUE(window->KeyPreview());
    EXPECT_EQ(window->ScaleWidth(), 12825);
    EXPECT_EQ(window->ScaleHeight(), 10995);
    EXPECT_EQ(window->tvQuery->Width(), 12825);
    EXPECT_EQ(window->tvQuery->Height(), 10995);
    EXPECT_EQ(window->Viewer(), viewer);
    EXPECT_EQ(window->tmrQuery->Interval(), 500);
    EXPECT_FALSE(window->tmrQuery->Enabled());
    ASSERT_NE(window->picBak, nullptr);
    EXPECT_EQ(window->FindControl("picBak"), window->picBak);
}

TEST_F(TrackingWindowTest, MenuBarHoldsEveryToolAndBand) {
    auto& tools = window->abSubMenu->GetTools();
    const std::pair<const char*, const char*> captions[] = {
        {"btnView", "查看(&V)"},
        {"btnPrintPreview", "打印预览"},
        {"btnPrint", "打印(&P)"},
        {"btnPrintSetup", "打印设置"},
        {"btnExport", "引出内部数据"},
        {"TitleFont", "设置标题字体"},
        {"DetailFont", "设置表格字体"},
        {"DetailColor", "设置表格颜色"},
        {"OrderSet", "选项设置"},
        {"btnOption", "单据显示设置"},
        {"ViewICMOTrack", "生产跟踪"},
        {"btnItem", "查看物料"},
        {"btnBOM", "查看BOM"},
        {"btnRouting", "查看工艺路线"},
        {"btnBill", "查看单据明细"},
        {"btnSETrace", "查看销售订单全程跟踪"},
        {"btnSelectBillOption", "单据选单选项(&O)"},
        {"btnShowFilter", "选单时弹出过滤界面(&F)"},
        {"btnReturnAllBill", "返回整单(&A)"},
        {"btnReturnSelection", "返回条目(&S)"},
    };
    for (const auto& [key, caption] : captions) {
        ASSERT_TRUE(tools.Exists(key)) << key;
        EXPECT_EQ(tools.Item(key)->Caption(), caption) << key;
    }
    EXPECT_EQ(tools.Item("btnSETrace")->Tag(), "销售订单跟踪(&S)");
    EXPECT_EQ(tools.Item("btnPrintSetup")->Description(), "Set up printer properties");
    EXPECT_TRUE(tools.Item("btnShowFilter")->Checkable());
    for (const char* key : {"btnExit", "Cut", "Copy", "Paste"})
        EXPECT_TRUE(tools.Exists(key)) << key;
    for (const char* band : {"mnuMain", "mnuView", "mnuFille", "mnuOptions", "toolbar",
                             "bndToolbar", "mnuSelectBillOption", "mnuRight"}) {
        EXPECT_TRUE(window->abSubMenu->GetBands().Exists(band)) << band;
    }
    EXPECT_TRUE(window->abSubMenu->GetBands().Item("mnuRight")->GetTools().Exists("Paste"));
    EXPECT_EQ(window->abSubMenu->FontName(), "MS Sans Serif");
}

TEST_F(TrackingWindowTest, WithoutATraceViewerTheWindowCannotBeCreated) {
    automation::ComponentRegistry::Instance().Unregister(kProgIdTraceViewer);
    try {
        frmICMOQuery::Create();
        FAIL() << "created without a viewer";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), automation::vberr::CannotCreateObject);
    }
}

TEST_F(TrackingWindowTest, AControllerWithoutTheInterfaceIsATypeMismatch) {
    try {
        window->SetCTrackModel(std::make_shared<PlainObject>());
        FAIL() << "an object without ITrackQuery was taken";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), automation::vberr::TypeMismatch);
    }
    // The controller set before is still the one called.
    viewer->Sink()->OnHide();
    EXPECT_EQ(controller->calls["Hide"], 1);
}

TEST_F(TrackingWindowTest, EveryViewerEventReachesTheController) {
    ITraceViewerEvents* sink = viewer->Sink();
    ASSERT_NE(sink, nullptr);
    int16_t key = 40, shift = 0;
    bool flag = false;
    sink->OnHide();
    sink->OnNavigationClick(true);
    sink->OnNavigationKeyPress(key, shift);
    sink->OnDetailBeforeExpand(1, "1", nullptr, "0");
    sink->OnDetailExpand(1, "1", nullptr, "0");
    sink->OnDetailDblClick(nullptr, flag);
    sink->OnBeforeMenuClick(nullptr, flag);
    sink->OnMenuClick(nullptr);
    sink->OnMenuTextKeyDown(13, "bndfilter", "WORK0001");
    for (const char* name :
         {"Hide", "NavigationClick", "NavigationKeyPress", "DetailBeforeExpand", "DetailExpand",
          "DetailDblClick", "BeforeMenuClick", "MenuClick", "MenuTextKeyDown"}) {
        EXPECT_EQ(controller->calls[name], 1) << name;
    }
    EXPECT_EQ(controller->lastText, "WORK0001");
}

TEST_F(TrackingWindowTest, ByReferenceFlagsTravelBackToTheViewer) {
    controller->setCancelExpand = true;
    controller->setCancel = true;
    controller->swallowKey = true;
    bool cancelExpand = false, cancel = false;
    int16_t key = 40, shift = 1;
    viewer->Sink()->OnDetailDblClick(nullptr, cancelExpand);
    viewer->Sink()->OnBeforeMenuClick(nullptr, cancel);
    viewer->Sink()->OnNavigationKeyPress(key, shift);
    EXPECT_TRUE(cancelExpand);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(shift, 1);
}

TEST_F(TrackingWindowTest, FlagsLeftAloneStayAsTheyCame) {
    bool cancelExpand = false, cancel = true;
    viewer->Sink()->OnDetailDblClick(nullptr, cancelExpand);
    viewer->Sink()->OnBeforeMenuClick(nullptr, cancel);
    EXPECT_FALSE(cancelExpand);
    EXPECT_TRUE(cancel);
}

TEST_F(TrackingWindowTest, AControllerWithEmptyOperationsLeavesTheWindowWorking) {
    window->SetCTrackModel(std::make_shared<EmptyController>());
    window->Show(windowing::vbModeless);
    bool flag = false;
    int16_t key = 13, shift = 0;
    EXPECT_NO_THROW({
        viewer->Sink()->OnNavigationClick(false);
        viewer->Sink()->OnDetailExpand(1, "1", nullptr, "1");
        viewer->Sink()->OnDetailDblClick(nullptr, flag);
        viewer->Sink()->OnMenuClick(window->abSubMenu->GetTools().Item("btnPrint"));
        viewer->Sink()->OnNavigationKeyPress(key, shift);
        window->PressKey(65);
        windowing::EventLoop::Instance().AdvanceTime(1000);
    });
    EXPECT_FALSE(flag);
    EXPECT_TRUE(window->Visible());
}

TEST_F(TrackingWindowTest, StandAloneKeepsItsFrameAndResetsTheMousePointer) {
    windowing::Screen().SetMousePointer(windowing::vbHourglass);
    window->SetpHwnd(0);
    window->Load();
    const int32_t style = windowing::GetWindowLongA(window->Hwnd(), windowing::GWL_STYLE);
    EXPECT_NE(style & windowing::WS_CAPTION, 0);
    EXPECT_EQ(windowing::GetParent(window->Hwnd()), 0);
    EXPECT_EQ(windowing::Screen().MousePointer(), windowing::vbDefault);
}

TEST_F(TrackingWindowTest, EmbeddedItBecomesABorderlessChildOfTheHost) {
    const int32_t host = windowing::CreateHostWindow("client page");
    window->SetpHwnd(host);
    windowing::Screen().SetMousePointer(windowing::vbHourglass);
    window->Show(windowing::vbModeless);
    // The child style alone; showing the window adds only the visible bit.
    EXPECT_EQ(
        windowing::GetWindowLongA(window->Hwnd(), windowing::GWL_STYLE) & ~windowing::WS_VISIBLE,
        windowing::WS_CHILD);
    EXPECT_EQ(windowing::GetParent(window->Hwnd()), host);
    EXPECT_TRUE(windowing::IsChild(host, window->Hwnd()));
    EXPECT_EQ(windowing::Screen().MousePointer(), windowing::vbDefault);
    EXPECT_FALSE(window->IsModal());
}

TEST_F(TrackingWindowTest, ABadHostHandleDoesNotStopTheLoad) {
    window->SetpHwnd(987654);
    EXPECT_NO_THROW(window->Load());
    EXPECT_TRUE(window->IsLoaded());
}

TEST_F(TrackingWindowTest, ResizeFillsTheClientAreaAndAMinimisedWindowIsNoError) {
    window->Show(windowing::vbModeless);
    window->Resize(8000, 6000);
    EXPECT_EQ(window->tvQuery->Left(), 0);
    EXPECT_EQ(window->tvQuery->Top(), 0);
    EXPECT_EQ(window->tvQuery->Width(), 8000);
    EXPECT_EQ(window->tvQuery->Height(), 6000);
    EXPECT_NO_THROW(window->SetWindowState(windowing::vbMinimized));
}

TEST_F(TrackingWindowTest, KeysReachTheViewersMenuBarWhereverTheFocusIs) {
    auto tool = viewer->GetMenuBar()->GetTools().Item("btnRefresh");
    tool->SetShortcut(116);  // F5
    std::string clicked;
    viewer->GetMenuBar()->SetToolClickListener(
        [&](const activebar::ToolPtr& t) { clicked = t->Name(); });
    window->Show(windowing::vbModeless);
    window->PressKey(116);
    EXPECT_EQ(clicked, "btnRefresh");
}

TEST_F(TrackingWindowTest, TheTimerFiresOnceAndOnlyWithASelectedNode) {
    auto model = std::make_shared<NavigationModel>();
    auto node = std::make_shared<NavigationNode>();
    node->Key = "root";
    model->AddNode(node);
    viewer->SetNavigationModel(model);
    window->Show(windowing::vbModeless);

    window->tmrQuery->SetEnabled(true);
    windowing::EventLoop::Instance().AdvanceTime(600);
    EXPECT_EQ(controller->calls["NavigationClickSelect"], 0) << "no node is selected";
    EXPECT_FALSE(window->tmrQuery->Enabled());

    viewer->SelectNavigationNode(1, false);
    window->tmrQuery->SetEnabled(true);
    windowing::EventLoop::Instance().AdvanceTime(499);
    EXPECT_EQ(controller->calls["NavigationClickSelect"], 0);
    windowing::EventLoop::Instance().AdvanceTime(1);
    EXPECT_EQ(controller->calls["NavigationClickSelect"], 1);
    windowing::EventLoop::Instance().AdvanceTime(2000);
    EXPECT_EQ(controller->calls["NavigationClickSelect"], 1) << "a one-shot";
}

TEST_F(TrackingWindowTest, UnloadDropsTheControllerAndTheHostReferences) {
    auto hostForm = std::make_shared<PlainObject>();
    auto hostBar = std::make_shared<PlainObject>();
    window->SetThisForm(hostForm);
    window->SetBar(hostBar);
    window->SetOptionType("ICMOTrack");
    window->SetpHwnd(windowing::CreateHostWindow());
    window->Show(windowing::vbModeless);
    std::weak_ptr<CountingController> weakController = controller;
    controller.reset();

    window->Unload();
    EXPECT_TRUE(weakController.expired());
    EXPECT_EQ(window->ThisForm(), nullptr);
    EXPECT_EQ(window->Bar(), nullptr);
    EXPECT_EQ(window->pHwnd(), 0);
    EXPECT_EQ(window->OptionType(), "");
    // The viewer may still report events: with nobody to tell they are dropped.
    EXPECT_NO_THROW(viewer->Sink()->OnHide());
}

TEST_F(TrackingWindowTest, TheViewerDoesNotKeepTheWindowAlive) {
    std::weak_ptr<frmICMOQuery> weakWindow = window;
    window.reset();
    EXPECT_TRUE(weakWindow.expired());
    EXPECT_EQ(viewer->Sink(), nullptr);
}

}  // namespace
}  // namespace trackquery
