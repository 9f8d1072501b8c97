#include "command_words.h"

#include <platform/automation/strings.h>

#include <charconv>
#include <cstdint>
#include <sstream>

namespace textface {

std::vector<std::string> SplitCommand(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
        if (words.empty() && word[0] == '#') break;
        words.push_back(word);
    }
    return words;
}

std::string RestAfterWords(const std::string& line, size_t words) {
    // The words are skipped as SplitCommand separates them (any ASCII white space, as the stream
    // reads them): a vertical tab or a CR between two words would otherwise give another rest
    // than the words the command was read from.
    using automation::kWhitespace;
    size_t at = 0;
    for (size_t i = 0; i < words; ++i) {
        at = line.find_first_not_of(kWhitespace, at);
        if (at == std::string::npos) return "";
        at = line.find_first_of(kWhitespace, at);
        if (at == std::string::npos) return "";
    }
    return automation::TrimWhitespace(line.substr(at));
}

int64_t ParseNumber(const std::string& text, const std::string& what, int64_t minimum,
                    int64_t maximum) {
    int64_t value = 0;
    const auto* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value);
    if (error == std::errc::result_out_of_range ||
        (error == std::errc() && next == end && (value < minimum || value > maximum))) {
        throw UsageError(what + " must lie between " + std::to_string(minimum) + " and " +
                         std::to_string(maximum) + ", not " + text);
    }
    if (error != std::errc() || next != end) {
        throw UsageError(what + " must be a whole number, not \"" + text + "\"");
    }
    return value;
}

int32_t ParsePosition(const std::string& text, const std::string& what) {
    return static_cast<int32_t>(ParseNumber(text, what, 1, INT32_MAX));
}

std::vector<int32_t> ParsePositions(const std::string& text, const std::string& what) {
    std::vector<int32_t> positions;
    std::istringstream parts(text);
    std::string part;
    while (std::getline(parts, part, ',')) positions.push_back(ParsePosition(part, what));
    if (positions.empty() || text.back() == ',') {
        throw UsageError(what + " are positions joined by commas (1,3,4), not \"" + text + "\"");
    }
    return positions;
}

void CheckPath(const std::string& path) {
    std::istringstream parts(path);
    std::string part;
    bool any = false;
    while (std::getline(parts, part, '.')) {
        ParsePosition(part, "each position of the detail path \"" + path + "\"");
        any = true;
    }
    if (!any || path.back() == '.') {
        throw UsageError("\"" + path + "\" is not a detail path (write positions like 2 or 7.1)");
    }
}

bool ParseOnOff(const std::string& word) {
    if (automation::EqualsIgnoreCase(word, "on")) return true;
    if (automation::EqualsIgnoreCase(word, "off")) return false;
    throw UsageError("\"" + word + "\" is neither on nor off");
}

}  // namespace textface
