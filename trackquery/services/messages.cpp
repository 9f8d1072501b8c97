#include <trackquery/services/messages.h>

#include <contracts/message_helper.h>
#include <trackquery/services/MMTS.h>

#include <platform/windowing/msgbox.h>

namespace trackquery {

void InformationBox(const std::string& text) {
    windowing::MsgBox(text, windowing::vbInformation + windowing::vbOKOnly,
                      LoadResText("Velo提示"));
}

bool AskYesNo(const std::string& text, int32_t icon) {
    return windowing::MsgBox(text, windowing::vbYesNo + icon, LoadResText("Velo提示")) ==
           windowing::vbYes;
}

void ShowMessage(const std::string& text) { GetMessageHelper()->ShowMessage(text); }

}  // namespace trackquery
