#pragma once
// Registers the session components ("PropsMgr.ShareProps", "QzLangInfo.LangInfo") by ProgID.

namespace client {

void RegisterSessionComponents();

}  // namespace client
