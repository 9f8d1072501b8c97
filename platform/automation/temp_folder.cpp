#include <platform/automation/temp_folder.h>

#include <platform/automation/errors.h>

#include <cstdlib>
#include <string>

namespace automation {

namespace {

constexpr int32_t kPathNotFound = 76;

bool IsFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

std::filesystem::path TempFolder() {
    const char* named = std::getenv("TMPDIR");
    if (named && *named && IsFolder(named)) return named;
    if (IsFolder("/tmp")) return "/tmp";
    Raise(kPathNotFound, "TempFolder",
          std::string("No folder for temporary files: TMPDIR ") +
              (named && *named ? "names \"" + std::string(named) + "\", which does not exist,"
                               : "is not set") +
              " and /tmp is missing. Set TMPDIR to a folder that exists.");
}

}  // namespace automation
