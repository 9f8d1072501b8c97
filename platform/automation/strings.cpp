#include <platform/automation/strings.h>

#include <platform/automation/errors.h>

#include <algorithm>

namespace automation {

namespace {
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The byte offset where each character starts, followed by the text's size. A character is a
// UTF-8 sequence; stray continuation bytes stay with the character before them, so a text that is
// not valid UTF-8 is still cut only between whole sequences and never fails.
std::vector<size_t> CharacterOffsets(std::string_view text) {
    std::vector<size_t> offsets;
    for (size_t i = 0; i < text.size(); ++i)
        if (i == 0 || !IsContinuationByte(text[i])) offsets.push_back(i);
    offsets.push_back(text.size());
    return offsets;
}

// The 1-based character position of a byte offset that starts a character (or lies inside one).
int32_t PositionOfByte(const std::vector<size_t>& offsets, size_t byte) {
    auto after = std::upper_bound(offsets.begin(), offsets.end() - 1, byte);
    return static_cast<int32_t>(after - offsets.begin());
}

// The text as the comparison sees it: folding the ASCII letters keeps every byte where it was, so
// positions found in the folded text hold for the original.
std::string Folded(std::string_view text, CompareMethod compare) {
    return compare == CompareMethod::Text ? LCase(text) : std::string(text);
}

void RequireNotNegative(int32_t value) {
    if (value < 0) Raise(vberr::InvalidProcedureCall);
}

}  // namespace

std::string UCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
    return result;
}

std::string LCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
    return result;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

std::string LTrim(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? "" : std::string(text.substr(first));
}

std::string RTrim(std::string_view text) {
    const size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? "" : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) { return std::string(TrimCharacters(text, " ")); }

std::string TrimWhitespace(std::string_view text) {
    return std::string(TrimCharacters(text, kWhitespace));
}

std::string_view TrimCharacters(std::string_view text, std::string_view set) {
    const size_t first = text.find_first_not_of(set);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(set) - first + 1);
}

int32_t Len(std::string_view text) {
    return static_cast<int32_t>(CharacterOffsets(text).size() - 1);
}

std::string Left(std::string_view text, int32_t length) {
    RequireNotNegative(length);
    const auto offsets = CharacterOffsets(text);
    const size_t count = std::min(static_cast<size_t>(length), offsets.size() - 1);
    return std::string(text.substr(0, offsets[count]));
}

std::string Right(std::string_view text, int32_t length) {
    RequireNotNegative(length);
    const auto offsets = CharacterOffsets(text);
    const size_t characters = offsets.size() - 1;
    const size_t count = std::min(static_cast<size_t>(length), characters);
    return std::string(text.substr(offsets[characters - count]));
}

std::string Mid(std::string_view text, int32_t start, int32_t length) {
    if (start < 1 || length < -1) Raise(vberr::InvalidProcedureCall);
    const auto offsets = CharacterOffsets(text);
    const size_t characters = offsets.size() - 1;
    const size_t first = static_cast<size_t>(start - 1);
    if (first >= characters) return "";
    const size_t available = characters - first;
    const size_t count = length < 0 ? available : std::min(static_cast<size_t>(length), available);
    return std::string(text.substr(offsets[first], offsets[first + count] - offsets[first]));
}

int32_t InStr(int32_t start, std::string_view text, std::string_view find, CompareMethod compare) {
    if (start < 1) Raise(vberr::InvalidProcedureCall);
    const auto offsets = CharacterOffsets(text);
    const int32_t characters = static_cast<int32_t>(offsets.size() - 1);
    if (text.empty() || start > characters) return 0;
    if (find.empty()) return start;
    const size_t found =
        Folded(text, compare).find(Folded(find, compare), offsets[static_cast<size_t>(start - 1)]);
    return found == std::string::npos ? 0 : PositionOfByte(offsets, found);
}

int32_t InStr(std::string_view text, std::string_view find) { return InStr(1, text, find); }

int32_t InStrRev(std::string_view text, std::string_view find, int32_t start,
                 CompareMethod compare) {
    if (start == 0 || start < -1) Raise(vberr::InvalidProcedureCall);
    const auto offsets = CharacterOffsets(text);
    const int32_t characters = static_cast<int32_t>(offsets.size() - 1);
    if (text.empty()) return 0;
    if (start == -1) start = characters;
    if (start > characters) return 0;
    if (find.empty()) return start;
    // The match must end at or before the end of character `start`.
    const std::string haystack =
        Folded(text.substr(0, offsets[static_cast<size_t>(start)]), compare);
    const size_t found = haystack.rfind(Folded(find, compare));
    return found == std::string::npos ? 0 : PositionOfByte(offsets, found);
}

std::vector<std::string> Split(std::string_view text, std::string_view delimiter, int32_t limit,
                               CompareMethod compare) {
    if (limit < -1) Raise(vberr::InvalidProcedureCall);
    std::vector<std::string> pieces;
    if (text.empty() || limit == 0) return pieces;
    if (delimiter.empty()) return {std::string(text)};
    const std::string folded = Folded(text, compare);
    const std::string separator = Folded(delimiter, compare);
    size_t begin = 0;
    while (limit == -1 || static_cast<int32_t>(pieces.size()) + 1 < limit) {
        const size_t found = folded.find(separator, begin);
        if (found == std::string::npos) break;
        pieces.emplace_back(text.substr(begin, found - begin));
        begin = found + separator.size();
    }
    pieces.emplace_back(text.substr(begin));
    return pieces;
}

std::string Join(const std::vector<std::string>& pieces, std::string_view delimiter) {
    std::string result;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) result += delimiter;
        result += pieces[i];
    }
    return result;
}

std::string Replace(std::string_view text, std::string_view find, std::string_view replacement,
                    int32_t start, int32_t count, CompareMethod compare) {
    if (start < 1 || count < -1) Raise(vberr::InvalidProcedureCall);
    const std::string rest = Mid(text, start);
    if (find.empty() || count == 0) return rest;
    const std::string folded = Folded(rest, compare);
    const std::string target = Folded(find, compare);
    std::string result;
    size_t begin = 0;
    for (int32_t done = 0; count == -1 || done < count; ++done) {
        const size_t found = folded.find(target, begin);
        if (found == std::string::npos) break;
        result.append(rest, begin, found - begin);
        result += replacement;
        begin = found + target.size();
    }
    result.append(rest, begin, std::string::npos);
    return result;
}

std::string Space(int32_t count) {
    RequireNotNegative(count);
    return std::string(static_cast<size_t>(count), ' ');
}

int32_t StrComp(std::string_view a, std::string_view b, CompareMethod compare) {
    const std::string left = Folded(a, compare);
    const std::string right = Folded(b, compare);
    // Byte order of UTF-8 is the order of the characters' code points.
    const int order = left.compare(right);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

}  // namespace automation
