#include <client/middle_tier/middle_tier_support.h>

#include <platform/automation/conversions.h>
#include <platform/automation/strings.h>

#include <cctype>
#include <chrono>
#include <cstdio>

namespace client::middle_tier {

using automation::Variant;

void Fail(const std::string& procedure, const std::string& description) {
    automation::Raise(kServerError, "QzMICMOTrackQuery." + procedure, description);
}

std::string ConnectionPartOf(const std::string& props) {
    const auto open = props.find('{');
    if (open == std::string::npos) return "";
    const auto close = props.find('}', open + 1);
    if (close == std::string::npos) return "";
    return props.substr(open + 1, close - open - 1);
}

adodb::ConnectionPtr OpenErpDatabase(const std::string& props, bool forWriting) {
    const std::string part = ConnectionPartOf(props);
    if (part.empty()) {
        Fail("OpenErpDatabase",
             "The session property string names no database (no {connection} part).");
    }
    auto db = std::make_shared<adodb::Connection>();
    db->Open(forWriting ? part : part + ";Mode=Read");
    return db;
}

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<std::string> PropsValue(const std::string& props, const std::string& key) {
    size_t pos = 0;
    while (pos < props.size()) {
        const auto equals = props.find('=', pos);
        if (equals == std::string::npos) break;
        const std::string name = Trim(props.substr(pos, equals - pos));
        size_t valueStart = props.find_first_not_of(' ', equals + 1);
        if (valueStart == std::string::npos) valueStart = props.size();
        std::string value;
        size_t next;
        if (valueStart < props.size() && props[valueStart] == '{') {
            const auto close = props.find('}', valueStart + 1);
            const auto end = close == std::string::npos ? props.size() : close;
            value = props.substr(valueStart + 1, end - valueStart - 1);
            const auto semicolon = props.find(';', end);
            next = semicolon == std::string::npos ? props.size() : semicolon + 1;
        } else {
            const auto semicolon = props.find(';', valueStart);
            const auto end = semicolon == std::string::npos ? props.size() : semicolon;
            value = Trim(props.substr(valueStart, end - valueStart));
            next = end + 1;
        }
        if (automation::EqualsIgnoreCase(name, key)) return value;
        pos = next;
    }
    return std::nullopt;
}

int32_t SessionUserID(const std::string& props) {
    const auto text = PropsValue(props, "UserID");
    const auto id = text ? WholeNumber(Variant(*text)) : std::nullopt;
    if (!id || *id < INT32_MIN || *id > INT32_MAX) {
        Fail("SessionUserID", "The session property string holds no valid UserID.");
    }
    return static_cast<int32_t>(*id);
}

std::optional<int64_t> WholeNumber(const Variant& value) {
    switch (value.Type()) {
        case automation::VarType::Integer:
        case automation::VarType::Long:
            return value.Type() == automation::VarType::Integer ? value.AsInteger()
                                                                : value.AsLong();
        case automation::VarType::Single:
        case automation::VarType::Double: {
            const double number = automation::CDbl(value);
            if (number != static_cast<double>(static_cast<int64_t>(number))) return std::nullopt;
            return static_cast<int64_t>(number);
        }
        case automation::VarType::String: {
            const std::string text = Trim(value.AsString());
            if (text.empty() || text.size() > 18) return std::nullopt;
            size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
            if (i == text.size()) return std::nullopt;
            for (size_t j = i; j < text.size(); ++j) {
                if (!std::isdigit(static_cast<unsigned char>(text[j]))) return std::nullopt;
            }
            return std::stoll(text);
        }
        default:
            return std::nullopt;
    }
}

std::vector<int64_t> KindList(const Variant& selector) {
    std::vector<int64_t> kinds;
    if (!selector.IsString()) {
        const auto kind = WholeNumber(selector);
        if (!kind) Fail("KindList", "The bill kind selector is not a number or a list of numbers.");
        kinds.push_back(*kind);
        return kinds;
    }
    const std::string& text = selector.AsString();
    size_t pos = 0;
    while (pos <= text.size()) {
        const auto comma = text.find(',', pos);
        const auto end = comma == std::string::npos ? text.size() : comma;
        const std::string item = Trim(text.substr(pos, end - pos));
        if (!item.empty()) {
            const auto kind = WholeNumber(Variant(item));
            if (!kind)
                Fail("KindList", "The bill kind list holds \"" + item + "\", which is no number.");
            kinds.push_back(*kind);
        }
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    return kinds;
}

bool IsPlainName(const std::string& name) {
    if (name.empty() || name.size() > 64) return false;
    if (!std::isalpha(static_cast<unsigned char>(name[0])) && name[0] != '_') return false;
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

std::string JsonArray(const std::vector<int64_t>& values) {
    std::string json = "[";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) json += ",";
        json += std::to_string(values[i]);
    }
    return json + "]";
}

double DateSerialOf(int year, int month, int day) {
    // Days since 1970-01-01 (proleptic Gregorian), shifted to VB's 1899-12-30 origin.
    auto daysFromCivil = [](int64_t y, int64_t m, int64_t d) {
        y -= m <= 2;
        const int64_t era = (y >= 0 ? y : y - 399) / 400;
        const int64_t yoe = y - era * 400;
        const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
        const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe - 719468;
    };
    return static_cast<double>(daysFromCivil(year, month, day) - daysFromCivil(1899, 12, 30));
}

automation::DateValue ServerDate(adodb::Connection& db) {
    auto rs = db.Execute(
        "SELECT FValue FROM t_SystemProfile WHERE FCategory = 'Base' AND FKey = 'SysDate'");
    int y = 0, m = 0, d = 0;
    if (!rs->Eof()) {
        const Variant value = rs->Value("FValue");
        if (value.IsString() &&
            std::sscanf(value.AsString().c_str(), "%4d-%2d-%2d", &y, &m, &d) == 3) {
            return {DateSerialOf(y, m, d)};
        }
    }
    const auto now = std::chrono::system_clock::now();
    const auto days = std::chrono::floor<std::chrono::days>(now);
    const std::chrono::year_month_day today{days};
    return {DateSerialOf(static_cast<int>(today.year()), static_cast<int>(unsigned(today.month())),
                         static_cast<int>(unsigned(today.day())))};
}

adodb::RecordsetPtr NewRecordset(const std::vector<std::string>& fields) {
    auto rs = std::make_shared<adodb::Recordset>();
    for (const auto& field : fields) rs->Fields()->Append(field, adodb::adVariant);
    rs->Open();
    return rs;
}

void AppendRow(const adodb::RecordsetPtr& rs, const std::vector<Variant>& values) {
    rs->LoadRow(values);
}

}  // namespace client::middle_tier
