// How the host reads its command lines: every line end a text editor writes, a byte order mark,
// the line numbers of leading answers, and lines or inputs refused by name, not read without end.

#include <faces/text/command_source.h>
#include <faces/text/command_words.h>

#include <gtest/gtest.h>

#include <sstream>

namespace {

using textface::CommandSource;

// "N: text" for each line read (the leading answers first), "error: ..." for a line refused: a
// script stops there, the terminal goes on.
std::vector<std::string> ReadAll(const std::string& input, bool interactive = false) {
    std::istringstream in(input);
    std::ostringstream echo;
    CommandSource source(in, echo, interactive ? "" : "s.txt");
    std::vector<std::string> read;
    for (bool more = true; more;) {
        try {
            for (const auto& answer : source.LeadingAnswers()) {
                read.push_back(std::to_string(answer.number) + ": " + answer.text);
            }
            while (auto line = source.Next("icmo")) {
                read.push_back(std::to_string(source.LineNumber()) + ": " + *line);
            }
            more = false;
        } catch (const textface::UsageError& error) {
            read.push_back(std::string("error: ") + error.what());
            more = interactive;
        }
    }
    return read;
}

TEST(ScriptReading, LineEndsMarksAndLimits) {
    const std::string longLine(CommandSource::kMaxLineBytes + 1, 'x');
    const std::string comment = "#" + std::string(CommandSource::kMaxLineBytes - 2, 'x') + "\n";
    std::string huge;
    while (huge.size() <= CommandSource::kMaxInputBytes) huge += comment;
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"\xEF\xBB\xBFshow all\n", {"1: show all"}},
        {"wait 1\rshow\r\nwindows", {"1: wait 1", "2: show", "3: windows"}},
        {"# answers\n\nanswer yes\nanswer no\nshow\n",
         {"3: answer yes", "4: answer no", "5: show"}},
        {std::string("show\nsel\0ect 2\n", 14),
         {"1: show", "error: line 2 holds a NUL character: a script is text"}},
        {"show\n" + longLine + "\nshow\n", {"1: show", "error: line 2 is longer than 16384 bytes"}},
        {huge, {"error: the script is longer than 16 MiB; nothing past that is read"}},
    };
    for (const auto& [input, read] : cases) EXPECT_EQ(ReadAll(input), read) << input.substr(0, 40);
    EXPECT_EQ(
        ReadAll(longLine + "\r\nshow\n", true),
        (std::vector<std::string>{"error: input line 1 is longer than 16384 bytes", "2: show"}));
}

}  // namespace
