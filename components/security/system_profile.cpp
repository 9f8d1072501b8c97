// The system profile readers.

#include <components/security/system_profile.h>

#include <components/session/kept_connections.h>
#include <components/session/session_database.h>

#include <platform/adodb/connection.h>
#include <platform/automation/conversions.h>

#include <charconv>

namespace client {

using automation::Variant;

namespace {

// Profiles are kept as text; a whole number is handed out as a number so that callers reading a
// switch get 0 or 1 rather than "0" or "1".
Variant AsProfileValue(const Variant& stored) {
    if (!stored.IsString()) return stored;
    const auto& text = stored.AsString();
    int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error == std::errc() && end == text.data() + text.size() && !text.empty())
        return Variant(number);
    return stored;
}

}  // namespace

Variant ReadSystemProfile(const std::string& propsString, const std::string& category,
                          const std::string& key) {
    ReadSession cnn(propsString);
    auto rs = cnn->Execute(
        "SELECT FValue FROM t_SystemProfile WHERE UPPER(FCategory)=UPPER(?) AND "
        "UPPER(FKey)=UPPER(?)",
        {Variant(category), Variant(key)});
    if (rs->Eof()) return Variant(automation::Null);
    return AsProfileValue(rs->Value("FValue"));
}

Variant SystemProfile::GetProfile(const std::string& propsString, const std::string& category,
                                  const std::string& key) {
    return ReadSystemProfile(propsString, category, key);
}

Variant SystemFunc::GetSystemProfile(const std::string& propsString, const std::string& key,
                                     const std::string& category) {
    return ReadSystemProfile(propsString, category, key);
}

}  // namespace client
