#pragma once
// Contracts of the client's language resource components as the library calls them: the
// resource loader ("QzResLoader.Loader"), the form-font loader ("FrmRes.FrmResLoader") and the
// foundation library's text formatter.

#include <platform/automation/object.h>
#include <platform/automation/variant.h>

#include <string>
#include <vector>

namespace windowing {
class Form;
}

namespace trackquery {

inline constexpr char kResLoaderProgId[] = "QzResLoader.Loader";
inline constexpr char kFrmResLoaderProgId[] = "FrmRes.FrmResLoader";
inline constexpr char kTextFormatterProgId[] = "KFO.TextFormatter";

// Language resource files named by a base name and a language, keyed by the Chinese source text.
class IResLoader : public automation::Object {
  public:
    virtual std::string ResFileBaseName() const = 0;
    virtual void SetResFileBaseName(const std::string& baseName) = 0;
    virtual std::string LanguageID() const = 0;
    virtual void SetLanguageID(const std::string& languageId) = 0;

    // The text for `key` in the current language; a key the resources lack comes back as it is.
    // Fails when the resource file of the current base name and language cannot be read.
    virtual std::string LoadString(const std::string& key) = 0;
};

// Sets the fonts of a dialog and of its controls for a language.
class IFrmResLoader : public automation::Object {
  public:
    virtual void SetFrmFont(windowing::Form& form, const std::string& languageId) = 0;
};

// Fills the numbered placeholders of a text.
class ITextFormatter : public automation::Object {
  public:
    // The text with "%1", "%2", ... replaced by the first, second, ... argument as text. A
    // placeholder without an argument stays as it is.
    virtual std::string FormatText(const std::string& text,
                                   const std::vector<automation::Variant>& arguments) = 0;
};

}  // namespace trackquery
