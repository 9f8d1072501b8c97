#pragma once
// Registers every outside component a host of the tracking library needs, by ProgID: the
// platform's menu bar control and each of the client's components. The library's own creatable
// classes are registered by trackquery::RegisterCreatableClasses() (this target does not link the
// library; the headless harness and the host programs call both).
// A test may register a fake under any ProgID afterwards; the later registration wins.

#include <components/viewer/viewer_face.h>

#include <string>

namespace harness {

struct RegistrationOptions {
    // Where the file service looks for the client's switch file "ErpSwitch.sss"; empty means the
    // folder the library was loaded from.
    std::string clientFolder;
    // The face of each trace viewer created (none: documents nothing draws).
    client::ViewerFaceFactory viewerFace;
};

void RegisterComponents(const RegistrationOptions& options = {});

}  // namespace harness
