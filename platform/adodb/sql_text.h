#pragma once
// Reading SQL text as both engines' translations do: which characters make up a word, and where a
// quoted part or a comment ends. Internal to the connection.

#include <cstddef>
#include <string>

namespace adodb::internal {

bool IsWordChar(char c);

// The end of the quoted part or comment that starts at `i`, or `i` when none starts there: texts
// in '...', names in "..." (a doubled quote stays inside), -- and /* */ comments. SQLite also
// quotes names in `...` and [...]; `sqliteQuotes` reads those too.
size_t SkipQuotedOrComment(const std::string& sql, size_t i, bool sqliteQuotes);

}  // namespace adodb::internal
