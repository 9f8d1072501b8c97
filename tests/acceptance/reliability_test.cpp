// A broken database, an odd path and input no user should type, as a host user meets them: each
// is told in words that say what is wrong, and nothing is changed or lost.

#include "host_runner.h"

#include <components/erp_database/sqlite_database.h>
#include <components/logging/failure_log.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

using namespace host_test;

const char* kDetailTitle = "详细跟踪信息";
const char* kPickedKind = "生产领料单";  // read from ICStockBill

// A copy of the demo database for a test to break.
fs::path CopyOfDemo(const std::string& name) {
    const fs::path copy = TempFile(name);
    fs::copy_file(DemoFile(), copy, fs::copy_options::overwrite_existing);
    return copy;
}

void Execute(const fs::path& database, const std::string& sql) {
    erp::SqliteDatabase(database.string(), false).Exec(sql);
}

// Overwrites the file from byte `offset` on with `bytes` bytes of 0xA5.
void Scribble(const fs::path& file, std::streamoff offset, size_t bytes) {
    std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
    out.seekp(offset);
    out << std::string(bytes, static_cast<char>(0xA5));
}

size_t PositionOf(const std::vector<TopNode>& nodes, const std::string& label) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].label == label) return i + 1;
    }
    return 0;
}

TEST(BrokenDatabase, AMissingTableIsToldInTheViewAndTheLogNotShownAsNoBills) {
    const fs::path file = CopyOfDemo("no_stock_bills.db");
    const test_support::TestDatabase copy(file.string());
    const std::string& database = copy.Name();
    const HostRun intact = RunScript(database, "show\n", {"--bills", "WORK000001"});
    const size_t picked = PositionOf(TopLevelDetailNodes(intact.output, kDetailTitle), kPickedKind);
    ASSERT_GT(picked, 0u) << intact.output;
    const HostRun healthy =
        RunScript(database, "expand " + std::to_string(picked) + "\n", {"--bills", "WORK000001"});
    EXPECT_FALSE(healthy.Shows("读取数据失败")) << healthy.output;

    // The views that read the table go with it on PostgreSQL, which keeps no view without its
    // table; the expansion reads one of them.
    test_support::ExecuteSql(database, test_support::OnPostgres() ? "DROP TABLE ICStockBill CASCADE"
                                                                  : "DROP TABLE ICStockBill");
    const size_t logged = client::FailureCount();
    const HostRun broken =
        RunScript(database, "expand " + std::to_string(picked) + "\n", {"--bills", "WORK000001"});
    EXPECT_EQ(broken.exitCode, 0) << "the box stays silent, as it should";
    EXPECT_TRUE(broken.Shows("== !! 读取数据失败，原因：A table is missing from the database"))
        << broken.output;
    EXPECT_TRUE(broken.Shows(test_support::OnPostgres() ? "does not exist"
                                                        : "no such table: main.ICStockBill"))
        << broken.output;
    EXPECT_TRUE(broken.Shows("1 failure of this session went to the log")) << broken.output;
    ASSERT_EQ(client::FailureCount(), logged + 1);
    EXPECT_EQ(client::FailuresSince(logged).front().procedure,
              "QzICMOTrackQuery.CICMOQuery.ITrackQuery_DetailExpand");

    std::ifstream log(client::FailureLogFile());
    std::string line, last;
    while (std::getline(log, line)) last = line;
    EXPECT_NE(last.find("FAILED\tQzICMOTrackQuery.CICMOQuery.ITrackQuery_DetailExpand"),
              std::string::npos)
        << "the failure log " << client::FailureLogFile() << " ends with: " << last;
}

TEST(BrokenDatabase, TheStartSaysWhatIsWrongWithTheFile) {
    SKIP_ON_POSTGRES("the faults of a database file");
    auto startWith = [](const std::string& database) {
        return RunHost({"icmo", "--db", database, "--bills", "WORK000001"});
    };
    const fs::path folder = TempFile("a_folder.db");
    fs::create_directories(folder);
    EXPECT_TRUE(startWith(folder.string()).Shows("is a directory, not a database file"));
    EXPECT_TRUE(startWith("/dev/null").Shows("is not a regular file"));

    const fs::path header = CopyOfDemo("header.db");
    Scribble(header, 0, 16);
    EXPECT_TRUE(startWith(header.string()).Shows("SQLite reads no database in it"));

    // Pages past the schema overwritten: SQLite finds out when it reads the task orders.
    const fs::path pages = CopyOfDemo("pages.db");
    Scribble(pages, 8 * 4096, static_cast<size_t>(fs::file_size(pages)) - 8 * 4096);
    const HostRun damaged = startWith(pages.string());
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.Shows("The database file is damaged")) << damaged.output;

    const fs::path locked = CopyOfDemo("locked.db");
    {
        erp::SqliteDatabase holder(locked.string(), false);
        holder.Exec("BEGIN EXCLUSIVE");
        const HostRun run = startWith(locked.string());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.Shows("The database is locked by another program (waited 5 s)"))
            << run.output;
        holder.Exec("ROLLBACK");
    }
    for (const auto& file : {folder, header, pages, locked}) fs::remove_all(file);
}

