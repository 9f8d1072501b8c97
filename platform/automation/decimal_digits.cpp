#include <platform/automation/decimal_digits.h>

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace automation::detail {

namespace {

void StripTrailingZeros(DecimalDigits& number) {
    while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
    if (number.digits.empty()) number.pointPosition = 0;
}

bool IsTieRoundedUp(const DecimalDigits& number, size_t kept, TieRule rule) {
    const char first = number.digits[kept];
    if (first != '5') return first > '5';
    if (rule == TieRule::HalfAwayFromZero) return true;
    // Anything after the 5 makes it more than half; an exact half goes to the even neighbour.
    if (number.digits.find_first_not_of('0', kept + 1) != std::string::npos) return true;
    const int previous = kept > 0 ? number.digits[kept - 1] - '0' : 0;
    return previous % 2 == 1;
}

// Adds one unit in the last kept place.
void IncrementLastDigit(DecimalDigits& number) {
    for (size_t i = number.digits.size(); i-- > 0;) {
        if (number.digits[i] != '9') {
            ++number.digits[i];
            return;
        }
        number.digits[i] = '0';
    }
    number.digits.insert(number.digits.begin(), '1');
    ++number.pointPosition;
}

}  // namespace

std::string DecimalDigits::IntegerDigits() const {
    if (pointPosition <= 0) return "";
    const size_t count = static_cast<size_t>(pointPosition);
    std::string result = digits.substr(0, count);
    result.append(count - result.size(), '0');
    return result;
}

std::string DecimalDigits::FractionDigits(int places) const {
    std::string result;
    for (int i = 0; i < places; ++i) {
        const int index = pointPosition + i;
        const bool present = index >= 0 && index < static_cast<int>(digits.size());
        result += present ? digits[static_cast<size_t>(index)] : '0';
    }
    return result;
}

DecimalDigits ToDecimal15(double value) {
    DecimalDigits number;
    if (value == 0 || !std::isfinite(value)) return number;  // nothing to round or print
    char text[40];
    const auto end =
        std::to_chars(text, text + sizeof text - 1, value, std::chars_format::scientific, 14).ptr;
    *end = '\0';
    const char* p = text;
    if (*p == '-') {
        number.negative = true;
        ++p;
    }
    for (; *p != '\0' && *p != 'e'; ++p)
        if (*p != '.') number.digits += *p;
    number.pointPosition = *p == 'e' ? std::atoi(p + 1) + 1 : 0;
    StripTrailingZeros(number);
    return number;
}

void RoundToPlaces(DecimalDigits& number, int places, TieRule rule) {
    if (number.IsZero()) return;
    const int kept = number.pointPosition + places;
    if (kept >= static_cast<int>(number.digits.size())) return;
    if (kept < 0) {
        // The first dropped digit is an implied zero: the value is far below half a unit.
        number.digits.clear();
        StripTrailingZeros(number);
        return;
    }
    const bool up = IsTieRoundedUp(number, static_cast<size_t>(kept), rule);
    number.digits.resize(static_cast<size_t>(kept));
    if (up) {
        if (number.digits.empty()) {
            // Rounding 0.5 up at zero places (or 0.05 at one place): the unit place becomes 1.
            number.digits = "1";
            ++number.pointPosition;
        } else {
            IncrementLastDigit(number);
        }
    }
    StripTrailingZeros(number);
}

double ToDouble(const DecimalDigits& number) {
    if (number.IsZero()) return 0.0;
    const std::string text = (number.negative ? "-0." : "0.") + number.digits + "e" +
                             std::to_string(number.pointPosition);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace automation::detail
