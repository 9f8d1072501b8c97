// Creation, start-up and closing of the task order tracker, and the window options it restores
// and saves, over the client's components.

#include <support/tracker_fixture.h>

#include <algorithm>

#include <components/logging/failure_log.h>
#include <components/middle_tier/failing_middle_tier.h>

#include <contracts/security.h>
#include <contracts/trace_viewer.h>

#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/windowing/form.h>

#include <gmock/gmock.h>

namespace trackquery::testing {
namespace {

using ::testing::StartsWith;

class LifecycleTest : public TrackerFixture {
  protected:
    // The administrator's saved window options under `key`, in the order they were written.
    std::vector<std::pair<std::string, int64_t>> SavedOptions(const std::string& key) const {
        std::vector<std::pair<std::string, int64_t>> saved;
        const std::string rows =
            " FROM ICTrackFrmOption WHERE FOptionKey = '" + key + "' AND FUserID = 16394";
        const int64_t count = Scalar("SELECT COUNT(*)" + rows);
        for (int64_t i = 0; i < count; ++i) {
            // The place of a row in the table: its rowid, on PostgreSQL its tuple id (the rows
            // are written once, never updated).
            const std::string nth = rows + " ORDER BY " +
                                    (test_support::OnPostgres() ? "ctid" : "rowid") +
                                    " LIMIT 1 OFFSET " + std::to_string(i);
            saved.emplace_back(Text("SELECT FKey" + nth), Scalar("SELECT FValue" + nth));
        }
        return saved;
    }

    void SaveOption(const std::string& key, const std::string& tool, int32_t value) const {
        Execute("INSERT INTO ICTrackFrmOption (FOptionKey, FUserID, FKey, FValue) VALUES ('" + key +
                "', 16394, '" + tool + "', " + std::to_string(value) + ")");
    }
};

TEST_F(LifecycleTest, TheUserGroupSwitchComesFromTheSystemProfile) {
    auto switchOfANewTracker = [this] {
        return std::dynamic_pointer_cast<CICMOQuery>(Session().CreateICMOQuery())->CheckUserGroup();
    };
    const std::string entry = " WHERE FCategory = 'IC' AND FKey = 'CheckUserGroup'";
    Execute("UPDATE t_SystemProfile SET FValue = '1'" + entry);
    EXPECT_TRUE(switchOfANewTracker());
    Execute("UPDATE t_SystemProfile SET FValue = '0'" + entry);
    EXPECT_FALSE(switchOfANewTracker());
    Execute("DELETE FROM t_SystemProfile" + entry);
    EXPECT_FALSE(switchOfANewTracker()) << "no profile entry reads as off";
}

TEST_F(LifecycleTest, CreationFailsWithItsSourceWithoutASystemProfile) {
    Session();
    automation::ComponentRegistry::Instance().Unregister(kSystemProfileProgId);
    try {
        Session().CreateICMOQuery();
        FAIL() << "created without a system profile";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), automation::vberr::CannotCreateObject);
        EXPECT_EQ(error.Source().rfind("QzICMOTrackQuery.CICMOQuery.Class_Initialize", 0), 0u)
            << error.Source();
    }
}

