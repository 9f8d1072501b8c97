#pragma once
// The client's global message object ("MessageHelper.Global"): each message is an information
// box of the windowing system, titled like every message box of the client, so that the
// headless back end records it and the terminal host prints it.

#include <trackquery/contracts/message_helper.h>

namespace client {

inline constexpr char kMessageTitle[] = "Velo提示";

class MessageHelper : public trackquery::IMessageHelper {
  public:
    std::string TypeName() const override { return "MessageHelper"; }
    void ShowMessage(const std::string& text) override;
};

}  // namespace client
