#pragma once
// The trace viewer's document: the control "QzTraceViewer.TraceViewer" as the trackers call it,
// apart from any drawing. It keeps the models it is handed, a buffer of the panels last shown for
// each navigation key, its own menu bar and the host's attached bar, the titles, the selection and
// the active pane, and it raises the control's events when a face, a test or a script acts as the
// user through the verbs below. It draws nothing: a face reads it (ShownState) and draws it, and
// print, preview and export go to the face it was made with (viewer_face.h). Without a face
// nothing shows the view, so those three write nothing.
//
// Detail paths are the dotted 1-based positions that DetailModel::ItemByPath reads (see
// contracts/view_models/detail_model.h): "2" is the second top-level node, "2.1" its first row,
// "2.1.1" the first child node of that row.

#include <components/viewer/view_state.h>
#include <components/viewer/viewer_face.h>
#include <contracts/trace_viewer.h>

#include <platform/activebar/active_bar.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace windowing {
class Form;
}

namespace client {

class ViewerDocument : public trackquery::ITraceViewer {
  public:
    // A document drawn by the face `face` makes for it (none: a document nothing draws).
    explicit ViewerDocument(const ViewerFaceFactory& face = {});
    ~ViewerDocument() override;

    // Every viewer alive in the process, in the order they were made (whatever made them: the
    // harness finds the views it drives here). A viewer's number counts the viewers made before.
    static std::vector<ViewerDocument*> Instances();
    uint64_t Number() const { return number_; }
    ViewerDocument(const ViewerDocument&) = delete;
    ViewerDocument& operator=(const ViewerDocument&) = delete;

    std::string TypeName() const override { return "TraceViewer"; }

    // ---- The control's contract ------------------------------------------------------------
    void SetEventSink(trackquery::ITraceViewerEvents* sink) override;
    void SetEventSink(std::weak_ptr<trackquery::ITraceViewerEvents> sink) override;

    trackquery::NavigationModelPtr GetNavigationModel() override { return state_.navigation; }
    void SetNavigationModel(trackquery::NavigationModelPtr model) override;
    void SetHeadModel(trackquery::HeadModelPtr model) override;
    trackquery::DetailModelPtr GetDetailModel() override { return state_.detail; }
    void SetDetailModel(trackquery::DetailModelPtr model) override;

    bool RestoreBuffer(const std::string& key) override;
    void ClearDetailBuffer() override { buffer_.clear(); }

    void AttachMenuBar(trackquery::ActiveBarPtr bar) override;
    void SetHost(automation::ObjectPtr& hostForm, automation::ObjectPtr& hostBar) override;
    trackquery::ActiveBarPtr GetMenuBar() override { return menuBar_; }
    trackquery::ToolPtr GetTool(const std::string& key) override;
    void SetToolsVisible(const std::string& keys, bool visible) override;
    std::string GetPositionText() override;

    void SetNavigationTitle(const std::string& text) override { state_.navigationTitle = text; }
    // The head title and its warning belong to the head panel: the buffer keeps them with it.
    void SetHeadTitle(const std::string& text) override;
    void SetDetailTitle(const std::string& text) override { state_.detailTitle = text; }
    bool HeadTitleAlert() const override { return state_.headTitleAlert; }
    void SetHeadTitleAlert(bool alert) override;
    std::string StatusText() const override { return state_.statusText; }
    void SetStatusText(const std::string& text) override { state_.statusText = text; }
    void RefreshView() override;

    void SelectNavigationNode(int32_t index, bool raiseEvent) override;
    trackquery::NavigationNodePtr SelectedNavigationNode() override;
    automation::ObjectPtr SelectedDetailRow() override;
    std::string ActivePane() const override { return activePane_; }
    bool LayoutRestored() const override { return layoutRestored_; }
    bool StandAlone() const override { return standAlone_; }
    void SetStandAlone(bool standAlone) override { standAlone_ = standAlone; }

    std::string ExportTitle() const override { return exportTitle_; }
    void SetExportTitle(const std::string& title) override { exportTitle_ = title; }
    // Handed to the face; without one they write nothing.
    void PrintPreview() override;
    void Print() override;
    void Export() override;

