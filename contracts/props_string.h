#pragma once
// The session property string, read one way by the library and by the client's components. It is
// a run of entries "key=value", each ended by ";" (the last ";" may be missing), read from the
// left:
// - the key is the text before the entry's first "=", blanks around it removed; keys compare
//   without regard to letter case;
// - the value follows the "=", blanks around it removed. A value that begins with "{" runs to the
//   next "}" (braces excluded; they do not nest), so it may hold ";" and "="; whatever stands
//   between that "}" and the next ";" is dropped;
// - an entry with an empty key ends every reading of the string.
// "A=1; B = {x;y=2} ;C=3" holds 1 for A, "x;y=2" for B and 3 for C.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trackquery {

// The tokenizer. CutToken returns the text before the first `separator` (letter case ignored) and
// leaves the rest in `text`; without a separator it returns the whole text and empties it. Never
// fails.
std::string CutToken(std::string& text, const std::string& separator);
// The next key: the text before the next "=", trimmed.
std::string CutKey(std::string& text);
// The next value: up to the next ";", or, when it begins with "{", up to the next "}" (braces
// excluded; the rest up to the ";" is dropped). Trimmed.
std::string CutValue(std::string& text);

struct PropsEntry {
    std::string key;  // empty where the string ends
    std::string value;
    bool braced = false;  // the value was written in braces
};

// The next entry of `text` (CutKey, then CutValue); the rest stays in `text`.
PropsEntry CutEntry(std::string& text);

// The entries of a property string in order, up to the first with an empty key.
std::vector<PropsEntry> PropsEntries(std::string_view props);

// The value of `key` (any letter case) among PropsEntries; nothing when there is none.
std::optional<std::string> PropsValue(std::string_view props, std::string_view key);

}  // namespace trackquery
