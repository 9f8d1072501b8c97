#include <trackquery/framework/trace_viewer_control.h>

#include <platform/automation/registry.h>

namespace trackquery {

TraceViewerControl::TraceViewerControl(windowing::Form* parent, std::string name)
    : windowing::Control(parent, std::move(name)),
      viewer_(automation::CreateObject<ITraceViewer>(kProgIdTraceViewer)) {}

}  // namespace trackquery