// The sub-system decides the kind of task orders tracked; any other leaves the kind the host
// set. The kind names the tree's root and the key under which the window options are read.
TEST_F(LifecycleTest, TheSubSystemDecidesTheTrackedKindAndItsWindowOptions) {
    struct Case {
        const char* subId;
        int32_t hostKind;
        int32_t kind;
        const char* optionKey;
        const char* title;
        const char* moduleOfKind55;
    };
    const Case cases[] = {
        {"cj", -571, -85, "ICMOTrack", "生产任务单(1)", "ShopFloor"},
        {"REPM", 0, -54, "REPICMOTrack", "重复生产任务单(1)", "REPM"},
        {"Subc", 0, -571, "WWICMOTrack", "委外加工生产任务单(1)", "SubContractor"},
        {"XX", -571, -571, "WWICMOTrack", "委外加工生产任务单(1)", ""},
        {"XX", -85, -85, "ICMOTrack", "生产任务单(1)", ""},
        {"XX", 0, 0, "", "(1)", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.subId) + " " + std::to_string(c.hostKind));
        // The options of the case's key check the filter tool; those of every other key check
        // another tool, which must stay as designed.
        Execute("DELETE FROM ICTrackFrmOption");
        for (const char* key : {"ICMOTrack", "REPICMOTrack", "WWICMOTrack", ""}) {
            SaveOption(key, key == std::string(c.optionKey) ? "btnShowFilter" : "btnReturnAllBill",
                       1);
        }
        OpenSession(erp::kAdministratorID, c.subId);
        auto tracker = Start({1}, nullptr, c.hostKind);
        EXPECT_EQ(tracker->TranType(), c.kind);
        EXPECT_EQ(Tracker()->OptionKey(), c.optionKey);
        EXPECT_EQ(Viewer().NavigationTitle(), c.title);
        EXPECT_TRUE(ViewerTool("btnShowFilter")->Checked());
        EXPECT_FALSE(ViewerTool("btnReturnAllBill")->Checked());
        EXPECT_EQ(Tracker()->GetModuleName(55), c.moduleOfKind55);
    }
}

TEST_F(LifecycleTest, AnEnglishSessionShowsTheWindowAndEveryToolInEnglish) {
    language = "en";
    Start({1});
    auto isAscii = [](const std::string& text) {
        return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
    };
    EXPECT_EQ(Tracker()->Window()->Caption(), "Production Task Order Full-course Tracking");
    for (const auto& bar : {Tracker()->Window()->abSubMenu, Viewer().GetMenuBar()}) {
        const auto& tools = bar->GetTools();
        ASSERT_GT(tools.Count(), 5);
        for (int32_t i = 1; i <= tools.Count(); ++i) {
            EXPECT_TRUE(isAscii(tools.Item(i)->Caption())) << tools.Item(i)->Caption();
            EXPECT_TRUE(isAscii(tools.Item(i)->Tag())) << tools.Item(i)->Tag();
        }
    }
}

TEST_F(LifecycleTest, TheViewerIsConfiguredForTaskOrders) {
    Start({1});
    auto window = Viewer().Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Viewer().ViewSetting05(), "ICMOTrackQuery");
    EXPECT_TRUE(Viewer().ViewSetting01());
    EXPECT_EQ(Viewer().ViewSetting03(), 10);
    EXPECT_EQ(Viewer().AttachedMenuBar(), Tracker()->Window()->abSubMenu);
    EXPECT_EQ(Viewer().HostForm(), automation::ObjectPtr(Session().HostForm()));
    EXPECT_EQ(Viewer().ViewSetting17(), 0);
    EXPECT_EQ(Viewer().ViewSetting16(), 4);
    EXPECT_EQ(Viewer().ViewSetting15(), 8);
    EXPECT_EQ(Viewer().DetailTitle(), "详细跟踪信息");
    EXPECT_FALSE(Viewer().StandAlone());
    EXPECT_FALSE(Viewer().ViewSetting13()) << "no saved layout: the designed split";
    EXPECT_FLOAT_EQ(Viewer().ViewSetting12(), 0.2f);
    EXPECT_FLOAT_EQ(Viewer().ViewSetting11(), 0.34f);
    EXPECT_GE(Viewer().RefreshCount(), 1);
    for (const char* hidden : {"btnShowSummaryView", "btnShowDetailView", "btnShowSummaryTitle"}) {
        EXPECT_FALSE(ViewerTool(hidden)->Visible()) << hidden;
    }
    EXPECT_TRUE(ViewerTool("btnSETrace")->Visible()) << "not called by sales order tracking";
}

