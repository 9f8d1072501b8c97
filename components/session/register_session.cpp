#include <components/session/register_session.h>

#include <components/session/lang_info.h>
#include <components/session/share_props.h>
#include <platform/automation/registry.h>

#include <memory>

namespace client {

void RegisterSessionComponents() {
    auto& registry = automation::ComponentRegistry::Instance();
    registry.Register(trackquery::kSharePropsProgId, [] { return std::make_shared<ShareProps>(); });
    registry.Register(trackquery::kLangInfoProgId, [] { return std::make_shared<LangInfo>(); });
}

}  // namespace client
