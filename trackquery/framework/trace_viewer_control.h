#pragma once
// The trace viewer as a control on a form. The viewer itself is an outside object created by
// ProgID; like VB's control extender, this wrapper gives it the position and size the form
// manages (Move in Form_Resize) and hands out the viewer through Object().

#include <contracts/trace_viewer.h>

#include <platform/windowing/control.h>

#include <string>

namespace trackquery {

class TraceViewerControl : public windowing::Control {
  public:
    // Creates the viewer "QzTraceViewer.TraceViewer"; error 429 when none is registered, 430
    // when the registered object is not a trace viewer.
    TraceViewerControl(windowing::Form* parent, std::string name);
    std::string TypeName() const override { return "TraceViewer"; }

    const TraceViewerPtr& Object() const { return viewer_; }

  private:
    TraceViewerPtr viewer_;
};

}  // namespace trackquery
