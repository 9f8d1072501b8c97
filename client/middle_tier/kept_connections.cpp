#include <client/middle_tier/kept_connections.h>

#include <client/session/props_string.h>
#include <client/session/session_database.h>

#include <string>
#include <vector>

namespace client::middle_tier {

namespace {

constexpr size_t kKeptDatabases = 4;

struct KeptConnection {
    std::string database;  // the connection part of the property string
    adodb::ConnectionPtr connection;
    std::string stamp;  // the database as it was opened
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
        if (found.stamp.empty() || found.connection->DatabaseStamp() != found.stamp) break;
        kept.push_back(std::move(found));
        return kept.back().connection;
    }
    auto connection = OpenSessionDatabase(propsString, DatabaseAccess::ReadOnly);
    if (kept.size() >= kKeptDatabases) kept.erase(kept.begin());
    kept.push_back({database, connection, connection->DatabaseStamp()});
    return connection;
}

void CloseReadConnections() { Kept().clear(); }

}  // namespace client::middle_tier
