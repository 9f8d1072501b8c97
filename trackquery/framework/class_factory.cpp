#include <trackquery/framework/class_factory.h>

#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <mutex>

namespace trackquery {

namespace {

struct ModuleCounts {
    std::mutex mutex;
    int32_t factories = 0;
    int32_t locks = 0;
    std::vector<std::weak_ptr<automation::Object>> instances;
};

ModuleCounts& Counts() {
    static ModuleCounts counts;
    return counts;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads `digits` hex digits from `text` at `pos`.
bool ReadHex(std::string_view text, size_t& pos, int digits, uint64_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i, ++pos) {
        if (pos >= text.size()) return false;
        const int digit = HexValue(text[pos]);
        if (digit < 0) return false;
        value = value * 16 + static_cast<uint64_t>(digit);
    }
    return true;
}

bool Expect(std::string_view text, size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

}  // namespace

bool ParseGuid(std::string_view text, Guid& guid) {
    const bool braced = !text.empty() && text.front() == '{';
    if (braced) {
        if (text.back() != '}') return false;
        text = text.substr(1, text.size() - 2);
    }
    if (text.size() != 36) return false;
    size_t pos = 0;
    uint64_t value = 0;
    Guid parsed;
    if (!ReadHex(text, pos, 8, value)) return false;
    parsed.Data1 = static_cast<uint32_t>(value);
    if (!Expect(text, pos, '-') || !ReadHex(text, pos, 4, value)) return false;
    parsed.Data2 = static_cast<uint16_t>(value);
    if (!Expect(text, pos, '-') || !ReadHex(text, pos, 4, value)) return false;
    parsed.Data3 = static_cast<uint16_t>(value);
    if (!Expect(text, pos, '-')) return false;
    for (int i = 0; i < 8; ++i) {
        if (i == 2 && !Expect(text, pos, '-')) return false;
        if (!ReadHex(text, pos, 2, value)) return false;
        parsed.Data4[i] = static_cast<uint8_t>(value);
    }
    guid = parsed;
    return true;
}

std::string GuidToString(const Guid& guid) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2],
                  guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return buffer;
}

int32_t HResultFromErrorNumber(int32_t number) {
    if (number > 0 && number <= 0xFFFF) return static_cast<int32_t>(0x800A0000u | number);
    return number == 0 ? hresult::E_Fail : number;
}

const std::vector<CreatableClass>& CreatableClasses() {
    static const std::vector<CreatableClass> classes = {
        {"QzICMOTrackQuery.CICMOQuery", "{D9C53283-C22C-455B-B2E5-2488C14FB077}"},
        {"QzICMOTrackQuery.CSeOrderQuery", "{FBD342DE-26B6-4396-9CC6-7D988ECC2CBB}"},
    };
    return classes;
}

const CreatableClass* FindCreatableClass(const Guid& clsid) {
    for (const auto& creatable : CreatableClasses()) {
        Guid known;
        if (ParseGuid(creatable.Clsid, known) && known == clsid) return &creatable;
    }
    return nullptr;
}

ClassFactory::ClassFactory(std::string progId) : progId_(std::move(progId)) {
    std::lock_guard lock(Counts().mutex);
    ++Counts().factories;
}

ClassFactory::~ClassFactory() {
    std::lock_guard lock(Counts().mutex);
    --Counts().factories;
}

uint32_t ClassFactory::AddRef() { return ++references_; }

uint32_t ClassFactory::Release() {
    const uint32_t remaining = --references_;
    if (remaining == 0) delete this;
    return remaining;
}

int32_t ClassFactory::CreateInstance(const void* outer, automation::ObjectPtr* instance) {
    if (!instance) return hresult::E_Pointer;
    instance->reset();
    if (outer) return hresult::Class_E_NoAggregation;
    try {
        auto created = automation::ComponentRegistry::Instance().Create(progId_);
        std::lock_guard lock(Counts().mutex);
        Counts().instances.push_back(created);
        *instance = std::move(created);
        return hresult::S_Ok;
    } catch (const automation::RuntimeError& error) {
        return HResultFromErrorNumber(error.Number());
    } catch (...) {
        // Nothing crosses the server's boundary as an exception: a host sees a result code.
        return hresult::E_Fail;
    }
}

int32_t ClassFactory::LockServer(bool lock) {
    std::lock_guard guard(Counts().mutex);
    Counts().locks += lock ? 1 : -1;
    if (Counts().locks < 0) Counts().locks = 0;
    return hresult::S_Ok;
}

bool CanUnloadServer() {
    auto& counts = Counts();
    std::lock_guard lock(counts.mutex);
    std::erase_if(counts.instances, [](const auto& weak) { return weak.expired(); });
    return counts.factories == 0 && counts.locks == 0 && counts.instances.empty();
}

}  // namespace trackquery