    bool ViewSetting01() const override { return viewSetting01_; }
    void SetViewSetting01(bool value) override { viewSetting01_ = value; }
    int32_t ViewSetting03() const override { return viewSetting03_; }
    void SetViewSetting03(int32_t value) override { viewSetting03_ = value; }
    std::string ViewSetting05() const override { return viewSetting05_; }
    void SetViewSetting05(const std::string& value) override { viewSetting05_ = value; }
    float ViewSetting11() const override { return viewSetting11_; }
    void SetViewSetting11(float value) override { viewSetting11_ = value; }
    float ViewSetting12() const override { return viewSetting12_; }
    void SetViewSetting12(float value) override { viewSetting12_ = value; }
    bool ViewSetting13() const override { return viewSetting13_; }
    void SetViewSetting13(bool value) override { viewSetting13_ = value; }
    int32_t ViewSetting14() const override { return viewSetting14_; }
    void SetViewSetting14(int32_t value) override { viewSetting14_ = value; }
    int32_t ViewSetting15() const override { return viewSetting15_; }
    void SetViewSetting15(int32_t value) override { viewSetting15_ = value; }
    int32_t ViewSetting16() const override { return viewSetting16_; }
    void SetViewSetting16(int32_t value) override { viewSetting16_ = value; }
    int32_t ViewSetting17() const override { return viewSetting17_; }
    void SetViewSetting17(int32_t value) override { viewSetting17_ = value; }

    // ---- Acting as the user ------------------------------------------------------------------
    // A verb that names something the view does not hold (an index or path outside the models, a
    // tool that does not exist) is run-time error 5 with a description that names it.

    // Clicks the navigation node at a 1-based index: selects it, makes the navigation pane active
    // and raises NavigationClick (bHasBuffer = whether the buffer holds the node's key).
    void ClickNavigationNode(int32_t index);
    // A key in the navigation tree: raises NavigationKeyPress; unless the listener set KeyCode to
    // 0, Up (38), Down (40), Home (36) and End (35) move the selection and raise NavigationClick.
    // Returns the KeyCode as the listener left it.
    int16_t PressNavigationKey(int16_t keyCode, int16_t shift = 0);
    // Expands the detail node or row at a path: raises DetailBeforeExpand, then DetailExpand
    // (sRowType "0" for a node, "1" for a row; lRow its position under its parent), then shows it
    // expanded. An item that cannot expand raises nothing and returns false; one already expanded
    // raises nothing and returns true.
    bool ExpandDetail(const std::string& path);
    // Expands row `row` (1-based) of the node at `nodePath`.
    bool ExpandDetailRow(const std::string& nodePath, int32_t row);
    // Collapses the node or row at a path (no event).
    void CollapseDetail(const std::string& path);
    // Selects the detail node or row at a path and makes the detail pane active (no event).
    void SelectDetail(const std::string& path);
    // Double-clicks the detail node or row at a path: selects it, raises DetailDblClick and, unless
    // the listener set bCancelExpand, expands a collapsed item (raising 14 and 15) or collapses an
    // expanded one. Returns bCancelExpand as the listener left it.
    bool DoubleClickDetail(const std::string& path);
    // Makes a pane active: "Summary", "Navigation", "Detail" or "Null".
    void ActivatePane(const std::string& pane);
    // Clicks a tool of either bar: raises BeforeMenuClick and, unless cancelled, runs the viewer's
    // own handling of its own tools and raises MenuClick. Returns false, raising nothing, for a
    // tool that is hidden or disabled.
    bool ClickTool(const std::string& key);
    // Types `text` into the text box tool `key` on band `band` (replacing its text) and, with
    // pressEnter, raises MenuTextKeyDown(13, band, text). Returns false for a hidden or disabled
    // box.
    bool TypeIntoTool(const std::string& band, const std::string& key, const std::string& text,
                      bool pressEnter = true);
    // A key going down in the text box tool `key` on band `band`: raises MenuTextKeyDown with the
    // box's current text (118 is F7).
    bool PressToolKey(const std::string& band, const std::string& key, int32_t keyCode);
    // Closes the control: raises Hide.
    void Close();

    // ---- What a face, a test or a script reads ------------------------------------------------
    // The face the document was made with, or nothing.
    ViewerFace* Face() const { return face_.get(); }
    // The state as the view shows it now: with what the view tools and the selection make of it.
    ViewState ShownState() const;
    // Whether the tracker's last SetToolsVisible naming `key` showed it (case does not matter).
    bool ShownByTracker(const std::string& key) const;
    trackquery::HeadModelPtr GetHeadModel() const { return state_.head; }
    const std::string& NavigationTitle() const { return state_.navigationTitle; }
    const std::string& HeadTitle() const { return state_.headTitle; }
    const std::string& DetailTitle() const { return state_.detailTitle; }
    trackquery::ActiveBarPtr AttachedMenuBar() const { return attachedBar_; }
    automation::ObjectPtr HostForm() const { return hostForm_; }
    automation::ObjectPtr HostBar() const { return hostBar_; }
    bool Closed() const { return closed_; }
    // The window the control sits on: the form its events go to, while it is alive.
    std::shared_ptr<windowing::Form> Window() const;
    int32_t RefreshCount() const { return refreshCount_; }
    bool HasBuffer(const std::string& key) const { return buffer_.contains(key); }

