#include <platform/windowing/msgbox.h>

#include <platform/automation/errors.h>
#include <platform/windowing/event_loop.h>

#include <algorithm>

namespace windowing {

namespace {

constexpr const char* kSource = "windowing.MsgBox";
constexpr const char* kApplicationTitle = "trackquery";

}  // namespace

std::vector<int32_t> MsgBoxChoices(int32_t buttons) {
    switch (buttons & 0xF) {
        case vbOKOnly:
            return {vbOK};
        case vbOKCancel:
            return {vbOK, vbCancel};
        case vbAbortRetryIgnore:
            return {vbAbort, vbRetry, vbIgnore};
        case vbYesNoCancel:
            return {vbYes, vbNo, vbCancel};
        case vbYesNo:
            return {vbYes, vbNo};
        case vbRetryCancel:
            return {vbRetry, vbCancel};
        default:
            return {};
    }
}

int32_t MsgBoxDefaultResult(int32_t buttons) {
    const auto choices = MsgBoxChoices(buttons);
    if (choices.empty()) return vbOK;
    const size_t wanted = static_cast<size_t>((buttons >> 8) & 0x3);
    return choices[std::min(wanted, choices.size() - 1)];
}

int32_t MsgBox(const std::string& prompt, int32_t buttons, const std::string& title) {
    const auto choices = MsgBoxChoices(buttons);
    if (choices.empty()) {
        automation::Raise(automation::vberr::InvalidProcedureCall, kSource,
                          "Invalid procedure call or argument");
    }
    auto backend = EventLoop::Instance().BackendPtr();
    const int32_t result =
        backend->ShowMsgBox(prompt, buttons, title.empty() ? kApplicationTitle : title);
    if (std::find(choices.begin(), choices.end(), result) == choices.end()) {
        // A back end that answers with a button the box does not have is broken; going on
        // would send the caller down a branch the user never chose.
        automation::Raise(automation::vberr::InvalidProcedureCall, kSource,
                          "The message box \"" + prompt + "\" was answered with " +
                              std::to_string(result) + ", which is not one of its buttons.");
    }
    return result;
}

}  // namespace windowing
