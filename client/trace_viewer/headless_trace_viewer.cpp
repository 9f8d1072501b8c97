#include <client/trace_viewer/headless_trace_viewer.h>

#include <client/trace_viewer/view_renderer.h>
#include <client/trace_viewer/viewer_menu_bar.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>
#include <platform/windowing/form.h>

#include <algorithm>

namespace client {

using automation::ObjectPtr;
using automation::Raise;
using trackquery::DetailNode;
using trackquery::DetailRow;
using trackquery::ToolPtr;
namespace vberr = automation::vberr;

namespace {

constexpr const char* kSource = "QzTraceViewer.TraceViewer";

// The checkable view tools of the viewer's bar and the band each one shows.
struct BandSwitch {
    const char* tool;
    const char* band;
};
constexpr BandSwitch kBandSwitches[] = {
    {"btnShowStandard", kBandStandard},
    {"btnShowViewer", kBandViewer},
    {"btnShowSelectBills", kBandFilter},
    {"btnShowPosition", kBandSearch},
};
constexpr const char* kPaneSwitches[] = {"btnShowSummaryView", "btnShowDetailView",
                                         "btnShowSummaryTitle", "btnShowTitle"};

// The viewer's own output tools and the host tools that stand in for them.
struct OutputTool {
    const char* own;
    const char* host;
};
constexpr OutputTool kOutputTools[] = {
    {kToolViewerPrintPreview, "btnPrintPreview"},
    {kToolViewerPrint, "btnPrint"},
    {kToolViewerExport, "btnExport"},
};

std::vector<std::string> SplitKeys(const std::string& keys) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= keys.size()) {
        const auto bar = std::min(keys.find('|', start), keys.size());
        auto key = automation::TrimWhitespace(keys.substr(start, bar - start));
        if (!key.empty()) parts.push_back(std::move(key));
        start = bar + 1;
    }
    return parts;
}

bool ToolChecked(const trackquery::ActiveBarPtr& bar, const char* key) {
    auto tool = bar->GetTools().Find(key);
    return !tool || tool->Checked();
}

int32_t LastPosition(const std::string& path) {
    const auto dot = path.rfind('.');
    const auto last = dot == std::string::npos ? path : path.substr(dot + 1);
    try {
        return std::stoi(last);
    } catch (...) {
        return 0;
    }
}

bool IsExpanded(const ObjectPtr& item) {
    if (auto node = std::dynamic_pointer_cast<DetailNode>(item)) return node->IsExpanded;
    if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) return row->IsExpanded;
    return false;
}

bool CanExpand(const ObjectPtr& item) {
    if (auto node = std::dynamic_pointer_cast<DetailNode>(item)) return node->CanExpand;
    if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) return row->CanExpand;
    return false;
}

void SetExpanded(const ObjectPtr& item, bool expanded) {
    if (auto node = std::dynamic_pointer_cast<DetailNode>(item)) node->IsExpanded = expanded;
    if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) row->IsExpanded = expanded;
}

bool TreeHolds(const ObjectPtr& item, const ObjectPtr& wanted);

bool NodeHolds(const trackquery::DetailNodePtr& node, const ObjectPtr& wanted) {
    if (node == wanted) return true;
    for (const auto& row : node->Rows()) {
        if (TreeHolds(row, wanted)) return true;
    }
    return false;
}

bool TreeHolds(const ObjectPtr& item, const ObjectPtr& wanted) {
    if (item == wanted) return true;
    if (auto node = std::dynamic_pointer_cast<DetailNode>(item)) return NodeHolds(node, wanted);
    if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) {
        for (const auto& child : row->Children()) {
            if (NodeHolds(child, wanted)) return true;
        }
    }
    return false;
}

}  // namespace

namespace {

struct ViewerInstances {
    std::vector<HeadlessTraceViewer*> alive;
    uint64_t made = 0;
};

ViewerInstances& Instances() {
    static ViewerInstances instances;
    return instances;
}

}  // namespace

HeadlessTraceViewer::HeadlessTraceViewer()
    : menuBar_(CreateViewerMenuBar()), number_(++client::Instances().made) {
    BindBar(menuBar_);
    client::Instances().alive.push_back(this);
}

std::vector<HeadlessTraceViewer*> HeadlessTraceViewer::Instances() {
    return client::Instances().alive;
}

