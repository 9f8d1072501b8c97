// The words of a host command line and the text after them.

#include <faces/text/command_words.h>

#include <gtest/gtest.h>

namespace {

TEST(CommandWords, TheRestOfALineStartsAtTheWordSplitCommandFound) {
    // A vertical tab separates words for SplitCommand; `type BAND TEXT` must then type the text
    // after the band, not an empty one.
    const std::string line = "type\vbndfilter SEORD000001\r";
    ASSERT_EQ(textface::SplitCommand(line),
              (std::vector<std::string>{"type", "bndfilter", "SEORD000001"}));
    EXPECT_EQ(textface::RestAfterWords(line, 2), "SEORD000001");
    EXPECT_EQ(textface::RestAfterWords(line, 1), "bndfilter SEORD000001");
}

}  // namespace
