#pragma once
// VB's string functions over UTF-8 text. Positions and lengths count characters, not bytes.
// Settled here: a negative length and a start position of 0 or below are error 5 (invalid
// procedure call), for Left, Right, Mid, InStr, InStrRev, Replace and Space alike.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace automation {

// Upper and lower case of the ASCII letters; other characters (Chinese among them) are kept.
std::string UCase(std::string_view text);
std::string LCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// How two texts compare: character codes (the default) or without regard to letter case.
enum class CompareMethod { Binary = 0, Text = 1 };
inline constexpr CompareMethod vbBinaryCompare = CompareMethod::Binary;
inline constexpr CompareMethod vbTextCompare = CompareMethod::Text;

// Blanks (the space character only; tabs and line breaks stay) removed from the start, the end
// or both.
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);
std::string Trim(std::string_view text);

// White space as C's isspace knows it: blank, tab, line feed, vertical tab, form feed, carriage
// return. Our own text formats (connection strings, sort orders, the host's commands) take any of
// it around their words, where VB's Trim above removes blanks only.
inline constexpr std::string_view kWhitespace = " \t\n\v\f\r";
std::string TrimWhitespace(std::string_view text);
// `text` without the characters of `set` at its start and end; the core of every trim here, for
// a grammar with blanks of its own.
std::string_view TrimCharacters(std::string_view text, std::string_view set);

// The count of characters.
int32_t Len(std::string_view text);
// The first or last `length` characters (all of them when the text is shorter); a negative length
// is error 5.
std::string Left(std::string_view text, int32_t length);
std::string Right(std::string_view text, int32_t length);
// The characters from the 1-based `start` on, `length` of them or to the end when omitted (-1).
// A start past the end gives ""; a start below 1 or a length below -1 is error 5.
std::string Mid(std::string_view text, int32_t start, int32_t length = -1);

// The 1-based position of `find` in `text` from `start` on, 0 when absent. An empty `text` gives
// 0; an empty `find` is found at `start` when `start` lies within the text (0 otherwise); a start
// below 1 is error 5.
int32_t InStr(int32_t start, std::string_view text, std::string_view find,
              CompareMethod compare = vbBinaryCompare);
int32_t InStr(std::string_view text, std::string_view find);
// The position of the last `find` that ends at or before `start` (-1: the end of the text); 0 when
// absent or when `start` lies past the end. A start of 0 or below -1 is error 5.
int32_t InStrRev(std::string_view text, std::string_view find, int32_t start = -1,
                 CompareMethod compare = vbBinaryCompare);

// The pieces of `text` between the delimiters, at most `limit` of them (-1: no limit; the last
// piece keeps the rest). An empty text gives no piece, an empty delimiter the whole text, a limit
// of 0 no piece; a limit below -1 is error 5.
std::vector<std::string> Split(std::string_view text, std::string_view delimiter = " ",
                               int32_t limit = -1, CompareMethod compare = vbBinaryCompare);
std::string Join(const std::vector<std::string>& pieces, std::string_view delimiter = " ");

// `text` from the 1-based `start` on, with `count` (-1: every) occurrence of `find` replaced. As
// in VB the part before `start` is not returned. A start below 1 or a count below -1 is error 5.
std::string Replace(std::string_view text, std::string_view find, std::string_view replacement,
                    int32_t start = 1, int32_t count = -1, CompareMethod compare = vbBinaryCompare);

// `count` blanks; a negative count is error 5.
std::string Space(int32_t count);
// -1, 0 or 1 as `a` sorts before, equal to or after `b`.
int32_t StrComp(std::string_view a, std::string_view b, CompareMethod compare = vbBinaryCompare);

}  // namespace automation
