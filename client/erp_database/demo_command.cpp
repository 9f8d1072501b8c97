#include <client/erp_database/demo_command.h>

#include <client/erp_database/demo_database.h>
#include <client/erp_database/postgres_copy.h>

#include <platform/adodb/connection.h>
#include <platform/automation/errors.h>
#include <platform/automation/temp_folder.h>

#include <unistd.h>

#include <chrono>
#include <exception>
#include <filesystem>

namespace client::erp_database {

namespace {

// A server database is copied from a SQLite file built first in the temporary folder.
DemoCounts BuildOnServer(const std::string& address, const DemoDefinition& definition) {
    const auto file =
        automation::TempFolder() / ("trackquery-demo-" + std::to_string(::getpid()) + ".db");
    std::error_code ignored;
    try {
        const DemoCounts counts = BuildDemoDatabase(file.string(), definition);
        CopyIntoPostgres(file.string(), address);
        std::filesystem::remove(file, ignored);
        return counts;
    } catch (...) {
        std::filesystem::remove(file, ignored);
        throw;
    }
}

}  // namespace

int RunDemoDbCommand(const DemoDbOptions& options, std::ostream& out, std::ostream& err) {
    if (options.out.empty()) {
        err << "demo-db: --out names the database file to write.\n";
        return 1;
    }
    if (options.orders < 1 || options.orders > 10'000'000) {
        err << "demo-db: --orders must be between 1 and 10000000 (got " << options.orders << ").\n";
        return 1;
    }
    const bool onServer = adodb::IsPostgresAddress(options.out);
    const auto folder = std::filesystem::path(options.out).parent_path();
    if (!onServer && !folder.empty() && !std::filesystem::is_directory(folder)) {
        err << "demo-db: the folder " << folder.string() << " does not exist.\n";
        return 1;
    }
    DemoDefinition definition;
    definition.taskOrders = static_cast<int32_t>(options.orders);
    definition.seed = options.seed;
    const auto started = std::chrono::steady_clock::now();
    try {
        const DemoCounts counts = onServer ? BuildOnServer(options.out, definition)
                                           : BuildDemoDatabase(options.out, definition);
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        out << "Wrote " << adodb::RedactedDataSource(options.out) << ": " << counts.taskOrders
            << " task orders, " << counts.salesOrders << " sales and export orders ("
            << counts.salesEntries << " entries), " << counts.totalRows << " rows in " << seconds
            << " s.\n";
        return 0;
    } catch (const automation::RuntimeError& error) {
        err << "demo-db: the database was not written: " << error.Description() << "\n";
        return 1;
    } catch (const std::exception& error) {
        err << "demo-db: the database was not written: " << error.what() << "\n";
        return 1;
    }
}

}  // namespace client::erp_database
