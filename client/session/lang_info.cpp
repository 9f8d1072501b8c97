#include <client/session/lang_info.h>

#include <client/session/share_props.h>
#include <platform/automation/strings.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace client {

namespace {

struct LanguageSetting {
    std::mutex mutex;
    std::string code;
};

LanguageSetting& Setting() {
    static LanguageSetting setting;
    return setting;
}

std::string Trim(const std::string& text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The value of `key` in a session property string ("key=value;" entries, a value in braces may
// hold ";").
std::string PropsValue(const std::string& props, const std::string& key) {
    size_t at = 0;
    while (at < props.size()) {
        auto equals = props.find('=', at);
        if (equals == std::string::npos) return {};
        std::string name = Trim(props.substr(at, equals - at));
        auto valueStart = props.find_first_not_of(' ', equals + 1);
        if (valueStart == std::string::npos) valueStart = props.size();
        size_t valueEnd;
        if (valueStart < props.size() && props[valueStart] == '{') {
            ++valueStart;
            valueEnd = std::min(props.find('}', valueStart), props.size());
        } else {
            valueEnd = std::min(props.find(';', valueStart), props.size());
        }
        if (automation::EqualsIgnoreCase(name, key)) {
            return Trim(props.substr(valueStart, valueEnd - valueStart));
        }
        auto next = props.find(';', valueEnd);
        at = next == std::string::npos ? props.size() : next + 1;
    }
    return {};
}

}  // namespace

std::string SessionLanguage() {
    auto props = ShareProps().GetProperty(CurrentProcessId(), "PropsString");
    if (props.IsString()) {
        auto language = PropsValue(props.AsString(), "Language");
        if (!language.empty()) return automation::LCase(language);
    }
    return LangInfo().CurrentLanguage();
}

void SetCurrentLanguage(const std::string& languageCode) {
    auto& setting = Setting();
    std::lock_guard lock(setting.mutex);
    setting.code = automation::LCase(languageCode);
}

std::string LangInfo::CurrentLanguage() {
    {
        auto& setting = Setting();
        std::lock_guard lock(setting.mutex);
        if (!setting.code.empty()) return setting.code;
    }
    const char* fromEnvironment = std::getenv(kLanguageEnvironmentVariable);
    if (fromEnvironment && *fromEnvironment) return automation::LCase(fromEnvironment);
    return kDefaultLanguage;
}

}  // namespace client
