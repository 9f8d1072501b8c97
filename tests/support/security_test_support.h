#pragma once
// Shared set-up of the access check, bill invocation and bill selection tests: a fresh ERP
// database in a temporary folder, a session of a chosen user on it, the real client components
// registered (session, resources, security, bills), a recording message object, a middle tier
// whose GetRs runs read-only on the database and records each statement, and a strict headless
// back end.

#include <support/session_resources.h>

#include <components/bills/bill_window.h>
#include <components/bills/gl_view.h>
#include <components/bills/register_bills.h>
#include <components/erp_database/erp_schema.h>
#include <components/resources/register_resources.h>
#include <components/resources/res_loader.h>
#include <components/security/register_security.h>
#include <components/session/lang_info.h>
#include <components/session/register_session.h>
#include <components/session/share_props.h>
#include <contracts/message_helper.h>
#include <contracts/middle_tier.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/MParse.h>
#include <trackquery/services/SysObjects.h>
#include <trackquery/services/modYqLogMsg.h>

#include <platform/adodb/connection.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/screen.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace security_test {

// Shows nothing; keeps every message it was asked to show.
class RecordingMessageHelper : public trackquery::IMessageHelper {
  public:
    std::string TypeName() const override { return "MessageHelper"; }
    void ShowMessage(const std::string& text) override { Messages().push_back(text); }
    static std::vector<std::string>& Messages() {
        static std::vector<std::string> messages;
        return messages;
    }
};

// The middle tier as far as the access checks need it: GetRs on the session's database,
// read-only, with every statement recorded.
class ReadOnlyMiddleTier : public trackquery::CGetICMOQuery {
  public:
    static std::vector<std::string>& Statements() {
        static std::vector<std::string> statements;
        return statements;
    }
    trackquery::RecordsetPtr GetRs(const std::string& sProps, const std::string& sSQL) override {
        Statements().push_back(sSQL);
        const auto open = sProps.find('{');
        const auto close = sProps.find('}', open);
        adodb::Connection cnn;
        cnn.Open(sProps.substr(open + 1, close - open - 1) + ";Mode=Read");
        return cnn.Execute(sSQL);
    }
    trackquery::RecordsetPtr GetQueryFields(const std::string&, int16_t,
                                            const automation::Variant&) override {
        return Fail();
    }
    trackquery::RecordsetPtr GetICMOQuery(const std::string&, int32_t, int16_t,
                                          const automation::Variant&, const std::string&) override {
        return Fail();
    }
    trackquery::RecordsetPtr GetICMOOper(const std::string&, int32_t) override { return Fail(); }
    trackquery::RecordsetPtr GetICMOInfo(const std::string&,
                                         const automation::VectorPtr&) override {
        return Fail();
    }
    automation::DictionaryPtr GetStockQty(const std::string&, trackquery::RecordsetPtr&) override {
        Fail();
    }
    trackquery::RecordsetPtr GetFrmOption(const std::string&, const std::string&) override {
        return Fail();
    }
    trackquery::RecordsetPtr GetBillOption(const std::string&, const std::string&,
                                           const automation::Variant&, bool) override {
        return Fail();
    }

  private:
    [[noreturn]] static trackquery::RecordsetPtr Fail() {
        automation::Raise(automation::vberr::MemberNotSupported, "ReadOnlyMiddleTier");
    }
};

inline constexpr int32_t kAdmin = 16394;
inline constexpr int32_t kBigUser = 40000;  // does not fit a 16-bit integer
inline constexpr int32_t kClerk = 20001;    // no rights of its own

class SecurityTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        folder_ = std::filesystem::temp_directory_path() /
                  ("tq_security_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_ / "client");
        dbPath_ = (folder_ / "erp.db").string();
        client::erp_database::CreateEmptyErpDatabase(dbPath_);
        Execute(
            "INSERT INTO t_User (FUserID, FName) VALUES (16394, 'administrator'), "
            "(40000, 'bigid'), (20001, 'clerk');"
            "INSERT INTO t_UserGroup (FGroupID, FName) VALUES (5, 'planners');"
            "INSERT INTO t_Group (FGroupID, FUserID) VALUES (5, 20001);"
            // administrator: view and modify task orders, view sales orders.
            "INSERT INTO t_AccessRight VALUES (0, 16394, 1022, 10, 6291456);"
            "INSERT INTO t_AccessRight VALUES (0, 16394, 1008, 23, 2097152);"
            // bigid: view task orders only.
            "INSERT INTO t_AccessRight VALUES (0, 40000, 1022, 10, 2097152);"
            // planners: view outsourced task orders.
            "INSERT INTO t_AccessRight VALUES (1, 5, 1022, 88, 2097152);"
            "INSERT INTO t_SystemProfile VALUES ('IC', 'UseShortNumber', '1');"
            "INSERT INTO t_SystemProfile VALUES ('IC', 'CheckUserGroup', '0');");

        ResetServices();
        trackquery::testing::UseFreshSessionWithSourceResources();
        client::RegisterSecurityComponents(ClientFolder());
        client::RegisterBillComponents();
        auto& registry = automation::ComponentRegistry::Instance();
        registry.Register(trackquery::kMessageHelperProgId,
                          [] { return std::make_shared<RecordingMessageHelper>(); });
        registry.Register(trackquery::kProgIdGetICMOQuery,
                          [] { return std::make_shared<ReadOnlyMiddleTier>(); });
        RecordingMessageHelper::Messages().clear();
        ReadOnlyMiddleTier::Statements().clear();
        UseUser(kAdmin, "administrator");
        automation::Err().Clear();
    }

    void TearDown() override {
        client::ClearBillWindowHistory();
        client::ClearItemViewHistory();
        ResetServices();
        client::ClearSessionProperties();
        std::error_code ignored;
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }

    static void ResetServices() {
        trackquery::ResetMMTSState();
        trackquery::ResetMParseState();
        trackquery::ResetYqLogMsgState();
        trackquery::ResetGLView();
    }

    void UseUser(int32_t userId, const std::string& userName, const std::string& language = "chs") {
        client::SetPropsString(
            client::erp_database::PropsStringFor(dbPath_, userId, userName, "CJ", language));
        client::SetSessionUserName(userName);
    }

    void Execute(const std::string& sql) {
        adodb::Connection cnn;
        cnn.Open(ConnectionString());
        cnn.ExecuteScript(sql);
    }

    std::string ConnectionString() const {
        return client::erp_database::ConnectionStringFor(dbPath_);
    }
    std::string ClientFolder() const { return (folder_ / "client").string() + "/"; }

    // Writes the client's switch file, by default into the client folder itself.
    std::filesystem::path WriteSwitchFile(const std::string& text,
                                          const std::string& relative = "ErpSwitch.sss") {
        const auto file = folder_ / "client" / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }

    static std::vector<std::string>& Messages() { return RecordingMessageHelper::Messages(); }

    // Task orders 1 and 2 (ordinary), 3 (repetitive), 4 (outsourced); sales order 10; export
    // orders 11 (checked, two shipping lots), 12 (not checked) and 13 (cancelled).
    void SeedBills() {
        Execute(
            "INSERT INTO t_ICItem (FItemID, FNumber, FShortNumber, FName, FUnitID) VALUES "
            "(1, '1.01.001', '001', '齿轮', 1), (2, '1.01.002', '002', '轴', 1);"
            "INSERT INTO t_Organization VALUES (1, 'C001', '客户甲');"
            "INSERT INTO ICMO (FInterID, FBillNo, FTranType, FScheduleID, FBillerID, FDate, "
            "FItemID,"
            " FUnitID, FQty, FPlanCommitDate, FPlanFinishDate) VALUES "
            "(1, 'WORK001', 85, 0, 16394, '2026-01-05', 1, 1, 10, '2026-01-05', '2026-01-20'),"
            "(2, 'WORK002', 85, 0, 16394, '2026-01-06', 2, 1, 20, '2026-01-06', '2026-01-21'),"
            "(3, 'WORK003', 85, 7, 16394, '2026-01-07', 1, 1, 30, '2026-01-07', '2026-01-22'),"
            "(4, 'WW001', 571, 0, 20001, '2026-01-08', 2, 1, 40, '2026-01-08', '2026-01-23');"
            "INSERT INTO SEOrder (FInterID, FBillNo, FTranType, FClassTypeID, FDate, FCustID,"
            " FCurrencyID, FStatus, FCheckerID, FCancellation, FBillerID) VALUES "
            "(10, 'SEORD001', 81, 0, '2026-01-02', 1, 1, 1, 16394, 0, 16394),"
            "(11, 'EXP001', 81, 1007100, '2026-01-03', 1, 1, 1, 16394, 0, 16394),"
            "(12, 'EXP002', 81, 1007100, '2026-01-03', 1, 1, 0, NULL, 0, 16394),"
            "(13, 'EXP003', 81, 1007100, '2026-01-04', 1, 1, 1, 16394, 1, 16394);"
            "INSERT INTO SEOrderEntry (FInterID, FEntryID, FItemID, FQty, FPrice, FAmount,"
            " FDeliveryDate) VALUES (10, 1, 1, 5, 2, 10, '2026-02-01'),"
            " (11, 1, 1, 6, 2, 12, '2026-02-01'), (12, 1, 2, 7, 2, 14, '2026-02-01'),"
            " (13, 1, 2, 8, 2, 16, '2026-02-01');"
            "INSERT INTO SEOrderExpDetail VALUES (101, 11, 1, 3, 6, '2026-02-10'),"
            " (102, 11, 1, 3, 6, '2026-02-20'), (103, 12, 1, 7, 14, '2026-02-10'),"
            " (104, 13, 1, 8, 16, '2026-02-10');");
    }

    windowing::ScopedHeadless headless_;
    std::filesystem::path folder_;
    std::string dbPath_;
};

}  // namespace security_test
