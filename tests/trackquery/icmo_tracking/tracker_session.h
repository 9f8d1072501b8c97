#pragma once
// A task order tracker running in the headless harness over a fixture ERP database of its own,
// with the SQLite middle tier behind it. Each test names the statements that shape its data.

#include <client/erp_database/demo_database.h>
#include <client/erp_database/sqlite_database.h>
#include <client/headless/headless_session.h>
#include <client/trace_viewer/headless_trace_viewer.h>

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace trackquery {

// Reaches the tracker's bill option handling and its operation package, which no viewer event
// exposes on its own.
struct DetailModelTestAccess {
    static void ShowBillOption(CICMOQuery& tracker) { tracker.ShowBillOption(); }
    static bool CreateDetailModel(CICMOQuery& tracker, int32_t id, std::string& error) {
        return tracker.CreateDetailModel(id, error);
    }
    static bool CreateHeadModel(CICMOQuery& tracker, int32_t& id) {
        return tracker.CreateHeadModel(id);
    }
    static int32_t PackageCount(const CICMOQuery& tracker) {
        return tracker.m_vctOperPackage ? tracker.m_vctOperPackage->Count() : -1;
    }
    static int32_t RoutingID(const CICMOQuery& tracker) { return tracker.m_RoutingID; }
    static int32_t BOMID(const CICMOQuery& tracker) { return tracker.m_BOMID; }
    static int32_t ItemID(const CICMOQuery& tracker) { return tracker.m_ItemID; }
};

}  // namespace trackquery

namespace trackquery::testing {

namespace erp = client::erp_database;

class TrackerSession : public ::testing::Test {
  protected:
    void TearDown() override {
        session.reset();
        if (!path.empty()) std::filesystem::remove(path);
    }

    // Builds the database (generated data, then `statements`) and a session over it.
    void Open(const std::vector<std::string>& statements = {}, int32_t taskOrders = 12,
              int32_t userId = erp::kAdministratorID) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = (std::filesystem::temp_directory_path() /
                ("tracker_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
                 std::to_string(::getpid()) + ".db"))
                   .string();
        erp::FixtureDefinition definition;
        definition.data.taskOrders = taskOrders;
        definition.statements = statements;
        erp::BuildFixture(path, definition);
        client::HeadlessSessionOptions options;
        options.databasePath = path;
        options.userId = userId;
        session = std::make_unique<client::HeadlessSession>(options);
    }

    // Starts an embedded tracker on task orders read from the database by id.
    CICMOQueryPtr Start(const std::vector<int32_t>& ids) {
        std::vector<std::pair<int32_t, std::string>> bills;
        for (int32_t id : ids) bills.emplace_back(id, BillNo(id));
        tracker = session->CreateICMOQuery();
        EXPECT_TRUE(session->StartEmbedded(tracker, client::HeadlessSession::BillList(bills)));
        return tracker;
    }

    int64_t Scalar(const std::string& sql) const {
        erp::SqliteDatabase db(path, false);
        return db.QueryInt(sql);
    }
    std::string BillNo(int32_t id) const {
        char text[16];
        std::snprintf(text, sizeof text, "WORK%06d", id);
        return text;
    }

    // Chooses exactly `keys` among the task order tracker's bill options for the administrator.
    static std::vector<std::string> Choose(const std::vector<std::string>& keys) {
        std::vector<std::string> statements;
        for (const char* key : {"A01-85", "A02-88", "A03-501", "A04-24", "A05-551", "A06-2",
                                "A07-571", "A10-81", "A111007100", "P00-52", "P01-502", "P02-581",
                                "P03-582", "P04-710", "P05-715", "P061002504"}) {
            bool chosen = false;
            for (const auto& k : keys) chosen = chosen || k == key;
            statements.push_back(
                "INSERT INTO ICTrackOptionUser (FOptionKey, FUserID, FKey, FValue) VALUES "
                "('ICMOTrack', 16394, '" +
                std::string(key) + "', " + (chosen ? "1" : "0") + ")");
        }
        return statements;
    }

    std::shared_ptr<client::HeadlessTraceViewer> Viewer() const { return session->Viewer(); }
    DetailModelPtr Detail() const { return Viewer()->GetDetailModel(); }

    // The keys of the detail model's nodes, in order.
    std::vector<std::string> NodeKeys() const {
        std::vector<std::string> keys;
        if (auto model = Detail()) {
            for (const auto& node : model->Nodes()) keys.push_back(node->Key);
        }
        return keys;
    }

    std::string path;
    std::unique_ptr<client::HeadlessSession> session;
    CICMOQueryPtr tracker;
};

}  // namespace trackquery::testing
