#include <platform/automation/registry.h>

#include <platform/automation/strings.h>

namespace automation {

ComponentRegistry& ComponentRegistry::Instance() {
    static ComponentRegistry registry;
    return registry;
}

void ComponentRegistry::Register(const std::string& progId, ComponentFactory factory) {
    std::lock_guard lock(mutex_);
    factories_[UCase(progId)] = {progId, std::move(factory)};
}

void ComponentRegistry::Unregister(const std::string& progId) {
    std::lock_guard lock(mutex_);
    factories_.erase(UCase(progId));
}

bool ComponentRegistry::IsRegistered(const std::string& progId) const {
    std::lock_guard lock(mutex_);
    return factories_.contains(UCase(progId));
}

void ComponentRegistry::Clear() {
    std::lock_guard lock(mutex_);
    factories_.clear();
}

ObjectPtr ComponentRegistry::Create(const std::string& progId) const {
    ComponentFactory factory;
    {
        std::lock_guard lock(mutex_);
        auto found = factories_.find(UCase(progId));
        if (found != factories_.end()) factory = found->second.second;
    }
    ObjectPtr object = factory ? factory() : nullptr;
    if (!object) Raise(vberr::CannotCreateObject, progId);
    return object;
}

ObjectPtr CreateObject(const std::string& progId) {
    return ComponentRegistry::Instance().Create(progId);
}

}  // namespace automation