HeadlessTraceViewer::~HeadlessTraceViewer() {
    std::erase(client::Instances().alive, this);
    // Someone else may still hold either bar; their listeners must not call a viewer that is gone.
    ReleaseAttachedBar();
    menuBar_->SetToolClickListener(nullptr);
    menuBar_->SetTextKeyDownListener(nullptr);
}

// ---- Events ------------------------------------------------------------------------------------

void HeadlessTraceViewer::SetEventSink(trackquery::ITraceViewerEvents* sink) {
    rawSink_ = sink;
    weakSink_.reset();
    weakSinkSet_ = false;
}

void HeadlessTraceViewer::SetEventSink(std::weak_ptr<trackquery::ITraceViewerEvents> sink) {
    rawSink_ = nullptr;
    weakSink_ = std::move(sink);
    weakSinkSet_ = true;
}

std::shared_ptr<trackquery::ITraceViewerEvents> HeadlessTraceViewer::Sink() const {
    // A weak listener is held for the length of the event, so that it cannot go away in the
    // middle of it; a raw one is its owner's to keep alive (and to clear).
    if (weakSinkSet_) return weakSink_.lock();
    return std::shared_ptr<trackquery::ITraceViewerEvents>(
        std::shared_ptr<trackquery::ITraceViewerEvents>(), rawSink_);
}

std::shared_ptr<windowing::Form> HeadlessTraceViewer::Window() const {
    return std::dynamic_pointer_cast<windowing::Form>(Sink());
}

void HeadlessTraceViewer::RaiseNavigationClick() {
    const auto alive = weak_from_this().lock();
    auto node = SelectedNavigationNode();
    const bool hasBuffer = node && buffer_.contains(node->Key);
    if (auto sink = Sink()) sink->OnNavigationClick(hasBuffer);
}

// ---- Models and buffer -------------------------------------------------------------------------

void HeadlessTraceViewer::SetNavigationModel(trackquery::NavigationModelPtr model) {
    state_.navigation = std::move(model);
}

HeadlessTraceViewer::BufferedPanels* HeadlessTraceViewer::CurrentBufferEntry() {
    auto node = SelectedNavigationNode();
    return node ? &buffer_[node->Key] : nullptr;
}

void HeadlessTraceViewer::SetHeadModel(trackquery::HeadModelPtr model) {
    state_.head = model;
    if (auto* entry = CurrentBufferEntry()) entry->head = std::move(model);
}

void HeadlessTraceViewer::SetDetailModel(trackquery::DetailModelPtr model) {
    state_.detail = model;
    state_.selectedDetail.reset();
    if (auto* entry = CurrentBufferEntry()) entry->detail = std::move(model);
}

void HeadlessTraceViewer::SetHeadTitle(const std::string& text) {
    state_.headTitle = text;
    if (auto* entry = CurrentBufferEntry()) entry->headTitle = text;
}

void HeadlessTraceViewer::SetHeadTitleAlert(bool alert) {
    state_.headTitleAlert = alert;
    if (auto* entry = CurrentBufferEntry()) entry->headTitleAlert = alert;
}

bool HeadlessTraceViewer::RestoreBuffer(const std::string& key) {
    auto found = buffer_.find(key);
    if (found == buffer_.end()) return false;
    if (found->second.head) state_.head = found->second.head;
    if (found->second.detail) state_.detail = found->second.detail;
    // The restored panel is the node's own, its title and warning included.
    if (found->second.headTitle) state_.headTitle = *found->second.headTitle;
    if (found->second.headTitleAlert) state_.headTitleAlert = *found->second.headTitleAlert;
    state_.selectedDetail.reset();
    return true;
}

// ---- Bars and tools ----------------------------------------------------------------------------

void HeadlessTraceViewer::BindBar(const trackquery::ActiveBarPtr& bar) {
    bar->SetToolClickListener([this](const ToolPtr& tool) { HandleToolClick(tool); });
    bar->SetTextKeyDownListener(
        [this](const ToolPtr& tool, const std::string& band, int32_t keyCode) {
            HandleTextKeyDown(tool, band, keyCode);
        });
}

