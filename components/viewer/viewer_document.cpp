#include <components/viewer/viewer_document.h>

#include <components/viewer/detail_items.h>
#include <components/viewer/viewer_menu_bar.h>

#include <platform/windowing/form.h>

#include <algorithm>

namespace client {

using automation::ObjectPtr;

namespace {

struct ViewerInstances {
    std::vector<ViewerDocument*> alive;
    uint64_t made = 0;
};

ViewerInstances& Instances() {
    static ViewerInstances instances;
    return instances;
}

}  // namespace

ViewerDocument::ViewerDocument(const ViewerFaceFactory& face)
    : menuBar_(CreateViewerMenuBar()), number_(++client::Instances().made) {
    BindBar(menuBar_);
    if (face) face_ = face(*this);
    client::Instances().alive.push_back(this);
}

std::vector<ViewerDocument*> ViewerDocument::Instances() { return client::Instances().alive; }

ViewerDocument::~ViewerDocument() {
    std::erase(client::Instances().alive, this);
    // Someone else may still hold either bar; their listeners must not call a document that is
    // gone.
    ReleaseAttachedBar();
    menuBar_->SetToolClickListener(nullptr);
    menuBar_->SetTextKeyDownListener(nullptr);
}

// ---- Events ------------------------------------------------------------------------------------

void ViewerDocument::SetEventSink(trackquery::ITraceViewerEvents* sink) {
    rawSink_ = sink;
    weakSink_.reset();
    weakSinkSet_ = false;
}

void ViewerDocument::SetEventSink(std::weak_ptr<trackquery::ITraceViewerEvents> sink) {
    rawSink_ = nullptr;
    weakSink_ = std::move(sink);
    weakSinkSet_ = true;
}

std::shared_ptr<trackquery::ITraceViewerEvents> ViewerDocument::Sink() const {
    // A weak listener is held for the length of the event, so that it cannot go away in the
    // middle of it; a raw one is its owner's to keep alive (and to clear).
    if (weakSinkSet_) return weakSink_.lock();
    return std::shared_ptr<trackquery::ITraceViewerEvents>(
        std::shared_ptr<trackquery::ITraceViewerEvents>(), rawSink_);
}

std::shared_ptr<windowing::Form> ViewerDocument::Window() const {
    return std::dynamic_pointer_cast<windowing::Form>(Sink());
}

void ViewerDocument::RaiseNavigationClick() {
    const auto alive = weak_from_this().lock();
    auto node = SelectedNavigationNode();
    const bool hasBuffer = node && buffer_.contains(node->Key);
    if (auto sink = Sink()) sink->OnNavigationClick(hasBuffer);
}

// ---- Models and buffer -------------------------------------------------------------------------

void ViewerDocument::SetNavigationModel(trackquery::NavigationModelPtr model) {
    state_.navigation = std::move(model);
}

ViewerDocument::BufferedPanels* ViewerDocument::CurrentBufferEntry() {
    auto node = SelectedNavigationNode();
    return node ? &buffer_[node->Key] : nullptr;
}

void ViewerDocument::SetHeadModel(trackquery::HeadModelPtr model) {
    state_.head = model;
    if (auto* entry = CurrentBufferEntry()) entry->head = std::move(model);
}

void ViewerDocument::SetDetailModel(trackquery::DetailModelPtr model) {
    state_.detail = model;
    state_.selectedDetail.reset();
    if (auto* entry = CurrentBufferEntry()) entry->detail = std::move(model);
}

void ViewerDocument::SetHeadTitle(const std::string& text) {
    state_.headTitle = text;
    if (auto* entry = CurrentBufferEntry()) entry->headTitle = text;
}

void ViewerDocument::SetHeadTitleAlert(bool alert) {
    state_.headTitleAlert = alert;
    if (auto* entry = CurrentBufferEntry()) entry->headTitleAlert = alert;
}

bool ViewerDocument::RestoreBuffer(const std::string& key) {
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

// ---- Selection ---------------------------------------------------------------------------------

void ViewerDocument::SelectNavigationNode(int32_t index, bool raiseEvent) {
    if (!state_.navigation || index < 1 || index > state_.navigation->NodeCount()) return;
    state_.selectedNode = state_.navigation->NodeItem(index);
    if (raiseEvent) RaiseNavigationClick();
}

trackquery::NavigationNodePtr ViewerDocument::SelectedNavigationNode() {
    return ResolvedNavigationNode();
}

trackquery::NavigationNodePtr ViewerDocument::ResolvedNavigationNode() const {
    const auto& node = state_.selectedNode;
    const auto& model = state_.navigation;
    // A node that left the model (cleared, or another model set) is no longer selected.
    if (!node || !model || node->Index() < 1 || node->Index() > model->NodeCount()) return nullptr;
    return model->NodeItem(node->Index()) == node ? node : nullptr;
}

ObjectPtr ViewerDocument::SelectedDetailRow() { return ResolvedDetailSelection(); }

ObjectPtr ViewerDocument::ResolvedDetailSelection() const {
    const auto& selected = state_.selectedDetail;
    if (!selected || !state_.detail) return nullptr;
    for (const auto& node : state_.detail->Nodes()) {
        if (NodeHolds(node, selected)) return selected;
    }
    return nullptr;
}

}  // namespace client
