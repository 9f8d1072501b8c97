// The installed programs as a user meets them: `cmake --install` into a scratch DESTDIR, the
// installed prefix then moved to another folder outside the build folder (so the source tree's
// resources, which only a program in its build folder may use, are out of reach), and the programs
// run from yet another folder.

#include "program_run.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using install_test::ProgramRun;
using install_test::Quoted;

// Runs `command` through the shell in `folder`, without the variable that names a data folder.
ProgramRun RunIn(const fs::path& folder, const std::string& command) {
    return install_test::RunCommand(
        "cd " + Quoted(folder.string()) +
        " && env -u TRACKQUERY_RESOURCE_DIR QT_QPA_PLATFORM=offscreen " + command);
}

fs::path WriteScript(const fs::path& folder, const std::string& name, const std::string& text) {
    std::ofstream(folder / name) << text;
    return folder / name;
}

// A scratch folder in the temporary folder, outside the build folder, removed at the end.
class InstalledTree : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "trackquery-install-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        scratch_ = pattern;
        const ProgramRun install =
            RunIn(scratch_, "DESTDIR=" + Quoted((scratch_ / "stage").string()) + " " +
                                Quoted(CMAKE_COMMAND) + " --install " +
                                Quoted(TRACKQUERY_BINARY_DIR) + " --prefix /usr");
        ASSERT_EQ(install.exitCode, 0) << install.output;
        // Moved elsewhere: what the programs find, they find relative to themselves.
        prefix_ = scratch_ / "elsewhere" / "trackquery";
        fs::create_directories(prefix_.parent_path());
        fs::rename(scratch_ / "stage" / "usr", prefix_);
        fs::create_directories(scratch_ / "work");
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(scratch_, ignored);
    }

    static fs::path Program(const std::string& name) { return prefix_ / "bin" / name; }
    static std::string Host() { return Quoted(Program("trackquery").string()); }
    static fs::path Work() { return scratch_ / "work"; }

    static inline fs::path scratch_;
    static inline fs::path prefix_;
};

TEST_F(InstalledTree, HoldsTheProgramsTheirDataTheDesktopEntryTheManualsAndTheReadme) {
    for (const char* file :
         {"bin/trackquery", "share/trackquery/lang/ZeVoverazuzed.chs",
          "share/trackquery/lang/ZeVoverazuzed.cht", "share/trackquery/lang/ZeVoverazuzed.en",
          "share/trackquery/schema/00_tables.sql",
          "share/trackquery/schema/postgresql/functions.sql",
          "share/trackquery/templates/20_icmo_templates.sql",
          "share/applications/trackquery-gui.desktop",
          "share/icons/hicolor/scalable/apps/trackquery.svg", "share/man/man1/trackquery.1.gz",
          "share/man/man1/trackquery-gui.1.gz", "share/doc/trackquery/README.md"}) {
        EXPECT_TRUE(fs::is_regular_file(prefix_ / file)) << file;
    }
    const ProgramRun version = RunIn(Work(), Host() + " --version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, "trackquery " TRACKQUERY_VERSION "\n");
#ifdef TRACKQUERY_GUI_BUILT
    const ProgramRun guiVersion =
        RunIn(Work(), Quoted(Program("trackquery-gui").string()) + " --version");
    EXPECT_EQ(guiVersion.exitCode, 0);
    EXPECT_EQ(guiVersion.output, "trackquery-gui " TRACKQUERY_VERSION "\n");
#endif
}

// A demo database, then a task order and a sales order session in English from another folder:
// the schema, the templates and the language files all come from the moved tree.
TEST_F(InstalledTree, TheMovedProgramsBuildADatabaseAndTrackOrdersFromAnotherFolder) {
    const ProgramRun demo = RunIn(Work(), Host() + " demo-db --out demo.db --orders 40");
    ASSERT_EQ(demo.exitCode, 0) << demo.output;

    WriteScript(Work(), "icmo.txt", "select 2\nwait 500\nexpand 1\nshow\nquit\n");
    const ProgramRun icmo =
        RunIn(Work(), Host() + " icmo --db demo.db --lang EN --script icmo.txt");
    EXPECT_EQ(icmo.exitCode, 0) << icmo.output;
    EXPECT_TRUE(icmo.Shows("== Detailed Tracking Information ==")) << icmo.output;

    WriteScript(Work(), "seorder.txt", "expand 2.1\nshow\nquit\n");
    const ProgramRun seorder =
        RunIn(Work(), Host() +
                          " seorder --db demo.db --lang EN --bills SEORD000001 "
                          "--script seorder.txt");
    EXPECT_EQ(seorder.exitCode, 0) << seorder.output;
    EXPECT_TRUE(seorder.Shows("  Order date: ")) << seorder.output;
}

// Without its data folder the moved program says where it looked, and finds nothing in the source
// tree it was built from.
TEST_F(InstalledTree, WithoutItsDataFolderTheMovedProgramNamesTheFolderItLookedIn) {
    const fs::path data = prefix_ / "share" / "trackquery";
    fs::rename(data, data.parent_path() / "trackquery.away");
    const ProgramRun demo = RunIn(Work(), Host() + " demo-db --out lost.db");
    fs::rename(data.parent_path() / "trackquery.away", data);
    EXPECT_NE(demo.exitCode, 0) << demo.output;
    EXPECT_TRUE(demo.Shows((data / "schema").string())) << demo.output;
    EXPECT_FALSE(demo.Shows(TRACKQUERY_SOURCE_DIR)) << demo.output;
}

}  // namespace
