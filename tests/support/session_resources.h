#pragma once
// A fresh client session for tests that build their own: no session properties, the language of
// the login (none yet) and the language files of the source tree, with the session and resource
// components registered.

#include <components/resources/register_resources.h>
#include <components/resources/res_loader.h>
#include <components/session/lang_info.h>
#include <components/session/register_session.h>
#include <components/session/share_props.h>

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
