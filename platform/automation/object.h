#pragma once
// Every automation object derives from Object and is held by std::shared_ptr. Interfaces are
// tested with std::dynamic_pointer_cast, the way a COM client asks QueryInterface.

#include <memory>
#include <string>

namespace automation {

class Object : public std::enable_shared_from_this<Object> {
  public:
    virtual ~Object() = default;
    // The class name VB's TypeName returns for this object.
    virtual std::string TypeName() const = 0;
};

using ObjectPtr = std::shared_ptr<Object>;

// Casts an object reference to an interface; nothing when the object lacks it.
template <class T>
std::shared_ptr<T> QueryInterface(const ObjectPtr& object) {
    return std::dynamic_pointer_cast<T>(object);
}

}  // namespace automation
