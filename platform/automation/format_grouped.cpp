#include <platform/automation/format.h>

#include <platform/automation/format_patterns.h>

#include <charconv>
#include <cmath>
#include <cstring>

namespace automation {

// The work of Format with "#,##0" and zero places, done without reading the pattern: the same
// 15-significant-digit decimal form, rounded half away from zero at `decimals` places, digits
// grouped by three, a minus sign only when a digit that is not zero remains.
std::string FormatGroupedNumber(double value, int32_t decimals) {
    if (!std::isfinite(value) || decimals < 0 || decimals > 64) {
        std::string pattern = "#,##0";
        if (decimals > 0) pattern += "." + std::string(static_cast<size_t>(decimals), '0');
        return detail::FormatNumber(value, pattern);
    }

    // d.dddddddddddddde±x: fifteen significant digits, as ToDecimal15 reads them.
    char text[40];
    const double magnitude = std::fabs(value);
    char digits[20];
    int count = 0;
    int point = 0;  // digits before the decimal point
    if (magnitude != 0) {
        const char* end =
            std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14)
                .ptr;
        const char* p = text;
        for (; p < end && *p != 'e'; ++p)
            if (*p != '.') digits[count++] = *p;
        int exponent = 0;
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponent);
        point = exponent + 1;
        while (count > 0 && digits[count - 1] == '0') --count;
    }
    // Rounds at `decimals` places: keeps point + decimals digits.
    const int kept = point + decimals;
    if (count > 0 && kept < count) {
        if (kept < 0) {
            count = 0;
        } else {
            const bool up = digits[kept] >= '5';
            count = kept;
            if (up) {
                int i = count - 1;
                while (i >= 0 && digits[i] == '9') digits[i--] = '0';
                if (i >= 0) {
                    ++digits[i];
                } else {
                    // 9.99 became 10.0, or 0.5 at no places became 1: one more leading digit.
                    std::memmove(digits + 1, digits, static_cast<size_t>(count));
                    digits[0] = '1';
                    ++count;
                    ++point;
                }
            }
            while (count > 0 && digits[count - 1] == '0') --count;
        }
    }
    if (count == 0) point = 0;

    std::string out;
    const int integerDigits = point > 0 ? point : 1;
    out.reserve(static_cast<size_t>(1 + integerDigits + integerDigits / 3 + 1 + decimals));
    if (value < 0 && count > 0) out += '-';
    if (point <= 0) {
        out += '0';
    } else {
        for (int j = 0; j < point; ++j) {
            out += j < count ? digits[j] : '0';
            const int right = point - 1 - j;
            if (right > 0 && right % 3 == 0) out += ',';
        }
    }
    if (decimals > 0) {
        out += '.';
        for (int i = 0; i < decimals; ++i) {
            const int index = point + i;
            out += index >= 0 && index < count ? digits[index] : '0';
        }
    }
    return out;
}

bool IsIsoDateText(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i != 4 && i != 7 && (text[i] < '0' || text[i] > '9')) return false;
    }
    return true;
}

}  // namespace automation
