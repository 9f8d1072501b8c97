#pragma once
// A fixture ERP database per test, built by the demo generator from a small definition, with the
// middle tier registered and a session property string that names it.

#include <components/erp_database/demo_database.h>
#include <components/erp_database/erp_schema.h>
#include <components/erp_database/sqlite_database.h>
#include <components/middle_tier/icmo_queries.h>
#include <components/middle_tier/register_middle_tier.h>
#include <components/middle_tier/user_options.h>

#include <support/test_database.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/collections.h>
#include <platform/automation/conversions.h>
#include <platform/automation/registry.h>

#include <gtest/gtest.h>

#include <contracts/middle_tier.h>

#include <unistd.h>
#include <filesystem>
#include <string>

namespace mt_test {

namespace erp = client::erp_database;
using automation::Variant;

inline std::string TempPath(const std::string& name) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string test = info ? std::string(info->test_suite_name()) + "_" + info->name() : "db";
    return (std::filesystem::path(::testing::TempDir()) /
            (name + "_" + test + "_" + std::to_string(::getpid()) + ".db"))
        .string();
}

class ErpFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = TempPath("erp");
        erp::BuildFixture(path_, Definition());
        database_ = std::make_unique<test_support::TestDatabase>(path_);
        client::RegisterMiddleTier();
    }
    void TearDown() override {
        database_.reset();
        std::filesystem::remove(path_);
    }

    virtual erp::FixtureDefinition Definition() const { return {}; }

    std::string Props(int32_t user = erp::kAdministratorID) const {
        return erp::PropsStringFor(Database(), user, "administrator");
    }
    std::shared_ptr<trackquery::CGetICMOQuery> IcmoQuery() const {
        return automation::CreateObject<trackquery::CGetICMOQuery>(trackquery::kProgIdGetICMOQuery);
    }
    std::shared_ptr<trackquery::CSetICMOQuery> IcmoWriter() const {
        return automation::CreateObject<trackquery::CSetICMOQuery>(trackquery::kProgIdSetICMOQuery);
    }
    std::shared_ptr<trackquery::CGetOrderQuery> OrderQuery() const {
        return automation::CreateObject<trackquery::CGetOrderQuery>(
            trackquery::kProgIdGetOrderQuery);
    }

    // One number read straight from the database, to check answers against.
    int64_t Scalar(const std::string& sql) const {
        return test_support::QueryNumber(Database(), sql);
    }
    void Execute(const std::string& sql) const { test_support::ExecuteSql(Database(), sql); }
    // The test's database: the SQLite file path_, or its copy on the PostgreSQL test server.
    const std::string& Database() const { return database_->Name(); }

    std::string path_;
    std::unique_ptr<test_support::TestDatabase> database_;
};

inline std::vector<std::string> FieldNames(const trackquery::RecordsetPtr& rs) {
    std::vector<std::string> names;
    for (int32_t i = 0; i < rs->FieldCount(); ++i) names.push_back(rs->FieldAt(i).Name);
    return names;
}

inline std::string Text(const trackquery::RecordsetPtr& rs, const char* field) {
    return automation::CStr(rs->Value(field));
}

inline int64_t Number(const trackquery::RecordsetPtr& rs, const char* field) {
    return automation::CLng(rs->Value(field));
}

}  // namespace mt_test
