// Registration of the security components.

#include <components/security/register_security.h>

#include <components/security/app_connection.h>
#include <components/security/file_service.h>
#include <components/security/gl_data.h>
#include <components/security/system_profile.h>

#include <platform/automation/registry.h>

namespace client {

void RegisterSecurityComponents(const std::string& clientFolder) {
    auto& registry = automation::ComponentRegistry::Instance();
    registry.Register(trackquery::kGLDataProgId, [] { return std::make_shared<GLData>(); });
    registry.Register(trackquery::kSystemProfileProgId,
                      [] { return std::make_shared<SystemProfile>(); });
    registry.Register(trackquery::kSystemFuncProgId, [] { return std::make_shared<SystemFunc>(); });
    registry.Register(trackquery::kFileServiceProgId,
                      [clientFolder] { return std::make_shared<FileService>(clientFolder); });
    registry.Register(trackquery::kAppConnectionProgId,
                      [] { return std::make_shared<AppConnection>(); });
}

}  // namespace client
