#pragma once
// Session, language resources and connection properties: the shared services every controller
// and dialog of the library uses to translate its texts, to read the client session and to
// format numbers.
//
// Module state (language code, resource loader, form-font loader, text formatter) is one per
// process. It is filled on first use and kept for the life of the process; a change of language
// inside a running process is not picked up.

#include <contracts/props_string.h>
#include <platform/automation/variant.h>
#include <trackquery/services/QzEnum.h>

#include <concepts>
#include <cstdint>
#include <string>
#include <vector>

namespace windowing {
class Form;
}

namespace trackquery {

// The text for the current language. The Chinese text, without its outer spaces, is the key;
// the outer spaces survive the translation. A text holding "^|^" is a composite text (see
// LoadCompositeResText). Never fails: on any failure the text comes back unchanged. The caller's
// pending error (Err) is left exactly as it was.
std::string LoadResText(const std::string& text, int32_t spaceMode = kResSpaceKeep);

// The client's language code as the translations use it: the session's "Language", else the
// client's current language, fixed by the first service that needed it. Empty when neither names
// one.
std::string LanguageCode();

// A text of pieces separated by "^|^": pieces that begin with "~$~" are translated (without the
// marker), the others are taken as they stand; the pieces are joined without the separators.
std::string LoadCompositeResText(const std::string& text);

// Translates `message` and fills its placeholders "%1", "%2", ... with the arguments in order.
// Failures of the text formatter reach the caller.
std::string FormatResText(const std::string& message,
                          const std::vector<automation::Variant>& arguments);

template <class... Args>
requires(std::constructible_from<automation::Variant, Args>&&...) std::string
    FormatResText(const std::string& message, Args&&... arguments) {
    return FormatResText(message, std::vector<automation::Variant>{
                                      automation::Variant(std::forward<Args>(arguments))...});
}

// A named property of the client session of this process: a plain value, or the object itself
// when the property holds one. Failures are raised again with
// "ZiDovuDev.MMTS.GetConnectionProperty" in front of their source.
automation::Variant GetConnectionProperty(const std::string& name);

// The session property string ("PropsString"), asked again on every call.
std::string GetPropsString();
// The session's user name ("UserName"), asked again on every call.
std::string GetSessionUserName();

// The value of `key` (any letter case) in the session property string; empty when the key is
// missing. Never fails.
std::string GetPropsValue(const std::string& key);

// The tokenizer of the session property string (CutToken, CutKey, CutValue) is the one reader
// of contracts/props_string.h.

// Sets the fonts of a dialog and of its controls for the session's language.
void SetFormFont(windowing::Form& form);

// The value with digits grouped by thousands and exactly `decimals` decimals ("#,##0.00" for 2,
// "#,##0" for 0). A negative count of decimals fails with error 5.
std::string FormatWithDecimals(const automation::Variant& value, int32_t decimals);

// For tests only: forgets the module state (language code and the kept components), as if the
// library had just been loaded.
void ResetMMTSState();

}  // namespace trackquery
