#pragma once
// The read-only connection of a call of the client's components (the middle tier, permissions,
// system profiles). One connection per database is kept open
// between calls, so that a call does not pay for opening the database and reading its schema
// again, and the connection keeps its prepared queries. A kept connection serves again while its
// database is the one it opened (adodb::Connection::DatabaseStamp); a database that was replaced
// or removed is opened anew, as a fresh connection per call would find it. What other
// connections commit, SQLite shows a kept connection at its next statement. A few databases are
// kept at most; the one used least recently is closed. For the client's one thread.

#include <platform/adodb/connection.h>

#include <string>
#include <string_view>

namespace client {

// The kept connection to the database the property string names, opened read-only when none is
// kept or the kept one is stale; the errors of opening are those of OpenSessionDatabase.
adodb::ConnectionPtr ReadConnection(std::string_view propsString);

// Closes every kept connection (a test that moves databases around, a host that ends).
void CloseReadConnections();

// A text worked out from the database (the SQL that reads a tracked kind), kept with a kept
// connection until the database is written. Nothing is kept for a connection that is not a kept
// one. Whether the database was written since is known on a server only with the rows of the
// call's first statement, so a caller uses what Remembered gives, then asks
// RememberedStillHolds (free once a statement ran): when it says no, what was remembered is
// forgotten and the caller works the text out again. Remember stores a text worked out in the
// call at hand.
const std::string* Remembered(const adodb::Connection& db, const std::string& key);
bool RememberedStillHolds(const adodb::Connection& db);
void Remember(const adodb::Connection& db, const std::string& key, std::string text);

// The kept connection in use by one call. The call's statements read one snapshot of the
// database, in one read transaction (unless one is open already), which also spares SQLite
// taking and dropping its lock on the file for every statement; the transaction ends with the
// call, however it ends.
class ReadSession {
  public:
    explicit ReadSession(std::string_view propsString);
    ~ReadSession();
    ReadSession(const ReadSession&) = delete;
    ReadSession& operator=(const ReadSession&) = delete;

    adodb::Connection& operator*() const { return *connection_; }
    adodb::Connection* operator->() const { return connection_.get(); }

  private:
    adodb::ConnectionPtr connection_;
    bool ownsTransaction_ = false;
};

}  // namespace client
