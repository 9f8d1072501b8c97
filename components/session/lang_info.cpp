#include <components/session/lang_info.h>

#include <components/session/share_props.h>
#include <contracts/props_string.h>
#include <platform/automation/strings.h>

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

}  // namespace

std::string SessionLanguage() {
    auto props = ShareProps().GetProperty(CurrentProcessId(), "PropsString");
    if (props.IsString()) {
        const auto language = trackquery::PropsValue(props.AsString(), "Language").value_or("");
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
