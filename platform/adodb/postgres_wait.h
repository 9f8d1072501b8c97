#pragma once
// Waiting on a PostgreSQL server with a time limit. The engine's connection is non-blocking, so
// that neither sending (a statement, rows to copy) nor waiting for the answer can hang on a
// server that stopped answering. Internal to the connection.

#include <libpq-fe.h>

#include <chrono>
#include <optional>

namespace adodb::internal {

using WaitClock = std::chrono::steady_clock;
// When a wait gives up; none: it waits as long as it takes.
using Deadline = std::optional<WaitClock::time_point>;

enum class WaitOutcome { Done, TimedOut };

// Sends everything libpq holds for the server. A lost connection counts as done: libpq reports it
// with the next result.
WaitOutcome FlushBy(PGconn* connection, const Deadline& deadline);

// The answer to what was sent: its last result (or its first one that starts a COPY), null when
// there is none or the server did not answer by the deadline (`outcome` says which).
struct Answer {
    PGresult* result = nullptr;
    WaitOutcome outcome = WaitOutcome::Done;
};
Answer AwaitAnswer(PGconn* connection, const Deadline& deadline);

// In pipeline mode: reads the results up to the next synchronisation point, which is not followed
// by a null result as each statement's results are.
WaitOutcome AwaitSync(PGconn* connection, const Deadline& deadline);

}  // namespace adodb::internal
