#include <trackquery/services/MMTS.h>

#include <contracts/props_string.h>
#include <contracts/resources.h>
#include <contracts/session.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/format.h>
#include <platform/automation/registry.h>
#include <platform/automation/strings.h>

#include <unistd.h>

#include <memory>

namespace trackquery {

namespace {

using automation::CreateObject;
using automation::Variant;

constexpr char kResFileBaseName[] = "ZeVoverazuzed";
constexpr char kCompositeSeparator[] = "^|^";
constexpr char kTranslateMark[] = "~$~";
constexpr char kEnglish[] = "en";

// The module's state, one per process. The components are kept once created; the language
// code is fixed by the first service that needs it.
struct MMTSState {
    std::string languageCode;
    std::shared_ptr<IResLoader> resLoader;
    std::shared_ptr<IFrmResLoader> frmResLoader;
    std::shared_ptr<ITextFormatter> textFormatter;
};

MMTSState& State() {
    static MMTSState state;
    return state;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// VB's Split over the whole text, exact comparison.
std::vector<std::string> SplitAll(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (auto at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start)) {
        pieces.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

// The language of the session property string, else the client's current language.
void EnsureLanguageCode() {
    auto& state = State();
    if (state.languageCode.empty()) state.languageCode = GetPropsValue("Language");
    if (state.languageCode.empty()) {
        auto langInfo = CreateObject<ILangInfo>(kLangInfoProgId);
        state.languageCode = langInfo->CurrentLanguage();
    }
}

// The kept resource loader, pointed at our resource files in the cached language. Both settings
// are compared on every call, so that a loader changed behind our back is set right again.
IResLoader& PreparedResLoader() {
    auto& state = State();
    if (!state.resLoader) state.resLoader = CreateObject<IResLoader>(kResLoaderProgId);
    IResLoader& loader = *state.resLoader;
    if (loader.ResFileBaseName() != kResFileBaseName) loader.SetResFileBaseName(kResFileBaseName);
    if (loader.LanguageID() != state.languageCode) loader.SetLanguageID(state.languageCode);
    return loader;
}

// The translation proper; may fail, LoadResText turns a failure into the unchanged text.
std::string TranslateText(const std::string& text, int32_t spaceMode) {
    EnsureLanguageCode();
    IResLoader& loader = PreparedResLoader();
    if (text.find(kCompositeSeparator) != std::string::npos) return LoadCompositeResText(text);

    // The Chinese text without its outer spaces is the key; the spaces are put back around the
    // translation as the source had them.
    std::string core = automation::Trim(text);
    std::string leading = text.substr(0, text.find(core));
    std::string trailing = text.substr(leading.size() + core.size());
    if (spaceMode == kResSpaceLeadInEnglish && State().languageCode == kEnglish &&
        leading.empty()) {
        leading = " ";
    }
    return leading + loader.LoadString(core) + trailing;
}

}  // namespace

std::string LanguageCode() {
    try {
        EnsureLanguageCode();
    } catch (const automation::RuntimeError&) {
        // Without the client's language information the code stays as the session gave it.
    }
    return State().languageCode;
}

std::string LoadResText(const std::string& text, int32_t spaceMode) {
    // A lookup made inside a caller's error handler must leave the handler's error intact.
    automation::PendingErrorGuard keepCallersError;
    try {
        return TranslateText(text, spaceMode);
    } catch (const automation::RuntimeError&) {
        return text;
    }
}

std::string LoadCompositeResText(const std::string& text) {
    std::string result;
    for (const auto& piece : SplitAll(text, kCompositeSeparator)) {
        if (StartsWith(piece, kTranslateMark)) {
            result += LoadResText(piece.substr(std::string(kTranslateMark).size()), kResSpaceKeep);
        } else {
            result += piece;
        }
    }
    return result;
}

std::string FormatResText(const std::string& message, const std::vector<Variant>& arguments) {
    std::string translated = LoadResText(message);
    auto& state = State();
    if (!state.textFormatter) {
        state.textFormatter = CreateObject<ITextFormatter>(kTextFormatterProgId);
    }
    return state.textFormatter->FormatText(translated, arguments);
}

Variant GetConnectionProperty(const std::string& name) {
    try {
        // The shared properties are held per process; a new manager is asked on every call.
        auto shareProps = CreateObject<IShareProps>(kSharePropsProgId);
        auto processId = static_cast<int32_t>(::getpid());
        return shareProps->GetProperty(processId, name);
    } catch (const automation::RuntimeError& error) {
        automation::RaiseAgain(error, "ZiDovuDev.MMTS.GetConnectionProperty");
    }
}

std::string GetPropsString() { return automation::CStr(GetConnectionProperty("PropsString")); }

std::string GetSessionUserName() { return automation::CStr(GetConnectionProperty("UserName")); }

std::string GetPropsValue(const std::string& key) {
    // A session that cannot be read reads as an empty property string.
    std::string props;
    try {
        props = GetPropsString();
    } catch (const automation::RuntimeError&) {
        props.clear();
    }
    std::string value;
    for (;;) {
        std::string cutKey = CutKey(props);
        value = CutValue(props);
        if (cutKey.empty() || automation::EqualsIgnoreCase(cutKey, key)) break;
    }
    return value;
}

void SetFormFont(windowing::Form& form) {
    auto& state = State();
    if (state.languageCode.empty()) state.languageCode = GetPropsValue("Language");
    if (!state.frmResLoader) {
        state.frmResLoader = CreateObject<IFrmResLoader>(kFrmResLoaderProgId);
    }
    state.frmResLoader->SetFrmFont(form, state.languageCode);
}

std::string FormatWithDecimals(const Variant& value, int32_t decimals) {
    if (decimals < 0) {
        automation::Raise(automation::vberr::InvalidProcedureCall, "",
                          "The count of decimals cannot be negative.");
    }
    // Numbers, the usual case, skip the reading of the pattern; anything else (texts, dates,
    // Null) goes through Format itself.
    switch (value.Type()) {
        case automation::VarType::Integer:
        case automation::VarType::Long:
        case automation::VarType::Double:
            return automation::FormatGroupedNumber(*value.NumericValue(), decimals);
        default:
            break;
    }
    std::string pattern = "#,##0";
    if (decimals > 0) pattern += "." + std::string(static_cast<size_t>(decimals), '0');
    return automation::Format(value, pattern);
}

void ResetMMTSState() { State() = MMTSState{}; }

}  // namespace trackquery
