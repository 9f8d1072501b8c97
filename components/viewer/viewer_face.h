#pragma once
// What a face does for the viewer's document: the document keeps the view and acts as the user,
// and a face (the terminal's text, Qt's widgets) draws it. Where the document needs a face to act,
// it calls this interface: print, print preview and export, each in the face's own formats.
//
// A document owns its face, made by a ViewerFaceFactory when the document is made; the face may
// keep the reference to its document, which outlives it.

#include <functional>
#include <memory>

namespace client {

class ViewerDocument;

class ViewerFace {
  public:
    virtual ~ViewerFace() = default;

    // The user (or the tracker, for the user) asked for print preview, print or export of the
    // view as it stands. A failure to write is run-time error 75 naming the path.
    virtual void PrintPreview() = 0;
    virtual void Print() = 0;
    virtual void Export() = 0;
};

using ViewerFaceFactory = std::function<std::unique_ptr<ViewerFace>(ViewerDocument& document)>;

}  // namespace client
