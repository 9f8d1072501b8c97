#pragma once
// The SQL the system writes (SQLite's and SQL Server's habits) as PostgreSQL reads it, with the
// same meaning. Internal to the PostgreSQL engine.
//
// Outside quotes and comments:
//   - "?" (or "?N") marks a parameter: it becomes "$N", numbered in order of appearance;
//   - ISNULL( and IFNULL( become COALESCE(;
//   - LIKE becomes ILIKE, as SQLite's LIKE ignores the case of ASCII letters;
//   - a quoted identifier "Name" becomes "name": the schema's unquoted names are folded to lower
//     case by PostgreSQL, and SQLite finds quoted names regardless of case;
//   - WHERE 0 / WHERE 1 (SQLite's integer truth) become WHERE 1 = 0 / WHERE 1 = 1.
// Texts in single quotes are left alone.

#include <string>
#include <vector>

namespace adodb::internal {

struct PostgresStatement {
    std::string sql;
    int parameters = 0;
    // Whether the text holds more than one statement (a ";" followed by more than blanks).
    bool several = false;
};

PostgresStatement ToPostgresDialect(const std::string& sql);

// The text as valid UTF-8, the only encoding the server takes: each byte that begins no valid
// sequence becomes U+FFFD. Such a text matches nothing a UTF-8 database holds, as on SQLite.
std::string AsUtf8(const std::string& text);

// The words of a statement outside quotes and comments that hold an upper-case letter, for
// giving result columns back the letter case the statement wrote them in ("AS FCount").
std::vector<std::string> MixedCaseWords(const std::string& sql);

}  // namespace adodb::internal
