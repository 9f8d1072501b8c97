#include <components/erp_database/demo_target.h>

#include <components/erp_database/sqlite_database.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace client::erp_database {

namespace {

namespace fs = std::filesystem;

// The first 16 bytes of every SQLite database file.
constexpr char kSqliteHeader[] = "SQLite format 3";

bool HasSqliteHeader(const std::string& path) {
    char header[sizeof kSqliteHeader] = {};
    std::ifstream in(path, std::ios::binary);
    in.read(header, sizeof header);
    return in.gcount() == sizeof header && std::memcmp(header, kSqliteHeader, sizeof header) == 0;
}

std::optional<std::string> RefusedNewFile(const std::string& path) {
    const auto folder = fs::path(path).parent_path();
    std::error_code error;
    if (!folder.empty() && !fs::is_directory(folder, error)) {
        return "the folder " + folder.string() + " does not exist";
    }
    return std::nullopt;
}

}  // namespace

bool IsErpDatabaseFile(const std::string& path) {
    if (!HasSqliteHeader(path)) return false;
    try {
        SqliteDatabase db(path, false);
        return db.QueryInt(
                   "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                   "('ICMO', 'SEOrder', 't_User', 'ICListDefinition', 'ICTrackTemplate')") == 5;
    } catch (const std::runtime_error&) {
        return false;
    }
}

std::optional<std::string> RefusedDemoTarget(const std::string& path, bool force) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return RefusedNewFile(path);
        return "cannot look at " + path + ": " + std::strerror(errno);
    }
    if (S_ISDIR(info.st_mode)) return path + " is a folder; name the database file to write";
    if (!S_ISREG(info.st_mode)) {
        return path + " is not a regular file (a device, a pipe or a socket); it is left alone";
    }
    if (force) return std::nullopt;
    if (info.st_uid != ::geteuid()) {
        return path + " belongs to another user; it is left alone (--force replaces it)";
    }
    if (!IsErpDatabaseFile(path)) {
        return path + " is not an ERP database of this program; --force replaces it all the same";
    }
    return std::nullopt;
}

}  // namespace client::erp_database
