#include <platform/adodb/connection_string.h>

#include <platform/adodb/ado_enums.h>
#include <platform/adodb/connection.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <cctype>
#include <utility>
#include <vector>

namespace adodb::internal {

namespace {

constexpr int32_t kProviderNotFound = 3706;

[[noreturn]] void Unreadable(const std::string& what) {
    automation::Raise(adoerr::InvalidArgument, "ADODB.Connection",
                      "The connection string cannot be used: " + what + ".");
}

}  // namespace

// Splits on ";" outside quotes; each part is "Key=Value".
std::vector<std::pair<std::string, std::string>> ConnectionPairs(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> pairs;
    size_t i = 0;
    while (i < text.size()) {
        const size_t equals = text.find('=', i);
        const size_t semicolon = text.find(';', i);
        if (equals == std::string::npos || equals > semicolon) {
            const std::string stray = automation::TrimWhitespace(text.substr(i, semicolon - i));
            if (!stray.empty()) {
                Unreadable("part " + std::to_string(pairs.size() + 1) + " is not Key=Value");
            }
            if (semicolon == std::string::npos) break;
            i = semicolon + 1;
            continue;
        }
        std::string key = automation::TrimWhitespace(text.substr(i, equals - i));
        size_t j = equals + 1;
        while (j < text.size() && std::isspace(static_cast<unsigned char>(text[j]))) ++j;
        std::string value;
        if (j < text.size() && (text[j] == '"' || text[j] == '\'')) {
            // Inside quotes a doubled quote stands for one, as the connection string grammar has
            // it, so that any path can be written.
            const char quote = text[j];
            size_t close = j + 1;
            for (;;) {
                const size_t next = text.find(quote, close);
                if (next == std::string::npos) Unreadable("a quoted value is not closed");
                value += text.substr(close, next - close);
                if (next + 1 < text.size() && text[next + 1] == quote) {
                    value += quote;
                    close = next + 2;
                    continue;
                }
                close = next;
                break;
            }
            j = text.find(';', close + 1);
            if (!automation::TrimWhitespace(text.substr(close + 1, j - close - 1)).empty())
                Unreadable("text follows the quoted value of " + key);
        } else {
            const size_t end = text.find(';', j);
            value = automation::TrimWhitespace(text.substr(j, end - j));
            j = end;
        }
        if (key.empty()) Unreadable("a value has no key");
        pairs.emplace_back(std::move(key), std::move(value));
        if (j == std::string::npos) break;
        i = j + 1;
    }
    return pairs;
}

bool IsPasswordKey(const std::string& key) {
    return automation::EqualsIgnoreCase(key, "Password") ||
           automation::EqualsIgnoreCase(key, "Pwd");
}

namespace {

OpenMode ModeNamed(const std::string& value) {
    using automation::EqualsIgnoreCase;
    if (EqualsIgnoreCase(value, "Read") || value == "1") return OpenMode::Read;
    if (EqualsIgnoreCase(value, "ReadWrite") || EqualsIgnoreCase(value, "Write") || value == "3" ||
        value == "0")
        return OpenMode::ReadWrite;
    if (EqualsIgnoreCase(value, "Create")) return OpenMode::Create;
    Unreadable("Mode \"" + value + "\" is not Read, ReadWrite or Create");
}

}  // namespace

ConnectionSettings ParseConnectionString(const std::string& text) {
    using automation::EqualsIgnoreCase;
    ConnectionSettings settings{DatabaseEngine::SQLite, "", OpenMode::ReadWrite};
    bool haveSource = false;
    bool haveProvider = false;
    bool haveMode = false;
    // A key the connection uses must be said once: with a path pasted after "Data Source=", a
    // second Data Source in the path would otherwise choose another file than the one meant.
    auto once = [](bool& seen, const std::string& key) {
        if (seen) Unreadable("it names " + key + " twice");
        seen = true;
    };
    for (const auto& [key, value] : ConnectionPairs(text)) {
        if (EqualsIgnoreCase(key, "Provider")) {
            once(haveProvider, "Provider");
            if (EqualsIgnoreCase(value, "PostgreSQL") || EqualsIgnoreCase(value, "PgSQL")) {
                settings.engine = DatabaseEngine::PostgreSQL;
            } else if (!EqualsIgnoreCase(value, "SQLite") && !EqualsIgnoreCase(value, "SQLite3")) {
                automation::Raise(kProviderNotFound, "ADODB.Connection",
                                  "Provider cannot be found: \"" + value +
                                      "\" is not available here; use Provider=SQLite or "
                                      "Provider=PostgreSQL.");
            }
        } else if (EqualsIgnoreCase(key, "Data Source") || EqualsIgnoreCase(key, "DataSource")) {
            once(haveSource, "Data Source");
            settings.dataSource = value;
        } else if (EqualsIgnoreCase(key, "Mode")) {
            once(haveMode, "Mode");
            settings.mode = ModeNamed(value);
            settings.modeGiven = true;
        }
    }
    if (!haveSource || settings.dataSource.empty()) Unreadable("it names no Data Source");
    if (settings.engine == DatabaseEngine::PostgreSQL && settings.mode == OpenMode::Create) {
        Unreadable("Mode=Create makes SQLite files; a PostgreSQL database is made by its server");
    }
    return settings;
}

}  // namespace adodb::internal

namespace adodb {

bool IsPostgresAddress(const std::string& database) {
    const std::string lower = automation::LCase(database.substr(0, 13));
    return lower.rfind("postgresql://", 0) == 0 || lower.rfind("postgres://", 0) == 0;
}

bool IsConnectionString(const std::string& text) {
    const size_t equals = text.find('=');
    if (equals == std::string::npos) return false;
    const std::string key = automation::TrimWhitespace(text.substr(0, equals));
    return automation::EqualsIgnoreCase(key, "Provider") ||
           automation::EqualsIgnoreCase(key, "Data Source") ||
           automation::EqualsIgnoreCase(key, "DataSource");
}

ConnectionTarget TargetOf(const std::string& connectionString) {
    const auto settings = internal::ParseConnectionString(connectionString);
    return {settings.engine, settings.dataSource, settings.modeGiven};
}

}  // namespace adodb
