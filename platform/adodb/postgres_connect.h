#pragma once
// Opening a connection to a PostgreSQL server, with time limits. Internal to the connection.
//
// A connection has these limits unless its address, the environment (PGCONNECT_TIMEOUT), a
// service file or the server's own settings give others: at most 5 s to connect to each address
// tried (connect_timeout); a peer that is gone is noticed by TCP keep-alive within about 9 s
// (keepalives_idle 5, keepalives_interval 2, keepalives_count 2) and data it does not
// acknowledge for 10 s closes the connection (tcp_user_timeout); a statement may run 8 s
// (statement_timeout, set on the server when nothing else set it). The engine waits for an answer
// 2 s past a statement's limit: a server that has not answered by then is taken for frozen, and
// the connection is closed.

#include <platform/adodb/connection_string.h>

#include <libpq-fe.h>

#include <string>

namespace adodb::internal {

// A connected, non-blocking connection to the server the settings name, and the user it logged
// in as. Error 3001 when the address cannot be read; a provider error with the cause (cannot be
// reached, did not answer in time, cannot be opened) when the server cannot be used. No message
// shows the address's user or password.
struct ServerConnection {
    PGconn* connection = nullptr;
    std::string user;
    std::string shownAddress;  // the address as a message may show it
};
ServerConnection ConnectToServer(const ConnectionSettings& settings);

// The server's message without the user name, which a message must never show.
std::string WithoutUser(std::string message, const std::string& user);

}  // namespace adodb::internal
