#include <components/resources/message_helper.h>

#include <components/resources/res_loader.h>
#include <components/session/lang_info.h>
#include <platform/automation/errors.h>
#include <platform/windowing/msgbox.h>

namespace client {

std::string MessageTitle(trackquery::IResLoader& loader) {
    try {
        loader.SetResFileBaseName("ZeVoverazuzed");
        loader.SetLanguageID(SessionLanguage());
        return loader.LoadString(kMessageTitle);
    } catch (const automation::RuntimeError&) {
        // Language files that cannot be read leave the title as the client writes it.
        return kMessageTitle;
    }
}

void MessageHelper::ShowMessage(const std::string& text) {
    ResLoader loader;
    windowing::MsgBox(text, windowing::vbInformation, MessageTitle(loader));
}

}  // namespace client
