#include <client/session/kept_connections.h>

#include <client/session/props_string.h>
#include <client/session/session_database.h>

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
        const adodb::Connection::Stamp now = found.connection->DatabaseStamp();
        if (now.identity.empty() || now.identity != found.stamp.identity) break;
        // A write since (by anyone) is SQLite's to show; only what was worked out from the
        // database before it is forgotten.
        if (now.stamp != found.stamp.stamp) found.remembered.clear();
        found.stamp = now;
        kept.push_back(std::move(found));
        return kept.back().connection;
    }
    auto connection = OpenSessionDatabase(propsString, DatabaseAccess::ReadOnly);
    if (kept.size() >= kKeptDatabases) kept.erase(kept.begin());
    kept.push_back({database, connection, connection->DatabaseStamp(), {}});
    return connection;
}

void CloseReadConnections() { Kept().clear(); }

const std::string* Remembered(const adodb::Connection& db, const std::string& key) {
    for (const auto& kept : Kept()) {
        if (kept.connection.get() != &db) continue;
        const auto found = kept.remembered.find(key);
        return found == kept.remembered.end() ? nullptr : &found->second;
    }
    return nullptr;
}

void Remember(const adodb::Connection& db, const std::string& key, std::string text) {
    for (auto& kept : Kept()) {
        if (kept.connection.get() == &db) kept.remembered[key] = std::move(text);
    }
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
