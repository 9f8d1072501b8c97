#pragma once
// The ERP database and the user of the running session, as the client's security and bill
// components find them: the connection part of the session property string (the text between
// its first "{" and the next "}") and its "UserID" entry.

#include <platform/adodb/connection.h>

#include <cstdint>
#include <string>

namespace client {

// The session property string of this process; error 91 when the host set none.
std::string SessionPropsString();

// The connection part of a property string; error 5 when it has none.
std::string ConnectionPart(const std::string& propsString);

// The "UserID" entry of a property string (any letter case) as a 32-bit number; error 13 when it
// is missing or not a number, 6 when it does not fit.
int32_t SessionUserID(const std::string& propsString);

// Opens the ERP database that a property string names. `readOnly` refuses every write.
adodb::ConnectionPtr OpenSessionDatabase(const std::string& propsString, bool readOnly);

}  // namespace client
