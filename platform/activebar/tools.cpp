#include <platform/activebar/tools.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <algorithm>

namespace activebar {

using automation::EqualsIgnoreCase;
using automation::Raise;
namespace vberr = automation::vberr;

namespace {
constexpr const char* kSource = "ActiveBarLibraryCtl.Tools";
}

bool Tools::Exists(const std::string& name) const { return Find(name) != nullptr; }

ToolPtr Tools::Find(const std::string& name) const {
    auto found = std::find_if(items_.begin(), items_.end(), [&](const ToolPtr& tool) {
        return EqualsIgnoreCase(tool->Name(), name);
    });
    return found != items_.end() ? *found : nullptr;
}

ToolPtr Tools::Item(const std::string& name) const {
    auto tool = Find(name);
    if (!tool) Raise(vberr::SubscriptOutOfRange, kSource);
    return tool;
}

ToolPtr Tools::Item(int32_t index) const {
    if (index < 1 || index > Count()) Raise(vberr::SubscriptOutOfRange, kSource);
    return items_[static_cast<size_t>(index - 1)];
}

ToolPtr Tools::Add(const std::string& name, ToolType type, const std::string& caption) {
    auto tool = std::make_shared<Tool>(name, type);
    tool->SetCaption(caption);
    return Add(tool);
}

ToolPtr Tools::Add(const ToolPtr& tool) {
    if (!tool) Raise(vberr::ObjectVariableNotSet, kSource);
    if (tool->Name().empty()) Raise(vberr::InvalidProcedureCall, kSource);
    if (Exists(tool->Name())) Raise(vberr::KeyAlreadyExists, kSource);
    tool->Adopt(owner_);
    items_.push_back(tool);
    return tool;
}

void Tools::Remove(const std::string& name) {
    auto found = std::find_if(items_.begin(), items_.end(), [&](const ToolPtr& tool) {
        return EqualsIgnoreCase(tool->Name(), name);
    });
    if (found == items_.end()) Raise(vberr::SubscriptOutOfRange, kSource);
    items_.erase(found);
}

}  // namespace activebar
