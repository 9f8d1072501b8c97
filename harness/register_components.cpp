#include <harness/register_components.h>

#include <components/bills/register_bills.h>
#include <components/logging/register_logging.h>
#include <components/middle_tier/register_middle_tier.h>
#include <components/order_map/order_map_window.h>
#include <components/resources/register_resources.h>
#include <components/security/register_security.h>
#include <components/session/register_session.h>
#include <components/viewer/viewer_document.h>

#include <platform/activebar/active_bar.h>

namespace harness {

void RegisterComponents(const RegistrationOptions& options) {
    activebar::RegisterComponents();
    client::RegisterSessionComponents();
    client::RegisterResourceComponents();
    client::RegisterLoggingComponents();
    client::RegisterSecurityComponents(options.clientFolder);
    client::RegisterMiddleTier();
    client::RegisterTraceViewer(options.viewerFace);
    client::RegisterBillComponents();
    client::RegisterOrderMap();
}

}  // namespace harness
