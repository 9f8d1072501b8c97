#include <components/middle_tier/register_middle_tier.h>

#include <components/middle_tier/middle_tier_servers.h>

#include <platform/automation/registry.h>

namespace client {

void RegisterMiddleTier() {
    auto& registry = automation::ComponentRegistry::Instance();
    registry.Register(trackquery::kProgIdGetICMOQuery,
                      [] { return std::make_shared<middle_tier::GetICMOQueryServer>(); });
    registry.Register(trackquery::kProgIdSetICMOQuery,
                      [] { return std::make_shared<middle_tier::SetICMOQueryServer>(); });
    registry.Register(trackquery::kProgIdGetOrderQuery,
                      [] { return std::make_shared<middle_tier::GetOrderQueryServer>(); });
}

}  // namespace client
