#include <platform/adodb/postgres_wait.h>

#include <poll.h>
#include <algorithm>
#include <cerrno>
#include <climits>

namespace adodb::internal {

namespace {

constexpr short kTimedOut = -1;

// The events of the connection's socket once it can be read (or, with `write`, written), or
// kTimedOut when the deadline passed first.
short WaitForSocket(PGconn* connection, bool write, const Deadline& deadline) {
    const int socket = PQsocket(connection);
    if (socket < 0) return POLLERR;  // lost: libpq says so at once
    pollfd watched{socket, static_cast<short>(POLLIN | (write ? POLLOUT : 0)), 0};
    for (;;) {
        int timeout = -1;
        if (deadline) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - WaitClock::now());
            if (left.count() <= 0) return kTimedOut;
            timeout = static_cast<int>(std::min<long long>(left.count(), INT_MAX));
        }
        const int ready = ::poll(&watched, 1, timeout);
        if (ready > 0) return watched.revents;
        if (ready == 0) return kTimedOut;
        if (errno != EINTR) return POLLERR;
    }
}

}  // namespace

WaitOutcome FlushBy(PGconn* connection, const Deadline& deadline) {
    for (;;) {
        if (PQflush(connection) <= 0) return WaitOutcome::Done;
        const short events = WaitForSocket(connection, true, deadline);
        if (events == kTimedOut) return WaitOutcome::TimedOut;
        // The server may be sending while it reads: taking that in lets it go on reading.
        if ((events & POLLIN) && !PQconsumeInput(connection)) return WaitOutcome::Done;
    }
}

Answer AwaitAnswer(PGconn* connection, const Deadline& deadline) {
    Answer answer;
    for (;;) {
        while (PQisBusy(connection)) {
            if (WaitForSocket(connection, false, deadline) == kTimedOut) {
                PQclear(answer.result);
                return {nullptr, WaitOutcome::TimedOut};
            }
            if (!PQconsumeInput(connection)) break;  // lost: the next result says so
        }
        PGresult* result = PQgetResult(connection);
        if (!result) return answer;
        PQclear(answer.result);
        answer.result = result;
        const ExecStatusType status = PQresultStatus(result);
        if (status == PGRES_COPY_IN || status == PGRES_COPY_OUT || status == PGRES_COPY_BOTH ||
            PQstatus(connection) == CONNECTION_BAD) {
            return answer;
        }
    }
}

WaitOutcome AwaitSync(PGconn* connection, const Deadline& deadline) {
    for (;;) {
        while (PQisBusy(connection)) {
            if (WaitForSocket(connection, false, deadline) == kTimedOut)
                return WaitOutcome::TimedOut;
            if (!PQconsumeInput(connection)) return WaitOutcome::Done;  // lost
        }
        PGresult* result = PQgetResult(connection);
        const bool synced = result && PQresultStatus(result) == PGRES_PIPELINE_SYNC;
        PQclear(result);
        if (synced || PQstatus(connection) == CONNECTION_BAD) return WaitOutcome::Done;
    }
}

}  // namespace adodb::internal
