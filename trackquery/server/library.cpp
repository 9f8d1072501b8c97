#include <trackquery/server/library.h>

#include <contracts/trackers.h>
#include <trackquery/icmo_tracking/CICMOQuery.h>
#include <trackquery/seorder_tracking/CSeOrderQuery.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/MParse.h>
#include <trackquery/services/modYqLogMsg.h>

#include <platform/automation/registry.h>

namespace trackquery {

void RegisterCreatableClasses() {
    auto& registry = automation::ComponentRegistry::Instance();
    registry.Register(kProgIdCICMOQuery, [] { return CreateCICMOQuery(); });
    registry.Register(kProgIdCSeOrderQuery, [] { return CreateCSeOrderQuery(); });
}

void ResetModuleState() {
    ResetMMTSState();
    ResetMParseState();
    ResetYqLogMsgState();
}

}  // namespace trackquery
