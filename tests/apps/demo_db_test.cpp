// The demo-db tool of the host program: it writes a usable database and says what it wrote.

#include <client/erp_database/demo_command.h>
#include <client/erp_database/sqlite_database.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <sstream>

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
    erp::SqliteDatabase db(options.out, false);
    EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM ICMO"), 50);
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
    EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM ICMO"), 30);
    fs::remove(options.out);
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
    EXPECT_EQ(db.QueryInt("SELECT COUNT(*) FROM ICMO"), 25);
    EXPECT_NE(std::system((program.string() + " demo-db --orders 5 >/dev/null 2>&1").c_str()), 0);
    fs::remove(out);
}

}  // namespace
