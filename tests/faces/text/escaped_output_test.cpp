// What the host prints shows control characters escaped: a bill number holding an escape sequence
// is read, not obeyed, by the user's terminal.

#include <faces/text/escaped_output.h>

#include <gtest/gtest.h>

#include <sstream>

TEST(EscapedOutput, ControlCharactersAreShownNotObeyed) {
    const std::pair<std::string, std::string> cases[] = {
        {"WORK\x1b]0;x\x07\rtab\tline\n", "WORK\\x1B]0;x\\x07\\x0Dtab\tline\n"},
        {std::string("\0\x7f", 2), "\\x00\\x7F"},
        {"C1 \xC2\x9B"
         "31m, not ©\xC2\xA0中文",
         "C1 \\u009B31m, not ©\xC2\xA0中文"},
        {"a lead at the end \xC2", "a lead at the end \xC2"},
    };
    for (const auto& [text, shown] : cases) {
        std::ostringstream target;
        textface::EscapedOutput(target) << text;
        EXPECT_EQ(target.str(), shown);
    }
}
