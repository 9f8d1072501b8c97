#include <platform/activebar/active_bar.h>

#include <platform/automation/registry.h>

namespace activebar {

ActiveBar::ActiveBar() = default;

// The collections learn their bar on first use: the constructor cannot hand out a weak reference
// to an object that no shared pointer holds yet.
void ActiveBar::Bind() {
    auto self = std::static_pointer_cast<ActiveBar>(weak_from_this().lock());
    if (!self) return;
    tools_.SetOwner(self);
    bands_.SetOwner(self);
}

Tools& ActiveBar::GetTools() {
    Bind();
    return tools_;
}

Bands& ActiveBar::GetBands() {
    Bind();
    return bands_;
}

void ActiveBar::OnKeyDown(int16_t& KeyCode, int16_t& Shift) {
    for (const auto& tool : tools_.Items()) {
        if (!tool->Enabled() || !tool->Visible()) continue;
        if (!tool->MatchesShortcut(KeyCode, Shift)) continue;
        KeyCode = 0;
        ClickTool(tool);
        return;
    }
}

bool ActiveBar::ClickTool(const ToolPtr& tool) {
    if (!tool || !tool->Enabled() || !tool->Visible()) return false;
    // A copy, so that a listener that replaces itself does not destroy the running function.
    auto listener = toolClick_;
    if (listener) listener(tool);
    return true;
}

bool ActiveBar::ClickTool(const std::string& name) {
    auto tool = tools_.Find(name);
    return tool ? ClickTool(tool) : false;
}

bool ActiveBar::TextKeyDown(const std::string& name, int32_t keyCode) {
    auto tool = tools_.Find(name);
    if (!tool || tool->ControlType() != ToolType::TextBox) return false;
    auto listener = textKeyDown_;
    if (listener) listener(tool, BandOf(tool), keyCode);
    return true;
}

std::string ActiveBar::BandOf(const ToolPtr& tool) const {
    std::string anyBand;
    for (const auto& band : bands_.Items()) {
        if (!band->GetTools().Exists(tool->Name())) continue;
        if (band->Visible()) return band->Name();
        if (anyBand.empty()) anyBand = band->Name();
    }
    return anyBand;
}

void RegisterComponents() {
    auto& registry = automation::ComponentRegistry::Instance();
    registry.Register(kActiveBarProgId, [] { return std::make_shared<ActiveBar>(); });
    registry.Register(kToolProgId, [] { return std::make_shared<Tool>(); });
}

}  // namespace activebar
