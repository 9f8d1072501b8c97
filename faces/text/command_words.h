#pragma once
// The words of a host command line, and the numbers and paths in them. Bad input throws
// UsageError with a message that says what was wrong and how to say it instead.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace textface {

class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A command line split into words at white space (spaces, tabs, and the CR of a CRLF script);
// "#..." and blank lines give no words.
std::vector<std::string> SplitCommand(const std::string& line);

// Everything after the first `words` words of a line, as typed (blanks around it dropped).
std::string RestAfterWords(const std::string& line, size_t words);

// A whole number from `minimum` to `maximum`; `what` names it in the message.
int64_t ParseNumber(const std::string& text, const std::string& what, int64_t minimum,
                    int64_t maximum);

// A 1-based position (1 to 2147483647).
int32_t ParsePosition(const std::string& text, const std::string& what);

// Positions joined by commas ("1,3,4").
std::vector<int32_t> ParsePositions(const std::string& text, const std::string& what);

// A detail path: dotted positions, each 1 or more ("2", "7.1.1").
void CheckPath(const std::string& path);

// "on" or "off" (any case).
bool ParseOnOff(const std::string& word);

}  // namespace textface
