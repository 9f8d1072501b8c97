#pragma once
// Contract of the client's global message object, which shows one message to the user.

#include <platform/automation/object.h>
#include <platform/automation/registry.h>

#include <memory>
#include <string>

namespace trackquery {

inline constexpr char kMessageHelperProgId[] = "MessageHelper.Global";

class IMessageHelper : public automation::Object {
  public:
    virtual void ShowMessage(const std::string& text) = 0;
};

// The client's message object. Fails with error 429 when the client registered none.
inline std::shared_ptr<IMessageHelper> GetMessageHelper() {
    return automation::CreateObject<IMessageHelper>(kMessageHelperProgId);
}

}  // namespace trackquery
