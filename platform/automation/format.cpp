#include <platform/automation/format.h>

#include <platform/automation/conversions.h>
#include <platform/automation/date_parts.h>
#include <platform/automation/errors.h>
#include <platform/automation/format_patterns.h>
#include <platform/automation/number_text.h>
#include <platform/automation/strings.h>

#include <cctype>
#include <cmath>
#include <optional>
#include <utility>

namespace automation {

namespace detail {

namespace {

// Calls `visit(i, c)` for each character of the pattern that is not quoted or escaped.
template <class Visit>
void ForEachPatternCharacter(std::string_view pattern, Visit visit) {
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '"') {
            const size_t close = pattern.find('"', i + 1);
            i = close == std::string_view::npos ? pattern.size() : close;
        } else if (pattern[i] == '\\') {
            ++i;
        } else {
            visit(i, pattern[i]);
        }
    }
}

}  // namespace

std::vector<std::string> SplitSections(std::string_view pattern) {
    std::vector<std::string> sections;
    size_t begin = 0;
    ForEachPatternCharacter(pattern, [&](size_t i, char c) {
        if (c != ';') return;
        sections.emplace_back(pattern.substr(begin, i - begin));
        begin = i + 1;
    });
    sections.emplace_back(pattern.substr(begin));
    return sections;
}

PatternKind KindOfPattern(std::string_view section) {
    bool digits = false, dates = false, texts = false;
    ForEachPatternCharacter(section, [&](size_t i, char c) {
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c == '0' || c == '#') digits = true;
        if (std::string_view("dmyhnswqc").find(lower) != std::string_view::npos) dates = true;
        if ((lower == 'a' && i + 1 < section.size() &&
             (section[i + 1] == '/' || std::tolower(section[i + 1]) == 'm')))
            dates = true;
        if (std::string_view("@&<>!").find(c) != std::string_view::npos) texts = true;
    });
    if (digits) return PatternKind::Number;
    if (dates) return PatternKind::Date;
    if (texts) return PatternKind::Text;
    return PatternKind::Number;
}

std::string FormatText(std::string_view text, std::string_view pattern) {
    std::string shown(text);
    bool fromLeft = false;
    ForEachPatternCharacter(pattern, [&](size_t, char c) {
        if (c == '<') shown = LCase(shown);
        if (c == '>') shown = UCase(shown);
        if (c == '!') fromLeft = true;
    });
    // The pattern as placeholders ('@' or '&') and literal texts (placeholder 0), in order.
    std::vector<std::pair<char, std::string>> parts;
    size_t placeholders = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        std::string literal;
        if (c == '"') {
            const size_t close = pattern.find('"', i + 1);
            const size_t end = close == std::string_view::npos ? pattern.size() : close;
            literal = pattern.substr(i + 1, end - i - 1);
            i = end;
        } else if (c == '\\' && i + 1 < pattern.size()) {
            literal = pattern[++i];
        } else if (c == '@' || c == '&') {
            parts.push_back({c, {}});
            ++placeholders;
            continue;
        } else if (c != '<' && c != '>' && c != '!') {
            literal = c;
        }
        if (!literal.empty()) parts.push_back({0, literal});
    }
    std::vector<std::string> characters;
    for (int32_t k = 1; k <= Len(shown); ++k) characters.push_back(Mid(shown, k, 1));
    const size_t count = characters.size();
    // Each placeholder takes one character; those left over go before the first placeholder
    // (filling from the right) or after the last one (filling from the left).
    const size_t spare = count > placeholders ? count - placeholders : 0;
    std::string out;
    size_t slot = 0;
    for (const auto& [placeholder, literal] : parts) {
        if (placeholder == 0) {
            out += literal;
            continue;
        }
        if (!fromLeft && slot == 0)
            for (size_t k = 0; k < spare; ++k) out += characters[k];
        // The character index this slot shows, counted so that the text lines up on the side the
        // fill starts from.
        const long index = fromLeft ? static_cast<long>(slot)
                                    : static_cast<long>(slot) + static_cast<long>(count) -
                                          static_cast<long>(placeholders);
        if (index >= 0 && index < static_cast<long>(count))
            out += characters[static_cast<size_t>(index)];
        else if (placeholder == '@')
            out += ' ';
        ++slot;
        if (fromLeft && slot == placeholders)
            for (size_t k = placeholders; k < count; ++k) out += characters[k];
    }
    if (placeholders == 0) out.insert(0, shown);
    return out;
}

}  // namespace detail

