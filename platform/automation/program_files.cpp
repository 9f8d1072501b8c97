#include <platform/automation/program_files.h>

#include <algorithm>
#include <cstdlib>

namespace automation {

namespace fs = std::filesystem;

namespace {

// Whether `inner` is `outer` or lies below it (both canonical).
bool LiesIn(const fs::path& inner, const fs::path& outer) {
    auto [outerEnd, innerAt] =
        std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return outerEnd == outer.end();
}

fs::path Canonical(const fs::path& path) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(path, error);
    return error ? path.lexically_normal() : canonical;
}

}  // namespace

fs::path ProgramDirectory() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : executable.parent_path();
}

fs::path DataDirectory() {
    if (const char* named = std::getenv(kDataDirectoryEnvironmentVariable); named && *named) {
        return named;
    }
    const fs::path program = ProgramDirectory();
    const fs::path installed = Canonical(program / TRACKQUERY_DATA_FROM_PROGRAM);
    std::error_code error;
    if (!program.empty() && fs::is_directory(installed, error)) return installed;
    if (!program.empty() && LiesIn(Canonical(program), Canonical(TRACKQUERY_BUILD_FOLDER))) {
        return TRACKQUERY_SOURCE_RESOURCES;
    }
    return installed;
}

std::string ProgramVersion() { return TRACKQUERY_VERSION; }

}  // namespace automation
