// libQzICMOTrackQuery.so: the tracking library as an in-process component server. A host loads
// the object, registers it once (DllRegisterServer), asks it for the class factory of a class
// identity (DllGetClassObject) and, when it is done, asks whether it may unload it
// (DllCanUnloadNow). Registration is kept in the registry file (server_registry_file.h).

#include <trackquery/framework/class_factory.h>
#include <trackquery/framework/server_registry_file.h>
#include <trackquery/server/library.h>

#include <dlfcn.h>

#include <cstdint>
#include <exception>
#include <string>

namespace {

// The path of this shared object, as the registry records it.
std::string ThisServerPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ThisServerPath), &info) == 0 || !info.dli_fname) return {};
    return info.dli_fname;
}

bool IsIdentity(const trackquery::Guid& guid, std::string_view text) {
    trackquery::Guid known;
    return trackquery::ParseGuid(text, known) && known == guid;
}

}  // namespace

// The exports are C functions: no exception may cross them, whatever it is. Each answers a result
// code instead.
extern "C" {

__attribute__((visibility("default"))) int32_t DllRegisterServer() {
    try {
        trackquery::RegisterCreatableClasses();
        trackquery::ServerRegistryFile registry(trackquery::RegistryFilePath());
        registry.Load();
        for (const auto& creatable : trackquery::CreatableClasses()) {
            registry.Set(creatable.ProgId, {creatable.Clsid, ThisServerPath()});
        }
        registry.Save();
        return trackquery::hresult::S_Ok;
    } catch (...) {
        // A boundary: whatever failed, the host sees a result code.
        return trackquery::hresult::SelfReg_E_Class;
    }
}

__attribute__((visibility("default"))) int32_t DllUnregisterServer() {
    try {
        trackquery::ServerRegistryFile registry(trackquery::RegistryFilePath());
        registry.Load();
        for (const auto& creatable : trackquery::CreatableClasses())
            registry.Remove(creatable.ProgId);
        registry.Save();
        return trackquery::hresult::S_Ok;
    } catch (...) {
        // A boundary: whatever failed, the host sees a result code.
        return trackquery::hresult::SelfReg_E_Class;
    }
}

// Hands out a trackquery::ClassFactory (one reference, released with Release) for a class of
// this server. `riid` must be IUnknown or IClassFactory.
__attribute__((visibility("default"))) int32_t DllGetClassObject(const trackquery::Guid* rclsid,
                                                                 const trackquery::Guid* riid,
                                                                 void** ppv) {
    if (!ppv) return trackquery::hresult::E_Pointer;
    *ppv = nullptr;
    if (!rclsid || !riid) return trackquery::hresult::E_Pointer;
    const trackquery::CreatableClass* creatable = trackquery::FindCreatableClass(*rclsid);
    if (!creatable) return trackquery::hresult::Class_E_ClassNotAvailable;
    if (!IsIdentity(*riid, trackquery::kIID_IClassFactory) &&
        !IsIdentity(*riid, trackquery::kIID_IUnknown)) {
        return trackquery::hresult::E_NoInterface;
    }
    try {
        trackquery::RegisterCreatableClasses();
        *ppv = new trackquery::ClassFactory(creatable->ProgId);
        return trackquery::hresult::S_Ok;
    } catch (...) {
        // A boundary: whatever failed, the host sees a result code.
        return trackquery::hresult::E_Fail;
    }
}

__attribute__((visibility("default"))) int32_t DllCanUnloadNow() {
    return trackquery::CanUnloadServer() ? trackquery::hresult::S_Ok : trackquery::hresult::S_False;
}

}  // extern "C"
