// The demo-db tool of the host program: it writes a usable database and says what it wrote.

#include <components/erp_database/demo_command.h>
#include <components/erp_database/demo_database.h>
#include <components/erp_database/demo_target.h>
#include <components/erp_database/sqlite_database.h>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

namespace {

namespace erp = client::erp_database;
namespace fs = std::filesystem;

std::string TempPath(const std::string& name) {
    return (fs::path(::testing::TempDir()) / (name + "_" + std::to_string(::getpid()) + ".db"))
        .string();
}

TEST(DemoDb, WritesTheRequestedNumberOfTaskOrdersAndReportsIt) {
    erp::DemoDbOptions options;
    options.out = TempPath("apps_demo");
    options.orders = 50;
    options.seed = 7;
    std::ostringstream out, err;
    ASSERT_EQ(erp::RunDemoDbCommand(options, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("50 task orders"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("The showcase order SEORD000013 (two more task orders)"),
              std::string::npos)
        << out.str();
    erp::SqliteDatabase db(options.out, false);
    // The requested task orders, and the two of the showcase order written after them.
    EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM ICMO"), 50 + 2);
    EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM ICMO WHERE FOrderInterID = 13"), 2);
    fs::remove(options.out);
}

TEST(DemoDb, ReplacesAnExistingFile) {
    erp::DemoDbOptions options;
    options.out = TempPath("apps_replace");
    options.orders = 20;
    std::ostringstream out, err;
    ASSERT_EQ(erp::RunDemoDbCommand(options, out, err), 0);
    options.orders = 30;
    ASSERT_EQ(erp::RunDemoDbCommand(options, out, err), 0);
    erp::SqliteDatabase db(options.out, false);
    EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM ICMO"), 30 + 2);  // and the showcase's two
    fs::remove(options.out);
}

// --out writes over nothing but what demo-db wrote before (with --force over any regular file),
// never over a folder, a device or a pipe; no partial file stays behind when it refuses or fails.
TEST(DemoDb, WritesOnlyOverADatabaseOfItsOwn) {
    const fs::path folder = TempPath("demo_out");
    fs::remove_all(folder);
    fs::create_directories(folder / "a folder");
    std::ofstream(folder / "notes.txt") << "keep me";
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    std::vector<std::tuple<std::string, bool, std::string>> cases = {
        {"new.db", false, ""},
        {"new.db", false, ""},
        {"notes.txt", false, "is not an ERP database of this program; --force replaces it"},
        {"a folder", true, "is a folder"},
        {"pipe", true, "is not a regular file"},
        {"notes.txt", true, ""},
    };
    // Only root makes a device.
    if (::mknod((folder / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        cases.emplace_back("null", true, "is not a regular file");
    }
    for (const auto& [out, force, refusal] : cases) {
        const erp::DemoDbOptions options{(folder / out).string(), 3, 1, force};
        std::ostringstream printed, err;
        EXPECT_EQ(erp::RunDemoDbCommand(options, printed, err), refusal.empty() ? 0 : 1) << out;
        EXPECT_NE(err.str().find(refusal), std::string::npos) << err.str();
        if (refusal.empty()) {
            EXPECT_TRUE(erp::IsErpDatabaseFile(options.out)) << out;
        }
    }
    EXPECT_TRUE(fs::is_directory(folder / "a folder") && fs::is_fifo(folder / "pipe"));
    EXPECT_TRUE(!fs::exists(folder / "null") || fs::is_character_file(folder / "null"));
    // A build that fails at the end takes its partial file away with it.
    EXPECT_THROW(erp::BuildDemoDatabase((folder / "a folder").string(), {.taskOrders = 3}),
                 std::runtime_error);
    for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_EQ(entry.path().string().find(".building"), std::string::npos) << entry.path();
    }
    fs::remove_all(folder);
}

// The built program itself, when it is there (it is built beside the tests).
TEST(DemoDb, CommandLineOfTheHostProgram) {
    const fs::path program = fs::path(TRACKQUERY_BINARY_DIR) / "apps" / "trackquery";
    if (!fs::exists(program)) GTEST_SKIP() << "the host program is not built";
    const std::string out = TempPath("apps_cli");
    EXPECT_EQ(std::system(
                  (program.string() + " demo-db --out " + out + " --orders 25 --seed 3 >/dev/null")
                      .c_str()),
              0);
    erp::SqliteDatabase db(out, false);
    EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM ICMO"), 25 + 2);  // and the showcase's two
    EXPECT_NE(std::system((program.string() + " demo-db --orders 5 >/dev/null 2>&1").c_str()), 0);
    fs::remove(out);
}

}  // namespace
