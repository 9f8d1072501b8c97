#pragma once
// The trace viewer "QzTraceViewer.TraceViewer" of the desktop program. Its non-drawing core is the
// headless viewer's (models, buffer per navigation key, bars, selection, events, the verbs that act
// as the user), so both behave alike; this class adds the widget that draws it (made when its form
// is drawn) and its own output: print and preview through Qt's printing (PDF where there is no
// printer), export as XLSX (or CSV when the user picks it).
//
// Output. With dialogs (an interactive program without an output directory) the user chooses the
// printer or the file. Without (--out DIR, tests, scripted sessions) every output goes straight
// into OutputDirectory(): "<title> - preview.pdf", "<title> - print.pdf", "<title>.xlsx", never
// replacing a file and appearing whole or not at all.

#include <client/trace_viewer/headless_trace_viewer.h>

#include <platform/windowing/form.h>

#include <qt/trace_viewer/trace_viewer_widget.h>

#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <memory>

namespace qtgui {

struct PrintDocument;

class QtTraceViewer : public client::HeadlessTraceViewer {
  public:
    QtTraceViewer();
    ~QtTraceViewer() override;

    // The listener is the tracking window: the viewer learns which form it belongs to from it.
    void SetEventSink(trackquery::ITraceViewerEvents* sink) override;
    void SetEventSink(std::weak_ptr<trackquery::ITraceViewerEvents> sink) override;
    // The form whose control this viewer is, or nothing.
    windowing::Form* OwnerForm() const;
    // The living viewer of a form's trace viewer control, or nothing.
    static std::shared_ptr<QtTraceViewer> OfForm(const windowing::Form* form);

    // Whether print, preview and export ask the user (see the header comment).
    void SetUsesDialogs(bool value) { usesDialogs_ = value; }
    bool UsesDialogs() const { return usesDialogs_; }

    void PrintPreview() override;
    void Print() override;
    void Export() override;

    // The widget that draws the viewer; made once, owned by its Qt parent.
    TraceViewerWidget* Widget(QWidget* parent);
    TraceViewerWidget* ExistingWidget() const { return widget_; }

    // What print and preview put on paper: the tracking title (the window's caption, else the
    // export title), the date, the selected order, the head lines and the loaded detail rows.
    PrintDocument Document() const;

  private:
    std::filesystem::path WriteFile(const std::string& suffix, const std::string& extension,
                                    const std::string& bytes);
    std::string BaseName() const;

    std::weak_ptr<windowing::Form> form_;
    windowing::Form* rawForm_ = nullptr;
    QPointer<TraceViewerWidget> widget_;
    bool usesDialogs_ = false;
};

// Registers the desktop viewer under "QzTraceViewer.TraceViewer" (in place of the headless one)
// and the widget of the "TraceViewer" control. Every viewer created from then on writes to
// `outputDirectory` (empty: the headless default) and asks with dialogs when `usesDialogs`.
void RegisterQtTraceViewer(const std::filesystem::path& outputDirectory = {},
                           bool usesDialogs = false);

}  // namespace qtgui