// A viewer that brings back the layout the user left.
class RestoredLayoutViewer : public client::ViewerDocument {
  public:
    RestoredLayoutViewer() {
        SetViewSetting13(true);
        SetViewSetting12(0.5f);
    }
    bool LayoutRestored() const override { return true; }
};

TEST_F(LifecycleTest, ASavedLayoutIsKept) {
    // The session opens first: it closes the viewers made while it is open, and only those.
    auto& session = Session();
    auto viewer = std::make_shared<RestoredLayoutViewer>();
    session.Replace(kProgIdTraceViewer, [viewer] { return viewer; });
    Start({1});
    ASSERT_NE(viewer->Window(), nullptr);
    EXPECT_TRUE(viewer->ViewSetting13());
    EXPECT_FLOAT_EQ(viewer->ViewSetting12(), 0.5f);
    EXPECT_FLOAT_EQ(viewer->ViewSetting11(), 0.0f);
}

TEST_F(LifecycleTest, CalledBySalesOrderTrackingTheJumpBackIsHidden) {
    for (const bool calledBy : {true, false}) {
        auto status = std::make_shared<automation::Dictionary>();
        status->SetItem("CallBySETrack", calledBy);
        Start({1}, status);
        EXPECT_EQ(ViewerTool("btnSETrace")->Visible(), !calledBy) << calledBy;
    }
}

TEST_F(LifecycleTest, SavedWindowOptionsSetTheToolsTheyName) {
    SaveOption("ICMOTrack", "btnShowFilter", 1);
    SaveOption("ICMOTrack", "btnShowStandard", 0);
    SaveOption("ICMOTrack", "btnNoSuchTool", 1);
    Start({1});
    EXPECT_TRUE(ViewerTool("btnShowFilter")->Checked());
    EXPECT_FALSE(ViewerTool("btnShowStandard")->Checked());
    EXPECT_EQ(ViewerTool("btnNoSuchTool"), nullptr);

    // Without a record set of options the tools stay as designed.
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("GetFrmOption");
    client::middle_tier::RegisterFailingMiddleTier(plan);
    Start({1});
    EXPECT_EQ(plan->Calls("GetFrmOption"), 1);
    EXPECT_FALSE(ViewerTool("btnShowFilter")->Checked());
    EXPECT_TRUE(ViewerTool("btnShowStandard")->Checked());
}

TEST_F(LifecycleTest, AnEmbeddedStartReturnsAtOnceWithTheWindowShown) {
    auto tracker = Session().CreateICMOQuery();
    EXPECT_EQ(tracker->Hwnd(), 0) << "no window before the start";
    ASSERT_TRUE(
        Session().StartEmbedded(tracker, harness::HeadlessSession::BillList({{1, "WORK000001"}})));
    auto window = Viewer().Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Visible());
    EXPECT_NE(tracker->Hwnd(), 0);
    EXPECT_EQ(tracker->Hwnd(), window->Hwnd());
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(LifecycleTest, AStandAloneStartReturnsOnlyOnceTheUserHasClosedTheWindow) {
    std::weak_ptr<ICICMOQuery> weakTracker;
    std::weak_ptr<windowing::Form> weakWindow;
    bool stepRan = false;
    {
        auto tracker = Session().CreateICMOQuery();
        weakTracker = tracker;
        auto bills = harness::HeadlessSession::BillList({{1, "WORK000001"}});
        const bool shown = Session().StartStandAlone(
            tracker, bills, nullptr, {[&](harness::HeadlessSession& session) {
                stepRan = true;
                weakWindow = session.Viewer()->Window();
                EXPECT_TRUE(session.Viewer()->StandAlone());
                EXPECT_TRUE(session.Viewer()->Window()->Visible());
                EXPECT_NE(tracker->Hwnd(), 0);
                EXPECT_TRUE(session.ClickTool("btnExit"));
            }});
        EXPECT_TRUE(shown);
        EXPECT_TRUE(stepRan);
        EXPECT_EQ(tracker->Hwnd(), 0);
    }
    EXPECT_TRUE(weakWindow.expired());
    EXPECT_TRUE(weakTracker.expired()) << "window and tracker no longer keep each other";
    EXPECT_FALSE(SavedOptions("ICMOTrack").empty()) << "closing saved the window options";
}

