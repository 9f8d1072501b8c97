#pragma once
// The session property string, as the client's components read it. It is a run of entries
// "key=value", each ended by ";" (the last ";" may be missing), read from the left:
// - the key is the text before the entry's first "=", blanks around it removed; keys compare
//   without regard to letter case;
// - the value follows the "=", blanks around it removed. A value that begins with "{" runs to the
//   next "}" (braces excluded; they do not nest), so it may hold ";" and "="; whatever stands
//   between that "}" and the next ";" is dropped;
// - an entry with an empty key ends the string, as it ends the library's own reading of it.
// "A=1; B = {x;y=2} ;C=3" holds 1 for A, "x;y=2" for B and 3 for C.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace client {

struct PropsEntry {
    std::string key;
    std::string value;
    bool braced = false;  // the value was written in braces
};

// The entries of a property string, in order.
std::vector<PropsEntry> PropsEntries(std::string_view props);

// The value of `key`; nothing when the string has no such entry.
std::optional<std::string> PropsValue(std::string_view props, std::string_view key);

// The connection part: the first value written in braces (the client writes the ERP database's
// connection string as "ConnectString={...}"). Error 5 when there is none or it is empty.
std::string ConnectionPart(std::string_view props);

// The session's user: the "UserID" value as a 32-bit whole number in decimal digits. Error 13
// when it is missing, not such a number, or too large.
int32_t SessionUserID(std::string_view props);

}  // namespace client
