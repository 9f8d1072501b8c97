#include <components/viewer/viewer_document.h>

#include <components/viewer/detail_items.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <algorithm>

namespace client {

using automation::ObjectPtr;
using automation::Raise;
using trackquery::DetailNode;
using trackquery::ToolPtr;
namespace vberr = automation::vberr;

namespace {

constexpr const char* kSource = "QzTraceViewer.TraceViewer";

}  // namespace

// ---- Acting as the user ------------------------------------------------------------------------

void ViewerDocument::ClickNavigationNode(int32_t index) {
    if (!state_.navigation || index < 1 || index > state_.navigation->NodeCount()) {
        Raise(vberr::InvalidProcedureCall, kSource,
              "There is no navigation node " + std::to_string(index));
    }
    activePane_ = "Navigation";
    SelectNavigationNode(index, true);
}

int16_t ViewerDocument::PressNavigationKey(int16_t keyCode, int16_t shift) {
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

ObjectPtr ViewerDocument::DetailItemAt(const std::string& path) const {
    auto item = state_.detail ? state_.detail->ItemByPath(path) : nullptr;
    if (!item) {
        Raise(vberr::InvalidProcedureCall, kSource,
              "There is no detail node or row at \"" + path + "\"");
    }
    return item;
}

void ViewerDocument::RaiseExpand(const std::string& path, const ObjectPtr& item) {
    const auto alive = weak_from_this().lock();
    // The path was found in the model, so its last position is a number.
    const int32_t lRow = LastPathPosition(path).value_or(0);
    const std::string rowType = std::dynamic_pointer_cast<DetailNode>(item) ? "0" : "1";
    if (auto sink = Sink()) sink->OnDetailBeforeExpand(lRow, path, item, rowType);
    if (auto sink = Sink()) sink->OnDetailExpand(lRow, path, item, rowType);
    // The listener may have found nothing to show under a row and made it unexpandable.
    if (CanExpand(item)) SetExpanded(item, true);
}

bool ViewerDocument::ExpandDetail(const std::string& path) {
    auto item = DetailItemAt(path);
    if (IsExpanded(item)) return true;
    if (!CanExpand(item)) return false;
    RaiseExpand(path, item);
    return true;
}

bool ViewerDocument::ExpandDetailRow(const std::string& nodePath, int32_t row) {
    return ExpandDetail(nodePath + "." + std::to_string(row));
}

void ViewerDocument::CollapseDetail(const std::string& path) {
    SetExpanded(DetailItemAt(path), false);
}

void ViewerDocument::SelectDetail(const std::string& path) {
    state_.selectedDetail = DetailItemAt(path);
    activePane_ = "Detail";
}

bool ViewerDocument::DoubleClickDetail(const std::string& path) {
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

void ViewerDocument::ActivatePane(const std::string& pane) {
    static const char* const kPanes[] = {"Summary", "Navigation", "Detail", "Null"};
    for (const char* known : kPanes) {
        if (automation::EqualsIgnoreCase(pane, known)) {
            activePane_ = known;
            return;
        }
    }
    Raise(vberr::InvalidProcedureCall, kSource, "There is no pane \"" + pane + "\"");
}

bool ViewerDocument::ClickTool(const std::string& key) {
    auto tool = GetTool(key);
    if (!tool) Raise(vberr::InvalidProcedureCall, kSource, "There is no tool \"" + key + "\"");
    return menuBar_->ClickTool(tool);
}

ToolPtr ViewerDocument::TextBoxOnBand(const std::string& band, const std::string& key) const {
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

bool ViewerDocument::TypeIntoTool(const std::string& band, const std::string& key,
                                  const std::string& text, bool pressEnter) {
    auto tool = TextBoxOnBand(band, key);
    if (!tool || !tool->Enabled() || !tool->Visible()) return false;
    tool->SetText(text);
    tool->SetFocus();
    if (pressEnter) HandleTextKeyDown(tool, band, 13);
    return true;
}

bool ViewerDocument::PressToolKey(const std::string& band, const std::string& key,
                                  int32_t keyCode) {
    auto tool = TextBoxOnBand(band, key);
    if (!tool || !tool->Enabled() || !tool->Visible()) return false;
    HandleTextKeyDown(tool, band, keyCode);
    return true;
}

void ViewerDocument::Close() {
    const auto alive = weak_from_this().lock();
    closed_ = true;
    if (auto sink = Sink()) sink->OnHide();
}

}  // namespace client
