#include <components/viewer/output_file.h>

#include <platform/automation/errors.h>
#include <platform/automation/new_file.h>

#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace client {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kPathFileAccessError = 75;

[[noreturn]] void FailWrite(const fs::path& path, const std::string& reason) {
    automation::Raise(kPathFileAccessError, "QzTraceViewer.TraceViewer",
                      "Cannot write " + path.string() + ": " + reason);
}

// Writes the whole content to a temporary file beside the target.
fs::path WriteTemporary(const fs::path& directory, const std::string& content) {
    fs::path temporary;
    const int fd = automation::CreateUniqueFile(directory, ".trace-viewer-", "", temporary);
    if (fd < 0) FailWrite(directory, std::strerror(errno));
    const char* data = content.data();
    size_t left = content.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            const std::string reason = std::strerror(errno);
            close(fd);
            unlink(temporary.c_str());
            FailWrite(temporary, reason);
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    if (close(fd) != 0) {
        const std::string reason = std::strerror(errno);
        unlink(temporary.c_str());
        FailWrite(temporary, reason);
    }
    return temporary;
}

}  // namespace

std::string SafeFileName(const std::string& title, const std::string& fallback) {
    std::string name;
    for (char c : title) {
        const auto byte = static_cast<unsigned char>(c);
        const bool bad = byte < 0x20 || std::strchr("/\\:*?\"<>|", c) != nullptr;
        name += bad ? '_' : c;
    }
    if (name.empty() || name == "." || name == "..") return fallback;
    return name;
}

fs::path WriteNewFile(const fs::path& directory, const std::string& baseName,
                      const std::string& extension, const std::string& content) {
    std::error_code error;
    fs::create_directories(directory, error);
    if (error) FailWrite(directory, error.message());
    const fs::path temporary = WriteTemporary(directory, content);
    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string suffix = attempt == 1 ? "" : " (" + std::to_string(attempt) + ")";
        const fs::path target = directory / (baseName + suffix + extension);
        // link() never replaces an existing file, so a name taken meanwhile is skipped too.
        if (link(temporary.c_str(), target.c_str()) == 0) {
            unlink(temporary.c_str());
            return target;
        }
        int failure = errno;
        // A file system without hard links: fall back to a rename onto a free name.
        if (failure == EPERM || failure == ENOTSUP) {
            if (fs::exists(target)) continue;
            if (rename(temporary.c_str(), target.c_str()) == 0) return target;
            failure = errno;
        }
        if (failure != EEXIST) {
            unlink(temporary.c_str());
            FailWrite(target, std::strerror(failure));
        }
    }
    unlink(temporary.c_str());
    FailWrite(directory / (baseName + extension), "too many files with that name");
}

}  // namespace client
