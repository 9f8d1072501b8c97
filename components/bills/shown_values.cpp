// How the bill windows and lists show values.

#include <components/bills/shown_values.h>

#include <platform/automation/display_width.h>

#include <platform/automation/conversions.h>
#include <platform/automation/format.h>

#include <algorithm>
#include <cmath>

namespace client {

namespace {

// The fewest decimals (up to `most`) that show the value as it is stored.
int32_t DecimalsOf(double value, int32_t most) {
    for (int32_t decimals = 0; decimals < most; ++decimals) {
        const double scale = std::pow(10.0, decimals);
        if (std::abs(std::round(value * scale) / scale - value) < 1e-9) return decimals;
    }
    return most;
}

std::string PadTo(const std::string& text, int width, int32_t align) {
    const auto gap = static_cast<size_t>(std::max(0, width - automation::DisplayWidth(text)));
    return align == 1 ? std::string(gap, ' ') + text : text + std::string(gap, ' ');
}

}  // namespace

int32_t AlignmentOf(ValueKind kind) {
    switch (kind) {
        case ValueKind::Integer:
        case ValueKind::Quantity:
        case ValueKind::Amount:
        case ValueKind::Rate:
            return 1;
        case ValueKind::Date:
        case ValueKind::Word:
            return 2;
        default:
            return 0;
    }
}

SheetCell ShownValue(const automation::Variant& value, ValueKind kind, SessionCaptions& captions) {
    if (value.IsNull() || value.IsEmpty()) return {};
    switch (kind) {
        case ValueKind::Word: {
            const std::string word = automation::CStr(value);
            return {word.empty() ? word : captions(word), false, 0};
        }
        case ValueKind::Date: {
            if (!automation::IsDate(value)) return {automation::CStr(value), false, 0};
            const automation::Variant date(automation::CDate(value));
            return {automation::Format(date, "YYYY-MM-DD"), true, date.AsDate().serial};
        }
        case ValueKind::Integer:
        case ValueKind::Quantity:
        case ValueKind::Amount:
        case ValueKind::Rate: {
            if (!automation::IsNumeric(value)) return {automation::CStr(value), false, 0};
            const double number = automation::CDbl(value);
            const int32_t decimals = kind == ValueKind::Amount     ? 2
                                     : kind == ValueKind::Quantity ? DecimalsOf(number, 4)
                                     : kind == ValueKind::Rate     ? DecimalsOf(number, 6)
                                                                   : 0;
            const std::string text = kind == ValueKind::Integer
                                         ? automation::CStr(automation::Variant(number))
                                         : automation::FormatGroupedNumber(number, decimals);
            return {text, true, number};
        }
        default:
            return {automation::CStr(value), false, 0};
    }
}

std::string ShownText(const automation::Variant& value, ValueKind kind, SessionCaptions& captions) {
    return ShownValue(value, kind, captions).text;
}

std::string TableText(const std::vector<SheetColumn>& columns,
                      const std::vector<std::vector<std::string>>& rows,
                      const std::string& indent) {
    std::vector<int> widths;
    for (const auto& column : columns) widths.push_back(automation::DisplayWidth(column.caption));
    for (const auto& row : rows) {
        for (size_t c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], automation::DisplayWidth(row[c]));
    }
    auto line = [&](auto text, auto alignOf) {
        std::string out = indent;
        for (size_t c = 0; c < columns.size(); ++c) {
            if (c > 0) out += " | ";
            const std::string cell =
                c + 1 < columns.size() ? PadTo(text(c), widths[c], alignOf(c))
                                       : (alignOf(c) == 1 ? PadTo(text(c), widths[c], 1) : text(c));
            out += cell;
        }
        while (!out.empty() && out.back() == ' ') out.pop_back();
        return out + "\n";
    };
    std::string out = line([&](size_t c) { return columns[c].caption; }, [](size_t) { return 0; });
    int total = 0;
    for (int width : widths) total += width;
    out += indent + std::string(static_cast<size_t>(total) + 3 * (widths.size() - 1), '-') + "\n";
    for (const auto& row : rows) {
        out += line([&](size_t c) { return c < row.size() ? row[c] : std::string(); },
                    [&](size_t c) { return columns[c].align == 1 ? 1 : 0; });
    }
    return out;
}

}  // namespace client
