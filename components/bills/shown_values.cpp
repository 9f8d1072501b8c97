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
    return TableText(
        columns, rows.size(),
        [&](size_t r, size_t c) {
            return c < rows[r].size() ? std::string_view(rows[r][c]) : std::string_view();
        },
        indent);
}

std::string TableText(const std::vector<SheetColumn>& columns, size_t rows,
                      const std::function<std::string_view(size_t, size_t)>& cell,
                      const std::string& indent) {
    std::vector<int> widths;
    for (const auto& column : columns) widths.push_back(automation::DisplayWidth(column.caption));
    for (size_t r = 0; r < rows; ++r) {
        for (size_t c = 0; c < widths.size(); ++c)
            widths[c] = std::max(widths[c], automation::DisplayWidth(cell(r, c)));
    }
    auto append = [&](std::string& out, auto text, auto alignOf) {
        const size_t start = out.size();
        out += indent;
        for (size_t c = 0; c < columns.size(); ++c) {
            if (c > 0) out += " | ";
            const bool last = c + 1 == columns.size();
            out += last && alignOf(c) != 1 ? std::string(text(c))
                                           : PadTo(std::string(text(c)), widths[c], alignOf(c));
        }
        while (out.size() > start && out.back() == ' ') out.pop_back();
        out += '\n';
    };
    const auto caption = [&](size_t c) { return std::string_view(columns[c].caption); };
    const auto leftAligned = [](size_t) { return 0; };
    const auto alignment = [&](size_t c) { return columns[c].align == 1 ? 1 : 0; };
    std::string out;
    append(out, caption, leftAligned);
    int total = 0;
    for (int width : widths) total += width;
    out += indent + std::string(static_cast<size_t>(total) + 3 * (widths.size() - 1), '-') + "\n";
    for (size_t r = 0; r < rows; ++r) {
        const auto text = [&](size_t c) { return cell(r, c); };
        append(out, text, alignment);
    }
    return out;
}

}  // namespace client
