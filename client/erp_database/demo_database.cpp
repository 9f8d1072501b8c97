#include <client/erp_database/demo_database.h>

#include <client/erp_database/demo_writer.h>
#include <client/erp_database/erp_schema.h>

#include <filesystem>
#include <stdexcept>

namespace client::erp_database {

namespace fs = std::filesystem;

namespace {

// Writes the database into a temporary file beside `path` and moves it into place only when
// everything succeeded, so a failed build never leaves a half-written database behind.
DemoCounts BuildInto(const std::string& path, const DemoDefinition& definition,
                     const std::vector<std::string>& statements) {
    if (definition.taskOrders < 0)
        throw std::invalid_argument("The order count must not be negative");
    if (definition.taskOrders > 10'000'000)
        throw std::invalid_argument("The order count is too large");
    const std::string temporary = path + ".building";
    std::error_code ignored;
    fs::remove(temporary, ignored);
    DemoCounts counts;
    try {
        SqliteDatabase db(temporary, true);
        db.Exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA cache_size=-65536;");
        db.Exec("BEGIN;");
        CreateTablesAndTemplates(db);
        internal::DemoWriter writer(db, definition);
        writer.WriteUsersAndRights();
        writer.WriteBaseData();
        writer.WriteSalesOrders();
        writer.WriteTaskOrders();
        writer.WriteSalesPhases();
        for (const auto& statement : statements) db.Exec(statement);
        CreateIndexes(db);
        db.Exec("COMMIT;");
        db.Exec("PRAGMA journal_mode=DELETE;");
        counts = writer.Counts();
    } catch (...) {
        fs::remove(temporary, ignored);
        throw;
    }
    fs::rename(temporary, path);
    return counts;
}

}  // namespace

DemoCounts BuildDemoDatabase(const std::string& path, const DemoDefinition& definition) {
    return BuildInto(path, definition, {});
}

DemoCounts BuildFixture(const std::string& path, const FixtureDefinition& definition) {
    return BuildInto(path, definition.data, definition.statements);
}

}  // namespace client::erp_database
