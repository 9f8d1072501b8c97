#pragma once
// "QzLangInfo.LangInfo": the language the client runs in. The host chooses it with
// SetCurrentLanguage; otherwise the environment variable TRACKQUERY_LANGUAGE names it
// ("chs", "cht" or "en"); otherwise the client runs in simplified Chinese ("chs").

#include <contracts/session.h>

#include <string>

namespace client {

inline constexpr char kLanguageEnvironmentVariable[] = "TRACKQUERY_LANGUAGE";
inline constexpr char kDefaultLanguage[] = "chs";

// Sets the client's language; an empty code goes back to the environment or the default.
void SetCurrentLanguage(const std::string& languageCode);

// The language of the current process's session: the "Language" entry of its session property
// string when there is one, else the client's current language. For the client's own texts
// (message titles), which must follow the language the library translates into.
std::string SessionLanguage();

class LangInfo : public trackquery::ILangInfo {
  public:
    std::string TypeName() const override { return "LangInfo"; }
    std::string CurrentLanguage() override;
};

}  // namespace client
