#pragma once
// Qt's own texts (the buttons of message boxes, the file, print and font dialogs) in the session's
// language, from the Qt translations Debian ships (qt6-translations-l10n): "chs" reads
// qtbase_zh_CN, "cht" qtbase_zh_TW; any other language keeps Qt's English.

#include <string>

namespace qtgui {

// Installs the translations of `languageCode` (any case) in place of those an earlier call
// installed. False when the language has translations but their file could not be read (Qt's
// texts stay English).
bool UseQtTranslations(const std::string& languageCode);

}  // namespace qtgui
