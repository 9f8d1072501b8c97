#pragma once
// The ERP database of the running session, as the client's components open it: the session
// property string of this process names it in its connection part (props_string.h).

#include <platform/adodb/connection.h>

#include <string>
#include <string_view>

namespace client {

// The session property string of this process; error 91 when the host set none.
std::string SessionPropsString();

enum class DatabaseAccess { ReadOnly, ReadWrite };

// Opens the ERP database that a property string names; a read-only connection refuses every
// write. Error 5 when the string names no database.
adodb::ConnectionPtr OpenSessionDatabase(std::string_view propsString, DatabaseAccess access);

}  // namespace client