namespace {

using detail::PatternKind;

// The named formats, as the en-US locale (with the ISO short date of CStr) spells them out.
std::optional<std::string_view> NamedPattern(std::string_view name) {
    static constexpr std::pair<std::string_view, std::string_view> kNamed[] = {
        {"Currency", "$#,##0.00;($#,##0.00)"},
        {"Fixed", "0.00"},
        {"Standard", "#,##0.00"},
        {"Percent", "0.00%"},
        {"Scientific", "0.00E+00"},
        {"Long Date", "dddd, mmmm d, yyyy"},
        {"Medium Date", "dd-mmm-yy"},
        {"Short Date", "yyyy-mm-dd"},
        {"Long Time", "h:nn:ss AM/PM"},
        {"Medium Time", "hh:nn AM/PM"},
        {"Short Time", "hh:nn"},
    };
    for (const auto& [named, pattern] : kNamed)
        if (EqualsIgnoreCase(named, name)) return pattern;
    return std::nullopt;
}

// "Yes/No", "True/False", "On/Off": the first word for a non-zero number, the second for zero.
std::optional<std::string> TwoWordFormat(const Variant& value, std::string_view name) {
    static constexpr std::string_view kWords[][2] = {
        {"Yes", "No"}, {"True", "False"}, {"On", "Off"}};
    for (const auto& words : kWords) {
        if (!EqualsIgnoreCase(name, std::string(words[0]) + "/" + std::string(words[1]))) continue;
        if (value.IsString() && !IsNumeric(value)) return value.AsString();
        return std::string(CDbl(value) != 0 ? words[0] : words[1]);
    }
    return std::nullopt;
}

// Without a pattern a value shows as CStr writes it; Null and Empty show nothing.
std::string FormatWithoutPattern(const Variant& value) {
    if (value.IsNull() || value.IsEmpty()) return "";
    return CStr(value);
}

std::string FormatAsNumber(const Variant& value, std::string_view pattern) {
    double number = 0;
    if (value.Type() == VarType::String) {
        // A text that is not a number is returned as it stands.
        auto parsed = detail::ParseNumber(value.AsString());
        if (!parsed || !std::isfinite(*parsed)) return value.AsString();
        number = *parsed;
    } else {
        number = CDbl(value);
    }
    return detail::FormatNumber(number, pattern);
}

std::string FormatAsDate(const Variant& value, std::string_view pattern) {
    double serial = 0;
    if (value.Type() == VarType::String) {
        // A date text, or a number text taken as a serial; any other text is returned as it
        // stands.
        const auto& text = value.AsString();
        auto date = detail::ParseDateText(text);
        auto number = date ? date : detail::ParseNumber(text);
        if (!number || !detail::IsDateSerialInRange(*number)) return text;
        serial = *number;
    } else {
        serial = CDbl(value);
        if (!detail::IsDateSerialInRange(serial)) Raise(vberr::Overflow);
    }
    return detail::FormatDate(serial, pattern);
}

}  // namespace

std::string Format(const Variant& value, std::string_view pattern) {
    if (pattern.empty()) return FormatWithoutPattern(value);
    // Null shows the pattern's Null section (a fourth number section), or nothing. Empty shows
    // nothing with every pattern: a value that was never set is not shown as a zero or a date.
    if (value.IsNull()) return detail::FormatNullSection(pattern);
    if (value.IsEmpty()) return "";
    if (EqualsIgnoreCase(pattern, "General Number")) {
        if (value.IsString() && !IsNumeric(value)) return value.AsString();
        return CStr(CDbl(value));
    }
    if (EqualsIgnoreCase(pattern, "General Date")) return FormatAsDate(value, "c");
    if (auto words = TwoWordFormat(value, pattern)) return *words;
    if (auto named = NamedPattern(pattern)) return Format(value, *named);
    const auto sections = detail::SplitSections(pattern);
    switch (detail::KindOfPattern(sections.front())) {
        case PatternKind::Number:
            return FormatAsNumber(value, pattern);
        case PatternKind::Date:
            return FormatAsDate(value, sections.front());
        case PatternKind::Text:
            return detail::FormatText(CStr(value), sections.front());
    }
    return CStr(value);
}

}  // namespace automation
