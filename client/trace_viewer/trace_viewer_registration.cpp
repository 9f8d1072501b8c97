#include <client/trace_viewer/headless_trace_viewer.h>

#include <platform/automation/registry.h>

namespace client {

void RegisterTraceViewer() {
    automation::ComponentRegistry::Instance().Register(
        trackquery::kProgIdTraceViewer, [] { return std::make_shared<HeadlessTraceViewer>(); });
}

}  // namespace client
