#include <platform/adodb/postgres_connect.h>

#include <platform/adodb/connection.h>
#include <platform/adodb/engine.h>
#include <platform/adodb/postgres_address.h>
#include <platform/adodb/postgres_wait.h>

#include <cstdlib>
#include <vector>

namespace adodb::internal {

namespace {

const AddressOption kTimeLimits[] = {
    {"connect_timeout", "5"},     {"keepalives", "1"},       {"keepalives_idle", "5"},
    {"keepalives_interval", "2"}, {"keepalives_count", "2"}, {"tcp_user_timeout", "10000"},
};

std::string ValueIn(const AddressOptions& options, const std::string& keyword) {
    std::string value;
    for (const auto& option : options) {
        if (option.keyword == keyword && !option.value.empty()) value = option.value;
    }
    return value;
}

// libpq's keyword and value arrays over the options; later options win over earlier ones.
template <typename Open>
PGconn* OpenWith(const AddressOptions& options, Open open) {
    std::vector<const char*> keywords;
    std::vector<const char*> values;
    for (const auto& option : options) {
        keywords.push_back(option.keyword.c_str());
        values.push_back(option.value.c_str());
    }
    keywords.push_back(nullptr);
    values.push_back(nullptr);
    return open(keywords.data(), values.data());
}

// The options libpq would use, the environment's and a service file's beside the address's.
// libpq fills those in before it checks the values, so a probe whose sslmode cannot be right
// tells them without going to the server.
AddressOptions Resolved(AddressOptions options) {
    options.push_back({"sslmode", "probe"});
    PGconn* probe = OpenWith(options, [](const char* const* keywords, const char* const* values) {
        return PQconnectStartParams(keywords, values, 0);
    });
    AddressOptions resolved;
    if (PQconninfoOption* info = PQconninfo(probe)) {
        for (const PQconninfoOption* option = info; option->keyword; ++option) {
            if (option->val) resolved.push_back({option->keyword, option->val});
        }
        PQconninfoFree(info);
    }
    PQfinish(probe);
    return resolved;
}

[[noreturn]] void FailToConnect(PGconn* connection, const std::string& shown, int connectSeconds,
                                WaitClock::duration waited) {
    const std::string user = connection && PQuser(connection) ? PQuser(connection) : "";
    const std::string message =
        connection ? WithoutUser(PQerrorMessage(connection), user) : "out of memory";
    const bool needsPassword = connection && PQconnectionNeedsPassword(connection);
    PQfinish(connection);
    std::string what = "The database \"" + shown + "\" cannot be opened";
    FailureCause cause = FailureCause::Unreachable;
    // libpq counts its limit in whole seconds of the clock, so it may give up up to 1 s early.
    if (connectSeconds > 0 &&
        waited + std::chrono::seconds(1) >= std::chrono::seconds(connectSeconds)) {
        cause = FailureCause::TimedOut;
        what += " (no answer within " + std::to_string(connectSeconds) + " s)";
    } else if (needsPassword) {
        cause = FailureCause::CannotOpen;
        what +=
            " (the server asks for a password: give it with PGPASSWORD, in ~/.pgpass or in a "
            "service file)";
    } else if (message.find("does not exist") != std::string::npos ||
               message.find("authentication") != std::string::npos) {
        cause = FailureCause::CannotOpen;
    }
    FailWithCause(cause, what, message, "");
}

}  // namespace

std::string WithoutUser(std::string message, const std::string& user) {
    if (!user.empty()) {
        for (size_t at = message.find(user); at != std::string::npos;
             at = message.find(user, at + 3)) {
            message.replace(at, user.size(), "***");
        }
    }
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

ServerConnection ConnectToServer(const ConnectionSettings& settings) {
    AddressOptions options = ReadAddress(settings.dataSource);
    const std::string shown = ShownAddress(settings.dataSource);
    if (PasswordOf(options).empty()) {
        const std::string kept = KeptPassword(options);
        if (!kept.empty()) options.push_back({"password", kept});
    }
    const AddressOptions resolved = Resolved(options);
    for (const auto& limit : kTimeLimits) {
        if (ValueIn(resolved, limit.keyword).empty()) options.push_back(limit);
    }
    std::string connectTimeout = ValueIn(resolved, "connect_timeout");
    if (connectTimeout.empty()) connectTimeout = ValueIn(options, "connect_timeout");
    const auto started = WaitClock::now();
    PGconn* connection =
        OpenWith(options, [](const char* const* keywords, const char* const* values) {
            return PQconnectdbParams(keywords, values, 0);
        });
    if (!connection || PQstatus(connection) != CONNECTION_OK) {
        FailToConnect(connection, shown, std::atoi(connectTimeout.c_str()),
                      WaitClock::now() - started);
    }
    PQsetnonblocking(connection, 1);
    return {connection, PQuser(connection) ? PQuser(connection) : "", shown};
}

}  // namespace adodb::internal
