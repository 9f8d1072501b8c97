#include "source_text_scan.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>

namespace scan {

namespace {

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

class Lexer {
  public:
    explicit Lexer(const std::string& source) : s_(source) {}

    std::vector<SourceText> Literals() {
        std::vector<SourceText> found;
        while (i_ < s_.size()) {
            if (StartsHere("//")) {
                SkipPast("\n");
            } else if (StartsHere("/*")) {
                SkipPast("*/");
            } else if (s_[i_] == '\'' && !PrecededByIdentifier()) {
                SkipQuoted('\'');
            } else if (LiteralStartsHere()) {
                found.push_back(JoinedLiteral());
            } else {
                Advance(1);
            }
        }
        return found;
    }

  private:
    bool StartsHere(const char* text) const { return s_.compare(i_, std::strlen(text), text) == 0; }

    void Advance(size_t count) {
        for (size_t k = 0; k < count && i_ < s_.size(); ++k) {
            if (s_[i_++] == '\n') ++line_;
        }
    }

    void SkipPast(const char* end) {
        auto at = s_.find(end, i_);
        Advance(at == std::string::npos ? s_.size() - i_ : at - i_ + std::strlen(end));
    }

    // A digit separator (1'000) or a prefix letter is not a character literal's quote.
    bool PrecededByIdentifier() const {
        if (i_ == 0) return false;
        char before = s_[i_ - 1];
        return std::isalnum(static_cast<unsigned char>(before)) || before == '_';
    }

    void SkipQuoted(char quote) {
        Advance(1);
        while (i_ < s_.size() && s_[i_] != quote && s_[i_] != '\n') Advance(s_[i_] == '\\' ? 2 : 1);
        Advance(1);
    }

    // A string literal with its optional encoding prefix (u8, u, U, L) and R for raw strings.
    bool LiteralStartsHere() {
        size_t at = i_;
        if (at > 0 && (std::isalnum(static_cast<unsigned char>(s_[at - 1])) || s_[at - 1] == '_'))
            return false;
        for (const char* prefix :
             {"u8R\"", "uR\"", "UR\"", "LR\"", "R\"", "u8\"", "u\"", "U\"", "L\"", "\""}) {
            if (s_.compare(at, std::strlen(prefix), prefix) == 0) {
                prefixLength_ = std::strlen(prefix) - 1;
                raw_ = std::strchr(prefix, 'R') != nullptr;
                return true;
            }
        }
        return false;
    }

    SourceText JoinedLiteral() {
        SourceText literal{"", {}, line_};
        for (;;) {
            Advance(prefixLength_ + 1);
            literal.text += raw_ ? RawBody() : EscapedBody();
            size_t save = i_;
            int saveLine = line_;
            while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) Advance(1);
            if (i_ < s_.size() && LiteralStartsHere()) continue;
            i_ = save;
            line_ = saveLine;
            return literal;
        }
    }

    std::string RawBody() {
        auto open = s_.find('(', i_);
        std::string close = ")" + s_.substr(i_, open - i_) + "\"";
        auto end = s_.find(close, open);
        std::string body = s_.substr(open + 1, end - open - 1);
        Advance(end + close.size() - i_);
        return body;
    }

    std::string EscapedBody() {
        std::string body;
        while (i_ < s_.size() && s_[i_] != '"' && s_[i_] != '\n') {
            if (s_[i_] != '\\') {
                body += s_[i_];
                Advance(1);
                continue;
            }
            Advance(1);
            body += Escape();
        }
        Advance(1);
        return body;
    }

    std::string Escape() {
        char c = s_[i_];
        Advance(1);
        switch (c) {
            case 'n':
                return "\n";
            case 'r':
                return "\r";
            case 't':
                return "\t";
            case '0':
                return std::string(1, '\0');
            case 'x':
                return std::string(1, static_cast<char>(Hex(2)));
            case 'u':
                return Utf8(Hex(4));
            case 'U':
                return Utf8(Hex(8));
            default:
                return std::string(1, c);
        }
    }

    uint32_t Hex(size_t most) {
        uint32_t value = 0;
        for (size_t k = 0; k < most && i_ < s_.size() && IsHex(s_[i_]); ++k) {
            value =
                value * 16 + static_cast<uint32_t>(std::stoi(std::string(1, s_[i_]), nullptr, 16));
            Advance(1);
        }
        return value;
    }

    static std::string Utf8(uint32_t code) {
        std::string out;
        AppendUtf8(out, code);
        return out;
    }

    const std::string& s_;
    size_t i_ = 0;
    int line_ = 1;
    size_t prefixLength_ = 0;
    bool raw_ = false;
};

std::string TrimSpaces(const std::string& text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<SourceText> StringLiterals(const std::string& source) {
    return Lexer(source).Literals();
}

bool HoldsChinese(const std::string& text) {
    // CJK ideographs (U+3400..U+9FFF) are the three-byte sequences E3 90 80 .. E9 BF BF.
    for (size_t i = 0; i + 2 < text.size(); ++i) {
        auto lead = static_cast<unsigned char>(text[i]);
        auto next = static_cast<unsigned char>(text[i + 1]);
        if ((lead == 0xE3 && next >= 0x90) || (lead >= 0xE4 && lead <= 0xE9)) return true;
    }
    return false;
}

std::vector<std::string> ResourceKeys(const std::string& literal) {
    std::vector<std::string> keys;
    size_t start = 0;
    for (;;) {
        auto at = literal.find("^|^", start);
        std::string piece = literal.substr(start, at == std::string::npos ? at : at - start);
        if (piece.starts_with("~$~")) piece.erase(0, 3);
        piece = TrimSpaces(piece);
        if (HoldsChinese(piece)) keys.push_back(piece);
        if (at == std::string::npos) return keys;
        start = at + 3;
    }
}

std::vector<SourceText> ChineseTextsBelow(const std::filesystem::path& root) {
    std::vector<SourceText> texts;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        auto extension = entry.path().extension();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream source;
        source << in.rdbuf();
        for (const auto& literal : StringLiterals(source.str())) {
            for (auto& key : ResourceKeys(literal.text)) {
                texts.push_back({key, entry.path(), literal.line});
            }
        }
    }
    return texts;
}

}  // namespace scan
