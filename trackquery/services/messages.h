#pragma once
// The two ways the library tells the user something: an information box titled "Velo提示" (the
// title translated), or one message through the client's message object. The texts are shown as
// the caller gives them; callers translate with LoadResText first.

#include <cstdint>
#include <string>

namespace trackquery {

// The line break between a message and the reason that follows it.
inline constexpr const char* kLineBreak = "\n";

// An information box with one OK button.
void InformationBox(const std::string& text);

// A box with Yes and No and the icon given (vbInformation or vbQuestion); True only for Yes.
bool AskYesNo(const std::string& text, int32_t icon);

// One message through the client's message object (MessageHelper.ShowMessage).
void ShowMessage(const std::string& text);

}  // namespace trackquery
