#pragma once
// A fresh ERP database in a temporary folder and a session on it, for the tests of the client's
// security and bill components.

#include <components/bills/bill_window.h>
#include <components/bills/gl_view.h>
#include <components/bills/register_bills.h>
#include <components/erp_database/erp_schema.h>
#include <components/security/register_security.h>
#include <components/session/register_session.h>
#include <components/session/share_props.h>

#include <platform/adodb/connection.h>
#include <platform/automation/conversions.h>
#include <platform/windowing/headless_backend.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <atomic>
#include <filesystem>
#include <string>

namespace client_test {

class ClientDatabaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        folder_ = std::filesystem::temp_directory_path() /
                  ("tq_client_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        dbPath_ = (folder_ / "erp.db").string();
        client::erp_database::CreateEmptyErpDatabase(dbPath_);
        client::ClearSessionProperties();
        client::RegisterSessionComponents();
        client::RegisterSecurityComponents((folder_ / "client").string());
        client::RegisterBillComponents();
        UseUser(16394, "administrator");
    }

    void TearDown() override {
        client::ClearBillWindowHistory();
        client::ClearItemViewHistory();
        client::SetBillWindowsModal(false);
        client::ClearSessionProperties();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void UseUser(int32_t userId, const std::string& userName) {
        client::SetPropsString(client::erp_database::PropsStringFor(dbPath_, userId, userName));
    }

    void Execute(const std::string& sql) {
        adodb::Connection cnn;
        cnn.Open(ConnectionString());
        cnn.ExecuteScript(sql);
    }

    int64_t Count(const std::string& sql) {
        adodb::Connection cnn;
        cnn.Open(ConnectionString());
        auto rs = cnn.Execute(sql);
        return static_cast<int64_t>(automation::CDbl(rs->Value(0)));
    }

    std::string ConnectionString() const {
        return client::erp_database::ConnectionStringFor(dbPath_);
    }

    windowing::ScopedHeadless headless_;
    std::filesystem::path folder_;
    std::string dbPath_;
};

}  // namespace client_test