void HeadlessTraceViewer::ReleaseAttachedBar() {
    if (!attachedBar_) return;
    attachedBar_->SetToolClickListener(nullptr);
    attachedBar_->SetTextKeyDownListener(nullptr);
    for (const auto& key : joinedTools_) {
        if (menuBar_->GetTools().Exists(key)) menuBar_->GetTools().Remove(key);
    }
    joinedTools_.clear();
    attachedBar_.reset();
    for (const auto& output : kOutputTools) GetTool(output.own)->SetVisible(true);
}

void HeadlessTraceViewer::AttachMenuBar(trackquery::ActiveBarPtr bar) {
    ReleaseAttachedBar();
    if (!bar) return;
    attachedBar_ = std::move(bar);
    // The host's tools join the viewer's own collection, so that the shortcut keys the window
    // forwards to GetMenuBar reach them too. A key the viewer already uses stays the viewer's.
    for (const auto& tool : attachedBar_->GetTools().Items()) {
        if (menuBar_->GetTools().Exists(tool->Name())) continue;
        menuBar_->GetTools().Add(tool);
        joinedTools_.push_back(tool->Name());
    }
    BindBar(attachedBar_);
    // The host guards printing and export with the user's rights; its tools replace the viewer's.
    for (const auto& output : kOutputTools) {
        if (attachedBar_->GetTools().Exists(output.host)) GetTool(output.own)->SetVisible(false);
    }
}

void HeadlessTraceViewer::SetHost(ObjectPtr& hostForm, ObjectPtr& hostBar) {
    hostForm_ = hostForm;
    hostBar_ = hostBar;
}

ToolPtr HeadlessTraceViewer::GetTool(const std::string& key) {
    if (auto tool = menuBar_->GetTools().Find(key)) return tool;
    return attachedBar_ ? attachedBar_->GetTools().Find(key) : nullptr;
}

void HeadlessTraceViewer::SetToolsVisible(const std::string& keys, bool visible) {
    for (const auto& key : SplitKeys(keys)) {
        if (auto tool = menuBar_->GetTools().Find(key)) tool->SetVisible(visible);
        if (!attachedBar_) continue;
        if (auto tool = attachedBar_->GetTools().Find(key)) tool->SetVisible(visible);
    }
}

std::string HeadlessTraceViewer::GetPositionText() {
    auto tool = GetTool("txtPosition");
    return tool ? tool->Text() : std::string();
}

void HeadlessTraceViewer::HandleToolClick(const ToolPtr& tool) {
    // A listener may drop the last reference to the viewer; it stays alive until the verb ends.
    const auto alive = weak_from_this().lock();
    bool cancel = false;
    if (auto sink = Sink()) sink->OnBeforeMenuClick(tool, cancel);
    if (cancel) return;
    RunOwnToolHandling(tool);
    if (auto sink = Sink()) sink->OnMenuClick(tool);
}

bool HeadlessTraceViewer::RunOwnToolHandling(const ToolPtr& tool) {
    if (tool->Parent() != menuBar_) return false;
    const auto& key = tool->Name();
    const bool viewSwitch =
        std::any_of(
            std::begin(kBandSwitches), std::end(kBandSwitches),
            [&](const BandSwitch& s) { return automation::EqualsIgnoreCase(key, s.tool); }) ||
        std::any_of(std::begin(kPaneSwitches), std::end(kPaneSwitches),
                    [&](const char* s) { return automation::EqualsIgnoreCase(key, s); });
    if (viewSwitch) {
        tool->SetChecked(!tool->Checked());
        ApplyViewTools();
        return true;
    }
    if (automation::EqualsIgnoreCase(key, kToolViewerPrintPreview))
        PrintPreview();
    else if (automation::EqualsIgnoreCase(key, kToolViewerPrint))
        Print();
    else if (automation::EqualsIgnoreCase(key, kToolViewerExport))
        Export();
    else
        return false;
    return true;
}

void HeadlessTraceViewer::ApplyViewTools() {
    for (const auto& s : kBandSwitches) {
        if (auto band = menuBar_->GetBands().Find(s.band)) {
            band->SetVisible(ToolChecked(menuBar_, s.tool));
        }
    }
}

void HeadlessTraceViewer::HandleTextKeyDown(const ToolPtr& tool, const std::string& band,
                                            int32_t keyCode) {
    if (auto sink = Sink()) sink->OnMenuTextKeyDown(keyCode, band, tool->Text());
}

// ---- Drawing -----------------------------------------------------------------------------------

void HeadlessTraceViewer::RefreshView() {
    ApplyViewTools();
    ++refreshCount_;
}