// A path holding what a connection string or a property string uses as syntax reads the file it
// names, not another one.
TEST(DatabasePath, TheFileCheckedIsTheFileRead) {
    SKIP_ON_POSTGRES("the path of a database file");
    const fs::path folder = TempFile("paths");
    fs::create_directories(folder);
    // Pasted into a connection string, this name would make SQLite open "other.db" of the
    // working folder.
    const fs::path other = fs::current_path() / "other.db";
    const fs::path named = folder / "erp.db;Data Source=other.db";
    fs::copy_file(DemoFile(), named, fs::copy_options::overwrite_existing);
    fs::copy_file(DemoFile(), other, fs::copy_options::overwrite_existing);
    Execute(other, "UPDATE ICMO SET FQty = 987654");

    const HostRun run = RunScript(named.string(), "show\n", {"--bills", "WORK000001"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(run.Shows("计划生产数量:")) << run.output;
    EXPECT_FALSE(run.Shows("987654")) << "the session read " << other;

    const fs::path braced = folder / "a}b.db";
    fs::copy_file(DemoFile(), braced, fs::copy_options::overwrite_existing);
    const HostRun refused = RunHost({"icmo", "--db", braced.string()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.Shows("its path holds a \"}\"")) << refused.output;
    fs::remove_all(folder);
    fs::remove(other);
}

TEST(HostInput, WhatCannotBeDoneIsToldAndTheSessionGoesOnOrStopsCleanly) {
    const std::string database = DemoDatabase();
    auto scripted = [&](const std::string& script) {
        return RunScript(database, script, {"--bills", "WORK000001"});
    };
    EXPECT_TRUE(scripted("select 4294967299\n")
                    .Shows("the node number must lie between 1 and 2147483647, not 4294967299"));
    EXPECT_TRUE(scripted("wait 9223372036854775807\n").Shows("the time to wait must lie between"));

    // A text no bill number can be finds none, and says so.
    const std::string notFound = "没有单据号为";
    EXPECT_TRUE(scripted("answer ok\ntype bndfilter " + std::string(16000, 'A') + "\n")
                    .Shows(notFound + std::string(40, 'A') + "...的单据"));
    // What a session prints comes to the terminal escaped, the echo of a line included.
    EXPECT_TRUE(scripted("wait 1 \x1b[2J\n").Shows("icmo> wait 1 \\x1B[2J\n"));
    // A NUL is no text a script may hold: the line is named, not typed.
    EXPECT_TRUE(scripted(std::string("answer ok\ntype bndfilter AB\0CD\n", 30))
                    .Shows("error: line 2 holds a NUL character"));
    // The wildcards of LIKE match as typed: no bill number holds "_" or "%".
    EXPECT_TRUE(scripted("answer ok\ntype bndfilter _\n").Shows(notFound + "_的单据"));
    EXPECT_TRUE(scripted("answer ok\ntype bndfilter WORK%01\n").Shows(notFound + "WORK%01"));
    const HostRun part = scripted("type bndfilter ORK00001\n");
    EXPECT_EQ(part.exitCode, 0) << part.output;
    EXPECT_TRUE(part.Shows("WORK000010")) << "a part of a number still finds it";

    const fs::path folder = TempFile("scripts");
    fs::create_directories(folder);
    const HostRun directory = RunHost({"icmo", "--db", database, "--script", folder.string()});
    EXPECT_EQ(directory.exitCode, 1);
    EXPECT_TRUE(directory.Shows("is a directory, not a file of commands")) << directory.output;
    fs::remove_all(folder);

    const HostRun noBills = RunHost({"icmo", "--db", database, "--bills", ""});
    EXPECT_NE(noBills.exitCode, 0);
    EXPECT_TRUE(noBills.Shows("--bills: names no number")) << noBills.output;
}

TEST(HostInput, AMissingTemporaryFolderStopsNothingUntilAFileIsWritten) {
    const std::string database = DemoDatabase();
    const fs::path script = TempFile("print.txt");
    std::ofstream(script) << "tool btnPrint\n";
    const char* saved = std::getenv("TMPDIR");
    const std::string before = saved ? saved : "";
    ::setenv("TMPDIR", "/nonexistent/trackquery-tmp", 1);
    const HostRun run = RunHost(
        {"icmo", "--db", DemoDatabase(), "--bills", "WORK000001", "--script", script.string()});
    saved ? ::setenv("TMPDIR", before.c_str(), 1) : ::unsetenv("TMPDIR");
    fs::remove(script);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    // Written into the user's documents folder (the build folder's in the tests), not a shared one.
    EXPECT_TRUE(
        run.Shows("[written: " + std::string(std::getenv("XDG_DOCUMENTS_DIR")) + "/trackquery/"))
        << run.output;
}

}  // namespace
