#pragma once
// What the client's components read from the session property string beyond its grammar
// (contracts/props_string.h): the ERP database's connection and the session's user.

#include <contracts/props_string.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace client {

// The connection part: the first value written in braces (the client writes the ERP database's
// connection string as "ConnectString={...}"). Error 5 when there is none or it is empty.
std::string ConnectionPart(std::string_view props);

// The session's user: the "UserID" value as a 32-bit whole number in decimal digits. Error 13
// when it is missing, not such a number, or too large.
int32_t SessionUserID(std::string_view props);

}  // namespace client
