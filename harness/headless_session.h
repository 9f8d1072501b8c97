#pragma once
// The headless harness: one object that builds a ready client session for tests and the terminal
// host, and acts as the user on the tracking views. It stands above both the client's components
// and the library: it reaches the library only through its entry (trackquery/server/library.h)
// and the trackers' interfaces (trackquery/contracts/trackers.h).
//
// What it sets up, for its own life:
// - a headless back end (recording every message box and answering from a script) and a virtual
//   clock on the process's event loop;
// - the session property string of the ERP database it is given, in the shared session
//   properties, and the client's switch file "ErpSwitch.sss" in a private client folder of its
//   own (automation::PrivateFolder: 0700, the file 0600, removed however the program ends); a
//   password of the database's address is in neither, but kept in the process
//   (adodb::KeepPassword);
// - every component registered by ProgID (the client's and the library's creatable classes);
//   Replace puts a test's fake in the place of any of them;
// - a host page (a window handle) and a host form that records the tools it is asked to fire and
//   closes the page on "close".
// On destruction it unloads what is still shown, forgets the registrations and the session, and
// puts the event loop back as it was.

#include <components/viewer/viewer_face.h>
#include <contracts/host_form.h>
#include <contracts/trackers.h>

#include <platform/automation/collections.h>
#include <platform/automation/private_folder.h>
#include <platform/automation/registry.h>
#include <platform/windowing/headless_backend.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace client {
class ViewerDocument;
}

namespace harness {

using client::ViewerDocument;

struct HeadlessSessionOptions {
    // The ERP database: an SQLite file, which must exist, a PostgreSQL address
    // ("postgresql://...") or a whole connection string ("Provider=...").
    std::filesystem::path databasePath;
    int32_t userId = 16394;
    std::string userName = "administrator";
    std::string subId = "CJ";
    std::string language = "chs";
    // Strict: a message box without a scripted answer fails (and is kept in the back end's
    // failures). Not strict: it gets its default button, as the user's OK to a message.
    bool strictMessageBoxes = false;
    // The face of every trace viewer the session creates: the face of the program running (the
    // terminal's text face, the tests' choice). None: the viewers' documents are drawn by nobody,
    // so print, preview and export write nothing. A face that registers its own viewer after the
    // session started (the Qt face) takes the place of this one.
    client::ViewerFaceFactory viewerFace;
};

// The client's page form: FireToolBarClick records the tool's name, and "close" closes the page
// the way the client does (the embedded window's viewer is closed, then the window unloaded).
class HeadlessHostForm : public trackquery::IHostForm {
  public:
    std::string TypeName() const override { return "HeadlessHostForm"; }
    void FireToolBarClick(std::shared_ptr<activebar::Tool>& Tool) override;

    const std::vector<std::string>& FiredTools() const { return fired_; }
    // What "close" closes: set by the harness for each embedded start.
    std::function<void()> onClose;

  private:
    std::vector<std::string> fired_;
};

class HeadlessSession {
  public:
    explicit HeadlessSession(HeadlessSessionOptions options);
    ~HeadlessSession();
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;

    // --- Session -------------------------------------------------------------------------------
    const std::string& PropsString() const { return propsString_; }
    const std::filesystem::path& ClientFolder() const { return clientFolder_->Path(); }
    windowing::HeadlessBackend& Backend() { return headless_->Backend(); }
    // The next message box must show `expectedText` and is answered with `answer` (vbYes, vbOK,
    // ...); a box that shows something else fails.
    void AnswerNextBox(const std::string& expectedText, int32_t answer) {
        Backend().AnswerMsgBox(expectedText, answer);
    }
    // Registers `factory` under `progId` in place of the component registered there.
    void Replace(const std::string& progId, automation::ComponentFactory factory);

    // --- Starting a tracker ----------------------------------------------------------------------
    // A task order tracker created by ProgID, as a host creates it.
    trackquery::ICICMOQueryPtr CreateICMOQuery(int32_t tranType = 0);
    // A bill list of task orders (Dictionaries with "FInterID" and "FBillNo").
    static automation::VectorPtr BillList(
        const std::vector<std::pair<int32_t, std::string>>& bills);

    // InitTrack embedded into the host page; returns at once with InitTrack's result.
    bool StartEmbedded(const trackquery::ICICMOQueryPtr& tracker,
                       const automation::VectorPtr& bills,
                       const automation::DictionaryPtr& status = nullptr);
    // InitTrack stand-alone: the modal window runs `steps` in order (each acts as the user) and,
    // when the last one has not closed it, is closed by the user. Returns InitTrack's result,
    // which comes only once the window has closed.
    using Step = std::function<void(HeadlessSession& session)>;
    bool StartStandAlone(const trackquery::ICICMOQueryPtr& tracker,
                         const automation::VectorPtr& bills,
                         const automation::DictionaryPtr& status, std::vector<Step> steps);

    // A sales order tracker created by ProgID.
    trackquery::ICSeOrderQueryPtr CreateSeOrderQuery();
    // Load embedded into the host page: `para` gets the page's "Hwnd" and "ParForm" (and
    // "CallByICMOTrack" False when it has none). Returns whether a view was opened.
    bool LoadEmbedded(const trackquery::ICSeOrderQueryPtr& tracker,
                      const automation::DictionaryPtr& para);

    // --- Acting as the user on the last started view ------------------------------------------
    // Each fails (error 5 from the viewer) when the view does not hold what it names, and with
    // error 91 before any view was started.
    void ClickNavigationNode(int32_t index);
    bool ClickTool(const std::string& key);
    bool TypeIntoTool(const std::string& band, const std::string& key, const std::string& text,
                      bool pressEnter = true);
    bool ExpandDetail(const std::string& path);
    bool DoubleClickDetail(const std::string& path);
    // Moves the virtual clock, firing the timers that fall due.
    void AdvanceTime(int64_t ms);

    // --- What the user saw -----------------------------------------------------------------------
    // The viewer of the view that opened last (kept after its window closed, so it can still be
    // read). Every viewer the session creates is noted when it is created.
    std::shared_ptr<ViewerDocument> Viewer() const;
    // The viewer that sits on `window`, or nothing when no viewer of the session does.
    std::shared_ptr<ViewerDocument> ViewerOf(const windowing::Form& window) const;
    const std::vector<windowing::MsgBoxRecord>& MessageBoxes();
    // The prompts of every box, in order.
    std::vector<std::string> Messages();
    const std::shared_ptr<HeadlessHostForm>& HostForm() const { return hostForm_; }
    int32_t HostWindow() const { return hostWindow_; }

  private:
    // The host page closes the view that opened in it since `before` was the newest viewer.
    bool ClosePageOnNewView(const std::shared_ptr<ViewerDocument>& before);
    void RunStepsInModalTracker(std::vector<Step> steps);
    ViewerDocument& RequireViewer() const;

    HeadlessSessionOptions options_;
    std::optional<windowing::ScopedHeadless> headless_;
    std::optional<automation::PrivateFolder> clientFolder_;
    std::string propsString_;
    int32_t hostWindow_ = 0;
    std::shared_ptr<HeadlessHostForm> hostForm_;
    // The viewers made while the session lives (whatever made them), newest last.
    std::vector<ViewerDocument*> SessionViewers() const;
    uint64_t viewersBefore_ = 0;  // the number of the last viewer made before the session
    mutable std::shared_ptr<ViewerDocument> viewer_;
};

}  // namespace harness
