// The Debian package CPack makes of the build (scripts/package): its files are the installed
// tree's under /usr, and it depends on the Debian packages of the libraries the programs link.

#include "program_run.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

using install_test::Quoted;

// What `command` prints; its exit code in `exitCode`.
std::string Output(const std::string& command, int& exitCode) {
    const auto run = install_test::RunCommand(command);
    exitCode = run.exitCode;
    return run.output;
}

TEST(DebianPackage, HoldsTheInstalledTreeAndDependsOnTheLinkedLibraries) {
    std::string pattern = (fs::temp_directory_path() / "trackquery-package-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path scratch = pattern;
    int exitCode = -1;
    const std::string made = Output(Quoted(CPACK_COMMAND) + " -G DEB --config " +
                                        Quoted(TRACKQUERY_BINARY_DIR "/CPackConfig.cmake") +
                                        " -B " + Quoted(scratch.string()),
                                    exitCode);
    ASSERT_EQ(exitCode, 0) << made;
    fs::path deb;
    for (const auto& entry : fs::directory_iterator(scratch)) {
        if (entry.path().extension() == ".deb") deb = entry.path();
    }
    ASSERT_FALSE(deb.empty()) << made;
    EXPECT_TRUE(deb.filename().string().starts_with("trackquery_" TRACKQUERY_VERSION "_")) << deb;

    const std::string contents = Output("dpkg-deb -c " + Quoted(deb.string()), exitCode);
    ASSERT_EQ(exitCode, 0) << contents;
    for (const char* file :
         {"./usr/bin/trackquery", "./usr/share/trackquery/lang/ZeVoverazuzed.en",
          "./usr/share/trackquery/schema/00_tables.sql",
          "./usr/share/applications/trackquery-gui.desktop", "./usr/share/man/man1/trackquery.1.gz",
          "./usr/share/doc/trackquery/copyright"}) {
        EXPECT_NE(contents.find(file), std::string::npos) << file << "\n" << contents;
    }
    const std::string depends =
        Output("dpkg-deb -f " + Quoted(deb.string()) + " Depends", exitCode);
    ASSERT_EQ(exitCode, 0) << depends;
    for (const char* library : {"libsqlite3", "libpq5"}) {
        EXPECT_NE(depends.find(library), std::string::npos) << library << ": " << depends;
    }
#ifdef TRACKQUERY_GUI_BUILT
    EXPECT_NE(contents.find("./usr/bin/trackquery-gui"), std::string::npos) << contents;
    for (const char* library : {"libqt6widgets6", "libxlsxwriter"}) {
        EXPECT_NE(depends.find(library), std::string::npos) << library << ": " << depends;
    }
#endif
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
}

}  // namespace
