#pragma once
// LIKE patterns that match a typed text as it stands: "%" and "_" are wildcards in LIKE, so they
// (and the escape character itself) are escaped with a backslash, and the statement says so with
// kLikeEscape after the pattern.

#include <string>

namespace adodb {

inline constexpr const char* kLikeEscape = " ESCAPE '\\'";

// The body of a pattern matching `text` exactly, with no wildcard of its own.
inline std::string EscapeLikeWildcards(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// A pattern matching every text that contains `text`.
inline std::string LikeContaining(const std::string& text) {
    return "%" + EscapeLikeWildcards(text) + "%";
}

}  // namespace adodb
