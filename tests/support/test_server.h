#pragma once
// The throwaway PostgreSQL server of the tests' PostgreSQL variants: CTest runs a variant with
// TRACKQUERY_TEST_POSTGRES_FOLDER, the folder where scripts/test-postgres started the server (its
// address in FOLDER/address, or why it could not start in FOLDER/unavailable).

#include <platform/adodb/connection.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>

namespace test_support {

inline bool OnPostgres() {
    const char* folder = std::getenv("TRACKQUERY_TEST_POSTGRES_FOLDER");
    return folder && *folder;
}

// The address of the test server's "postgres" database, or why there is none.
struct TestServer {
    std::string address;
    std::string unavailable;
};

inline TestServer FindTestServer() {
    const char* folder = std::getenv("TRACKQUERY_TEST_POSTGRES_FOLDER");
    if (!folder || !*folder) {
        return {"",
                "TRACKQUERY_TEST_POSTGRES_FOLDER is not set: run the PostgreSQL variants "
                "through CTest, which starts their server"};
    }
    const std::filesystem::path root(folder);
    TestServer server;
    if (std::ifstream why(root / "unavailable"); why) {
        std::getline(why, server.unavailable);
        return server;
    }
    if (std::ifstream address(root / "address"); address) std::getline(address, server.address);
    if (server.address.empty()) {
        server.unavailable =
            "the PostgreSQL test server did not start (see " + root.string() + "/server.log)";
    }
    return server;
}

// Why a PostgreSQL variant cannot run here; nothing on SQLite or when the server is up. A test
// skips with it: if (auto why = PostgresUnavailable()) GTEST_SKIP() << *why;
inline std::optional<std::string> PostgresUnavailable() {
    if (!OnPostgres()) return std::nullopt;
    const TestServer server = FindTestServer();
    if (server.unavailable.empty()) return std::nullopt;
    return "PostgreSQL variant skipped: " + server.unavailable;
}

// "postgresql:///postgres?host=..." with another database name.
inline std::string ServerAddressOf(const std::string& address, const std::string& database) {
    const auto query = address.find('?');
    return "postgresql:///" + database + (query == std::string::npos ? "" : address.substr(query));
}

// Runs one statement on the test server's own database, outside any transaction (as CREATE
// DATABASE must run).
inline void ExecuteOnServer(const std::string& sql) {
    adodb::Connection server;
    server.Open("Provider=PostgreSQL;Data Source=" +
                adodb::QuotedConnectionValue(FindTestServer().address));
    // Making or dropping a database waits for the server's disk work, slow on a busy machine.
    server.SetCommandTimeout(120);
    server.Execute(sql);
}

// A new, empty database on the test server, made anew when one of the name is left over from an
// earlier run, and dropped at the end (with the sessions still connected to it).
class ServerDatabase {
  public:
    explicit ServerDatabase(std::string name)
        : name_(std::move(name)), address_(ServerAddressOf(FindTestServer().address, name_)) {
        ExecuteOnServer("DROP DATABASE IF EXISTS " + name_);
        ExecuteOnServer("CREATE DATABASE " + name_);
    }
    ~ServerDatabase() {
        try {
            ExecuteOnServer("DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
        } catch (const std::exception& error) {
            ADD_FAILURE() << "the test database " << name_ << " was not dropped: " << error.what();
        }
    }
    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Address() const { return address_; }

  private:
    std::string name_;
    std::string address_;
};

// The failure log of the programs under test stays in the build folder, as in the SQLite runs
// (which CTest gives XDG_STATE_HOME), and so do the files they print and export.
inline const bool kStateInBuildFolder =
    ::setenv("XDG_STATE_HOME", TRACKQUERY_BINARY_DIR "/test-state", 0) == 0;
inline const bool kDocumentsInBuildFolder =
    ::setenv("XDG_DOCUMENTS_DIR", TRACKQUERY_BINARY_DIR "/test-documents", 0) == 0;

// Every test of a PostgreSQL variant skips, with the reason, when the server is not there.
class PostgresServerCheck : public ::testing::Environment {
  public:
    void SetUp() override {
        if (auto why = PostgresUnavailable()) GTEST_SKIP() << *why;
    }
};
inline ::testing::Environment* const kPostgresServerCheck =
    ::testing::AddGlobalTestEnvironment(new PostgresServerCheck);

// For the tests of what only an SQLite file has (a damaged file, a lock on it): they pass over
// the PostgreSQL variant, saying so.
#define SKIP_ON_POSTGRES(why)                                                     \
    do {                                                                          \
        if (::test_support::OnPostgres()) GTEST_SKIP() << "SQLite only: " << why; \
    } while (0)

}  // namespace test_support
