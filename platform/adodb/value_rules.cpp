#include <platform/adodb/value_rules.h>

#include <platform/automation/errors.h>

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

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Days from 1970-01-01 to a civil date (proleptic Gregorian), after H. Hinnant's algorithm.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

// VB dates count days from 1899-12-30, which is 25569 days before 1970-01-01.
constexpr int64_t kUnixEpochSerial = 25569;

bool ValidDate(int y, int m, int d) {
    static constexpr int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1 || d > days[m - 1]) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m != 2 || d <= 28 || leap;
}

[[noreturn]] void CannotHold(const FieldInfo& field, const Variant& value) {
    automation::Raise(adoerr::DataConversion, "ADODB.Field",
                      "The field " + field.Name + " cannot hold the " + value.TypeName() +
                          " value \"" + TextOf(value) + "\".");
}

double WholeNumberFor(const FieldInfo& field, const Variant& value, double low, double high) {
    auto number = NumberOf(value);
    if (!number && value.IsString()) number = ParseNumberText(value.AsString());
    if (!number) CannotHold(field, value);
    const double rounded = std::nearbyint(*number);  // half to even, as VB stores it
    if (rounded < low || rounded > high) CannotHold(field, value);
    return rounded;
}

}  // namespace

std::optional<double> ParseNumberText(std::string_view text) {
    text = TrimBlanks(text);
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

std::optional<DateValue> ParseDateText(std::string_view text) {
    const std::string copy(TrimBlanks(text));
    int a = 0, b = 0, c = 0, hh = 0, mm = 0, ss = 0, used = 0;
    int y = 0, m = 0, d = 0;
    const char* s = copy.c_str();
    if (std::sscanf(s, "%4d-%2d-%2d%n", &a, &b, &c, &used) == 3) {
        y = a, m = b, d = c;
    } else if (std::sscanf(s, "%2d/%2d/%4d%n", &a, &b, &c, &used) == 3) {
        y = c, m = a, d = b;
    } else {
        return std::nullopt;
    }
    std::string_view rest = TrimBlanks(std::string_view(copy).substr(used));
    if (!rest.empty()) {
        const std::string time(rest);
        int timeUsed = 0;
        if (std::sscanf(time.c_str(), "%2d:%2d:%2d%n", &hh, &mm, &ss, &timeUsed) != 3) {
            ss = 0;
            if (std::sscanf(time.c_str(), "%2d:%2d%n", &hh, &mm, &timeUsed) != 2)
                return std::nullopt;
        }
        if (static_cast<size_t>(timeUsed) != time.size()) return std::nullopt;
        if (hh > 23 || mm > 59 || ss > 59 || hh < 0 || mm < 0 || ss < 0) return std::nullopt;
    }
    if (!ValidDate(y, m, d)) return std::nullopt;
    const double days = static_cast<double>(DaysFromCivil(y, m, d) + kUnixEpochSerial);
    return DateValue{days + (hh * 3600 + mm * 60 + ss) / 86400.0};
}

std::string FormatDateText(DateValue date, bool withTime) {
    const double whole = std::floor(date.serial);
    int seconds = static_cast<int>(std::lround((date.serial - whole) * 86400.0));
    int64_t days = static_cast<int64_t>(whole) - kUnixEpochSerial;
    if (seconds >= 86400) seconds -= 86400, ++days;
    int y = 0, m = 0, d = 0;
    CivilFromDays(days, y, m, d);
    char buffer[32];
    if (seconds == 0 && !withTime)
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", y, m, d);
    else
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d,
                      seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buffer;
}

std::optional<double> NumberOf(const Variant& value) {
    switch (value.Type()) {
        case VarType::Boolean:
            return value.AsBoolean() ? -1.0 : 0.0;
        case VarType::Integer:
            return value.AsInteger();
        case VarType::Long:
            return value.AsLong();
        case VarType::Single:
            return value.AsSingle();
        case VarType::Double:
            return value.AsDouble();
        case VarType::Date:
            return value.AsDate().serial;
        default:
            return std::nullopt;
    }
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
            std::snprintf(buffer, sizeof buffer, "%.15g", *NumberOf(value));
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

int CompareForSort(const Variant& a, const Variant& b) {
    const bool aNull = a.IsNull() || a.IsEmpty();
    const bool bNull = b.IsNull() || b.IsEmpty();
    if (aNull || bNull) return aNull == bNull ? 0 : (aNull ? -1 : 1);
    const auto x = NumberOf(a);
    const auto y = NumberOf(b);
    if (x && y) return *x < *y ? -1 : (*x > *y ? 1 : 0);
    if (x || y) return x ? -1 : 1;
    return CompareTextIgnoreCase(TextOf(a), TextOf(b));
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
            auto number = NumberOf(value);
            if (!number && value.IsString()) number = ParseNumberText(value.AsString());
            if (!number) CannotHold(field, value);
            if (field.Type == adSingle) return static_cast<float>(*number);
            return *number;
        }
        case adDate:
        case adDBTimeStamp: {
            if (value.Type() == VarType::Date) return value;
            if (auto number = NumberOf(value)) return DateValue{*number};
            if (auto date = ParseDateText(TextOf(value))) return *date;
            CannotHold(field, value);
        }
        case adBoolean: {
            if (auto number = NumberOf(value)) return *number != 0;
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
