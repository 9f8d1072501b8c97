// The headless harness: a ready session over a real ERP database, the task order tracker started
// embedded and stand-alone, the user's verbs and what the user saw.

#include <components/erp_database/erp_schema.h>
#include <components/viewer/viewer_document.h>
#include <harness/headless_session.h>

#include <contracts/message_helper.h>
#include <contracts/trace_viewer.h>
#include <trackquery/framework/frmICMOQuery.h>
#include <trackquery/services/MMTS.h>

#include <platform/activebar/active_bar.h>
#include <platform/automation/errors.h>
#include <platform/windowing/msgbox.h>
#include <platform/windowing/window_api.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <fstream>
#include <sstream>

namespace harness {
namespace {

class HeadlessSessionTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        databasePath_ = new std::filesystem::path(
            std::filesystem::temp_directory_path() /
            ("trackquery_headless_" + std::to_string(::getpid()) + ".db"));
        client::erp_database::CreateEmptyErpDatabase(databasePath_->string());
    }
    static void TearDownTestSuite() {
        std::filesystem::remove(*databasePath_);
        delete databasePath_;
    }
    HeadlessSessionOptions Options() const {
        HeadlessSessionOptions options;
        options.databasePath = *databasePath_;
        return options;
    }

    static std::filesystem::path* databasePath_;
};

std::filesystem::path* HeadlessSessionTest::databasePath_ = nullptr;

TEST_F(HeadlessSessionTest, AMissingDatabaseIsRefusedWithItsName) {
    HeadlessSessionOptions options;
    options.databasePath = "/nonexistent/erp.db";
    try {
        HeadlessSession session(options);
        FAIL() << "a session without a database";
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent/erp.db"), std::string::npos);
    }
}

TEST_F(HeadlessSessionTest, TheSessionPropertiesNameTheDatabaseFirst) {
    HeadlessSession session(Options());
    const std::string props = trackquery::GetPropsString();
    EXPECT_EQ(props, session.PropsString());
    const std::string connection =
        "Provider=SQLite;Data Source=\"" + databasePath_->string() + "\"";
    EXPECT_EQ(props.rfind("ConnectString={" + connection + "}", 0), 0u) << props;
    EXPECT_NE(props.find("SubID=CJ;"), std::string::npos);
    EXPECT_NE(props.find("UserID=16394;"), std::string::npos);
    std::ifstream switchFile(session.ClientFolder() / "ErpSwitch.sss");
    std::stringstream text;
    text << switchFile.rdbuf();
    EXPECT_EQ(text.str(), connection);
}

TEST_F(HeadlessSessionTest, EveryComponentIsRegistered) {
    HeadlessSession session(Options());
    auto& registry = automation::ComponentRegistry::Instance();
    for (const char* progId :
         {"QzICMOTrackQuery.CICMOQuery", "QzTraceViewer.TraceViewer", "PropsMgr.ShareProps",
          "UlmBase.SystemProfile", "MessageHelper.Global", "QzMICMOTrackQuery.CGetICMOQuery",
          "QzMICMOTrackQuery.CSetICMOQuery", "QzMICMOTrackQuery.CGetOrderQuery",
          "ActiveBarLibraryCtl.Tool", "YqLogMsg.Log", "QzResLoader.Loader"}) {
        EXPECT_TRUE(registry.IsRegistered(progId)) << progId;
    }
}

TEST_F(HeadlessSessionTest, TheSessionLeavesNothingRegisteredBehind) {
    { HeadlessSession session(Options()); }
    EXPECT_FALSE(
        automation::ComponentRegistry::Instance().IsRegistered("QzICMOTrackQuery.CICMOQuery"));
}

