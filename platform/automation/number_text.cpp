#include <platform/automation/number_text.h>

#include <platform/automation/strings.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace automation::detail {

namespace {

// The blanks a number text may hold around it and after its sign: blanks and tabs, not line
// breaks.
constexpr std::string_view kBlanks = " \t";
bool IsBlank(char c) { return kBlanks.find(c) != std::string_view::npos; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "&H1F", "&O17": the bits of a Long (eight hex digits at most), read as a signed number the way
// VB reads "&HFFFF" as the Integer -1.
std::optional<double> ParseRadix(std::string_view text) {
    const char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
    const int base = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
    if (base == 0 || text.size() < 3) return std::nullopt;
    uint64_t bits = 0;
    for (char c : text.substr(2)) {
        const int digit = IsDigit(c) ? c - '0'
                          : base == 16 && std::isxdigit(static_cast<unsigned char>(c))
                              ? std::toupper(static_cast<unsigned char>(c)) - 'A' + 10
                              : 99;
        if (digit >= base) return std::nullopt;
        bits = bits * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (bits > 0xFFFFFFFFull) return HUGE_VAL;
    }
    if (bits <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(bits));
    return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(bits)));
}

// Scientific notation as the C library writes it ("1.5e-05") in VB's spelling ("1.5E-05").
std::string Scientific(std::string text) {
    for (auto& c : text)
        if (c == 'e') c = 'E';
    return text;
}

// The order of magnitude of a plain number text ("-123.4e5" -> 8), enough to tell a value too
// large for a Double from one too small.
int Magnitude(const std::string& plain) {
    const size_t exponentAt = plain.find('e');
    // The exponent only has to tell far from near, so it is held within +-100000: a text may
    // write it with any number of digits, which an int would not hold.
    const long exponent = exponentAt == std::string::npos
                              ? 0
                              : std::clamp(std::strtol(plain.c_str() + exponentAt + 1, nullptr, 10),
                                           -100000L, 100000L);
    const std::string mantissa = plain.substr(0, exponentAt);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string::npos) return 0;
    const int position = static_cast<int>(point) - static_cast<int>(firstSignificant);
    return (position > 0 ? position : position + 1) + static_cast<int>(exponent);
}

// Locale-independent conversion of the rebuilt number text; out of range gives infinity (too
// large) or zero (too small).
double ToDoubleChecked(const std::string& plain) {
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    (void)end;
    if (error != std::errc::result_out_of_range) return value;
    if (Magnitude(plain) <= 0) return 0.0;
    return plain.front() == '-' ? -HUGE_VAL : HUGE_VAL;
}

std::string SignificantText(double value, int digits) {
    if (value == 0) return "0";  // also -0, which VB never shows with a sign
    if (std::isnan(value)) return "-1.#IND";
    if (std::isinf(value)) return value > 0 ? "1.#INF" : "-1.#INF";
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
    return Scientific(std::string(text, result.ptr));
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
    text = TrimCharacters(text, kBlanks);
    if (text.size() >= 2 && text[0] == '&') return ParseRadix(text);
    std::string plain;  // the number rebuilt for strtod: sign, digits, point, exponent
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') plain += '-';
        ++i;
        while (i < text.size() && IsBlank(text[i])) ++i;
    }
    if (i < text.size() && text[i] == '$') ++i;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            plain += text[i];
            anyDigit = true;
        } else if (text[i] != ',' || !anyDigit) {
            break;
        }
    }
    if (i < text.size() && text[i] == '.') {
        plain += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            plain += text[i];
            anyDigit = true;
        }
    }
    if (!anyDigit) return std::nullopt;
    if (i < text.size() && std::string_view("eEdD").find(text[i]) != std::string_view::npos) {
        std::string exponent = "e";
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        const size_t firstDigit = j;
        while (j < text.size() && IsDigit(text[j])) exponent += text[j++];
        if (j == firstDigit) return std::nullopt;
        plain += exponent;
        i = j;
    }
    if (i != text.size()) return std::nullopt;
    return ToDoubleChecked(plain);
}

std::string DoubleText(double value) { return SignificantText(value, 15); }

std::string SingleText(float value) { return SignificantText(static_cast<double>(value), 7); }

}  // namespace automation::detail
