#include "text_viewer_face.h"

#include "view_renderer.h"

namespace textface {

void TextViewerFace::PrintPreview() {
    document_.WriteOutput(document_.OutputBaseName() + " - preview", ".txt", RenderPage(document_));
}

void TextViewerFace::Print() {
    document_.WriteOutput(document_.OutputBaseName() + " - print", ".txt", RenderPage(document_));
}

void TextViewerFace::Export() { document_.ExportCsv(); }

client::ViewerFaceFactory TextViewerFace::Factory() {
    return
        [](client::ViewerDocument& document) { return std::make_unique<TextViewerFace>(document); };
}

}  // namespace textface
