#pragma once
// The desktop's face of the viewer's document ("QzTraceViewer.TraceViewer" in the desktop
// program). The document keeps the view and acts as the user (models, buffer per navigation key,
// bars, selection, events, the verbs), exactly as in the terminal; this face holds the widget that
// draws it (made when its form is drawn) and writes its output: print and preview through Qt's
// printing (PDF where there is no printer), export as XLSX (or CSV when the user picks it). The
// document owns its face; the face keeps the document it draws.
//
// Output. With dialogs (an interactive program without an output directory) the user chooses the
// printer or the file. Without (--out DIR, tests, scripted sessions) every output goes straight
// into the document's OutputDirectory(): "<title> <order> - preview.pdf", "<title> <order> -
// print.pdf", "<title> <order>.xlsx", never replacing a file and appearing whole or not at all.

#include <components/viewer/viewer_document.h>
#include <components/viewer/viewer_face.h>

#include <faces/qt/trace_viewer/trace_viewer_widget.h>

#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace qtgui {

struct PrintDocument;

class QtViewerFace : public client::ViewerFace {
  public:
    // `usesDialogs`: print, preview and export ask the user (see the header comment).
    QtViewerFace(client::ViewerDocument& document, bool usesDialogs);
    ~QtViewerFace() override;
    QtViewerFace(const QtViewerFace&) = delete;
    QtViewerFace& operator=(const QtViewerFace&) = delete;

    // The desktop face of a document, or nothing when another face (or none) draws it.
    static QtViewerFace* Of(const client::ViewerDocument& document);
    // The desktop face of the document on a form's trace viewer control, or nothing.
    static QtViewerFace* OfForm(const windowing::Form* form);

    client::ViewerDocument& Document() const { return document_; }

    // Whether a tool of the host's bar does anything in this view. The tracking window defines
    // tools that only a tracker which asks for them acts on: the order options and the jump to
    // task order tracking (sales order tracking shows both with SetToolsVisible), the printer
    // setup (which no tracker acts on; the print dialog sets the printer up) and cut, copy and
    // paste of the right-click band (no tracker acts on them, the data is read-only, and the
    // detail pane's own menu copies). Unless a tracker made one of them visible, clicking it
    // would do nothing, so it is not offered.
    bool OffersTool(const activebar::Tool& tool) const;

    void PrintPreview() override;
    void Print() override;
    void Export() override;

    // The widget that draws the document; made once, owned by its Qt parent.
    TraceViewerWidget* Widget(QWidget* parent);
    TraceViewerWidget* ExistingWidget() const { return widget_; }

    // What print and preview put on paper: the tracking title (the window's caption, else the
    // export title), the date, the selected order, the head lines and the loaded detail rows.
    PrintDocument Page() const;

  private:
    std::filesystem::path WriteFile(const std::string& suffix, const std::string& extension,
                                    const std::string& bytes);
    std::string BaseName() const;
    // The selected order (and entry) as the navigation tree names it; empty without one.
    std::vector<std::string> SelectedOrderPath() const;

    client::ViewerDocument& document_;
    QPointer<TraceViewerWidget> widget_;
    bool usesDialogs_ = false;
};

// Registers the desktop viewer under "QzTraceViewer.TraceViewer" (in place of the one registered
// before: a document with this face) and the widget of the "TraceViewer" control. Every document
// created from then on writes to `outputDirectory` (empty: the document's default) and asks with
// dialogs when `usesDialogs`.
void RegisterQtTraceViewer(const std::filesystem::path& outputDirectory = {},
                           bool usesDialogs = false);

}  // namespace qtgui
