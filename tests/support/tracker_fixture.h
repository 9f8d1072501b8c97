#pragma once
// A tracking view started in the headless harness over a fixture ERP database of the test's own.
// Every component is the client's real one (a test puts a fake in the place of any of them with
// Session().Replace, or fails middle-tier calls with the failing middle tier), and what the user
// saw is read from the harness: the viewer's models and titles, the message boxes, the bill
// windows and item look-ups opened.
//
// What differs between suites are options:
// - Definition(): the generated data and the statements that shape it for the case under test;
//   a test may also Execute statements of its own on the database at any time.
// - strictBoxes (default true): a message box the test did not announce with ExpectBox fails
//   the test, and so does an announced box or a dialog step that never came. Set it to false
//   before the session opens to let every box take its default button.
//
// The default data holds twelve task orders: ordinary ones WORK000001..4, 7..11, repetitive
// REPT000005 and REPT000012, outsourced WWJG000006. Task orders 1, 2, 4, 7, 8, 10 and 11 are made
// by the planner (group 1), 3, 6, 9 and 12 by the workshop manager (groups 1 and 3).

#include <components/bills/bill_window.h>
#include <components/bills/gl_view.h>
#include <components/erp_database/demo_database.h>
#include <components/viewer/viewer_document.h>
#include <faces/text/text_viewer_face.h>
#include <harness/headless_session.h>
#include <support/test_database.h>

#include <contracts/trackers.h>
#include <contracts/view_models/detail_model.h>
#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <platform/activebar/active_bar.h>
#include <platform/activebar/tool.h>
#include <platform/automation/conversions.h>
#include <platform/windowing/msgbox.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace trackquery::testing {

namespace erp = client::erp_database;

class TrackerFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::path(::testing::TempDir()) /
                ("tracker_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
                 std::to_string(::getpid()) + ".db");
        erp::BuildFixture(path_.string(), Definition());
        database_ = std::make_unique<test_support::TestDatabase>(path_.string());
        client::ClearBillWindowHistory();
        client::ClearItemViewHistory();
    }

    void TearDown() override {
        CloseSession();
        client::ClearBillWindowHistory();
        client::ClearItemViewHistory();
        database_.reset();
        std::filesystem::remove(path_);
    }

    // --- Options -------------------------------------------------------------------------------
    virtual erp::FixtureDefinition Definition() const { return {}; }
    bool strictBoxes = true;
    std::string language = "chs";  // the session's language, before the session opens

    // --- The session -------------------------------------------------------------------------
    // The session of `userId` in the sub-system `subId`, in place of the one open.
    harness::HeadlessSession& OpenSession(int32_t userId = erp::kAdministratorID,
                                          const std::string& subId = "CJ") {
        CloseSession();
        harness::HeadlessSessionOptions options;
        options.databasePath = Database();
        options.userId = userId;
        options.subId = subId;
        options.strictMessageBoxes = strictBoxes;
        options.language = language;
        // The viewers are drawn as the terminal draws them, so print and export write files.
        options.viewerFace = textface::TextViewerFace::Factory();
        session_ = std::make_unique<harness::HeadlessSession>(options);
        return *session_;
    }

    // Ends the session: the boxes and dialog steps a strict session was told of must all have
    // come, and nothing unexpected may have been shown; bill windows left open are closed.
    void CloseSession() {
        if (!session_) return;
        if (strictBoxes) {
            for (const auto& failure : session_->Backend().Failures()) ADD_FAILURE() << failure;
            EXPECT_EQ(session_->Backend().PendingAnswers(), 0u) << "an expected box never came";
            EXPECT_EQ(session_->Backend().PendingSteps(), 0u) << "an expected dialog never came";
        }
        for (const auto& window : client::OpenBillWindows()) window->Unload();
        session_.reset();
    }

    // The session open, the administrator's in the sub-system CJ when none was opened.
    harness::HeadlessSession& Session() {
        if (!session_) OpenSession();
        return *session_;
    }
    client::ViewerDocument& Viewer() { return *Session().Viewer(); }
    // The test's database (a file, or an address on the PostgreSQL test server) and the SQLite
    // file it was made from.
    const std::string& Database() const { return database_->Name(); }
    const std::filesystem::path& DatabasePath() const { return path_; }

    // --- Task order tracking -------------------------------------------------------------------
    // Starts a tracker embedded in the host page on the task orders with these internal IDs,
    // their bill numbers read from the database.
    ICICMOQueryPtr Start(const std::vector<int32_t>& ids,
                         const automation::DictionaryPtr& status = nullptr, int32_t tranType = 0) {
        std::vector<std::pair<int32_t, std::string>> bills;
        for (const int32_t id : ids) bills.emplace_back(id, BillNo(id));
        return StartOn(harness::HeadlessSession::BillList(bills), status, tranType);
    }
    ICICMOQueryPtr StartOn(const automation::VectorPtr& bills,
                           const automation::DictionaryPtr& status = nullptr,
                           int32_t tranType = 0) {
        auto tracker = Session().CreateICMOQuery(tranType);
        lastTracker_ = tracker;
        EXPECT_TRUE(Session().StartEmbedded(tracker, bills, status));
        return tracker;
    }
    // The tracker started last, for what only its own readers tell (the shown task order's id,
    // the key last shown, the option key, the user group switch, its window).
    std::shared_ptr<CICMOQuery> Tracker() const {
        auto tracker = std::dynamic_pointer_cast<CICMOQuery>(lastTracker_.lock());
        if (!tracker) ADD_FAILURE() << "no task order tracker is alive";
        return tracker;
    }

    // Chooses exactly `keys` (option keys such as "A02-88" or "P00-52") among the bill kinds of
    // task order tracking for `userId`.
    void Choose(const std::vector<std::string>& keys, int32_t userId = erp::kAdministratorID) {
        std::string list = "''";
        for (const auto& key : keys) list += ",'" + key + "'";
        const std::string user = std::to_string(userId);
        Execute("DELETE FROM ICTrackOptionUser WHERE FOptionKey = 'ICMOTrack' AND FUserID = " +
                user);
        Execute(
            "INSERT INTO ICTrackOptionUser (FOptionKey, FUserID, FKey, FValue) "
            "SELECT FOptionKey, " +
            user + ", FKey, CASE WHEN FKey IN (" + list +
            ") THEN 1 ELSE 0 END FROM ICTrackOptionDef WHERE FOptionKey = 'ICMOTrack'");
    }

    // --- The database --------------------------------------------------------------------------
    // The database built anew from the definition, as SetUp made it.
    void RebuildDatabase() {
        database_.reset();
        erp::BuildFixture(path_.string(), Definition());
        database_ = std::make_unique<test_support::TestDatabase>(path_.string());
    }
    int64_t Scalar(const std::string& sql) const {
        return test_support::QueryNumber(Database(), sql);
    }
    std::string Text(const std::string& sql) const {
        return test_support::QueryText(Database(), sql);
    }
    void Execute(const std::string& sql) const { test_support::ExecuteSql(Database(), sql); }
    std::string BillNo(int32_t id) const {
        return Text("SELECT FBillNo FROM ICMO WHERE FInterID = " + std::to_string(id));
    }

    // --- What the user saw ---------------------------------------------------------------------
    // The next box shows `text` (a part of it is enough) and the user answers `answer`.
    void ExpectBox(const std::string& text, int32_t answer = windowing::vbOK) {
        Session().AnswerNextBox(text, answer);
    }
    // The prompt of the last box shown; empty when none was.
    std::string LastBox() {
        const auto& boxes = Session().MessageBoxes();
        return boxes.empty() ? std::string() : boxes.back().Prompt;
    }
    size_t BoxCount() { return Session().MessageBoxes().size(); }

    activebar::ToolPtr ViewerTool(const std::string& key) { return Viewer().GetTool(key); }
    // The tool of the viewer's own bar that holds the focus.
    std::string FocusedToolName() {
        auto tool = Viewer().GetMenuBar()->FocusedTool();
        return tool ? tool->Name() : std::string();
    }

    // The texts of the navigation nodes below the root, in tree order.
    std::vector<std::string> TaskOrderTexts() {
        std::vector<std::string> texts;
        auto model = Viewer().GetNavigationModel();
        for (int32_t i = 2; i <= model->NodeCount(); ++i) texts.push_back(model->NodeItem(i)->Text);
        return texts;
    }
    int32_t SelectedIndex() {
        auto node = Viewer().SelectedNavigationNode();
        return node ? node->Index() : 0;
    }

    // The detail node or row at a dotted path of the detail panel ("2" the second node, "2.1"
    // its first row, "2.1.1" that row's first child node); nothing when the path leads nowhere.
    DetailNodePtr NodeAt(const std::string& path) {
        auto model = Viewer().GetDetailModel();
        return model ? std::dynamic_pointer_cast<DetailNode>(model->ItemByPath(path)) : nullptr;
    }
    DetailRowPtr RowAt(const std::string& path) {
        auto model = Viewer().GetDetailModel();
        return model ? std::dynamic_pointer_cast<DetailRow>(model->ItemByPath(path)) : nullptr;
    }
    // The keys of the detail panel's top-level nodes, in order.
    std::vector<std::string> NodeKeys() {
        std::vector<std::string> keys;
        if (auto model = Viewer().GetDetailModel()) {
            for (const auto& node : model->Nodes()) keys.push_back(node->Key);
        }
        return keys;
    }
    // The keys of the child nodes a detail row carries, in order.
    static std::vector<std::string> ChildKeys(const DetailRowPtr& row) {
        std::vector<std::string> keys;
        for (int32_t i = 1; row && i <= row->ChildCount(); ++i)
            keys.push_back(row->GetChild(i)->Key);
        return keys;
    }
    // The text of a row's cell, or a text naming the missing cell.
    static std::string TextOf(const DetailRowPtr& row, const std::string& key) {
        auto cell = row ? row->Cell(key) : nullptr;
        return cell ? cell->Text : "<no cell " + key + ">";
    }

    static const client::BillWindowRecord* LastBillOpened() {
        const auto& history = client::BillWindowHistory();
        return history.empty() ? nullptr : &history.back();
    }
    // The numbers of the materials the last item look-up showed.
    static std::vector<std::string> ItemNumbersShown() {
        std::vector<std::string> numbers;
        if (client::ItemViewHistory().empty()) return numbers;
        auto items = client::ItemViewHistory().back()->Items();
        for (int32_t i = 1; i <= items->Count(); ++i) {
            numbers.push_back(
                automation::CStr(items->Item(i).As<automation::Dictionary>()->Item("FNumber")));
        }
        return numbers;
    }

    std::filesystem::path path_;
    std::unique_ptr<test_support::TestDatabase> database_;
    std::unique_ptr<harness::HeadlessSession> session_;

  private:
    std::weak_ptr<ICICMOQuery> lastTracker_;
};

}  // namespace trackquery::testing
