#include <platform/automation/conversions.h>

#include <platform/automation/date_parts.h>
#include <platform/automation/decimal_digits.h>
#include <platform/automation/errors.h>
#include <platform/automation/number_text.h>
#include <platform/automation/strings.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace automation {

namespace {

// The locale of every conversion is en-US: "." decimals, "," groups, "True"/"False".

// A value that has no number: Null is error 94, an object error 13 (our objects have no default
// property to read), Nothing error 91.
[[noreturn]] void RaiseNotANumber(const Variant& value) {
    if (value.IsNull()) Raise(vberr::InvalidUseOfNull);
    if (value.IsNothing()) Raise(vberr::ObjectVariableNotSet);
    Raise(vberr::TypeMismatch);
}

double TextToDouble(const std::string& text) {
    auto number = detail::ParseNumber(text);
    if (!number) Raise(vberr::TypeMismatch);
    if (!std::isfinite(*number)) Raise(vberr::Overflow);
    return *number;
}

// The number a value stands for, before any rounding to an integer type.
double NumberOf(const Variant& value) {
    if (auto number = value.NumericValue()) return *number;
    if (value.IsEmpty()) return 0.0;
    if (value.IsString()) return TextToDouble(value.AsString());
    RaiseNotANumber(value);
}

// Banker's rounding of the binary value, then the range of the target type (error 6 outside it).
// Settled here: the range is checked after rounding, so CInt(32767.5) overflows (it rounds to
// 32768) while CInt(-32768.5) gives -32768.
template <class Integer>
Integer ToInteger(double number) {
    if (!std::isfinite(number)) Raise(vberr::Overflow);
    const double rounded = std::nearbyint(number);  // the default mode rounds half to even
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max()))
        Raise(vberr::Overflow);
    return static_cast<Integer>(rounded);
}

// A date as text. The system's short date is pinned to ISO order ("2024-03-05"), the order the
// ERP client's Chinese locale and its database use; the time follows when it is not midnight,
// and a time without a date (day 0) shows alone, as VB shows it.
std::string DateText(double serial) {
    if (!detail::IsDateSerialInRange(serial)) Raise(vberr::Overflow);
    const auto parts = detail::SplitDateSerial(serial);
    // Written into one buffer: a record set of dates shows thousands of them.
    char text[32];
    char* end = std::to_chars(text, text + 8, parts.year).ptr;
    auto put = [&end](char separator, int value) {
        *end++ = separator;
        *end++ = static_cast<char>('0' + value / 10);
        *end++ = static_cast<char>('0' + value % 10);
    };
    put('-', parts.month);
    put('-', parts.day);
    char* const dateEnd = end;
    const bool hasTime = parts.hour != 0 || parts.minute != 0 || parts.second != 0;
    if (!hasTime) return std::string(text, dateEnd);
    put(' ', parts.hour);
    put(':', parts.minute);
    put(':', parts.second);
    if (std::trunc(serial) == 0) return std::string(dateEnd + 1, end);
    return std::string(text, end);
}

bool TextToBoolean(const std::string& text) {
    const std::string word = Trim(text);
    // Open question settled: the words compare without regard to case ("true" is True).
    if (EqualsIgnoreCase(word, "True")) return true;
    if (EqualsIgnoreCase(word, "False")) return false;
    return TextToDouble(text) != 0.0;
}

}  // namespace

bool CBool(const Variant& value) {
    if (value.Type() == VarType::String) return TextToBoolean(value.AsString());
    return NumberOf(value) != 0.0;
}

int16_t CInt(const Variant& value) {
    if (value.Type() == VarType::Integer) return value.AsInteger();
    return ToInteger<int16_t>(NumberOf(value));
}

int32_t CLng(const Variant& value) {
    if (value.Type() == VarType::Long) return value.AsLong();
    return ToInteger<int32_t>(NumberOf(value));
}

float CSng(const Variant& value) {
    const double number = NumberOf(value);
    if (std::fabs(number) > std::numeric_limits<float>::max()) Raise(vberr::Overflow);
    return static_cast<float>(number);
}

double CDbl(const Variant& value) { return NumberOf(value); }

