#include <components/erp_database/demo_database.h>

#include <components/erp_database/demo_writer.h>
#include <components/erp_database/erp_schema.h>

#include <platform/automation/new_file.h>

#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace client::erp_database {

namespace fs = std::filesystem;

namespace {

// The file a build writes first: new, beside `path`, named after it and ending in ".building".
fs::path NewBuildingFile(const fs::path& path) {
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    fs::path building;
    const int fd = automation::CreateUniqueFile(folder, "." + path.filename().string() + ".",
                                                ".building", building);
    if (fd < 0) {
        throw std::runtime_error("Cannot make a file in " + folder.string() + ": " +
                                 std::strerror(errno));
    }
    ::close(fd);
    return building;
}

// The built file takes the place of `path`: a file, or nothing yet. A folder, a device or a pipe
// there is never replaced (rename would put the file in place of a device).
void MoveIntoPlace(const fs::path& building, const fs::path& path) {
    std::error_code error;
    const auto status = fs::symlink_status(path, error);
    if (fs::exists(status) && !fs::is_regular_file(status) && !fs::is_symlink(status)) {
        throw std::runtime_error(path.string() + " is not a file; it is left as it is");
    }
    fs::rename(building, path, error);
    if (error) throw std::runtime_error("Cannot write " + path.string() + ": " + error.message());
}

// Writes the database into a new file beside `path` and moves it into place only when everything
// succeeded, so a failed build never leaves a half-written database, or its partial file, behind.
DemoCounts BuildInto(const std::string& path, const DemoDefinition& definition,
                     const std::vector<std::string>& statements) {
    if (definition.taskOrders < 0)
        throw std::invalid_argument("The order count must not be negative");
    if (definition.taskOrders > kMaxDemoOrders)
        throw std::invalid_argument("The order count is too large");
    const fs::path building = NewBuildingFile(path);
    DemoCounts counts;
    try {
        {
            SqliteDatabase db(building.string(), true);
            db.Exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA cache_size=-65536;");
            db.Exec("BEGIN;");
            CreateTablesAndTemplates(db);
            internal::DemoWriter writer(db, definition);
            writer.WriteUsersAndRights();
            writer.WriteBaseData();
            writer.WriteSalesOrders();
            writer.WriteTaskOrders();
            writer.WriteSalesPhases();
            if (definition.showcaseOrder) writer.WriteShowcaseOrder();
            for (const auto& statement : statements) db.Exec(statement);
            CreateIndexes(db);
            db.Exec("COMMIT;");
            db.Exec("PRAGMA journal_mode=DELETE;");
            counts = writer.Counts();
        }
        MoveIntoPlace(building, path);
    } catch (...) {
        std::error_code ignored;
        fs::remove(building, ignored);
        throw;
    }
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