TEST_F(LifecycleTest, AUserCloseOfTheStandAloneWindowEndsTheStart) {
    std::weak_ptr<ICICMOQuery> weakTracker;
    {
        auto tracker = Session().CreateICMOQuery();
        weakTracker = tracker;
        EXPECT_TRUE(Session().StartStandAlone(
            tracker, harness::HeadlessSession::BillList({{1, "WORK000001"}}), nullptr, {}));
        EXPECT_EQ(tracker->Hwnd(), 0);
    }
    EXPECT_TRUE(weakTracker.expired());
}

// Closing an embedded page: the window options are saved, the tools that are not available
// left out, and the host is asked to close its page, which closes the view.
TEST_F(LifecycleTest, TheExitToolOfAnEmbeddedPageSavesTheOptionsAndAsksTheHostToClose) {
    auto tracker = Start({1});
    ViewerTool("btnShowFilter")->SetChecked(true);
    ViewerTool("btnReturnAllBill")->SetEnabled(false);
    ViewerTool("btnShowViewer")->SetChecked(false);
    ASSERT_TRUE(Session().ClickTool("btnExit"));
    EXPECT_EQ(Session().HostForm()->FiredTools(), std::vector<std::string>{"close"});
    EXPECT_TRUE(Viewer().Closed());
    EXPECT_EQ(Tracker()->Window(), nullptr) << "the view's closing released the window";
    EXPECT_EQ(tracker->Hwnd(), 0);
    const std::vector<std::pair<std::string, int64_t>> expected = {
        {"btnShowFilter", 1}, {"btnReturnSelection", 0}, {"btnShowStandard", 1},
        {"btnShowViewer", 0}, {"btnShowSelectBills", 1}, {"btnShowPosition", 1}};
    EXPECT_EQ(SavedOptions("ICMOTrack"), expected);
}

// A host object without the tool bar call: the close goes on past the failure.
class PlainHostForm : public automation::Object {
  public:
    std::string TypeName() const override { return "PlainHostForm"; }
};

TEST_F(LifecycleTest, AHostFormWithoutTheCloseCallLeavesThePageOpen) {
    auto tracker = Session().CreateICMOQuery();
    automation::ObjectPtr host = std::make_shared<PlainHostForm>();
    ASSERT_TRUE(tracker->InitTrack(&host, Session().HostWindow(), nullptr,
                                   harness::HeadlessSession::BillList({{1, "WORK000001"}})));
    EXPECT_NO_THROW(Session().ClickTool("btnExit"));
    EXPECT_FALSE(SavedOptions("ICMOTrack").empty());
    EXPECT_FALSE(Viewer().Closed());
    EXPECT_NE(tracker->Hwnd(), 0);
    EXPECT_TRUE(Session().HostForm()->FiredTools().empty());
}

TEST_F(LifecycleTest, ClosingTheViewReleasesWindowAndTrackerAndASecondStartOpensANewOne) {
    std::weak_ptr<ICICMOQuery> weakTracker;
    std::weak_ptr<windowing::Form> weakWindow;
    {
        auto tracker = Start({1, 2});
        weakTracker = tracker;
        weakWindow = Viewer().Window();
        auto firstViewer = Session().Viewer();
        firstViewer->Close();
        EXPECT_EQ(tracker->Hwnd(), 0);
        EXPECT_TRUE(weakWindow.expired());

        ASSERT_TRUE(Session().StartEmbedded(
            tracker, harness::HeadlessSession::BillList({{2, "WORK000002"}})));
        EXPECT_NE(Session().Viewer(), firstViewer);
        EXPECT_NE(tracker->Hwnd(), 0);
        EXPECT_EQ(Viewer().NavigationTitle(), "生产任务单(1)");
        EXPECT_THAT(Viewer().HeadTitle(), StartsWith("WORK000002")) << "the new list shows at once";
        EXPECT_EQ(Tracker()->LastKey(), "MO2");
        Viewer().Close();
    }
    EXPECT_TRUE(weakTracker.expired());
}

