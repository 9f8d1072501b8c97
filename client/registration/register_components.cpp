#include <client/registration/register_components.h>

#include <client/bills/register_bills.h>
#include <client/logging/register_logging.h>
#include <client/middle_tier/register_middle_tier.h>
#include <client/resources/register_resources.h>
#include <client/security/register_security.h>
#include <client/session/register_session.h>
#include <client/trace_viewer/headless_trace_viewer.h>

#include <platform/activebar/active_bar.h>

namespace client {

void RegisterComponents(const RegistrationOptions& options) {
    activebar::RegisterComponents();
    RegisterSessionComponents();
    RegisterResourceComponents();
    RegisterLoggingComponents();
    RegisterSecurityComponents(options.clientFolder);
    RegisterMiddleTier();
    RegisterTraceViewer();
    RegisterBillComponents();
}

}  // namespace client
