#pragma once
// How the client's bill windows and bill lists show a value read from the ERP database: dates as
// dates, quantities and amounts grouped with their decimals, words (status, kind, direction)
// in the session's language, names as they are. Both faces draw these texts; neither formats a
// value of its own.

#include <components/resources/session_captions.h>

#include <platform/automation/variant.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace client {

enum class ValueKind {
    Text,      // a name, a number of a bill or an item: as it is
    Word,      // a Chinese word the query chose (a status, a kind): translated
    Date,      // YYYY-MM-DD
    Integer,   // a line number, an operation's sequence: no grouping
    Quantity,  // grouped, with the decimals it has (at most four)
    Amount,    // grouped, two decimals
    Rate,      // an exchange rate: the decimals it has (at most six)
};

// A column of a table a face draws: its caption in the session's language, and whether its
// values line up right (figures), centred (dates, words) or left.
struct SheetColumn {
    std::string caption;
    ValueKind kind = ValueKind::Text;
    int32_t align = 0;  // 0 left, 1 right, 2 centre
};

// A value as a face shows it, with the key a table sorts it by: the number for figures and
// dates, nothing (sort by text) for the rest.
struct SheetCell {
    std::string text;
    bool numeric = false;
    double sortKey = 0;
};

// The alignment that suits a kind of value.
int32_t AlignmentOf(ValueKind kind);

// The text of a database value; Null and Empty show nothing.
std::string ShownText(const automation::Variant& value, ValueKind kind, SessionCaptions& captions);
SheetCell ShownValue(const automation::Variant& value, ValueKind kind, SessionCaptions& captions);

// A table as text for the terminal: headings, a rule, then the rows, cells padded to the widest
// text of their column (wide characters count two) and joined by " | ".
std::string TableText(const std::vector<SheetColumn>& columns,
                      const std::vector<std::vector<std::string>>& rows, const std::string& indent);
// The same for `rows` rows whose cells `cell(row, column)` gives (0-based), read where they are
// rather than copied into a table first; a cell past a row's end is "".
std::string TableText(const std::vector<SheetColumn>& columns, size_t rows,
                      const std::function<std::string_view(size_t, size_t)>& cell,
                      const std::string& indent);

}  // namespace client