TEST_F(LifecycleTest, OptionsThatCannotBeSavedDoNotKeepTheWindowFromClosing) {
    auto tracker = Start({1});
    auto plan = std::make_shared<client::middle_tier::FailurePlan>();
    plan->Fail("SetFrmOption", client::middle_tier::FailurePlan::Mode::RaiseError);
    client::middle_tier::RegisterFailingMiddleTier(plan);
    const size_t logged = client::FailureCount();
    ASSERT_TRUE(Session().ClickTool("btnExit"));
    EXPECT_EQ(plan->Calls("SetFrmOption"), 1);
    ASSERT_EQ(client::FailureCount(), logged + 1) << "the lost save is in the failure log";
    EXPECT_EQ(client::FailuresSince(logged).front().procedure,
              "QzICMOTrackQuery.CICMOQuery.SaveFrameOptions");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ICTrackFrmOption"), 0);
    EXPECT_TRUE(Viewer().Closed());
    EXPECT_EQ(tracker->Hwnd(), 0);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(LifecycleTest, AStartWithoutAViewerFailsWithAMessageAndLeavesNothingBehind) {
    Session();
    automation::ComponentRegistry::Instance().Unregister(kProgIdTraceViewer);
    std::weak_ptr<ICICMOQuery> weakTracker;
    {
        auto tracker = Session().CreateICMOQuery();
        weakTracker = tracker;
        ExpectBox("显示窗体错误,原因:");
        EXPECT_FALSE(Session().StartEmbedded(
            tracker, harness::HeadlessSession::BillList({{1, "WORK000001"}})));
        EXPECT_EQ(tracker->Hwnd(), 0);
    }
    EXPECT_TRUE(weakTracker.expired());
    EXPECT_EQ(LastBox().rfind("显示窗体错误,原因:", 0), 0u) << LastBox();
    EXPECT_EQ(automation::Err().Number, 0) << "no error is left pending";
}

TEST_F(LifecycleTest, AFailedTreeBuildGivesFalseWithItsReason) {
    auto bad = std::make_shared<automation::Vector>();
    bad->Add(automation::Variant("not a bill"));
    auto tracker = Session().CreateICMOQuery();
    ExpectBox("显示窗体错误,原因:");
    EXPECT_FALSE(Session().StartEmbedded(tracker, bad));
    EXPECT_GT(LastBox().size(), std::string("显示窗体错误,原因:").size()) << "the reason follows";
    EXPECT_EQ(tracker->Hwnd(), 0);
}

TEST_F(LifecycleTest, TheModulesThatOwnTheBillKinds) {
    Start({1});
    const std::pair<int32_t, const char*> modules[] = {{2, "Stock"},        {24, "Stock"},
                                                       {137, "Stock"},      {52, "OPERMANAGE"},
                                                       {700, "OPERMANAGE"}, {54, "REPM"},
                                                       {55, "ShopFloor"},   {88, "ShopFloor"},
                                                       {551, "ShopFloor"},  {571, "SubContractor"},
                                                       {81, "SaleIn"},      {85, "ShopFloor"},
                                                       {87, "MPS"},         {701, "QM"},
                                                       {714, "QM"},         {9999, ""}};
    for (const auto& [kind, module] : modules) {
        EXPECT_EQ(Tracker()->GetModuleName(kind), module) << kind;
    }
}

}  // namespace
}  // namespace trackquery::testing