TEST_F(HeadlessSessionTest, AnEmbeddedStartShowsTheTaskOrders) {
    HeadlessSession session(Options());
    auto tracker = session.CreateICMOQuery();
    ASSERT_TRUE(session.StartEmbedded(
        tracker, HeadlessSession::BillList({{1001, "WORK1001"}, {1002, "WORK1002"}})));
    ASSERT_NE(session.Viewer(), nullptr);
    EXPECT_EQ(session.Viewer()->NavigationTitle(), "生产任务单(2)");
    // The harness draws nothing: the view is read from the navigation model the viewer was given.
    const auto navigation = session.Viewer()->GetNavigationModel();
    std::string nodes;
    for (int32_t i = 1; i <= navigation->NodeCount(); ++i) nodes += navigation->NodeItem(i)->Text;
    EXPECT_NE(nodes.find("WORK1001"), std::string::npos) << nodes;
    EXPECT_NE(nodes.find("WORK1002"), std::string::npos) << nodes;
    EXPECT_EQ(session.Viewer()->SelectedNavigationNode()->Key, "MO1001");
    EXPECT_NE(session.Viewer()->GetHeadModel(), nullptr);
    EXPECT_EQ(windowing::GetParent(tracker->Hwnd()), session.HostWindow());
    EXPECT_TRUE(session.Messages().empty());
}

TEST_F(HeadlessSessionTest, ClicksAreDeferredOnTheVirtualClock) {
    HeadlessSession session(Options());
    auto tracker = session.CreateICMOQuery();
    ASSERT_TRUE(session.StartEmbedded(
        tracker, HeadlessSession::BillList({{1, "A1"}, {2, "B2"}, {3, "C3"}})));
    const auto firstHead = session.Viewer()->GetHeadModel();
    session.ClickNavigationNode(3);
    session.AdvanceTime(200);
    session.ClickNavigationNode(4);
    session.AdvanceTime(499);
    EXPECT_EQ(session.Viewer()->GetHeadModel(), firstHead) << "built before the delay ran out";
    session.AdvanceTime(1);
    EXPECT_NE(session.Viewer()->GetHeadModel(), firstHead);
    EXPECT_EQ(session.Viewer()->SelectedNavigationNode()->Key, "MO3");
}

TEST_F(HeadlessSessionTest, TheExitToolOfAnEmbeddedViewClosesTheHostPage) {
    HeadlessSession session(Options());
    std::weak_ptr<trackquery::ICICMOQuery> weakTracker;
    std::weak_ptr<windowing::Form> weakWindow;
    {
        auto tracker = session.CreateICMOQuery();
        weakTracker = tracker;
        ASSERT_TRUE(session.StartEmbedded(tracker, HeadlessSession::BillList({{1, "A1"}})));
        weakWindow = session.Viewer()->Window();
        ASSERT_FALSE(weakWindow.expired());
        EXPECT_TRUE(session.ClickTool("btnExit"));
        EXPECT_EQ(session.HostForm()->FiredTools(), std::vector<std::string>{"close"});
        EXPECT_EQ(tracker->Hwnd(), 0);
        EXPECT_TRUE(session.Viewer()->Closed());
    }
    EXPECT_TRUE(weakWindow.expired());
    EXPECT_TRUE(weakTracker.expired());
}

TEST_F(HeadlessSessionTest, AStandAloneStartRunsItsStepsAndReturnsAfterTheClose) {
    HeadlessSession session(Options());
    auto tracker = session.CreateICMOQuery();
    std::vector<std::string> seen;
    const bool shown =
        session.StartStandAlone(tracker, HeadlessSession::BillList({{1, "A1"}, {2, "B2"}}), nullptr,
                                {[&](HeadlessSession& s) {
                                     seen.push_back("first");
                                     s.ClickNavigationNode(3);
                                     s.AdvanceTime(500);
                                 },
                                 [&](HeadlessSession& s) {
                                     seen.push_back(s.Viewer()->SelectedNavigationNode()->Key);
                                     s.ClickTool("btnExit");
                                 },
                                 [&](HeadlessSession&) { seen.push_back("after the close"); }});
    EXPECT_TRUE(shown);
    EXPECT_EQ(seen, (std::vector<std::string>{"first", "MO2"}));
    EXPECT_EQ(tracker->Hwnd(), 0);
    EXPECT_TRUE(session.Viewer()->StandAlone());
}

