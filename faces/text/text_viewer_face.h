#pragma once
// The terminal's face of the viewer's document. The terminal draws the document itself after each
// command (view_renderer.h); this face writes what the document hands over: print and print
// preview write the page as text (RenderPage) to "<name> - print.txt" and "<name> - preview.txt",
// export writes the document's CSV ("<name>.csv"), all in the document's output folder.

#include <components/viewer/viewer_document.h>
#include <components/viewer/viewer_face.h>

#include <memory>

namespace textface {

class TextViewerFace : public client::ViewerFace {
  public:
    explicit TextViewerFace(client::ViewerDocument& document) : document_(document) {}

    void PrintPreview() override;
    void Print() override;
    void Export() override;

    // Makes the text face of each document the registration creates.
    static client::ViewerFaceFactory Factory();

  private:
    client::ViewerDocument& document_;
};

}  // namespace textface
