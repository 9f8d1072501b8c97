#include <components/resources/res_loader.h>

#include <platform/automation/errors.h>
#include <platform/automation/program_files.h>
#include <platform/automation/strings.h>

#include <fstream>
#include <mutex>

namespace client {

namespace {

constexpr int32_t kFileNotFound = 53;

struct DirectorySetting {
    std::mutex mutex;
    std::filesystem::path directory;
};

DirectorySetting& Setting() {
    static DirectorySetting setting;
    return setting;
}

[[noreturn]] void BadLine(const std::filesystem::path& file, int line, const std::string& why) {
    automation::Raise(automation::vberr::InvalidProcedureCall, trackquery::kResLoaderProgId,
                      file.string() + " line " + std::to_string(line) + ": " + why);
}

std::string Unescape(const std::string& text, const std::filesystem::path& file, int line) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            result += text[i];
            continue;
        }
        if (++i == text.size()) BadLine(file, line, "a backslash ends the line");
        switch (text[i]) {
            case 't':
                result += '\t';
                break;
            case 'n':
                result += '\n';
                break;
            case 'r':
                result += '\r';
                break;
            case '\\':
                result += '\\';
                break;
            default:
                BadLine(file, line, std::string("unknown escape \\") + text[i]);
        }
    }
    return result;
}

}  // namespace

void SetResourceDirectory(const std::filesystem::path& directory) {
    auto& setting = Setting();
    std::lock_guard lock(setting.mutex);
    setting.directory = directory;
}

std::filesystem::path ResourceDirectory() {
    {
        auto& setting = Setting();
        std::lock_guard lock(setting.mutex);
        if (!setting.directory.empty()) return setting.directory;
    }
    return automation::DataDirectory() / "lang";
}

std::map<std::string, std::string> ReadResourceFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        automation::Raise(kFileNotFound, trackquery::kResLoaderProgId,
                          "Cannot read the resource file " + file.string());
    }
    std::map<std::string, std::string> texts;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (line == 1 && text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
        if (text.empty() || text.front() == '#') continue;
        auto tab = text.find('\t');
        if (tab == std::string::npos) BadLine(file, line, "no tab between key and text");
        std::string key = Unescape(text.substr(0, tab), file, line);
        if (key.empty()) BadLine(file, line, "empty key");
        if (!texts.emplace(key, Unescape(text.substr(tab + 1), file, line)).second) {
            BadLine(file, line, "the key \"" + key + "\" is given twice");
        }
    }
    return texts;
}

void ResLoader::SetResFileBaseName(const std::string& baseName) {
    if (baseName != baseName_) texts_.reset();
    baseName_ = baseName;
}

void ResLoader::SetLanguageID(const std::string& languageId) {
    if (languageId != languageId_) texts_.reset();
    languageId_ = languageId;
}

const std::map<std::string, std::string>& ResLoader::Texts() {
    if (!texts_) {
        auto file = ResourceDirectory() / (baseName_ + "." + automation::LCase(languageId_));
        texts_ = std::make_unique<std::map<std::string, std::string>>(ReadResourceFile(file));
    }
    return *texts_;
}

std::string ResLoader::LoadString(const std::string& key) {
    const auto& texts = Texts();
    auto found = texts.find(key);
    return found == texts.end() ? key : found->second;
}

}  // namespace client
