#pragma once
// A task order tracker started in the headless harness over a fixture ERP database built by the
// demo generator: every component is the client's real one, message boxes are strict (a box the
// test did not expect fails it), and what the user saw is read from the harness.
//
// The fixture holds twelve task orders: ordinary ones WORK000001..4, 7..11, repetitive REPT000005
// and REPT000012, outsourced WWJG000006. Task orders 1, 2, 4, 7, 8, 10 and 11 are made by the
// planner (group 1), 3, 6, 9 and 12 by the workshop manager (groups 1 and 3).

#include <client/bills/bill_window.h>
#include <client/bills/gl_view.h>
#include <client/erp_database/demo_database.h>
#include <client/erp_database/sqlite_database.h>
#include <client/headless/headless_session.h>
#include <client/trace_viewer/headless_trace_viewer.h>

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <platform/activebar/active_bar.h>
#include <platform/activebar/tool.h>
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

class TrackingSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::path(::testing::TempDir()) /
                ("icmo_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
                 std::to_string(::getpid()) + ".db");
        erp::BuildFixture(path_.string(), Definition());
    }

    void TearDown() override {
        if (session_) {
            for (const auto& failure : session_->Backend().Failures()) ADD_FAILURE() << failure;
            EXPECT_EQ(session_->Backend().PendingAnswers(), 0u) << "an expected box never came";
            for (const auto& window : client::OpenBillWindows()) window->Unload();
        }
        client::ClearBillWindowHistory();
        client::ClearItemViewHistory();
        session_.reset();
        std::filesystem::remove(path_);
    }

    virtual erp::FixtureDefinition Definition() const { return {}; }

    // The session of `userId` in the sub-system `subId`.
    client::HeadlessSession& OpenSession(int32_t userId = erp::kAdministratorID,
                                         const std::string& subId = "CJ") {
        client::HeadlessSessionOptions options;
        options.databasePath = path_;
        options.userId = userId;
        options.subId = subId;
        options.strictMessageBoxes = true;
        session_ = std::make_unique<client::HeadlessSession>(options);
        return *session_;
    }

    client::HeadlessSession& Session() { return *session_; }
    client::HeadlessTraceViewer& Viewer() { return *session_->Viewer(); }

    // Starts a tracker embedded in the host page on the task orders with these internal IDs (their
    // bill numbers read from the database), opening a session as the administrator first when
    // none is open.
    CICMOQueryPtr Start(const std::vector<int32_t>& ids) {
        if (!session_) OpenSession();
        std::vector<std::pair<int32_t, std::string>> bills;
        for (const int32_t id : ids) bills.emplace_back(id, BillNo(id));
        auto tracker = session_->CreateICMOQuery();
        EXPECT_TRUE(session_->StartEmbedded(tracker, client::HeadlessSession::BillList(bills)));
        return tracker;
    }

    std::string BillNo(int32_t id) const {
        erp::SqliteDatabase db(path_.string(), false);
        auto statement = db.Prepare("SELECT FBillNo FROM ICMO WHERE FInterID = ?1");
        return statement.Query({int64_t{id}}) ? statement.ColumnText(0) : std::string();
    }

    int64_t Scalar(const std::string& sql) const {
        erp::SqliteDatabase db(path_.string(), false);
        return db.QueryInt(sql);
    }

    // The texts of the task order nodes (the root left out), in tree order.
    std::vector<std::string> TaskOrderTexts() {
        std::vector<std::string> texts;
        auto model = Viewer().GetNavigationModel();
        for (int32_t i = 2; i <= model->NodeCount(); ++i) texts.push_back(model->NodeItem(i)->Text);
        return texts;
    }

    // The next box shows `text` (a part of it is enough) and the user answers `answer`.
    void ExpectBox(const std::string& text, int32_t answer = windowing::vbOK) {
        session_->AnswerNextBox(text, answer);
    }

    // The prompt of the last box shown; empty when none was.
    std::string LastBox() {
        const auto& boxes = session_->MessageBoxes();
        return boxes.empty() ? std::string() : boxes.back().Prompt;
    }

    size_t BoxCount() { return session_->MessageBoxes().size(); }

    activebar::ToolPtr ViewerTool(const std::string& key) { return Viewer().GetTool(key); }

    // The tool of the viewer's own bar that holds the focus.
    std::string FocusedToolName() {
        auto tool = Viewer().GetMenuBar()->FocusedTool();
        return tool ? tool->Name() : std::string();
    }

    // Task orders numbered MASS00001.. made by the planner, ordinary, `count` of them, inserted
    // after the generated data.
    static std::string MassTaskOrders(int32_t count) {
        return "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
               std::to_string(count) +
               ") INSERT INTO ICMO (FInterID, FBillNo, FTranType, FBillerID, FDate, FItemID, "
               "FUnitID, FQty, FPlanCommitDate, FPlanFinishDate) SELECT 100000 + i, "
               "printf('MASS%05d', i), 85, 16395, '2026-06-01', (SELECT MIN(FItemID) FROM "
               "t_ICItem), 1, 10, '2026-06-02', '2026-07-01' FROM n";
    }

    std::filesystem::path path_;
    std::unique_ptr<client::HeadlessSession> session_;
};

}  // namespace trackquery::testing
