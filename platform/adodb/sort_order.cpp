#include <platform/adodb/sort_order.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <cctype>

namespace adodb::internal {

namespace {

std::vector<std::string> SplitOnCommas(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        parts.push_back(automation::TrimWhitespace(text.substr(start, comma - start)));
        if (comma == std::string::npos) return parts;
        start = comma + 1;
    }
}

[[noreturn]] void Unreadable(const std::string& order, const std::string& what) {
    automation::Raise(adoerr::InvalidArgument, "ADODB.Recordset",
                      "The sort order \"" + order + "\" cannot be read: " + what + ".");
}

// Splits "Name DESC" or "[Long Name] ASC" into the name and the rest.
std::pair<std::string, std::string> NameAndDirection(const std::string& order,
                                                     const std::string& part) {
    if (!part.empty() && part.front() == '[') {
        const size_t close = part.find(']');
        if (close == std::string::npos) Unreadable(order, "\"]\" is missing");
        return {part.substr(1, close - 1), automation::TrimWhitespace(part.substr(close + 1))};
    }
    size_t end = 0;
    while (end < part.size() && !std::isspace(static_cast<unsigned char>(part[end]))) ++end;
    return {part.substr(0, end), automation::TrimWhitespace(part.substr(end))};
}

int32_t FieldNamed(const std::string& order, const std::string& name,
                   const std::vector<FieldInfo>& fields) {
    for (size_t i = 0; i < fields.size(); ++i)
        if (automation::EqualsIgnoreCase(fields[i].Name, name)) return static_cast<int32_t>(i);
    automation::Raise(adoerr::ItemNotFound, "ADODB.Recordset",
                      "The sort order \"" + order + "\" names the field \"" + name +
                          "\", which the record set does not have.");
}

}  // namespace

std::vector<SortKey> ParseSortOrder(const std::string& order,
                                    const std::vector<FieldInfo>& fields) {
    std::vector<SortKey> keys;
    if (automation::TrimWhitespace(order).empty()) return keys;
    for (const std::string& part : SplitOnCommas(order)) {
        if (part.empty()) Unreadable(order, "a field name is missing");
        auto [name, direction] = NameAndDirection(order, part);
        if (name.empty()) Unreadable(order, "a field name is missing");
        SortKey key;
        key.field = FieldNamed(order, name, fields);
        if (automation::EqualsIgnoreCase(direction, "DESC"))
            key.descending = true;
        else if (!direction.empty() && !automation::EqualsIgnoreCase(direction, "ASC"))
            Unreadable(order, "\"" + direction + "\" is not ASC or DESC");
        keys.push_back(key);
    }
    return keys;
}

bool RowGoesBefore(const std::vector<automation::Variant>& a,
                   const std::vector<automation::Variant>& b, const std::vector<SortKey>& keys) {
    for (const SortKey& key : keys) {
        const int order = CompareForSort(a[key.field], b[key.field]);
        if (order != 0) return key.descending ? order > 0 : order < 0;
    }
    return false;
}

}  // namespace adodb::internal
