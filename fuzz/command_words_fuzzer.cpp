// The words of a host command line and the numbers, positions and paths read from them. Every
// line gives words or a UsageError with a message; what reads holds what the reader promises.

#include "fuzz_input.h"

#include <faces/text/command_words.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "command_words_fuzzer: %s\n", what);
    std::abort();
}

template <class Call>
void Usage(Call call) {
    try {
        call();
    } catch (const textface::UsageError& error) {
        Check(error.what()[0] != '\0', "a usage error without a message");
    }
}

void ReadWord(const std::string& word) {
    Usage([&] {
        const int64_t n = textface::ParseNumber(word, "the number", -5, 100000);
        Check(n >= -5 && n <= 100000, "ParseNumber returned a number out of its range");
    });
    Usage([&] { Check(textface::ParsePosition(word, "the position") >= 1, "position below 1"); });
    Usage([&] {
        for (int32_t position : textface::ParsePositions(word, "the rows")) {
            Check(position >= 1, "a position below 1 in a list");
        }
    });
    Usage([&] { textface::CheckPath(word); });
    Usage([&] { textface::ParseOnOff(word); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(fuzz::Text(data, size));
    const auto words = textface::SplitCommand(line);
    for (size_t i = 0; i < words.size(); ++i) {
        Check(!words[i].empty(), "an empty word");
        // The rest of a line after i words starts with the next word, as `type BAND TEXT` and
        // `search TEXT` take it.
        const std::string rest = textface::RestAfterWords(line, i);
        Check(rest.compare(0, words[i].size(), words[i]) == 0,
              "the rest of a line does not start with its next word");
        ReadWord(words[i]);
    }
    textface::RestAfterWords(line, words.size() + 1);
    ReadWord(line);
    return 0;
}
