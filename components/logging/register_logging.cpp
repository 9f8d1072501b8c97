#include <components/logging/register_logging.h>

#include <components/logging/proc_log.h>
#include <platform/automation/registry.h>

#include <memory>

namespace client {

void RegisterLoggingComponents() {
    automation::ComponentRegistry::Instance().Register(trackquery::kYqLogMsgProgId,
                                                       [] { return std::make_shared<ProcLog>(); });
}

}  // namespace client
