#pragma once
// A fresh client session for tests that build their own: no session properties, the language of
// the login (none yet) and the language files of the source tree, with the session and resource
// components registered.

#include <client/resources/register_resources.h>
#include <client/resources/res_loader.h>
#include <client/session/lang_info.h>
#include <client/session/register_session.h>
#include <client/session/share_props.h>

#include <filesystem>

namespace trackquery::testing {

inline void UseFreshSessionWithSourceResources() {
    client::ClearSessionProperties();
    client::SetCurrentLanguage("");
    client::SetResourceDirectory(std::filesystem::path(TRACKQUERY_SOURCE_DIR) / "resources" /
                                 "lang");
    client::RegisterSessionComponents();
    client::RegisterResourceComponents();
}

}  // namespace trackquery::testing
