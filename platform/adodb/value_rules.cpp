#include <platform/adodb/value_rules.h>

#include <platform/automation/conversions.h>
#include <platform/automation/date_parts.h>
#include <platform/automation/errors.h>
#include <platform/automation/format.h>
#include <platform/automation/strings.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace adodb::internal {

using automation::DateValue;
using automation::Variant;
using automation::VarType;

namespace {

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

[[noreturn]] void CannotHold(const FieldInfo& field, const Variant& value) {
    automation::Raise(adoerr::DataConversion, "ADODB.Field",
                      "The field " + field.Name + " cannot hold the " + value.TypeName() +
                          " value \"" + TextOf(value) + "\".");
}

double WholeNumberFor(const FieldInfo& field, const Variant& value, double low, double high) {
    auto number = value.NumericValue();
    if (!number && value.IsString()) number = ParseNumberText(value.AsString());
    if (!number) CannotHold(field, value);
    const double rounded = std::nearbyint(*number);  // half to even, as VB stores it
    if (rounded < low || rounded > high) CannotHold(field, value);
    return rounded;
}

}  // namespace

std::optional<double> ParseNumberText(std::string_view text) {
    text = automation::TrimCharacters(text, automation::kWhitespace);
    std::string digits;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) digits += text[i++];
    if (i < text.size() && text[i] == '$') ++i;
    bool sawDigit = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        digits += text[i++], sawDigit = true;
    if (i < text.size() && text[i] == '.') {
        digits += text[i++];
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            digits += text[i++], sawDigit = true;
    }
    if (!sawDigit) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        digits += text[i++];
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) digits += text[i++];
        bool sawExponent = false;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            digits += text[i++], sawExponent = true;
        if (!sawExponent) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    const double value = std::strtod(digits.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

namespace {

// The number the digits at `at` write; -1 when one of them is not a digit.
int DigitsAt(std::string_view text, size_t at, size_t count) {
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::optional<DateValue> IsoDate(std::string_view text) {
    if (!automation::IsIsoDateText(text)) return std::nullopt;
    const int year = DigitsAt(text, 0, 4), month = DigitsAt(text, 5, 2), day = DigitsAt(text, 8, 2);
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1) return std::nullopt;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > kDays[month - 1] + (month == 2 && leap ? 1 : 0)) return std::nullopt;
    const auto serial = automation::detail::DateSerial(year, month, day);
    if (!serial) return std::nullopt;
    return DateValue{*serial};
}

std::optional<DateValue> IsoDateTime(std::string_view text) {
    if (text.size() == 10) return IsoDate(text);
    if (text.size() != 19 || !automation::IsIsoDateText(text.substr(0, 10)) || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':') {
        return std::nullopt;
    }
    const int hour = DigitsAt(text, 11, 2), minute = DigitsAt(text, 14, 2),
              second = DigitsAt(text, 17, 2);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        return std::nullopt;
    }
    // DateSerial refuses a day that does not exist.
    const auto serial = automation::detail::DateSerial(DigitsAt(text, 0, 4), DigitsAt(text, 5, 2),
                                                       DigitsAt(text, 8, 2), hour, minute, second);
    if (!serial) return std::nullopt;
    return DateValue{*serial};
}

std::optional<DateValue> ParseDateText(std::string_view text) {
    if (auto date = IsoDateTime(text)) return date;
    // A date text as VB reads it; a plain number is not taken for a date here.
    const std::string trimmed = automation::TrimWhitespace(text);
    if (trimmed.empty() || ParseNumberText(trimmed) || !automation::IsDate(Variant(trimmed)))
        return std::nullopt;
    return automation::CDate(Variant(trimmed));
}

std::string FormatDateText(DateValue date, bool withTime) {
    const bool midnight = date.serial == std::floor(date.serial);
    return automation::Format(date, midnight && !withTime ? "YYYY-MM-DD" : "YYYY-MM-DD HH:NN:SS");
}

std::string TextOf(const Variant& value) {
    switch (value.Type()) {
        case VarType::Empty:
        case VarType::Null:
            return "";
        case VarType::Boolean:
            return value.AsBoolean() ? "True" : "False";
        case VarType::Integer:
            return std::to_string(value.AsInteger());
        case VarType::Long:
            return std::to_string(value.AsLong());
        case VarType::String:
            return value.AsString();
        case VarType::Date:
            return FormatDateText(value.AsDate());
        case VarType::Single:
        case VarType::Double: {
            char buffer[40];
            std::snprintf(buffer, sizeof buffer, "%.15g", *value.NumericValue());
            return buffer;
        }
        case VarType::Object:
            return value.TypeName();
    }
    return "";
}

