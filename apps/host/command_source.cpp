#include "command_source.h"

#include "command_words.h"

#include <platform/automation/strings.h>

#include <utility>

namespace apps {

CommandSource::CommandSource(std::istream& in, std::ostream& out, std::string scriptName)
    : in_(in), out_(out), scriptName_(std::move(scriptName)) {}

std::optional<std::string> CommandSource::ReadLine() {
    if (pending_) return std::exchange(pending_, std::nullopt);
    std::string line;
    if (!std::getline(in_, line)) return std::nullopt;
    ++lineNumber_;
    return line;
}

std::optional<std::string> CommandSource::Next(const std::string& prompt) {
    if (Interactive()) out_ << prompt << "> " << std::flush;
    auto line = ReadLine();
    if (!line) {
        if (Interactive()) out_ << "\n";
        return std::nullopt;
    }
    if (!Interactive() && !SplitCommand(*line).empty()) out_ << prompt << "> " << *line << "\n";
    return line;
}

std::vector<std::string> CommandSource::LeadingAnswers() {
    std::vector<std::string> answers;
    if (Interactive()) return answers;
    while (auto line = ReadLine()) {
        const auto words = SplitCommand(*line);
        if (words.empty()) continue;
        if (!automation::EqualsIgnoreCase(words[0], "answer")) {
            pending_ = line;
            break;
        }
        answers.push_back(*line);
    }
    return answers;
}

}  // namespace apps
