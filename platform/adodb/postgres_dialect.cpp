#include <platform/adodb/postgres_dialect.h>

#include <platform/adodb/sql_text.h>
#include <platform/automation/strings.h>

#include <cctype>

namespace adodb::internal {

namespace {

size_t WordEnd(const std::string& sql, size_t i) {
    while (i < sql.size() && IsWordChar(sql[i])) ++i;
    return i;
}

size_t SkipBlanks(const std::string& sql, size_t i) {
    while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
    return i;
}

bool IsKeywordAfterTruth(const std::string& word) {
    const std::string upper = automation::UCase(word);
    return upper.empty() || upper == "ORDER" || upper == "GROUP" || upper == "LIMIT" ||
           upper == "AND" || upper == "OR" || upper == "UNION";
}

}  // namespace

namespace {

// The length of the valid UTF-8 sequence at `at`, or 0 (RFC 3629: no overlong forms, no
// surrogates, nothing above U+10FFFF).
size_t SequenceLength(const std::string& text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

}  // namespace

std::string AsUtf8(const std::string& text) {
    size_t at = 0;
    while (at < text.size()) {
        const size_t length = SequenceLength(text, at);
        if (length == 0) break;
        at += length;
    }
    if (at == text.size()) return text;  // the usual case: nothing to mend
    std::string valid = text.substr(0, at);
    while (at < text.size()) {
        const size_t length = SequenceLength(text, at);
        if (length == 0) {
            valid += "\xEF\xBF\xBD";
            ++at;
        } else {
            valid.append(text, at, length);
            at += length;
        }
    }
    return valid;
}

PostgresStatement ToPostgresDialect(const std::string& sql) {
    PostgresStatement out;
    out.sql.reserve(sql.size() + 16);
    std::string lastWord;
    size_t i = 0;
    while (i < sql.size()) {
        const size_t skipped = SkipQuotedOrComment(sql, i, false);
        if (skipped != i) {
            std::string part = sql.substr(i, skipped - i);
            if (part[0] == '"') part = automation::LCase(part);
            out.sql += part;
            i = skipped;
            continue;
        }
        const char c = sql[i];
        if (c == '?') {
            size_t j = i + 1;
            while (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j]))) ++j;
            out.sql += "$" + (j > i + 1 ? sql.substr(i + 1, j - i - 1)
                                        : std::to_string(out.parameters + 1));
            ++out.parameters;
            i = j;
            continue;
        }
        if (c == ';') {
            if (SkipBlanks(sql, i + 1) < sql.size()) out.several = true;
            out.sql += c;
            ++i;
            continue;
        }
        if (!IsWordChar(c) || (i > 0 && IsWordChar(sql[i - 1]))) {
            out.sql += c;
            ++i;
            continue;
        }
        const size_t end = WordEnd(sql, i);
        const std::string word = sql.substr(i, end - i);
        const std::string upper = automation::UCase(word);
        const size_t next = SkipBlanks(sql, end);
        if ((upper == "ISNULL" || upper == "IFNULL") && next < sql.size() && sql[next] == '(') {
            out.sql += "COALESCE";
        } else if (upper == "LIKE") {
            out.sql += "ILIKE";
        } else if ((word == "0" || word == "1") && automation::UCase(lastWord) == "WHERE" &&
                   IsKeywordAfterTruth(sql.substr(next, WordEnd(sql, next) - next)) &&
                   (next >= sql.size() || sql[next] == ')' || sql[next] == ';' ||
                    IsWordChar(sql[next]))) {
            out.sql += word == "0" ? "1 = 0" : "1 = 1";
        } else {
            out.sql += word;
        }
        lastWord = word;
        i = end;
    }
    return out;
}

std::vector<std::string> MixedCaseWords(const std::string& sql) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < sql.size()) {
        const size_t skipped = SkipQuotedOrComment(sql, i, false);
        if (skipped != i) {
            if (sql[i] == '"' && skipped - i >= 2)
                words.push_back(sql.substr(i + 1, skipped - i - 2));
            i = skipped;
            continue;
        }
        if (!IsWordChar(sql[i])) {
            ++i;
            continue;
        }
        const size_t end = WordEnd(sql, i);
        const std::string word = sql.substr(i, end - i);
        if (automation::LCase(word) != word) words.push_back(word);
        i = end;
    }
    return words;
}

}  // namespace adodb::internal
