#include <components/resources/session_captions.h>

#include <components/session/share_props.h>
#include <contracts/props_string.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

namespace client {

namespace {

constexpr const char* kResourceBaseName = "ZeVoverazuzed";

}  // namespace

SessionCaptions::SessionCaptions() {
    const automation::Variant props = ShareProps().GetProperty(CurrentProcessId(), "PropsString");
    if (!props.IsString()) return;
    const std::string language =
        automation::LCase(trackquery::PropsValue(props.AsString(), "Language").value_or(""));
    if (language.empty() || language == "chs") return;
    loader_.emplace();
    loader_->SetResFileBaseName(kResourceBaseName);
    loader_->SetLanguageID(language);
}

std::string SessionCaptions::operator()(const std::string& caption) {
    if (!loader_) return caption;
    try {
        return loader_->LoadString(caption);
    } catch (const automation::RuntimeError&) {
        return caption;  // without its resource file a component keeps its own captions
    }
}

}  // namespace client
