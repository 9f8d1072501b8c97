#pragma once
// The ERP database schema and tracking templates, kept as SQL files under resources/schema and
// resources/templates and applied in file-name order. Indexes come last so that bulk loads
// write the tables first and build the indexes once.

#include <components/erp_database/sqlite_database.h>

#include <filesystem>
#include <string>

namespace client::erp_database {

// The folder that holds schema/ and templates/: the program's data folder
// (platform/automation/program_files.h).
std::filesystem::path ResourceDirectory();

// The whole text of one SQL file of the resources; std::runtime_error when it cannot be read.
std::string ReadSqlFile(const std::filesystem::path& file);

// Tables and views (no indexes) followed by the reference data and tracking templates.
void CreateTablesAndTemplates(SqliteDatabase& db);
// The indexes of every look-up the tracking views make.
void CreateIndexes(SqliteDatabase& db);

// A new, empty ERP database at `path` (an existing file is replaced): schema, templates, indexes.
void CreateEmptyErpDatabase(const std::string& path);

// The ADO connection string and the session property string of a database: a SQLite file, a
// PostgreSQL address ("postgresql://...") or a whole connection string ("Provider=...").
std::string ConnectionStringFor(const std::string& database);
bool IsConnectionString(const std::string& database);
// Whether a database so named is a file (not a server address or a connection string), which
// must exist before it is opened.
bool IsDatabaseFile(const std::string& database);
std::string PropsStringFor(const std::string& path, int32_t userId, const std::string& userName,
                           const std::string& subId = "CJ", const std::string& language = "chs");

}  // namespace client::erp_database
