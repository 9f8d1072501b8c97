#pragma once
// What the component server hands out: the class identities of the library's creatable classes
// and the class factories that create them through the process's ComponentRegistry. The module
// keeps count of live factories, server locks and instances, so that the server can tell whether
// it may be unloaded.

#include <platform/automation/object.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trackquery {

// A class or interface identity in the layout a component server receives it.
struct Guid {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};
    friend bool operator==(const Guid&, const Guid&) = default;
};

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" (braces optional on input; any letter case).
bool ParseGuid(std::string_view text, Guid& guid);
std::string GuidToString(const Guid& guid);

// Result codes of the server and factory calls.
namespace hresult {
inline constexpr int32_t S_Ok = 0;
inline constexpr int32_t S_False = 1;
inline constexpr int32_t E_NoInterface = static_cast<int32_t>(0x80004002u);
inline constexpr int32_t E_Pointer = static_cast<int32_t>(0x80004003u);
inline constexpr int32_t E_Fail = static_cast<int32_t>(0x80004005u);
inline constexpr int32_t Class_E_NoAggregation = static_cast<int32_t>(0x80040110u);
inline constexpr int32_t Class_E_ClassNotAvailable = static_cast<int32_t>(0x80040111u);
inline constexpr int32_t SelfReg_E_Class = static_cast<int32_t>(0x80040201u);
}  // namespace hresult

// The run-time error number as a result code: VB's errors (1 to 65535) in facility 0xA, other
// numbers (already result codes) unchanged.
int32_t HResultFromErrorNumber(int32_t number);

inline constexpr std::string_view kIID_IUnknown = "{00000000-0000-0000-C000-000000000046}";
inline constexpr std::string_view kIID_IClassFactory = "{00000001-0000-0000-C000-000000000046}";

struct CreatableClass {
    std::string ProgId;
    std::string Clsid;
};

// The classes a host may create from this library.
const std::vector<CreatableClass>& CreatableClasses();
// The class with this identity, or nullptr.
const CreatableClass* FindCreatableClass(const Guid& clsid);

// A class factory as the server hands it out: counted references, the object deleted by its last
// Release. The members are virtual so that a host that loaded the server reaches the server's own
// code through the object. CreateInstance asks the process's ComponentRegistry for the ProgID, so
// the class must have been registered (RegisterCreatableClasses).
class ClassFactory {
  public:
    explicit ClassFactory(std::string progId);
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    virtual uint32_t AddRef();
    virtual uint32_t Release();
    // Creates an instance into `instance`. An outer object (aggregation) is refused; a failure
    // of the class's creation comes back as its result code and leaves `instance` empty.
    virtual int32_t CreateInstance(const void* outer, automation::ObjectPtr* instance);
    virtual int32_t LockServer(bool lock);
    const std::string& ProgId() const { return progId_; }

  protected:
    virtual ~ClassFactory();

  private:
    std::string progId_;
    uint32_t references_ = 1;
};

// True when no factory, lock or created instance of this module is alive.
bool CanUnloadServer();

}  // namespace trackquery
