#pragma once
// The client's global message object ("MessageHelper.Global"): each message is an information
// box of the windowing system, titled like every message box of the client, so that the
// headless back end records it and the terminal host prints it.

#include <contracts/message_helper.h>
#include <contracts/resources.h>

#include <string>

namespace client {

inline constexpr char kMessageTitle[] = "Velo提示";

// The title of every message, read through `loader` in the session's language; the Chinese title
// when the language files cannot give it. A fault of the program reaches the caller.
std::string MessageTitle(trackquery::IResLoader& loader);

class MessageHelper : public trackquery::IMessageHelper {
  public:
    std::string TypeName() const override { return "MessageHelper"; }
    void ShowMessage(const std::string& text) override;
};

}  // namespace client
