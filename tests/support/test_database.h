#pragma once
// The ERP database a test reads. The database tests run twice: on an SQLite file, and in the
// PostgreSQL variant of their program (test_server.h) on a database of their own on the
// throwaway server, copied from the same file. A test builds
// its SQLite file as before and hands it to a TestDatabase; from there on it names the database
// by Name() and reads and writes it with the functions below, on either engine.

#include <components/erp_database/erp_schema.h>
#include <components/erp_database/postgres_copy.h>
#include <components/session/kept_connections.h>

#include <support/test_server.h>

#include <platform/adodb/connection.h>
#include <platform/automation/conversions.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

namespace test_support {

inline void ExecuteSql(const std::string& database, const std::string& sql) {
    adodb::Connection db;
    db.Open(client::erp_database::ConnectionStringFor(database));
    db.ExecuteScript(sql);
}

// The first column of the first row as text; empty when the query finds no row or a Null.
inline std::string QueryText(const std::string& database, const std::string& sql) {
    adodb::Connection db;
    db.Open(client::erp_database::ConnectionStringFor(database));
    auto rows = db.Execute(sql);
    if (rows->Eof() || rows->Value(0).IsNull()) return "";
    return automation::CStr(rows->Value(0));
}

inline int64_t QueryNumber(const std::string& database, const std::string& sql) {
    const std::string text = QueryText(database, sql);
    return text.empty() ? 0 : std::stoll(text);
}

// The database of one test (or one test program): the SQLite file as it is, or its copy on the
// test server, dropped again at the end.
class TestDatabase {
  public:
    explicit TestDatabase(std::string sqlitePath) : file_(std::move(sqlitePath)), name_(file_) {
        if (!OnPostgres() || !FindTestServer().unavailable.empty()) return;  // else: it skips
        static std::atomic<int> counter{0};
        server_ = std::make_unique<ServerDatabase>("tq_" + std::to_string(::getpid()) + "_" +
                                                   std::to_string(counter++));
        name_ = server_->Address();
        client::erp_database::CopyIntoPostgres(file_, name_);
    }
    ~TestDatabase() {
        std::error_code ignored;
        std::filesystem::remove(file_, ignored);
        if (!server_) return;
        client::CloseReadConnections();  // the kept connections of the client end first
        server_.reset();
    }
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // The database as the host's --db and the session property string take it.
    const std::string& Name() const { return name_; }
    // The SQLite file it was made from (the database itself on SQLite).
    const std::string& File() const { return file_; }

  private:
    std::string file_;
    std::string name_;
    std::unique_ptr<ServerDatabase> server_;
};

}  // namespace test_support
