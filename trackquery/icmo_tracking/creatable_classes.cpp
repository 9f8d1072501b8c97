#include <trackquery/icmo_tracking/creatable_classes.h>

#include <trackquery/icmo_tracking/CICMOQuery.h>

#include <platform/automation/registry.h>

namespace trackquery {

void RegisterCreatableClasses() {
    auto& registry = automation::ComponentRegistry::Instance();
    registry.Register(kProgIdCICMOQuery, [] { return CreateCICMOQuery(); });
    // FIXME: "QzICMOTrackQuery.CSeOrderQuery" joins here with the sales order tracker.
}

}  // namespace trackquery
