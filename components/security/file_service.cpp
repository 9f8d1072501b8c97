// The client's file service.

#include <components/security/file_service.h>

#include <platform/automation/errors.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace client {

namespace {
constexpr int32_t kFileNotFound = 53;
constexpr int32_t kPathFileAccessError = 75;
}  // namespace

std::string FileService::GetSearchPath(const std::string& appPath) {
    std::string folder = clientFolder_.empty() ? appPath : clientFolder_;
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string FileService::ReadFileText(const std::string& path, bool bTrimLineEnd) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        automation::Raise(kFileNotFound, trackquery::kFileServiceProgId, "File not found: " + path);
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    if (!file || !(text << file.rdbuf()))
        if (std::filesystem::file_size(path, error) != 0 || error)
            automation::Raise(kPathFileAccessError, trackquery::kFileServiceProgId,
                              "Path/File access error: " + path);
    std::string result = text.str();
    if (bTrimLineEnd)
        while (!result.empty() && (result.back() == '\n' || result.back() == '\r'))
            result.pop_back();
    return result;
}

}  // namespace client