TEST_F(HeadlessSessionTest, WithoutAClosingStepTheUserClosesTheWindow) {
    HeadlessSession session(Options());
    auto tracker = session.CreateICMOQuery();
    EXPECT_TRUE(
        session.StartStandAlone(tracker, HeadlessSession::BillList({{1, "A1"}}), nullptr, {}));
    auto window = std::dynamic_pointer_cast<trackquery::frmICMOQuery>(session.Viewer()->Window());
    ASSERT_NE(window, nullptr) << "a user close does not tell the controller";
    EXPECT_FALSE(window->IsLoaded());
    EXPECT_FALSE(window->HasTrackModel());
}

TEST_F(HeadlessSessionTest, WindowOptionsSurviveFromOneViewToTheNext) {
    HeadlessSession session(Options());
    {
        auto tracker = session.CreateICMOQuery();
        ASSERT_TRUE(session.StartStandAlone(
            tracker, HeadlessSession::BillList({{1, "A1"}}), nullptr, {[&](HeadlessSession& s) {
                s.Viewer()->GetTool("btnShowFilter")->SetChecked(true);
                s.ClickTool("btnExit");
            }}));
    }
    auto tracker = session.CreateICMOQuery();
    ASSERT_TRUE(session.StartEmbedded(tracker, HeadlessSession::BillList({{1, "A1"}})));
    EXPECT_TRUE(session.Viewer()->GetTool("btnShowFilter")->Checked());
}

TEST_F(HeadlessSessionTest, AFakeReplacesAComponentAndFailuresReachTheMessages) {
    HeadlessSession session(Options());
    session.Replace(trackquery::kProgIdTraceViewer, [] { return automation::ObjectPtr(); });
    auto tracker = session.CreateICMOQuery();
    EXPECT_FALSE(session.StartEmbedded(tracker, HeadlessSession::BillList({{1, "A1"}})));
    const auto messages = session.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("显示窗体错误,原因:", 0), 0u) << messages[0];
    EXPECT_EQ(session.MessageBoxes()[0].Title, "Velo提示");
}

TEST_F(HeadlessSessionTest, VerbsBeforeAnyViewAreAnError) {
    HeadlessSession session(Options());
    try {
        session.ClickNavigationNode(1);
        FAIL() << "a click without a view";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), automation::vberr::ObjectVariableNotSet);
    }
}

}  // namespace
}  // namespace harness

namespace harness {
namespace {

class ScriptedBoxesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("trackquery_boxes_" + std::to_string(::getpid()) + ".db");
        client::erp_database::CreateEmptyErpDatabase(path_.string());
    }
    void TearDown() override { std::filesystem::remove(path_); }
    std::filesystem::path path_;
};

TEST_F(ScriptedBoxesTest, AScriptedAnswerIsGivenAndRecorded) {
    HeadlessSessionOptions options;
    options.databasePath = path_;
    options.strictMessageBoxes = true;
    HeadlessSession session(options);
    session.AnswerNextBox("超过200张", windowing::vbNo);
    EXPECT_EQ(windowing::MsgBox("您查询的生产任务单超过200张", windowing::vbYesNo, "Velo提示"),
              windowing::vbNo);
    ASSERT_EQ(session.MessageBoxes().size(), 1u);
    EXPECT_EQ(session.MessageBoxes()[0].Answer, windowing::vbNo);
}

TEST_F(ScriptedBoxesTest, InStrictModeAnUnexpectedBoxFails) {
    HeadlessSessionOptions options;
    options.databasePath = path_;
    options.strictMessageBoxes = true;
    HeadlessSession session(options);
    EXPECT_THROW(windowing::MsgBox("surprise"), automation::RuntimeError);
    EXPECT_EQ(session.Backend().Failures().size(), 1u);
}

}  // namespace
}  // namespace harness
