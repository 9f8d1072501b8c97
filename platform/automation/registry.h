#pragma once
// Creation by ProgID. The library registers its creatable classes, the client registers the
// outside components (or a test registers fakes), and code creates them with CreateObject.

#include <platform/automation/errors.h>
#include <platform/automation/object.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace automation {

using ComponentFactory = std::function<ObjectPtr()>;

class ComponentRegistry {
  public:
    // The process's registry.
    static ComponentRegistry& Instance();

    // Registers (or replaces) the factory of a ProgID. ProgIDs compare without regard to case.
    void Register(const std::string& progId, ComponentFactory factory);
    void Unregister(const std::string& progId);
    bool IsRegistered(const std::string& progId) const;
    // Forgets every registration (tests start from a clean registry).
    void Clear();

    // Creates an instance; an unknown ProgID or a factory that gives nothing is error 429.
    ObjectPtr Create(const std::string& progId) const;

  private:
    mutable std::mutex mutex_;
    std::map<std::string, std::pair<std::string, ComponentFactory>> factories_;  // upper-cased key
};

ObjectPtr CreateObject(const std::string& progId);

// Creates and asks for an interface; an object without it is error 430.
template <class T>
std::shared_ptr<T> CreateObject(const std::string& progId) {
    auto object = ComponentRegistry::Instance().Create(progId);
    auto typed = std::dynamic_pointer_cast<T>(object);
    if (!typed) Raise(vberr::InterfaceNotSupported, progId);
    return typed;
}

}  // namespace automation
