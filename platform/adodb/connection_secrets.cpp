// What a message shows of a connection string or address, the connection string as a file may
// hold it, and the passwords the process keeps in its memory instead.

#include <platform/adodb/connection.h>
#include <platform/adodb/connection_string.h>
#include <platform/adodb/postgres_address.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <map>
#include <mutex>
#include <optional>

namespace adodb {

namespace {

using internal::AddressOptions;

bool IsUserKey(const std::string& key) {
    using automation::EqualsIgnoreCase;
    return EqualsIgnoreCase(key, "User ID") || EqualsIgnoreCase(key, "UID") ||
           EqualsIgnoreCase(key, "User");
}

bool IsSourceKey(const std::string& key) {
    return automation::EqualsIgnoreCase(key, "Data Source") ||
           automation::EqualsIgnoreCase(key, "DataSource");
}

bool NamesPostgres(const std::vector<std::pair<std::string, std::string>>& pairs) {
    for (const auto& [key, value] : pairs) {
        if (automation::EqualsIgnoreCase(key, "Provider") &&
            (automation::EqualsIgnoreCase(value, "PostgreSQL") ||
             automation::EqualsIgnoreCase(value, "PgSQL"))) {
            return true;
        }
    }
    return false;
}

std::string ShownValue(const std::string& value) {
    const bool quote = value.find_first_of(" ;\"'") != std::string::npos;
    return quote ? QuotedConnectionValue(value) : value;
}

std::string RedactedConnectionString(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> pairs;
    try {
        pairs = internal::ConnectionPairs(text);
    } catch (const automation::RuntimeError&) {
        return "(a connection string that cannot be read)";
    }
    const bool postgres = NamesPostgres(pairs);
    std::string shown;
    for (const auto& [key, value] : pairs) {
        if (internal::IsPasswordKey(key) || IsUserKey(key)) continue;
        const std::string part =
            IsSourceKey(key) && postgres ? internal::ShownAddress(value) : value;
        shown += (shown.empty() ? "" : ";") + key + "=" + ShownValue(part);
    }
    return shown;
}

// The passwords given to this process, by the address they open without them.
struct KeptPasswords {
    std::mutex mutex;
    std::map<std::string, std::string> byAddress;
};

KeptPasswords& Kept() {
    static KeptPasswords kept;
    return kept;
}

// Calls `each` with the options of the PostgreSQL address a connection string names, and writes
// the string again with the address `each` returns (none: as it was) and without ADO's password.
template <typename Each>
std::string ForPostgresSource(const std::string& connectionString, Each each) {
    auto pairs = internal::ConnectionPairs(connectionString);
    const bool postgres = NamesPostgres(pairs);
    std::string written;
    bool changed = false;
    for (auto& [key, value] : pairs) {
        if (internal::IsPasswordKey(key)) {
            changed = true;
            continue;
        }
        if (postgres && IsSourceKey(key)) {
            if (std::optional<std::string> rewritten = each(internal::ReadAddress(value))) {
                value = std::move(*rewritten);
                changed = true;
            }
        }
        written += (written.empty() ? "" : ";") + key + "=" + QuotedConnectionValue(value);
    }
    // A string with nothing to take out stays as it was written.
    return changed ? written : connectionString;
}

}  // namespace

std::string RedactedDataSource(const std::string& dataSource) {
    if (IsPostgresAddress(dataSource)) return internal::ShownAddress(dataSource);
    if (IsConnectionString(dataSource)) return RedactedConnectionString(dataSource);
    if (internal::IsAddressText(dataSource)) return internal::ShownAddress(dataSource);
    return dataSource;  // a file
}

std::string WithoutPassword(const std::string& connectionString) {
    return ForPostgresSource(connectionString,
                             [](const AddressOptions& options) -> std::optional<std::string> {
                                 if (internal::PasswordOf(options).empty()) return std::nullopt;
                                 return internal::AddressText(internal::WithoutPassword(options));
                             });
}

void KeepPassword(const std::string& connectionString) {
    ForPostgresSource(connectionString,
                      [](const AddressOptions& options) -> std::optional<std::string> {
                          const std::string password = internal::PasswordOf(options);
                          if (password.empty()) return std::nullopt;
                          const AddressOptions without = internal::WithoutPassword(options);
                          std::lock_guard lock(Kept().mutex);
                          Kept().byAddress[internal::AddressText(without)] = password;
                          return std::nullopt;
                      });
}

void KeepPassword(const std::string& connectionString, const std::string& password) {
    ForPostgresSource(connectionString,
                      [&password](const AddressOptions& options) -> std::optional<std::string> {
                          const AddressOptions without = internal::WithoutPassword(options);
                          std::lock_guard lock(Kept().mutex);
                          Kept().byAddress[internal::AddressText(without)] = password;
                          return std::nullopt;
                      });
}

namespace internal {

std::string KeptPassword(const AddressOptions& withoutPassword) {
    std::lock_guard lock(Kept().mutex);
    const auto found = Kept().byAddress.find(AddressText(withoutPassword));
    return found == Kept().byAddress.end() ? "" : found->second;
}

}  // namespace internal

}  // namespace adodb
