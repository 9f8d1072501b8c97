#pragma once
// Property-string parsing: the session property string as a table of keys and values. The table
// is built when a tracking controller starts (GetSubID) and read afterwards; it is one per
// process.

#include <cstdint>
#include <string>

namespace trackquery {

// Replaces the table by the entries of `propsString` (rules of CutKey/CutValue in MMTS.h). An
// entry with an empty key ends the parse. A key that occurs twice fails with error 457 at the
// second occurrence; the entries before it stay in the table. Returns true.
bool ParsePropsString(const std::string& propsString);

// The table's value of `key` (any letter case). Fails with error 9 when the key is missing and
// with error 91 before the first parse.
std::string GetParsedValue(const std::string& key);

// The session's "UserID" as a 32-bit integer. Fails (error 13 or 6) when the value is not a
// number or does not fit.
int32_t GetUserID();

// Parses the current session property string and returns its "SubID".
std::string GetSubID();

// For tests only: drops the table, as if the library had just been loaded.
void ResetMParseState();

}  // namespace trackquery
