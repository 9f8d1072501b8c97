#include <components/viewer/viewer_document.h>

#include <platform/automation/registry.h>

namespace client {

void RegisterTraceViewer(ViewerFaceFactory face) {
    automation::ComponentRegistry::Instance().Register(
        trackquery::kProgIdTraceViewer,
        [face = std::move(face)] { return std::make_shared<ViewerDocument>(face); });
}

}  // namespace client
