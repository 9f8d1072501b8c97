#include "command_source.h"

#include "command_words.h"

#include <platform/automation/strings.h>

#include <string_view>
#include <utility>

namespace textface {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsLineEnd(int byte) { return byte == '\n' || byte == '\r'; }

}  // namespace

CommandSource::CommandSource(std::istream& in, std::ostream& out, std::string scriptName)
    : in_(in), out_(out), scriptName_(std::move(scriptName)) {}

void CommandSource::Refuse(const std::string& what) const {
    throw UsageError((Interactive() ? "input line " : "line ") + std::to_string(lineNumber_) + " " +
                     what);
}

int CommandSource::NextByte() {
    if (exhausted_) return std::char_traits<char>::eof();
    const int byte = in_.rdbuf()->sbumpc();
    if (byte == std::char_traits<char>::eof()) {
        in_.setstate(std::ios::eofbit);
        return byte;
    }
    if (++bytesRead_ > kMaxInputBytes) {
        exhausted_ = true;
        throw UsageError(
            (Interactive() ? "the input" : "the script") + std::string(" is longer than ") +
            std::to_string(kMaxInputBytes / (1024 * 1024)) + " MiB; nothing past that is read");
    }
    return byte;
}

void CommandSource::PassLineFeedAfterReturn() {
    if (!exhausted_ && in_.rdbuf()->sgetc() == '\n') NextByte();
}

void CommandSource::SkipRestOfLine() {
    for (int byte = NextByte(); byte != std::char_traits<char>::eof(); byte = NextByte()) {
        if (byte == '\r') PassLineFeedAfterReturn();
        if (IsLineEnd(byte)) return;
    }
}

std::optional<std::string> CommandSource::ReadLine() {
    if (pending_) return std::exchange(pending_, std::nullopt);
    if (std::exchange(skipRestOfLine_, false)) SkipRestOfLine();
    std::string line;
    bool holdsNul = false;
    int byte = NextByte();
    if (byte == std::char_traits<char>::eof()) return std::nullopt;
    ++lineNumber_;
    for (; byte != std::char_traits<char>::eof() && !IsLineEnd(byte); byte = NextByte()) {
        holdsNul = holdsNul || byte == '\0';
        if (line.size() == kMaxLineBytes) {
            skipRestOfLine_ = true;
            Refuse(holdsNul ? "holds a NUL character: a script is text"
                            : "is longer than " + std::to_string(kMaxLineBytes) + " bytes");
        }
        line += static_cast<char>(byte);
    }
    if (byte == '\r') PassLineFeedAfterReturn();
    if (holdsNul) Refuse("holds a NUL character: a script is text");
    if (lineNumber_ == 1 && line.starts_with(kByteOrderMark)) line.erase(0, kByteOrderMark.size());
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

std::vector<CommandSource::Line> CommandSource::LeadingAnswers() {
    std::vector<Line> answers;
    if (Interactive()) return answers;
    while (auto line = ReadLine()) {
        const auto words = SplitCommand(*line);
        if (words.empty()) continue;
        if (!automation::EqualsIgnoreCase(words[0], "answer")) {
            pending_ = line;
            break;
        }
        answers.push_back({*line, lineNumber_});
    }
    return answers;
}

}  // namespace textface