int CompareTextIgnoreCase(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(FoldCase(a[i]));
        const auto y = static_cast<unsigned char>(FoldCase(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

namespace {

// Null first, then numbers and dates by value, then the rest as `compareTexts` orders them.
template <typename CompareTexts>
int CompareByKind(const Variant& a, const Variant& b, CompareTexts compareTexts) {
    const bool aNull = a.IsNull() || a.IsEmpty();
    const bool bNull = b.IsNull() || b.IsEmpty();
    if (aNull || bNull) return aNull == bNull ? 0 : (aNull ? -1 : 1);
    const auto x = a.NumericValue();
    const auto y = b.NumericValue();
    if (x && y) return *x < *y ? -1 : (*x > *y ? 1 : 0);
    if (x || y) return x ? -1 : 1;
    return compareTexts(a, b);
}

}  // namespace

int CompareForSort(const Variant& a, const Variant& b) {
    return CompareByKind(a, b, [](const Variant& x, const Variant& y) {
        return CompareTextIgnoreCase(TextOf(x), TextOf(y));
    });
}

int CompareAsSqlite(const Variant& a, const Variant& b) {
    return CompareByKind(a, b, [](const Variant& x, const Variant& y) {
        return x.IsString() && y.IsString() ? x.AsString().compare(y.AsString())
                                            : TextOf(x).compare(TextOf(y));
    });
}

bool IsNumericType(DataTypeEnum type) {
    switch (type) {
        case adSmallInt:
        case adInteger:
        case adSingle:
        case adDouble:
        case adCurrency:
        case adDecimal:
        case adTinyInt:
        case adUnsignedTinyInt:
        case adBigInt:
        case adNumeric:
            return true;
        default:
            return false;
    }
}

bool IsTextType(DataTypeEnum type) {
    switch (type) {
        case adBSTR:
        case adChar:
        case adWChar:
        case adVarChar:
        case adLongVarChar:
        case adVarWChar:
        case adLongVarWChar:
            return true;
        default:
            return false;
    }
}

bool IsDateType(DataTypeEnum type) { return type == adDate || type == adDBTimeStamp; }

Variant CoerceToField(const FieldInfo& field, const Variant& value) {
    if (value.IsNull() || value.IsEmpty()) return automation::Null;
    if (value.IsObject()) CannotHold(field, value);
    switch (field.Type) {
        case adSmallInt:
            return static_cast<int16_t>(WholeNumberFor(field, value, -32768, 32767));
        case adTinyInt:
            return static_cast<int32_t>(WholeNumberFor(field, value, -128, 127));
        case adUnsignedTinyInt:
            return static_cast<int32_t>(WholeNumberFor(field, value, 0, 255));
        case adInteger:
            return static_cast<int32_t>(WholeNumberFor(field, value, -2147483648.0, 2147483647.0));
        case adBigInt:
            return static_cast<int64_t>(WholeNumberFor(field, value, -9.2e18, 9.2e18));
        case adSingle:
        case adDouble:
        case adCurrency:
        case adDecimal:
        case adNumeric: {
            auto number = value.NumericValue();
            if (!number && value.IsString()) number = ParseNumberText(value.AsString());
            if (!number) CannotHold(field, value);
            if (field.Type == adSingle) return static_cast<float>(*number);
            return *number;
        }
        case adDate:
        case adDBTimeStamp: {
            if (value.Type() == VarType::Date) return value;
            if (auto number = value.NumericValue()) return DateValue{*number};
            if (auto date = ParseDateText(TextOf(value))) return *date;
            CannotHold(field, value);
        }
        case adBoolean: {
            if (auto number = value.NumericValue()) return *number != 0;
            const std::string text = TextOf(value);
            if (CompareTextIgnoreCase(text, "True") == 0) return true;
            if (CompareTextIgnoreCase(text, "False") == 0) return false;
            if (auto number = ParseNumberText(text)) return *number != 0;
            CannotHold(field, value);
        }
        default:
            break;
    }
    if (!IsTextType(field.Type)) return value;  // adVariant and the rest keep what they get
    std::string text = TextOf(value);
    if (field.DefinedSize > 0) {
        size_t characters = 0;
        for (unsigned char c : text) characters += (c & 0xC0) != 0x80;
        if (characters > static_cast<size_t>(field.DefinedSize)) CannotHold(field, value);
    }
    return text;
}

}  // namespace adodb::internal
