#include <contracts/props_string.h>

#include <platform/automation/strings.h>

namespace trackquery {

std::string CutToken(std::string& text, const std::string& separator) {
    if (text.empty()) return {};
    // Letter case is ignored; UCase changes ASCII letters only, so positions stay the same.
    auto at = separator.empty() ? std::string::npos
                                : automation::UCase(text).find(automation::UCase(separator));
    if (at == std::string::npos) {
        std::string token;
        token.swap(text);
        return token;
    }
    std::string token = text.substr(0, at);
    text.erase(0, at + separator.size());
    return token;
}

std::string CutKey(std::string& text) { return automation::Trim(CutToken(text, "=")); }

std::string CutValue(std::string& text) {
    text = automation::Trim(text);
    std::string value;
    if (text.starts_with('{')) {
        text.erase(0, 1);
        value = CutToken(text, "}");
        CutToken(text, ";");  // whatever stands between the "}" and the ";" is dropped
    } else {
        value = CutToken(text, ";");
    }
    return automation::Trim(value);
}

PropsEntry CutEntry(std::string& text) {
    PropsEntry entry;
    entry.key = CutKey(text);
    entry.braced = automation::LTrim(text).starts_with('{');
    entry.value = CutValue(text);
    return entry;
}

std::vector<PropsEntry> PropsEntries(std::string_view props) {
    std::vector<PropsEntry> entries;
    std::string rest(props);
    for (PropsEntry entry = CutEntry(rest); !entry.key.empty(); entry = CutEntry(rest)) {
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::optional<std::string> PropsValue(std::string_view props, std::string_view key) {
    for (auto& entry : PropsEntries(props)) {
        if (automation::EqualsIgnoreCase(entry.key, key)) return std::move(entry.value);
    }
    return std::nullopt;
}

}  // namespace trackquery