std::string HeadlessTraceViewer::Render() const { return RenderView(ShownState()); }

ViewState HeadlessTraceViewer::ShownState() const {
    ViewState shown = state_;
    shown.selectedNode = ResolvedNavigationNode();
    shown.selectedDetail = ResolvedDetailSelection();
    shown.showHead = ToolChecked(menuBar_, "btnShowSummaryView");
    shown.showDetail = ToolChecked(menuBar_, "btnShowDetailView");
    shown.showHeadTitle = ToolChecked(menuBar_, "btnShowSummaryTitle");
    shown.showTitles = ToolChecked(menuBar_, "btnShowTitle");
    return shown;
}

std::string HeadlessTraceViewer::RenderMenuBar() const {
    std::string text;
    for (const auto& band : menuBar_->GetBands().Items()) {
        if (!band->Visible()) continue;
        std::string line;
        for (const auto& tool : band->GetTools().Items()) {
            if (!tool->Visible()) continue;
            line += " " + tool->Name();
            if (tool->ControlType() == activebar::ToolType::TextBox)
                line += "[" + tool->Text() + "]";
            if (tool->Checkable()) line += tool->Checked() ? "(x)" : "( )";
        }
        if (!line.empty()) text += band->Name() + ":" + line + "\n";
    }
    return text;
}

// ---- Selection ---------------------------------------------------------------------------------

void HeadlessTraceViewer::SelectNavigationNode(int32_t index, bool raiseEvent) {
    if (!state_.navigation || index < 1 || index > state_.navigation->NodeCount()) return;
    state_.selectedNode = state_.navigation->NodeItem(index);
    if (raiseEvent) RaiseNavigationClick();
}

trackquery::NavigationNodePtr HeadlessTraceViewer::SelectedNavigationNode() {
    return ResolvedNavigationNode();
}

trackquery::NavigationNodePtr HeadlessTraceViewer::ResolvedNavigationNode() const {
    const auto& node = state_.selectedNode;
    const auto& model = state_.navigation;
    // A node that left the model (cleared, or another model set) is no longer selected.
    if (!node || !model || node->Index() < 1 || node->Index() > model->NodeCount()) return nullptr;
    return model->NodeItem(node->Index()) == node ? node : nullptr;
}

ObjectPtr HeadlessTraceViewer::SelectedDetailRow() { return ResolvedDetailSelection(); }

ObjectPtr HeadlessTraceViewer::ResolvedDetailSelection() const {
    const auto& selected = state_.selectedDetail;
    if (!selected || !state_.detail) return nullptr;
    for (const auto& node : state_.detail->Nodes()) {
        if (NodeHolds(node, selected)) return selected;
    }
    return nullptr;
}

// ---- Acting as the user ------------------------------------------------------------------------

void HeadlessTraceViewer::ClickNavigationNode(int32_t index) {
    if (!state_.navigation || index < 1 || index > state_.navigation->NodeCount()) {
        Raise(vberr::InvalidProcedureCall, kSource,
              "There is no navigation node " + std::to_string(index));
    }
    activePane_ = "Navigation";
    SelectNavigationNode(index, true);
}

int16_t HeadlessTraceViewer::PressNavigationKey(int16_t keyCode, int16_t shift) {
    const auto alive = weak_from_this().lock();
    activePane_ = "Navigation";
    if (auto sink = Sink()) sink->OnNavigationKeyPress(keyCode, shift);
    if (keyCode == 0 || !state_.navigation || state_.navigation->NodeCount() == 0) return keyCode;
    auto current = SelectedNavigationNode();
    const int32_t at = current ? current->Index() : 0;
    int32_t target = at;
    switch (keyCode) {
        case 38:
            target = std::max(1, at - 1);
            break;
        case 40:
            target = std::min(state_.navigation->NodeCount(), at + 1);
            break;
        case 36:
            target = 1;
            break;
        case 35:
            target = state_.navigation->NodeCount();
            break;
        default:
            return keyCode;
    }
    if (target != at) SelectNavigationNode(target, true);
    return keyCode;
}

ObjectPtr HeadlessTraceViewer::DetailItemAt(const std::string& path) const {
    auto item = state_.detail ? state_.detail->ItemByPath(path) : nullptr;
    if (!item) {
        Raise(vberr::InvalidProcedureCall, kSource,
              "There is no detail node or row at \"" + path + "\"");
    }
    return item;
}

