#include <components/middle_tier/middle_tier_support.h>

#include <contracts/props_string.h>

#include <platform/automation/conversions.h>
#include <platform/automation/dates.h>
#include <platform/automation/strings.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <map>

namespace client::middle_tier {

using automation::Variant;

void Fail(const std::string& procedure, const std::string& description) {
    automation::Raise(kServerError, "QzMICMOTrackQuery." + procedure, description);
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
            const std::string text = automation::TrimWhitespace(value.AsString());
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
        const std::string item = automation::TrimWhitespace(text.substr(pos, end - pos));
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

std::string NumberList(const adodb::Connection& db) {
    if (db.Engine() == adodb::DatabaseEngine::PostgreSQL) {
        return "(SELECT CAST(value AS bigint) FROM json_array_elements_text(CAST(? AS json)) "
               "AS value)";
    }
    return "(SELECT value FROM json_each(?))";
}

automation::DateValue ServerDate(adodb::Connection& db) {
    auto rs = db.Execute(
        "SELECT FValue FROM t_SystemProfile WHERE FCategory = 'Base' AND FKey = 'SysDate'");
    int y = 0, m = 0, d = 0;
    if (!rs->Eof()) {
        const Variant value = rs->Value("FValue");
        if (value.IsString() &&
            std::sscanf(value.AsString().c_str(), "%4d-%2d-%2d", &y, &m, &d) == 3) {
            return automation::DateSerial(y, m, d);
        }
    }
    const std::chrono::year_month_day today{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    return automation::DateSerial(static_cast<int>(today.year()),
                                  static_cast<int>(unsigned(today.month())),
                                  static_cast<int>(unsigned(today.day())));
}

adodb::RecordsetPtr NewRecordset(const std::vector<std::string>& fields) {
    auto rs = std::make_shared<adodb::Recordset>();
    for (const auto& field : fields) {
        rs->AppendField({field, adodb::adVariant, 0, adodb::adFldUnspecified});
    }
    rs->Open();
    return rs;
}

void AppendRow(const adodb::RecordsetPtr& rs, const std::vector<Variant>& values) {
    rs->LoadRow(values);
}

std::string SessionLanguage(const std::string& props) {
    const std::string language =
        automation::LCase(trackquery::PropsValue(props, "Language").value_or(""));
    return language == "cht" || language == "en" ? language : "chs";
}

std::string CaptionIn(const std::string& language, const std::string& alias) {
    const std::string column = alias + (language == "en" ? ".FCaption_EN" : ".FCaption_CHT");
    if (language == "chs") return alias + ".FCaption";
    return "CASE WHEN IFNULL(" + column + ", '') <> '' THEN " + column + " ELSE " + alias +
           ".FCaption END";
}

void TranslateLabels(adodb::Connection& db, const adodb::RecordsetPtr& rs,
                     const std::string& language, const std::vector<std::string>& columns) {
    if (language == "chs" || !rs || rs->RecordCount() == 0) return;
    std::vector<std::string> present;
    for (const auto& column : columns) {
        for (int32_t i = 0; i < rs->FieldCount(); ++i) {
            if (automation::EqualsIgnoreCase(rs->FieldAt(i).Name, column))
                present.push_back(column);
        }
    }
    if (present.empty()) return;
    std::map<std::string, std::string> words;
    auto table = db.Execute("SELECT FCaption, " +
                            std::string(language == "en" ? "FCaption_EN" : "FCaption_CHT") +
                            " AS FText FROM ICTrackCaption");
    for (; !table->Eof(); table->MoveNext()) {
        words[automation::CStr(table->Value("FCaption"))] = automation::CStr(table->Value("FText"));
    }
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        for (const auto& column : present) {
            const Variant value = rs->Value(column);
            if (!value.IsString()) continue;
            const auto found = words.find(value.AsString());
            if (found != words.end() && !found->second.empty())
                rs->SetValue(Variant(column), found->second);
        }
        rs->Update();
    }
    rs->MoveFirst();
}

}  // namespace client::middle_tier
