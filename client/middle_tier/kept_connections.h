#pragma once
// The read-only connection of a middle-tier call. One connection per database is kept open
// between calls, so that a call does not pay for opening the database and reading its schema
// again, and the connection keeps its prepared queries. A kept connection serves again while its
// database is as it was when it was opened (adodb::Connection::DatabaseStamp); a database that
// was replaced, removed or written since is opened anew, as a fresh connection per call would
// find it. A few databases are kept at most; the one used least recently is closed. For the
// client's one thread, as the rest of the middle tier.

#include <platform/adodb/connection.h>

#include <string_view>

namespace client::middle_tier {

// The kept connection to the database the property string names, opened read-only when none is
// kept or the kept one is stale; the errors of opening are those of OpenSessionDatabase.
adodb::ConnectionPtr ReadConnection(std::string_view propsString);

// Closes every kept connection (a test that moves databases around, a host that ends).
void CloseReadConnections();

}  // namespace client::middle_tier
