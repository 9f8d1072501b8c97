#include <components/erp_database/demo_command.h>

#include <components/erp_database/demo_database.h>
#include <components/erp_database/demo_target.h>
#include <components/erp_database/postgres_copy.h>

#include <platform/adodb/connection.h>
#include <platform/automation/errors.h>
#include <platform/automation/temp_folder.h>

#include <stdlib.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <exception>
#include <filesystem>
#include <stdexcept>

namespace client::erp_database {

namespace {

// A server database is copied from a SQLite file built first in a private folder of the
// temporary folder, removed afterwards.
DemoCounts BuildOnServer(const std::string& address, const DemoDefinition& definition) {
    std::string pattern = (automation::TempFolder() / "trackquery-demo-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        throw std::runtime_error("Cannot make a folder in the temporary folder: " +
                                 std::string(std::strerror(errno)));
    }
    const std::filesystem::path folder = pattern;
    std::error_code ignored;
    try {
        const DemoCounts counts = BuildDemoDatabase((folder / "demo.db").string(), definition);
        CopyIntoPostgres((folder / "demo.db").string(), address);
        std::filesystem::remove_all(folder, ignored);
        return counts;
    } catch (...) {
        std::filesystem::remove_all(folder, ignored);
        throw;
    }
}

}  // namespace

int RunDemoDbCommand(const DemoDbOptions& options, std::ostream& out, std::ostream& err) {
    if (options.out.empty()) {
        err << "demo-db: --out names the database file to write.\n";
        return 1;
    }
    if (options.orders < 1 || options.orders > kMaxDemoOrders) {
        err << "demo-db: --orders must be between 1 and " << kMaxDemoOrders << " (got "
            << options.orders << ").\n";
        return 1;
    }
    const bool onServer = adodb::IsPostgresAddress(options.out);
    if (!onServer) {
        if (auto refused = RefusedDemoTarget(options.out, options.force)) {
            err << "demo-db: " << *refused << ".\n";
            return 1;
        }
    }
    DemoDefinition definition;
    definition.taskOrders = static_cast<int32_t>(options.orders);
    definition.seed = options.seed;
    definition.showcaseOrder = true;
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
        if (!counts.showcaseOrder.empty()) {
            out << "The showcase order " << counts.showcaseOrder
                << " (two more task orders) shows every lane of the document map.\n";
        }
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
