#include <platform/activebar/band.h>

#include <platform/activebar/active_bar.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <algorithm>

namespace activebar {

using automation::EqualsIgnoreCase;
using automation::Raise;
namespace vberr = automation::vberr;

namespace {
constexpr const char* kSource = "ActiveBarLibraryCtl.Bands";
}

Band::Band(std::string name, BandType type) : name_(std::move(name)), type_(type) {}

void Band::Adopt(const std::weak_ptr<ActiveBar>& bar) {
    parent_ = bar;
    tools_.SetOwner(bar);
}

ToolPtr Band::AddTool(const std::string& name, ToolType type, const std::string& caption) {
    if (tools_.Exists(name)) Raise(vberr::KeyAlreadyExists, kSource);
    auto bar = parent_.lock();
    if (!bar) return tools_.Add(name, type, caption);
    // The band shows the bar's own tool, so a tool on several bands stays one tool.
    auto tool = bar->GetTools().Find(name);
    if (!tool) tool = bar->GetTools().Add(name, type, caption);
    return tools_.Add(tool);
}

bool Bands::Exists(const std::string& name) const { return Find(name) != nullptr; }

BandPtr Bands::Find(const std::string& name) const {
    auto found = std::find_if(items_.begin(), items_.end(), [&](const BandPtr& band) {
        return EqualsIgnoreCase(band->Name(), name);
    });
    return found != items_.end() ? *found : nullptr;
}

BandPtr Bands::Item(const std::string& name) const {
    auto band = Find(name);
    if (!band) Raise(vberr::SubscriptOutOfRange, kSource);
    return band;
}

BandPtr Bands::Item(int32_t index) const {
    if (index < 1 || index > Count()) Raise(vberr::SubscriptOutOfRange, kSource);
    return items_[static_cast<size_t>(index - 1)];
}

BandPtr Bands::Add(const std::string& name, BandType type) {
    if (name.empty()) Raise(vberr::InvalidProcedureCall, kSource);
    if (Exists(name)) Raise(vberr::KeyAlreadyExists, kSource);
    auto band = std::make_shared<Band>(name, type);
    band->Adopt(owner_);
    items_.push_back(band);
    return band;
}

void Bands::Remove(const std::string& name) {
    auto found = std::find_if(items_.begin(), items_.end(), [&](const BandPtr& band) {
        return EqualsIgnoreCase(band->Name(), name);
    });
    if (found == items_.end()) Raise(vberr::SubscriptOutOfRange, kSource);
    items_.erase(found);
}

}  // namespace activebar
