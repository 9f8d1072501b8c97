#include <platform/automation/decimal_digits.h>
#include <platform/automation/format_patterns.h>
#include <platform/automation/number_text.h>

#include <cmath>
#include <cstddef>
#include <cstdlib>

namespace automation::detail {

namespace {

struct Token {
    enum Kind { Digit, Point, Comma, Percent, Exponent, Literal } kind;
    char placeholder = 0;  // '0' or '#' for a digit
    std::string text;      // a literal; for an exponent the marker as written ("E+", "e-")
};

size_t Utf8Length(unsigned char lead) {
    return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

bool IsExponentMarker(std::string_view section, size_t i) {
    return (section[i] == 'E' || section[i] == 'e') && i + 1 < section.size() &&
           (section[i + 1] == '+' || section[i + 1] == '-');
}

std::vector<Token> Tokenize(std::string_view section) {
    std::vector<Token> tokens;
    bool seenPoint = false;
    bool seenDigit = false;
    bool seenExponent = false;
    for (size_t i = 0; i < section.size();) {
        const char c = section[i];
        if (c == '"') {
            const size_t close = section.find('"', i + 1);
            const size_t end = close == std::string_view::npos ? section.size() : close;
            tokens.push_back({Token::Literal, 0, std::string(section.substr(i + 1, end - i - 1))});
            i = end + 1;
        } else if (c == '\\' && i + 1 < section.size()) {
            const size_t length = Utf8Length(static_cast<unsigned char>(section[i + 1]));
            tokens.push_back({Token::Literal, 0, std::string(section.substr(i + 1, length))});
            i += 1 + length;
        } else if (c == '0' || c == '#') {
            tokens.push_back({Token::Digit, c, {}});
            seenDigit = true;
            ++i;
        } else if (c == '.' && !seenPoint && !seenExponent) {
            seenPoint = true;
            tokens.push_back({Token::Point, 0, {}});
            ++i;
        } else if (c == ',' && !seenExponent) {
            tokens.push_back({Token::Comma, 0, {}});
            ++i;
        } else if (c == '%') {
            tokens.push_back({Token::Percent, 0, "%"});
            ++i;
        } else if (seenDigit && !seenExponent && IsExponentMarker(section, i)) {
            seenExponent = true;
            tokens.push_back({Token::Exponent, 0, std::string(section.substr(i, 2))});
            i += 2;
        } else {
            const size_t length = Utf8Length(static_cast<unsigned char>(c));
            tokens.push_back({Token::Literal, 0, std::string(section.substr(i, length))});
            i += length;
        }
    }
    return tokens;
}

// What a section asks of the number.
struct Layout {
    std::vector<Token> tokens;
    std::vector<char> integerPlaces;   // placeholders before the point, left to right
    std::vector<char> fractionPlaces;  // placeholders after it
    std::vector<char> exponentPlaces;  // placeholders after an exponent marker
    bool scientific = false;
    bool grouping = false;
    int scaling = 0;  // commas right of the integer placeholders: a division by 1000 each
    int percents = 0;
    bool HasDigits() const { return !integerPlaces.empty() || !fractionPlaces.empty(); }
};

Layout Analyse(std::string_view section) {
    Layout layout;
    layout.tokens = Tokenize(section);
    bool afterPoint = false;
    int lastIntegerDigit = -1;
    for (size_t i = 0; i < layout.tokens.size(); ++i) {
        const auto& token = layout.tokens[i];
        if (token.kind == Token::Point) afterPoint = true;
        if (token.kind == Token::Percent) ++layout.percents;
        if (token.kind == Token::Exponent) layout.scientific = true;
        if (token.kind != Token::Digit) continue;
        if (layout.scientific)
            layout.exponentPlaces.push_back(token.placeholder);
        else if (afterPoint)
            layout.fractionPlaces.push_back(token.placeholder);
        else
            layout.integerPlaces.push_back(token.placeholder);
        if (!afterPoint && !layout.scientific) lastIntegerDigit = static_cast<int>(i);
    }
    // A comma between integer placeholders groups thousands; commas after the last one (before
    // the point or the end) scale the number down by 1000 each.
    bool digitSeen = false;
    afterPoint = false;
    for (size_t i = 0; i < layout.tokens.size(); ++i) {
        const auto& token = layout.tokens[i];
        if (token.kind == Token::Point || token.kind == Token::Exponent) afterPoint = true;
        if (token.kind == Token::Digit) digitSeen = true;
        if (token.kind != Token::Comma || afterPoint || !digitSeen) continue;
        if (static_cast<int>(i) < lastIntegerDigit)
            layout.grouping = true;
        else
            ++layout.scaling;
    }
    return layout;
}

// Digits padded with zeros on the left up to the placeholders from the leftmost "0" on.
std::string PadToPlaces(std::string digits, const std::vector<char>& places) {
    size_t width = 0;
    for (size_t i = 0; i < places.size(); ++i) {
        if (places[i] == '0') {
            width = places.size() - i;
            break;
        }
    }
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

// The fraction digits to show: trailing zeros on "#" places are dropped.
std::string FractionText(const DecimalDigits& number, const std::vector<char>& places) {
    std::string digits = number.FractionDigits(static_cast<int>(places.size()));
    while (!digits.empty() && digits.back() == '0' && places[digits.size() - 1] == '#')
        digits.pop_back();
    return digits;
}

// Shifts the point of a non-zero number so that `integerPlaces` digits stand before it (at least
// one digit when there are none), rounds, and returns the power of ten taken out.
int Normalise(DecimalDigits& number, int integerPlaces, int fractionPlaces) {
    if (number.IsZero()) return 0;
    const int wanted = integerPlaces > 0 ? integerPlaces : 0;
    int exponent = number.pointPosition - wanted;
    number.pointPosition = wanted;
    RoundToPlaces(number, fractionPlaces, TieRule::HalfAwayFromZero);
    if (number.pointPosition > wanted) {  // 9.99 rounded to 10.0: one more power of ten
        ++exponent;
        --number.pointPosition;
    }
    return exponent;
}

// Appends integer digits [from, to) of `digits`, with a group separator after every digit that
// has a multiple of three digits to its right.
void AppendIntegerDigits(std::string& out, const std::string& digits, size_t from, size_t to,
                         bool grouping) {
    for (size_t j = from; j < to; ++j) {
        out += digits[j];
        const size_t right = digits.size() - 1 - j;
        if (grouping && right > 0 && right % 3 == 0) out += ',';
    }
}

struct Pieces {
    std::string integer;
    std::string fraction;
    int exponent = 0;
};

std::string Render(const Layout& layout, const Pieces& pieces) {
    std::string out;
    const size_t places = layout.integerPlaces.size();
    const std::string& integer = pieces.integer;
    size_t integerIndex = 0;
    size_t fractionIndex = 0;
    bool afterPoint = false;
    bool inExponent = false;
    bool exponentWritten = false;
    for (const auto& token : layout.tokens) {
        switch (token.kind) {
            case Token::Digit:
                if (inExponent) {
                    // The whole exponent goes at its first placeholder.
                    if (!exponentWritten)
                        out += PadToPlaces(std::to_string(std::abs(pieces.exponent)),
                                           layout.exponentPlaces);
                    exponentWritten = true;
                } else if (!afterPoint) {
                    // Placeholders take the digits from the right; the leftmost takes every digit
                    // the others leave over.
                    const size_t fromRight = places - 1 - integerIndex;
                    const size_t end = integer.size() > fromRight ? integer.size() - fromRight : 0;
                    const size_t begin = integerIndex == 0 ? 0 : (end > 0 ? end - 1 : 0);
                    if (end > 0) AppendIntegerDigits(out, integer, begin, end, layout.grouping);
                    ++integerIndex;
                } else {
                    if (fractionIndex < pieces.fraction.size())
                        out += pieces.fraction[fractionIndex];
                    ++fractionIndex;
                }
                break;
            case Token::Point:
                if (places == 0)
                    AppendIntegerDigits(out, integer, 0, integer.size(), layout.grouping);
                out += '.';
                afterPoint = true;
                break;
            case Token::Exponent:
                out += token.text[0];
                if (pieces.exponent < 0)
                    out += '-';
                else if (token.text[1] == '+')
                    out += '+';
                inExponent = true;
                afterPoint = true;
                break;
            case Token::Comma:
                break;
            case Token::Percent:
            case Token::Literal:
                out += token.text;
                break;
        }
    }
    return out;
}

// One section applied to a magnitude; `negative` asks for a leading minus sign.
std::string ApplySection(double magnitude, std::string_view section, bool negative) {
    const Layout layout = Analyse(section);
    const double scaled =
        magnitude * std::pow(100.0, layout.percents) / std::pow(1000.0, layout.scaling);
    DecimalDigits number = ToDecimal15(scaled);
    const int fractionPlaces = static_cast<int>(layout.fractionPlaces.size());
    Pieces pieces;
    if (layout.scientific)
        pieces.exponent =
            Normalise(number, static_cast<int>(layout.integerPlaces.size()), fractionPlaces);
    else
        RoundToPlaces(number, fractionPlaces, TieRule::HalfAwayFromZero);
    pieces.integer = PadToPlaces(number.IntegerDigits(), layout.integerPlaces);
    pieces.fraction = FractionText(number, layout.fractionPlaces);
    std::string out = Render(layout, pieces);
    // Settled here: a negative value that rounds to zero shows no sign; "-0.00" would claim a
    // value below zero that the shown digits do not have.
    if (negative && layout.HasDigits() && !number.IsZero()) out.insert(out.begin(), '-');
    return out;
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern) {
    // Infinity and NaN cannot come from VB's own arithmetic; they show as VB would print them.
    if (!std::isfinite(value)) return DoubleText(value);
    const auto sections = SplitSections(pattern);
    auto usable = [&](size_t index) { return sections.size() > index && !sections[index].empty(); };
    if (value < 0 && usable(1)) return ApplySection(-value, sections[1], false);
    if (value == 0 && usable(2)) return ApplySection(0.0, sections[2], false);
    return ApplySection(std::fabs(value), sections.empty() ? "" : sections[0], value < 0);
}

std::string FormatNullSection(std::string_view pattern) {
    const auto sections = SplitSections(pattern);
    if (sections.size() < 4) return "";
    std::string out;
    for (const auto& token : Tokenize(sections[3]))
        if (token.kind == Token::Literal || token.kind == Token::Percent) out += token.text;
    return out;
}

}  // namespace automation::detail
