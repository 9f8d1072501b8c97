#include <components/viewer/viewer_document.h>

#include <components/viewer/viewer_menu_bar.h>

#include <platform/automation/strings.h>

#include <algorithm>

namespace client {

using automation::ObjectPtr;
using trackquery::ToolPtr;

namespace {

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

}  // namespace

// ---- Bars and tools ----------------------------------------------------------------------------

void ViewerDocument::BindBar(const trackquery::ActiveBarPtr& bar) {
    bar->SetToolClickListener([this](const ToolPtr& tool) { HandleToolClick(tool); });
    bar->SetTextKeyDownListener(
        [this](const ToolPtr& tool, const std::string& band, int32_t keyCode) {
            HandleTextKeyDown(tool, band, keyCode);
        });
}

void ViewerDocument::ReleaseAttachedBar() {
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

void ViewerDocument::AttachMenuBar(trackquery::ActiveBarPtr bar) {
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

void ViewerDocument::SetHost(ObjectPtr& hostForm, ObjectPtr& hostBar) {
    hostForm_ = hostForm;
    hostBar_ = hostBar;
}

ToolPtr ViewerDocument::GetTool(const std::string& key) {
    if (auto tool = menuBar_->GetTools().Find(key)) return tool;
    return attachedBar_ ? attachedBar_->GetTools().Find(key) : nullptr;
}

void ViewerDocument::SetToolsVisible(const std::string& keys, bool visible) {
    for (const auto& key : SplitKeys(keys)) {
        if (visible) {
            shownByTracker_.insert(automation::UCase(key));
        } else {
            shownByTracker_.erase(automation::UCase(key));
        }
        if (auto tool = menuBar_->GetTools().Find(key)) tool->SetVisible(visible);
        if (!attachedBar_) continue;
        if (auto tool = attachedBar_->GetTools().Find(key)) tool->SetVisible(visible);
    }
}

bool ViewerDocument::ShownByTracker(const std::string& key) const {
    return shownByTracker_.contains(automation::UCase(key));
}

std::string ViewerDocument::GetPositionText() {
    auto tool = GetTool("txtPosition");
    return tool ? tool->Text() : std::string();
}

void ViewerDocument::HandleToolClick(const ToolPtr& tool) {
    // A listener may drop the last reference to the viewer; it stays alive until the verb ends.
    const auto alive = weak_from_this().lock();
    bool cancel = false;
    if (auto sink = Sink()) sink->OnBeforeMenuClick(tool, cancel);
    if (cancel) return;
    RunOwnToolHandling(tool);
    if (auto sink = Sink()) sink->OnMenuClick(tool);
}

bool ViewerDocument::RunOwnToolHandling(const ToolPtr& tool) {
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

void ViewerDocument::ApplyViewTools() {
    for (const auto& s : kBandSwitches) {
        if (auto band = menuBar_->GetBands().Find(s.band)) {
            band->SetVisible(ToolChecked(menuBar_, s.tool));
        }
    }
}

void ViewerDocument::HandleTextKeyDown(const ToolPtr& tool, const std::string& band,
                                       int32_t keyCode) {
    if (auto sink = Sink()) sink->OnMenuTextKeyDown(keyCode, band, tool->Text());
}

// ---- What the tools show ----------------------------------------------------------------------

void ViewerDocument::RefreshView() {
    ApplyViewTools();
    ++refreshCount_;
}

ViewState ViewerDocument::ShownState() const {
    ViewState shown = state_;
    shown.selectedNode = ResolvedNavigationNode();
    shown.selectedDetail = ResolvedDetailSelection();
    shown.showHead = ToolChecked(menuBar_, "btnShowSummaryView");
    shown.showDetail = ToolChecked(menuBar_, "btnShowDetailView");
    shown.showHeadTitle = ToolChecked(menuBar_, "btnShowSummaryTitle");
    shown.showTitles = ToolChecked(menuBar_, "btnShowTitle");
    return shown;
}

}  // namespace client
