#include <components/erp_database/erp_schema.h>

#include <platform/adodb/connection.h>
#include <platform/automation/program_files.h>
#include <platform/automation/strings.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace client::erp_database {

namespace fs = std::filesystem;

namespace {

// The .sql files of one resource folder, in name order.
std::vector<fs::path> SqlFilesIn(const fs::path& folder) {
    if (!fs::is_directory(folder)) {
        throw std::runtime_error("The resource folder " + folder.string() + " is missing");
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".sql") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool IsIndexFile(const fs::path& file) {
    return file.filename().string().find("index") != std::string::npos;
}

}  // namespace

std::string ReadSqlFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

fs::path ResourceDirectory() { return automation::DataDirectory(); }

void CreateTablesAndTemplates(SqliteDatabase& db) {
    const fs::path root = ResourceDirectory();
    for (const auto& file : SqlFilesIn(root / "schema")) {
        if (!IsIndexFile(file)) db.Exec(ReadSqlFile(file));
    }
    for (const auto& file : SqlFilesIn(root / "templates")) db.Exec(ReadSqlFile(file));
}

void CreateIndexes(SqliteDatabase& db) {
    for (const auto& file : SqlFilesIn(ResourceDirectory() / "schema")) {
        if (IsIndexFile(file)) db.Exec(ReadSqlFile(file));
    }
    db.Exec("ANALYZE;");
}

void CreateEmptyErpDatabase(const std::string& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
    SqliteDatabase db(path, true);
    db.Exec("BEGIN;");
    CreateTablesAndTemplates(db);
    CreateIndexes(db);
    db.Exec("COMMIT;");
}

std::string ConnectionStringFor(const std::string& database) {
    if (IsConnectionString(database)) return database;
    const char* provider = adodb::IsPostgresAddress(database) ? "PostgreSQL" : "SQLite";
    return std::string("Provider=") + provider +
           ";Data Source=" + adodb::QuotedConnectionValue(database);
}

bool IsConnectionString(const std::string& database) { return adodb::IsConnectionString(database); }

bool IsDatabaseFile(const std::string& database) {
    return !IsConnectionString(database) && !adodb::IsPostgresAddress(database);
}

namespace {

// A braced value of the session property string ends at its first "}", so a text holding one
// cannot be written at all. The text is not repeated: it may be an address with a password.
const std::string& Braceable(const std::string& what, const std::string& value) {
    if (value.find('}') != std::string::npos) {
        throw std::invalid_argument(what +
                                    " cannot be passed to the ERP components: it holds a \"}\"");
    }
    return value;
}

// A value of the session property string: braced when it holds a ";" or a "{".
std::string PropsValue(const std::string& what, const std::string& value) {
    Braceable(what, value);
    if (value.find_first_of(";{") == std::string::npos) return value;
    return "{" + value + "}";
}

}  // namespace

std::string PropsStringFor(const std::string& path, int32_t userId, const std::string& userName,
                           const std::string& subId, const std::string& language) {
    return "ConnectString={" + Braceable("The database path", ConnectionStringFor(path)) +
           "};UserID=" + std::to_string(userId) +
           ";UserName=" + PropsValue("The user name", userName) + ";SubID=" + subId +
           ";Language=" + language + ";";
}

}  // namespace client::erp_database