    // Where Print, PrintPreview and Export write (created when missing). By default a folder of
    // the user's own (automation::UserOutputFolder), looked for only when a file is written.
    void SetOutputDirectory(const std::filesystem::path& directory) {
        outputDirectory_ = directory;
    }
    std::filesystem::path OutputDirectory() const;
    // The name the output files take, before " - print", " - preview" or the extension: the
    // export title (the root node's text while none is set), followed by the order of the
    // selected node when the title does not name it already; made safe for a file name.
    std::string OutputBaseName() const;
    // The file the last Print, PrintPreview or Export wrote; empty before the first.
    const std::filesystem::path& LastOutputPath() const { return lastOutputPath_; }

    // ---- Output the faces share -----------------------------------------------------------------
    // Writes `content` as a new file `<baseName><extension>` in OutputDirectory() (never over an
    // earlier file, see output_file.h) and notes it as the last output.
    void WriteOutput(const std::string& baseName, const std::string& extension,
                     const std::string& content);
    // Notes a file a face wrote elsewhere (a place the user chose) as the last output.
    void NoteOutput(const std::filesystem::path& path) { lastOutputPath_ = path; }
    // Writes the detail tree as CSV (detail_export.h) to "<OutputBaseName()>.csv".
    void ExportCsv();

  private:
    struct BufferedPanels {
        trackquery::HeadModelPtr head;
        trackquery::DetailModelPtr detail;
        std::optional<std::string> headTitle;
        std::optional<bool> headTitleAlert;
    };

    std::shared_ptr<trackquery::ITraceViewerEvents> Sink() const;
    void RaiseNavigationClick();
    void RaiseExpand(const std::string& path, const automation::ObjectPtr& item);
    void HandleToolClick(const trackquery::ToolPtr& tool);
    void HandleTextKeyDown(const trackquery::ToolPtr& tool, const std::string& band,
                           int32_t keyCode);
    bool RunOwnToolHandling(const trackquery::ToolPtr& tool);
    void ApplyViewTools();
    void BindBar(const trackquery::ActiveBarPtr& bar);
    void ReleaseAttachedBar();
    BufferedPanels* CurrentBufferEntry();
    // The selections, each only while what it names is still in its model.
    trackquery::NavigationNodePtr ResolvedNavigationNode() const;
    automation::ObjectPtr ResolvedDetailSelection() const;
    automation::ObjectPtr DetailItemAt(const std::string& path) const;
    trackquery::ToolPtr TextBoxOnBand(const std::string& band, const std::string& key) const;

    ViewState state_;
    std::map<std::string, BufferedPanels> buffer_;

    trackquery::ITraceViewerEvents* rawSink_ = nullptr;
    std::weak_ptr<trackquery::ITraceViewerEvents> weakSink_;
    bool weakSinkSet_ = false;

    trackquery::ActiveBarPtr menuBar_;
    trackquery::ActiveBarPtr attachedBar_;
    std::vector<std::string> joinedTools_;
    automation::ObjectPtr hostForm_;
    automation::ObjectPtr hostBar_;

    std::string activePane_ = "Null";
    bool layoutRestored_ = false;
    bool standAlone_ = false;
    bool closed_ = false;
    int32_t refreshCount_ = 0;
    std::string exportTitle_;

    bool viewSetting01_ = false;
    int32_t viewSetting03_ = 0;
    std::string viewSetting05_;
    float viewSetting11_ = 0;
    float viewSetting12_ = 0;
    bool viewSetting13_ = false;
    int32_t viewSetting14_ = 0;
    int32_t viewSetting15_ = 0;
    int32_t viewSetting16_ = 0;
    int32_t viewSetting17_ = 0;

    std::filesystem::path outputDirectory_;
    std::filesystem::path lastOutputPath_;
    std::set<std::string> shownByTracker_;  // upper case
    uint64_t number_ = 0;
    // Last, so that the face goes first: it may still read the document as it goes.
    std::unique_ptr<ViewerFace> face_;
};

// Registers "QzTraceViewer.TraceViewer" in the process's component registry: every CreateObject
// gives a new ViewerDocument drawn by the face `face` makes (the face of the program running).
// Needs nothing else; output files go to the user's output folder until the host sets another
// with SetOutputDirectory.
void RegisterTraceViewer(ViewerFaceFactory face = {});

}  // namespace client
