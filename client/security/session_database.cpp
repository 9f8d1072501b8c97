// The session's ERP database and user, read from the session property string.

#include <client/security/session_database.h>

#include <client/session/share_props.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

namespace client {

namespace {

constexpr char kSource[] = "QzClientSecurity.Session";

// The value of `key` among the "key=value;" entries, skipping the braced connection part.
std::string EntryValue(const std::string& propsString, const std::string& key) {
    size_t at = 0;
    while (at < propsString.size()) {
        const auto equals = propsString.find('=', at);
        if (equals == std::string::npos) break;
        std::string name = propsString.substr(at, equals - at);
        while (!name.empty() && name.front() == ' ') name.erase(0, 1);
        while (!name.empty() && name.back() == ' ') name.pop_back();
        size_t valueStart = propsString.find_first_not_of(' ', equals + 1);
        if (valueStart == std::string::npos) valueStart = propsString.size();
        size_t end = valueStart;
        if (valueStart < propsString.size() && propsString[valueStart] == '{') {
            end = propsString.find('}', valueStart);
            if (end == std::string::npos) end = propsString.size();
        }
        end = propsString.find(';', end);
        if (end == std::string::npos) end = propsString.size();
        if (automation::EqualsIgnoreCase(name, key)) {
            std::string value = propsString.substr(valueStart, end - valueStart);
            while (!value.empty() && value.back() == ' ') value.pop_back();
            return value;
        }
        at = end + 1;
    }
    return "";
}

}  // namespace

std::string SessionPropsString() {
    const auto value = ShareProps().GetProperty(CurrentProcessId(), "PropsString");
    if (!value.IsString())
        automation::Raise(automation::vberr::ObjectVariableNotSet, kSource,
                          "The client session has no property string.");
    return value.AsString();
}

std::string ConnectionPart(const std::string& propsString) {
    const auto open = propsString.find('{');
    const auto close = open == std::string::npos ? open : propsString.find('}', open + 1);
    if (close == std::string::npos)
        automation::Raise(automation::vberr::InvalidProcedureCall, kSource,
                          "The session property string names no database.");
    return propsString.substr(open + 1, close - open - 1);
}

int32_t SessionUserID(const std::string& propsString) {
    const std::string text = EntryValue(propsString, "UserID");
    if (text.empty() || !automation::IsNumeric(automation::Variant(text)))
        automation::Raise(automation::vberr::TypeMismatch, kSource,
                          "The session property string holds no user id.");
    return automation::CLng(automation::Variant(text));
}

adodb::ConnectionPtr OpenSessionDatabase(const std::string& propsString, bool readOnly) {
    auto cnn = std::make_shared<adodb::Connection>();
    cnn->Open(ConnectionPart(propsString) + (readOnly ? ";Mode=Read" : ""));
    return cnn;
}

}  // namespace client
