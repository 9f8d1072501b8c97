// Where output files go when the user named no folder: a folder of the user's own, made private,
// never one that others may write into.

#include <platform/automation/errors.h>
#include <platform/automation/user_folders.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

// The folder with exactly `environment` set of the variables it reads; "error N" when refused.
std::string FolderWith(const std::map<std::string, std::string>& environment) {
    for (const char* name : {"HOME", "XDG_DOCUMENTS_DIR", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
        ::unsetenv(name);
    }
    for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);
    try {
        const fs::path folder = automation::UserOutputFolder();
        return fs::status(folder).permissions() == fs::perms::owner_all ? folder.string() : "open";
    } catch (const automation::RuntimeError& error) {
        return "error " + std::to_string(error.Number());
    }
}

TEST(UserOutputFolder, IsAFolderOfTheUsersOwn) {
    const std::string base = ::testing::TempDir() + "user_folders_" + std::to_string(::getpid());
    const std::string home = base + "/home", shared = base + "/shared";
    fs::create_directories(home + "/Dokumente");
    fs::create_directories(home + "/.config");
    std::ofstream(home + "/.config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    fs::create_directories(shared + "/trackquery");
    fs::permissions(shared + "/trackquery", fs::perms::all);
    const std::pair<std::map<std::string, std::string>, std::string> cases[] = {
        {{{"HOME", home}, {"XDG_DOCUMENTS_DIR", base + "/docs"}}, base + "/docs/trackquery"},
        {{{"HOME", home}}, home + "/Dokumente/trackquery"},
        {{{"HOME", base}, {"XDG_DOCUMENTS_DIR", "relative"}}, base + "/.cache/trackquery"},
        {{{"XDG_RUNTIME_DIR", base + "/run"}}, base + "/run/trackquery"},
        {{{"XDG_RUNTIME_DIR", ""}}, "error 76"},
        {{{"XDG_DOCUMENTS_DIR", shared}}, "error 75"},
    };
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = runtime ? runtime : "";
    for (const auto& [environment, folder] : cases) EXPECT_EQ(FolderWith(environment), folder);
    ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    fs::remove_all(base);
}
