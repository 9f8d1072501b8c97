#pragma once
// Where the host's command lines come from: a script file, echoed line by line behind the prompt
// of the window that takes it, or the terminal, where the prompt is printed before the user types.
//
// Lines end at a line feed, a carriage return followed by a line feed, or a carriage return alone
// (old Mac files); a UTF-8 byte order mark before the first line is passed over. A line longer
// than kMaxLineBytes, a line holding a NUL character and input beyond kMaxInputBytes are refused
// with a UsageError naming the line: a script is a short text, and a device or a runaway file
// (/dev/zero) must not grow the program without end.

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace textface {

class CommandSource {
  public:
    static constexpr size_t kMaxLineBytes = 16 * 1024;
    static constexpr size_t kMaxInputBytes = 16 * 1024 * 1024;

    // A line and its number in the input (1 for the first).
    struct Line {
        std::string text;
        int number = 0;
    };

    // `scriptName` names the script in messages; empty for the terminal.
    CommandSource(std::istream& in, std::ostream& out, std::string scriptName);

    bool Interactive() const { return scriptName_.empty(); }
    const std::string& ScriptName() const { return scriptName_; }
    // The number of the line read last (1 for the first).
    int LineNumber() const { return lineNumber_; }

    // The next line, read after `prompt` ("icmo", "icmo/frmBillSel"); nothing at the end of the
    // input. A line that cannot be taken throws UsageError; the line after it is read next, and
    // after input past the limit there is none.
    std::optional<std::string> Next(const std::string& prompt);

    // A script's "answer" lines before its first command, for the boxes the start itself shows;
    // the comments and blank lines among them are passed over. The terminal has none.
    std::vector<Line> LeadingAnswers();

  private:
    std::optional<std::string> ReadLine();
    // The next byte, counted against the limit; EOF at the end.
    int NextByte();
    // Consumes the line feed of a CR LF pair after a carriage return.
    void PassLineFeedAfterReturn();
    void SkipRestOfLine();
    [[noreturn]] void Refuse(const std::string& what) const;

    std::istream& in_;
    std::ostream& out_;
    std::string scriptName_;
    int lineNumber_ = 0;
    size_t bytesRead_ = 0;
    bool skipRestOfLine_ = false;
    bool exhausted_ = false;
    std::optional<std::string> pending_;
};

}  // namespace textface
