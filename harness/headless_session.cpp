#include <harness/headless_session.h>

#include <components/erp_database/erp_schema.h>
#include <components/session/share_props.h>
#include <components/viewer/viewer_document.h>
#include <harness/register_components.h>

#include <contracts/trace_viewer.h>
#include <trackquery/server/library.h>

#include <platform/activebar/tool.h>
#include <platform/adodb/connection.h>
#include <platform/automation/errors.h>
#include <platform/automation/private_folder.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/form.h>
#include <platform/windowing/window_api.h>

#include <stdexcept>

namespace harness {

void HeadlessHostForm::FireToolBarClick(std::shared_ptr<activebar::Tool>& Tool) {
    fired_.push_back(Tool ? Tool->Name() : "");
    if (Tool && Tool->Name() == "close" && onClose) onClose();
}

HeadlessSession::HeadlessSession(HeadlessSessionOptions options) : options_(std::move(options)) {
    const std::string named = options_.databasePath.string();
    if (named.empty() ||
        (client::erp_database::IsDatabaseFile(named) && !std::filesystem::is_regular_file(named))) {
        throw std::invalid_argument("the ERP database \"" + options_.databasePath.string() +
                                    "\" does not exist; create it before starting a session");
    }
    headless_.emplace(options_.strictMessageBoxes);

    // The password stays in this process: the switch file and the session properties name the
    // database without it, and a connection to it is given the one kept here.
    const std::string connection =
        client::erp_database::ConnectionStringFor(options_.databasePath.string());
    adodb::KeepPassword(connection);
    const std::string withoutPassword = adodb::WithoutPassword(connection);
    clientFolder_.emplace("trackquery_client_");
    clientFolder_->WriteFile("ErpSwitch.sss", withoutPassword);
    propsString_ = client::erp_database::PropsStringFor(
        withoutPassword, options_.userId, options_.userName, options_.subId, options_.language);

    automation::ComponentRegistry::Instance().Clear();
    client::ClearSessionProperties();
    trackquery::ResetModuleState();
    RegisterComponents(
        RegistrationOptions{clientFolder_->Path().string() + "/", options_.viewerFace});
    const auto before = ViewerDocument::Instances();
    viewersBefore_ = before.empty() ? 0 : before.back()->Number();
    trackquery::RegisterCreatableClasses();
    client::SetPropsString(propsString_);
    client::SetSessionUserName(options_.userName);

    hostWindow_ = windowing::CreateHostWindow("client page");
    hostForm_ = std::make_shared<HeadlessHostForm>();
}

HeadlessSession::~HeadlessSession() {
    // Whatever is still shown closes as the host would close it: each open view's viewer reports
    // Hide to its controller and its window unloads, so that no window and controller keep each
    // other alive past the session.
    for (ViewerDocument* open : SessionViewers()) {
        if (open->Closed()) continue;
        auto viewer = std::dynamic_pointer_cast<ViewerDocument>(open->shared_from_this());
        auto window = viewer->Window();
        viewer->Close();
        windowing::UnloadOnExit unload(window);
    }
    viewer_.reset();
    hostForm_.reset();
    automation::ComponentRegistry::Instance().Clear();
    client::ClearSessionProperties();
    trackquery::ResetModuleState();
    clientFolder_.reset();
    headless_.reset();
}

void HeadlessSession::Replace(const std::string& progId, automation::ComponentFactory factory) {
    automation::ComponentRegistry::Instance().Register(progId, std::move(factory));
}

trackquery::ICICMOQueryPtr HeadlessSession::CreateICMOQuery(int32_t tranType) {
    auto tracker = automation::CreateObject<trackquery::ICICMOQuery>(trackquery::kProgIdCICMOQuery);
    tracker->SetTranType(tranType);
    return tracker;
}

automation::VectorPtr HeadlessSession::BillList(
    const std::vector<std::pair<int32_t, std::string>>& bills) {
    auto list = std::make_shared<automation::Vector>();
    for (const auto& [interId, billNo] : bills) {
        auto bill = std::make_shared<automation::Dictionary>();
        bill->SetItem("FInterID", interId);
        bill->SetItem("FBillNo", billNo);
        list->Add(bill);
    }
    return list;
}

bool HeadlessSession::StartEmbedded(const trackquery::ICICMOQueryPtr& tracker,
                                    const automation::VectorPtr& bills,
                                    const automation::DictionaryPtr& status) {
    const auto before = Viewer();
    automation::ObjectPtr hostForm = hostForm_;
    const bool shown = tracker->InitTrack(&hostForm, hostWindow_, nullptr, bills, status);
    ClosePageOnNewView(before);
    return shown;
}

bool HeadlessSession::StartStandAlone(const trackquery::ICICMOQueryPtr& tracker,
                                      const automation::VectorPtr& bills,
                                      const automation::DictionaryPtr& status,
                                      std::vector<Step> steps) {
    RunStepsInModalTracker(std::move(steps));
    return tracker->InitTrack(nullptr, 0, nullptr, bills, status);
}

trackquery::ICSeOrderQueryPtr HeadlessSession::CreateSeOrderQuery() {
    return automation::CreateObject<trackquery::ICSeOrderQuery>(trackquery::kProgIdCSeOrderQuery);
}

bool HeadlessSession::LoadEmbedded(const trackquery::ICSeOrderQueryPtr& tracker,
                                   const automation::DictionaryPtr& para) {
    const auto before = Viewer();
    if (para) {
        para->SetItem("Hwnd", hostWindow_);
        para->SetItem("ParForm", automation::ObjectPtr(hostForm_));
        if (!para->Exists("CallByICMOTrack")) para->SetItem("CallByICMOTrack", false);
    }
    tracker->Load(para);
    return ClosePageOnNewView(before) && tracker->Hwnd() != 0;
}

// The page goes as the client closes it: its viewer reports Hide, then the window unloads.
bool HeadlessSession::ClosePageOnNewView(const std::shared_ptr<ViewerDocument>& before) {
    if (Viewer() == before) return false;
    std::weak_ptr<ViewerDocument> pageViewer = Viewer();
    hostForm_->onClose = [pageViewer] {
        auto viewer = pageViewer.lock();
        auto window = viewer ? viewer->Window() : nullptr;
        if (!window) return;
        viewer->Close();
        window->Unload();
    };
    return true;
}

// The next modal tracking window runs `steps` in order (each acts as the user) and, when the last
// one has not closed it, is closed by the user.
void HeadlessSession::RunStepsInModalTracker(std::vector<Step> steps) {
    Backend().AddModalStep("frmICMOQuery", [this, steps = std::move(steps)](windowing::Form& form) {
        for (const auto& step : steps) {
            if (!form.IsLoaded()) break;
            step(*this);
        }
        if (form.IsLoaded()) form.CloseByUser();
    });
}

std::vector<ViewerDocument*> HeadlessSession::SessionViewers() const {
    std::vector<ViewerDocument*> viewers;
    for (ViewerDocument* viewer : ViewerDocument::Instances()) {
        if (viewer->Number() > viewersBefore_) viewers.push_back(viewer);
    }
    return viewers;
}

// The newest view is the one that opened last; it is kept once seen, so that it can still be read
// after its window closed.
std::shared_ptr<ViewerDocument> HeadlessSession::Viewer() const {
    const auto viewers = SessionViewers();
    if (!viewers.empty() && (!viewer_ || viewers.back()->Number() > viewer_->Number())) {
        viewer_ = std::dynamic_pointer_cast<ViewerDocument>(viewers.back()->shared_from_this());
    }
    return viewer_;
}

std::shared_ptr<ViewerDocument> HeadlessSession::ViewerOf(const windowing::Form& window) const {
    for (ViewerDocument* viewer : SessionViewers()) {
        if (viewer->Window().get() == &window) {
            return std::dynamic_pointer_cast<ViewerDocument>(viewer->shared_from_this());
        }
    }
    return nullptr;
}

ViewerDocument& HeadlessSession::RequireViewer() const {
    if (!Viewer()) {
        automation::Raise(automation::vberr::ObjectVariableNotSet, "HeadlessSession",
                          "no tracking view was started");
    }
    return *viewer_;
}

void HeadlessSession::ClickNavigationNode(int32_t index) {
    RequireViewer().ClickNavigationNode(index);
}

bool HeadlessSession::ClickTool(const std::string& key) { return RequireViewer().ClickTool(key); }

bool HeadlessSession::TypeIntoTool(const std::string& band, const std::string& key,
                                   const std::string& text, bool pressEnter) {
    return RequireViewer().TypeIntoTool(band, key, text, pressEnter);
}

bool HeadlessSession::ExpandDetail(const std::string& path) {
    return RequireViewer().ExpandDetail(path);
}

bool HeadlessSession::DoubleClickDetail(const std::string& path) {
    return RequireViewer().DoubleClickDetail(path);
}

void HeadlessSession::AdvanceTime(int64_t ms) { windowing::EventLoop::Instance().AdvanceTime(ms); }

const std::vector<windowing::MsgBoxRecord>& HeadlessSession::MessageBoxes() {
    return Backend().MessageBoxes();
}

std::vector<std::string> HeadlessSession::Messages() {
    std::vector<std::string> prompts;
    for (const auto& box : Backend().MessageBoxes()) prompts.push_back(box.Prompt);
    return prompts;
}

}  // namespace harness
