#include <platform/automation/user_folders.h>

#include <platform/automation/errors.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

namespace automation {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kPathFileAccessError = 75;
constexpr int32_t kPathNotFound = 76;
constexpr char kSource[] = "UserOutputFolder";
constexpr char kProgramFolder[] = "trackquery";

[[noreturn]] void FailFolder(const fs::path& folder, const std::string& reason) {
    Raise(kPathFileAccessError, kSource,
          "The output folder " + folder.string() + " cannot be used: " + reason);
}

// A folder named by the environment; as the XDG rules say, a relative one is ignored.
fs::path FolderFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || *value != '/') return {};
    return value;
}

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// The documents folder that user-dirs.dirs names (XDG_DOCUMENTS_DIR="$HOME/Documents").
fs::path DocumentsFromUserDirs(const fs::path& home) {
    fs::path config = FolderFromEnvironment("XDG_CONFIG_HOME");
    if (config.empty()) config = home / ".config";
    std::ifstream in(config / "user-dirs.dirs");
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=\"";
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(kKey, 0) != 0) continue;
        const auto end = line.find('"', kKey.size());
        if (end == std::string::npos) return {};
        std::string value = line.substr(kKey.size(), end - kKey.size());
        if (value.rfind("$HOME", 0) == 0) value = home.string() + value.substr(5);
        return value.starts_with('/') ? fs::path(value) : fs::path();
    }
    return {};
}

// The user's documents folder, or nothing when the user has none.
fs::path DocumentsFolder(const fs::path& home) {
    if (auto named = FolderFromEnvironment("XDG_DOCUMENTS_DIR"); !named.empty()) return named;
    if (home.empty()) return {};
    fs::path documents = DocumentsFromUserDirs(home);
    if (documents.empty()) documents = home / "Documents";
    return IsFolder(documents) ? documents : fs::path();
}

fs::path ChosenFolder() {
    const fs::path home = FolderFromEnvironment("HOME");
    if (auto documents = DocumentsFolder(home); !documents.empty()) {
        return documents / kProgramFolder;
    }
    if (auto cache = FolderFromEnvironment("XDG_CACHE_HOME"); !cache.empty()) {
        return cache / kProgramFolder;
    }
    if (!home.empty()) return home / ".cache" / kProgramFolder;
    if (auto runtime = FolderFromEnvironment("XDG_RUNTIME_DIR"); !runtime.empty()) {
        return runtime / kProgramFolder;
    }
    Raise(kPathNotFound, kSource,
          "No folder of your own for output files: HOME, XDG_DOCUMENTS_DIR and XDG_RUNTIME_DIR "
          "are not set. Set HOME, or name a folder with XDG_DOCUMENTS_DIR.");
}

// Makes the folder (private to the user) when missing, and checks that it is the user's own.
void MakeOwnFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder.parent_path(), error);
    if (error) FailFolder(folder, error.message());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        FailFolder(folder, std::strerror(errno));
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) FailFolder(folder, std::strerror(errno));
    if (!S_ISDIR(info.st_mode)) FailFolder(folder, "it is not a folder");
    if (info.st_uid != ::geteuid()) FailFolder(folder, "it belongs to another user");
    if ((info.st_mode & S_IWOTH) != 0) FailFolder(folder, "every user may write into it");
}

}  // namespace

fs::path UserOutputFolder() {
    const fs::path folder = ChosenFolder();
    MakeOwnFolder(folder);
    return folder;
}

}  // namespace automation
