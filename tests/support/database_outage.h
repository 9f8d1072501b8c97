#pragma once
// The ERP database of a test gone while the object lives, as a server that is down or a file
// moved away: on PostgreSQL no session may connect to the database and those connected are
// ended; on SQLite the file is moved aside.

#include <support/test_database.h>

#include <filesystem>
#include <string>

namespace test_support {

class DatabaseOutage {
  public:
    explicit DatabaseOutage(const TestDatabase& database) : database_(database) {
        if (!OnPostgres()) {
            std::filesystem::rename(database_.File(), Aside());
            return;
        }
        name_ = QueryText(database_.Name(), "SELECT current_database()");
        ExecuteOnServer("ALTER DATABASE " + name_ + " ALLOW_CONNECTIONS false");
        ExecuteOnServer("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '" +
                        name_ + "'");
    }
    ~DatabaseOutage() {
        if (OnPostgres()) {
            ExecuteOnServer("ALTER DATABASE " + name_ + " ALLOW_CONNECTIONS true");
        } else {
            std::filesystem::rename(Aside(), database_.File());
        }
    }
    DatabaseOutage(const DatabaseOutage&) = delete;
    DatabaseOutage& operator=(const DatabaseOutage&) = delete;

  private:
    std::string Aside() const { return database_.File() + ".away"; }

    const TestDatabase& database_;
    std::string name_;
};

}  // namespace test_support
