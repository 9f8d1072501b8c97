#include <platform/adodb/sql_text.h>

#include <cctype>

namespace adodb::internal {

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
           static_cast<unsigned char>(c) >= 0x80;
}

size_t SkipQuotedOrComment(const std::string& sql, size_t i, bool sqliteQuotes) {
    const char c = sql[i];
    if (c == '\'' || c == '"' || (sqliteQuotes && (c == '`' || c == '['))) {
        const char close = c == '[' ? ']' : c;
        size_t j = i + 1;
        while (j < sql.size()) {
            if (sql[j] == close) {
                if (close != ']' && j + 1 < sql.size() && sql[j + 1] == close) {
                    j += 2;  // a doubled quote stays inside
                    continue;
                }
                return j + 1;
            }
            ++j;
        }
        return sql.size();
    }
    if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
        const size_t end = sql.find('\n', i);
        return end == std::string::npos ? sql.size() : end;
    }
    if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
        const size_t end = sql.find("*/", i + 2);
        return end == std::string::npos ? sql.size() : end + 2;
    }
    return i;
}

}  // namespace adodb::internal