DateValue CDate(const Variant& value) {
    double serial = 0;
    if (value.Type() == VarType::Date) {
        serial = value.AsDate().serial;
    } else if (value.Type() == VarType::String) {
        // A date text first; then a numeric text, taken as a serial (dates kept as numbers).
        const auto& text = value.AsString();
        if (auto date = detail::ParseDateText(text)) return DateValue{*date};
        serial = TextToDouble(text);
    } else {
        serial = NumberOf(value);
    }
    if (!detail::IsDateSerialInRange(serial)) Raise(vberr::Overflow);
    return DateValue{serial};
}

std::string CStr(const Variant& value) {
    switch (value.Type()) {
        case VarType::Empty:
            return "";
        case VarType::Boolean:
            return value.AsBoolean() ? "True" : "False";
        case VarType::Integer:
            return std::to_string(value.AsInteger());
        case VarType::Long:
            return std::to_string(value.AsLong());
        case VarType::Single:
            return detail::SingleText(value.AsSingle());
        case VarType::Double:
            return detail::DoubleText(value.AsDouble());
        case VarType::Date:
            return DateText(value.AsDate().serial);
        case VarType::String:
            return value.AsString();
        default:
            RaiseNotANumber(value);
    }
}

std::string Str(const Variant& value) {
    std::string text = CStr(value);
    if (value.IsNumber() && value.Type() != VarType::Boolean && !text.empty() && text[0] != '-')
        text.insert(text.begin(), ' ');
    return text;
}

namespace {

// How long the number at the start of a packed text is: a radix number, or a sign, digits, a
// fraction and an exponent that has digits. "," and "$" end it.
size_t LeadingNumberLength(std::string_view text) {
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    size_t i = 0;
    if (text.size() >= 2 && text[0] == '&') {
        const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
        auto isRadixDigit = [&](char c) {
            return kind == 'H' ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                               : kind == 'O' && c >= '0' && c <= '7';
        };
        for (i = 2; i < text.size() && isRadixDigit(text[i]);) ++i;
        return i > 2 ? i : 0;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t firstDigit = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit(text[i]);) ++i;
    if (i == firstDigit || (i == firstDigit + 1 && text[firstDigit] == '.')) return 0;
    if (i < text.size() && std::string_view("eEdD").find(text[i]) != std::string_view::npos) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const size_t exponentDigits = j;
        while (j < text.size() && isDigit(text[j])) ++j;
        if (j > exponentDigits) i = j;
    }
    return i;
}

}  // namespace

double Val(std::string_view text) {
    // Blanks, tabs and line feeds are dropped everywhere, even between digits.
    std::string packed;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') packed += c;
    const size_t length = LeadingNumberLength(packed);
    if (length == 0) return 0.0;
    auto number = detail::ParseNumber(std::string_view(packed.data(), length));
    if (!number) return 0.0;
    if (!std::isfinite(*number)) Raise(vberr::Overflow);
    return *number;
}

bool IsNumeric(const Variant& value) {
    switch (value.Type()) {
        case VarType::Empty:  // VB's well-known answer: Empty reads as 0
        case VarType::Boolean:
        case VarType::Integer:
        case VarType::Long:
        case VarType::Single:
        case VarType::Double:
            return true;
        case VarType::String: {
            // Settled here: "" is not numeric, " 12 " and "1,234" are, like CDbl reads them.
            auto number = detail::ParseNumber(value.AsString());
            return number && std::isfinite(*number);
        }
        default:  // Null, Date, objects
            return false;
    }
}

bool IsDate(const Variant& value) {
    if (value.Type() == VarType::Date) return true;
    return value.Type() == VarType::String && detail::ParseDateText(value.AsString()).has_value();
}

double Round(double value, int32_t digits) {
    if (digits < 0) Raise(vberr::InvalidProcedureCall);
    if (!std::isfinite(value)) return value;
    auto number = detail::ToDecimal15(value);
    detail::RoundToPlaces(number, digits, detail::TieRule::HalfEven);
    return detail::ToDouble(number);
}

std::string TextOrEmpty(const Variant& value) {
    return value.IsNull() || value.IsEmpty() ? std::string() : CStr(value);
}

int32_t CLngOr(const Variant& value, int32_t fallback) {
    if (value.IsNull() || !IsNumeric(value)) return fallback;
    return CLng(value);
}

}  // namespace automation
