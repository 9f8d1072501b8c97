#include <components/resources/frm_res_loader.h>

#include <platform/automation/strings.h>
#include <platform/windowing/control.h>
#include <platform/windowing/form.h>

namespace client {

std::optional<LanguageFont> FontOfLanguage(const std::string& languageId) {
    std::string language = automation::LCase(languageId);
    if (language == "chs") return LanguageFont{"宋体", 9};
    if (language == "cht") return LanguageFont{"新細明體", 9};
    if (language == "en") return LanguageFont{"Arial", 9};
    return std::nullopt;
}

void FrmResLoader::SetFrmFont(windowing::Form& form, const std::string& languageId) {
    auto font = FontOfLanguage(languageId);
    if (!font) return;
    form.SetFontName(font->Name);
    form.SetFontSize(font->Size);
    for (const auto& control : form.Controls()) {
        control->SetFontName(font->Name);
        control->SetFontSize(font->Size);
    }
}

}  // namespace client
