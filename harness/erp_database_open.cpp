#include "erp_database_open.h"

#include <components/erp_database/erp_schema.h>

#include <platform/automation/errors.h>

#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace harness {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Unusable(const std::string& database, const std::string& reason) {
    throw std::runtime_error("the database \"" + adodb::RedactedDataSource(database) + "\" " +
                             reason);
}

// What the file system can tell before SQLite is asked: SQLite would create a missing file, and
// calls a directory or a device "unable to open" without saying why.
void CheckFile(const std::string& path) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        Unusable(path, "does not exist (create one with: trackquery demo-db --out " + path + ")");
    }
    if (error) Unusable(path, "cannot be looked at: " + error.message());
    if (status.type() == fs::file_type::directory) {
        Unusable(path, "is a directory, not a database file");
    }
    if (status.type() != fs::file_type::regular) {
        Unusable(path, "is not a regular file (a device, pipe or socket cannot hold a database)");
    }
    if (::access(path.c_str(), R_OK) != 0) {
        Unusable(path, "cannot be read: " + std::string(std::strerror(errno)));
    }
    if (path.find('}') != std::string::npos) {
        Unusable(path,
                 "cannot be passed to the ERP components: its path holds a \"}\"; rename or "
                 "move the file");
    }
}

// The SQLite file a database name reads (the file itself, or the Data Source of a connection
// string), or nothing for a server. A connection string must leave Mode to the programs, which
// open the database read-only to read it.
std::string FileOf(const std::string& database) {
    if (client::erp_database::IsDatabaseFile(database)) return database;
    if (!adodb::IsConnectionString(database)) return "";
    adodb::ConnectionTarget target;
    try {
        target = adodb::TargetOf(database);
    } catch (const automation::RuntimeError& error) {
        Unusable(database, "cannot be used: " + error.Description());
    }
    if (target.namesMode) {
        Unusable(database,
                 "names a Mode: leave it out (the programs open the database themselves, "
                 "read-only to read it; trackquery demo-db --out makes a new one)");
    }
    return target.engine == adodb::DatabaseEngine::SQLite ? target.dataSource : "";
}

}  // namespace

std::string WithoutStatement(const std::string& description) {
    return description.substr(0, description.find(" [SQL: "));
}

adodb::RecordsetPtr QueryErp(adodb::Connection& erp, const std::string& sql,
                             const std::vector<automation::Variant>& parameters) {
    try {
        return erp.Execute(sql, parameters);
    } catch (const automation::RuntimeError& error) {
        throw std::runtime_error("the database cannot be read: " +
                                 WithoutStatement(error.Description()));
    }
}

adodb::ConnectionPtr OpenErpDatabase(const std::string& databasePath) {
    const std::string file = FileOf(databasePath);
    const bool onServer = file.empty();
    if (!onServer) CheckFile(file);
    auto connection = std::make_shared<adodb::Connection>();
    try {
        connection->Open(client::erp_database::ConnectionStringFor(databasePath) + ";Mode=Read");
        // Both tables the host reads first; a file without them is some other database.
        connection->Execute("SELECT 1 FROM ICMO WHERE 1 = 0");
        connection->Execute("SELECT 1 FROM t_User WHERE 1 = 0");
    } catch (const automation::RuntimeError& error) {
        switch (adodb::CauseOfFailure(error)) {
            case adodb::FailureCause::MissingTable:
                Unusable(databasePath,
                         "is not an ERP database of this program (no task order or user table)" +
                             std::string(onServer ? "; fill it with: trackquery demo-db --out "
                                                    "ADDRESS"
                                                  : ""));
            case adodb::FailureCause::NotADatabase:
                Unusable(databasePath,
                         "is not an ERP database of this program: SQLite reads no database in it "
                         "(another kind of file, or a database whose header is damaged)");
            default:
                break;
        }
        Unusable(databasePath, "cannot be used: " + WithoutStatement(error.Description()));
    }
    return connection;
}

}  // namespace harness
