#pragma once
// "FrmRes.FrmResLoader": gives a dialog and every control on it the font of a language:
//     chs  宋体 9 pt     cht  新細明體 9 pt     en  Arial 9 pt
// Language codes compare without regard to case; under any other code the dialog keeps the
// fonts it was designed with.

#include <contracts/resources.h>

#include <optional>
#include <string>

namespace client {

struct LanguageFont {
    std::string Name;
    double Size = 0;
};

// The font of a language; nothing for a language without one.
std::optional<LanguageFont> FontOfLanguage(const std::string& languageId);

class FrmResLoader : public trackquery::IFrmResLoader {
  public:
    std::string TypeName() const override { return "FrmResLoader"; }
    void SetFrmFont(windowing::Form& form, const std::string& languageId) override;
};

}  // namespace client
