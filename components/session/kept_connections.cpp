#include <components/session/kept_connections.h>

#include <components/session/props_string.h>
#include <components/session/session_database.h>

#include <platform/automation/errors.h>

#include <map>
#include <string>
#include <vector>

namespace client {

namespace {

constexpr size_t kKeptDatabases = 4;

struct KeptConnection {
    std::string database;  // the connection part of the property string
    adodb::ConnectionPtr connection;
    adodb::Connection::Stamp stamp;  // the database as it was last seen
    std::map<std::string, std::string> remembered;
};

std::vector<KeptConnection>& Kept() {
    static std::vector<KeptConnection> kept;  // the most recently used last
    return kept;
}

}  // namespace

adodb::ConnectionPtr ReadConnection(std::string_view propsString) {
    auto& kept = Kept();
    const std::string database = ConnectionPart(propsString);
    for (size_t i = 0; i < kept.size(); ++i) {
        if (kept[i].database != database) continue;
        KeptConnection found = std::move(kept[i]);
        kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(i));
        // Asking a server whether it was written costs a round trip: that is seen to when
        // something remembered is used (a write since, by anyone, is the database's to show).
        const std::string identity = found.connection->DatabaseIdentity();
        if (identity.empty() || identity != found.stamp.identity) break;
        kept.push_back(std::move(found));
        return kept.back().connection;
    }
    auto connection = OpenSessionDatabase(propsString, DatabaseAccess::ReadOnly);
    if (kept.size() >= kKeptDatabases) kept.erase(kept.begin());
    kept.push_back({database, connection, connection->DatabaseStamp(), {}});
    return connection;
}

void CloseReadConnections() { Kept().clear(); }

namespace {

KeptConnection* KeptOf(const adodb::Connection& db) {
    for (auto& kept : Kept()) {
        if (kept.connection.get() == &db) return &kept;
    }
    return nullptr;
}

// Forgets what was worked out from the database before a write to it; true when nothing was
// written since it was last seen.
bool Unwritten(KeptConnection& kept) {
    const adodb::Connection::Stamp now = kept.connection->TransactionStamp();
    if (!now.stamp.empty() && now.stamp == kept.stamp.stamp) return true;
    kept.remembered.clear();
    kept.stamp = now;
    return false;
}

}  // namespace

const std::string* Remembered(const adodb::Connection& db, const std::string& key) {
    KeptConnection* kept = KeptOf(db);
    if (!kept) return nullptr;
    const auto found = kept->remembered.find(key);
    return found == kept->remembered.end() ? nullptr : &found->second;
}

bool RememberedStillHolds(const adodb::Connection& db) {
    KeptConnection* kept = KeptOf(db);
    return !kept || Unwritten(*kept);
}

void Remember(const adodb::Connection& db, const std::string& key, std::string text) {
    KeptConnection* kept = KeptOf(db);
    if (!kept) return;
    Unwritten(*kept);
    kept->remembered[key] = std::move(text);
}

ReadSession::ReadSession(std::string_view propsString) : connection_(ReadConnection(propsString)) {
    if (connection_->InTransaction()) return;
    connection_->BeginTrans();
    ownsTransaction_ = true;
}

ReadSession::~ReadSession() {
    if (!ownsTransaction_ || !connection_->InTransaction()) return;
    try {
        // A read transaction changes nothing: ending it only lets go of the snapshot.
        connection_->CommitTrans();
    } catch (const automation::RuntimeError&) {
        try {
            connection_->RollbackTrans();
        } catch (const automation::RuntimeError&) {
            // Nothing to take back; the next call finds the connection as SQLite left it.
        }
    }
}

}  // namespace client
