#include <faces/qt/output/column_types.h>

#include <platform/automation/format.h>
#include <platform/automation/strings.h>

#include <algorithm>
#include <charconv>

namespace qtgui {

namespace {

struct NumberShape {
    bool grouped = false;
    int decimals = 0;
    bool percent = false;
};

NumberShape ShapeOf(const std::string& format) {
    NumberShape shape;
    shape.grouped = format.rfind("#,##0", 0) == 0;
    shape.percent = !format.empty() && format.back() == '%';
    const auto point = format.find('.');
    if (point != std::string::npos)
        shape.decimals = static_cast<int>(std::count(format.begin() + point, format.end(), '0'));
    return shape;
}

std::string FormatOf(const NumberShape& shape) {
    std::string format = shape.grouped ? "#,##0" : "0";
    if (shape.decimals > 0) format += "." + std::string(static_cast<size_t>(shape.decimals), '0');
    return shape.percent ? format + "%" : format;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() &&
           automation::EqualsIgnoreCase(text.substr(text.size() - tail.size()), tail);
}

// Columns of codes (bill numbers, item numbers, letter of credit numbers), by their key or by a
// head caption ("物料代码", "订单编号", "Item number").
bool HoldsCodes(std::string_view key) {
    const std::string upper = automation::UCase(key);
    return upper.find("NUMBER") != std::string::npos || EndsWith(key, "No") ||
           key.find("\xE5\x8F\xB7") != std::string_view::npos ||  // "号"
           key.find("\xE7\xA0\x81") != std::string_view::npos;    // "码"
}

}  // namespace

std::optional<ShownNumber> ReadShownNumber(const std::string& text) {
    std::string digits;
    bool thousands = false;
    bool percent = false;
    int decimals = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ',' && decimals < 0 && !digits.empty()) {
            thousands = true;
        } else if (c == '%' && i + 1 == text.size()) {
            percent = true;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
            digits += c;
        } else if (c == '-' && digits.empty()) {
            digits += c;
        } else if (c >= '0' && c <= '9') {
            digits += c;
            if (decimals >= 0) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    const std::string integer = digits.substr(digits[0] == '-' ? 1 : 0);
    // Leading zeros and long digit strings are codes (bill numbers), not amounts.
    const bool code = integer.size() > 1 && integer[0] == '0' && integer[1] != '.';
    if (integer.empty() || integer[0] == '.' || code || integer.size() > 15 || decimals == 0) {
        return std::nullopt;
    }
    double value = 0;
    if (std::from_chars(digits.data(), digits.data() + digits.size(), value).ec != std::errc()) {
        return std::nullopt;
    }
    NumberShape shape{thousands, std::max(decimals, 0), percent};
    if (percent) value /= 100;
    return ShownNumber{value, FormatOf(shape)};
}

std::optional<CivilDate> ReadIsoDate(std::string_view text) {
    if (!automation::IsIsoDateText(text)) return std::nullopt;
    auto part = [text](size_t at, size_t length) {
        int value = 0;
        std::from_chars(text.data() + at, text.data() + at + length, value);
        return value;
    };
    CivilDate date{part(0, 4), part(5, 2), part(8, 2)};
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31) return std::nullopt;
    return date;
}

ColumnType TypeOfColumn(std::string_view key, const std::vector<std::string>& texts) {
    bool dates = true;
    bool numbers = !HoldsCodes(key);
    bool anyValue = false;
    NumberShape widest;
    bool allPercent = true;
    for (const auto& text : texts) {
        if (text.empty() || text == "-") continue;
        anyValue = true;
        dates = dates && ReadIsoDate(text).has_value();
        if (!numbers) continue;
        const auto number = ReadShownNumber(text);
        if (!number) {
            numbers = false;
            continue;
        }
        const NumberShape shape = ShapeOf(number->format);
        widest.grouped = widest.grouped || shape.grouped;
        widest.decimals = std::max(widest.decimals, shape.decimals);
        allPercent = allPercent && shape.percent;
        widest.percent = widest.percent || shape.percent;
    }
    if (!anyValue) return {};
    if (dates) return {ColumnType::Kind::Date, "yyyy-mm-dd"};
    // Percentages and plain figures in one column cannot share a format.
    if (!numbers || widest.percent != allPercent) return {};
    return {ColumnType::Kind::Number, FormatOf(widest)};
}

std::pair<std::string, std::string> SplitHeadLine(const std::string& line) {
    static const std::string kWideColon = "\xEF\xBC\x9A";  // "："
    size_t at = line.find(kWideColon);
    size_t width = kWideColon.size();
    const size_t narrow = line.find(':');
    if (narrow != std::string::npos && (at == std::string::npos || narrow < at)) {
        at = narrow;
        width = 1;
    }
    if (at == std::string::npos) return {line, ""};
    return {automation::Trim(line.substr(0, at)), automation::Trim(line.substr(at + width))};
}

}  // namespace qtgui
