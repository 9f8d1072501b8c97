#include <client/resources/message_helper.h>

#include <client/resources/res_loader.h>
#include <client/session/lang_info.h>
#include <platform/windowing/msgbox.h>

namespace client {

namespace {

// The message title in the client's language; the Chinese title when it cannot be translated.
std::string MessageTitle() {
    try {
        ResLoader loader;
        loader.SetResFileBaseName("ZeVoverazuzed");
        loader.SetLanguageID(SessionLanguage());
        return loader.LoadString(kMessageTitle);
    } catch (...) {
        return kMessageTitle;
    }
}

}  // namespace

void MessageHelper::ShowMessage(const std::string& text) {
    windowing::MsgBox(text, windowing::vbInformation, MessageTitle());
}

}  // namespace client
