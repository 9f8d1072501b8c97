#include <components/session/share_props.h>

#include <platform/automation/strings.h>

#include <unistd.h>

#include <map>
#include <mutex>
#include <utility>

namespace client {

namespace {

// Properties by process id, then by upper-cased name.
struct PropertyStore {
    std::mutex mutex;
    std::map<int32_t, std::map<std::string, automation::Variant>> byProcess;
};

PropertyStore& Store() {
    static PropertyStore store;
    return store;
}

}  // namespace

int32_t CurrentProcessId() { return static_cast<int32_t>(::getpid()); }

void SetSessionProperty(const std::string& name, const automation::Variant& value) {
    SetSessionProperty(CurrentProcessId(), name, value);
}

void SetSessionProperty(int32_t processId, const std::string& name,
                        const automation::Variant& value) {
    auto& store = Store();
    std::lock_guard lock(store.mutex);
    store.byProcess[processId][automation::UCase(name)] = value;
}

void SetPropsString(const std::string& propsString) {
    SetSessionProperty("PropsString", propsString);
}

void SetSessionUserName(const std::string& userName) { SetSessionProperty("UserName", userName); }

void ClearSessionProperties() {
    auto& store = Store();
    std::lock_guard lock(store.mutex);
    store.byProcess.clear();
}

automation::Variant ShareProps::GetProperty(int32_t processId, const std::string& name) {
    auto& store = Store();
    std::lock_guard lock(store.mutex);
    auto process = store.byProcess.find(processId);
    if (process == store.byProcess.end()) return {};
    auto property = process->second.find(automation::UCase(name));
    return property == process->second.end() ? automation::Variant() : property->second;
}

}  // namespace client