void HeadlessTraceViewer::RaiseExpand(const std::string& path, const ObjectPtr& item) {
    const auto alive = weak_from_this().lock();
    const int32_t lRow = LastPosition(path);
    const std::string rowType = std::dynamic_pointer_cast<DetailNode>(item) ? "0" : "1";
    if (auto sink = Sink()) sink->OnDetailBeforeExpand(lRow, path, item, rowType);
    if (auto sink = Sink()) sink->OnDetailExpand(lRow, path, item, rowType);
    // The listener may have found nothing to show under a row and made it unexpandable.
    if (CanExpand(item)) SetExpanded(item, true);
}

bool HeadlessTraceViewer::ExpandDetail(const std::string& path) {
    auto item = DetailItemAt(path);
    if (IsExpanded(item)) return true;
    if (!CanExpand(item)) return false;
    RaiseExpand(path, item);
    return true;
}

bool HeadlessTraceViewer::ExpandDetailRow(const std::string& nodePath, int32_t row) {
    return ExpandDetail(nodePath + "." + std::to_string(row));
}

void HeadlessTraceViewer::CollapseDetail(const std::string& path) {
    SetExpanded(DetailItemAt(path), false);
}

void HeadlessTraceViewer::SelectDetail(const std::string& path) {
    state_.selectedDetail = DetailItemAt(path);
    activePane_ = "Detail";
}

bool HeadlessTraceViewer::DoubleClickDetail(const std::string& path) {
    const auto alive = weak_from_this().lock();
    auto item = DetailItemAt(path);
    state_.selectedDetail = item;
    activePane_ = "Detail";
    bool cancelExpand = false;
    if (auto sink = Sink()) sink->OnDetailDblClick(item, cancelExpand);
    if (cancelExpand) return true;
    if (IsExpanded(item)) {
        SetExpanded(item, false);
    } else if (CanExpand(item)) {
        RaiseExpand(path, item);
    }
    return false;
}

void HeadlessTraceViewer::ActivatePane(const std::string& pane) {
    static const char* const kPanes[] = {"Summary", "Navigation", "Detail", "Null"};
    for (const char* known : kPanes) {
        if (automation::EqualsIgnoreCase(pane, known)) {
            activePane_ = known;
            return;
        }
    }
    Raise(vberr::InvalidProcedureCall, kSource, "There is no pane \"" + pane + "\"");
}

bool HeadlessTraceViewer::ClickTool(const std::string& key) {
    auto tool = GetTool(key);
    if (!tool) Raise(vberr::InvalidProcedureCall, kSource, "There is no tool \"" + key + "\"");
    return menuBar_->ClickTool(tool);
}

ToolPtr HeadlessTraceViewer::TextBoxOnBand(const std::string& band, const std::string& key) const {
    for (const auto& bar : {menuBar_, attachedBar_}) {
        if (!bar) continue;
        auto found = bar->GetBands().Find(band);
        if (!found) continue;
        auto tool = found->GetTools().Find(key);
        if (tool && tool->ControlType() == activebar::ToolType::TextBox) {
            // A band hidden by its view tool takes no typing.
            return found->Visible() ? tool : ToolPtr();
        }
    }
    Raise(vberr::InvalidProcedureCall, kSource,
          "There is no text box \"" + key + "\" on band \"" + band + "\"");
}

bool HeadlessTraceViewer::TypeIntoTool(const std::string& band, const std::string& key,
                                       const std::string& text, bool pressEnter) {
    auto tool = TextBoxOnBand(band, key);
    if (!tool || !tool->Enabled() || !tool->Visible()) return false;
    tool->SetText(text);
    tool->SetFocus();
    if (pressEnter) HandleTextKeyDown(tool, band, 13);
    return true;
}

bool HeadlessTraceViewer::PressToolKey(const std::string& band, const std::string& key,
                                       int32_t keyCode) {
    auto tool = TextBoxOnBand(band, key);
    if (!tool || !tool->Enabled() || !tool->Visible()) return false;
    HandleTextKeyDown(tool, band, keyCode);
    return true;
}

void HeadlessTraceViewer::Close() {
    const auto alive = weak_from_this().lock();
    closed_ = true;
    if (auto sink = Sink()) sink->OnHide();
}

}  // namespace client
