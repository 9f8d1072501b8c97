#include <platform/adodb/postgres_address.h>

#include <platform/adodb/ado_enums.h>
#include <platform/adodb/connection.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <arpa/inet.h>
#include <libpq-fe.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace adodb::internal {

namespace {

[[noreturn]] void Malformed(const std::string& what) {
    automation::Raise(adoerr::InvalidArgument, "ADODB.Connection",
                      "The PostgreSQL address cannot be read: " + what + ".");
}

// libpq's complaint without the pieces of the address it quotes, which may be a password's.
std::string WithoutQuotedPieces(std::string message) {
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    // Past the replaced piece and its closing quote: open + 1 + "..." + 1.
    for (size_t open = message.find('"'); open != std::string::npos;
         open = message.find('"', open + 5)) {
        const size_t close = message.find('"', open + 1);
        if (close == std::string::npos) break;
        message.replace(open + 1, close - open - 1, "...");
    }
    return message;
}

struct ConninfoDeleter {
    void operator()(PQconninfoOption* options) const { PQconninfoFree(options); }
};

// libpq's parse of the text; null with libpq's complaint in `error` when it cannot read it.
std::unique_ptr<PQconninfoOption, ConninfoDeleter> Parse(const std::string& text,
                                                         std::string& error) {
    char* complaint = nullptr;
    std::unique_ptr<PQconninfoOption, ConninfoDeleter> parsed(
        PQconninfoParse(text.c_str(), &complaint));
    if (complaint) {
        error = complaint;
        PQfreemem(complaint);
    }
    return parsed;
}

std::vector<std::string> Split(const std::string& list) {
    std::vector<std::string> items;
    size_t start = 0;
    for (size_t comma = list.find(',');; comma = list.find(',', start)) {
        items.push_back(list.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return items;
}

bool IsWholeNumber(const std::string& text) {
    const std::string trimmed = automation::TrimWhitespace(text);
    size_t start = !trimmed.empty() && (trimmed[0] == '-' || trimmed[0] == '+') ? 1 : 0;
    return trimmed.size() > start &&
           std::all_of(trimmed.begin() + static_cast<std::ptrdiff_t>(start), trimmed.end(),
                       [](unsigned char c) { return std::isdigit(c); });
}

// A host is a name or address, a socket folder ("/..."), or an abstract socket ("@name").
bool IsHost(const std::string& host) {
    if (host.empty() || host[0] == '/') return true;
    if (host[0] == '@') return host.size() > 1;
    return std::all_of(host.begin(), host.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '.' || c == '-' || c == '_' || c == ':' || c == '%';
    });
}

bool IsNumericAddress(const std::string& address) {
    unsigned char buffer[sizeof(in6_addr)];
    return address.empty() || inet_pton(AF_INET, address.c_str(), buffer) == 1 ||
           inet_pton(AF_INET6, address.c_str(), buffer) == 1;
}

struct Choice {
    const char* keyword;
    std::vector<const char*> values;
};

// The options whose values libpq takes from a fixed list.
const std::vector<Choice>& Choices() {
    static const std::vector<Choice> choices = {
        {"sslmode", {"disable", "allow", "prefer", "require", "verify-ca", "verify-full"}},
        {"gssencmode", {"disable", "prefer", "require"}},
        {"channel_binding", {"disable", "prefer", "require"}},
        {"target_session_attrs",
         {"any", "read-write", "read-only", "primary", "standby", "prefer-standby"}},
        {"load_balance_hosts", {"disable", "random"}},
        {"sslcertmode", {"disable", "allow", "require"}},
    };
    return choices;
}

constexpr const char* kNumberOptions[] = {"connect_timeout",  "keepalives",
                                          "keepalives_idle",  "keepalives_interval",
                                          "keepalives_count", "tcp_user_timeout"};

void CheckChoice(const AddressOption& option) {
    for (const Choice& choice : Choices()) {
        if (option.keyword != choice.keyword) continue;
        std::string listed;
        for (const char* value : choice.values) {
            if (option.value == value) return;
            listed += std::string(listed.empty() ? "" : ", ") + value;
        }
        Malformed(option.keyword + " \"" + option.value + "\" is not one of " + listed);
    }
}

void CheckValue(const AddressOption& option) {
    CheckChoice(option);
    for (const char* keyword : kNumberOptions) {
        if (option.keyword == keyword && !IsWholeNumber(option.value)) {
            Malformed(option.keyword + " \"" + option.value + "\" is not a whole number");
        }
    }
    if (option.keyword == "port") {
        for (const auto& port : Split(option.value)) {
            if (!port.empty() && !IsWholeNumber(port)) {
                Malformed("the port \"" + port + "\" is not a number");
            }
        }
    }
    if (option.keyword == "host") {
        for (const auto& host : Split(option.value)) {
            if (!IsHost(host)) {
                Malformed("the host \"" + host +
                          "\" is no host name, IP address or socket folder (a \"@\" or \":\" in a "
                          "user name or password is written %40 or %3A)");
            }
        }
    }
    if (option.keyword == "hostaddr") {
        for (const auto& address : Split(option.value)) {
            if (!IsNumericAddress(address)) {
                Malformed("hostaddr \"" + address + "\" is not an IP address");
            }
        }
    }
}

AddressOptions Options(const PQconninfoOption* parsed) {
    AddressOptions options;
    for (const PQconninfoOption* option = parsed; option && option->keyword; ++option) {
        if (option->val) options.push_back({option->keyword, option->val});
    }
    return options;
}

std::string ValueOf(const AddressOptions& options, const std::string& keyword) {
    for (const auto& option : options) {
        if (option.keyword == keyword) return option.value;
    }
    return "";
}

bool IsUri(const std::string& text) { return IsPostgresAddress(text); }

// A URI with the options that say which database it is: a single host that is no socket folder
// in its authority, the rest as query parameters.
std::string ShownUri(const AddressOptions& options) {
    const std::string host = ValueOf(options, "host");
    const std::string port = ValueOf(options, "port");
    const bool hostInAuthority = !host.empty() && host.find_first_of("/,@") == std::string::npos;
    std::string uri = "postgresql://";
    if (hostInAuthority) {
        uri += host.find(':') != std::string::npos ? "[" + host + "]" : host;
        if (!port.empty() && port.find(',') == std::string::npos) uri += ":" + port;
    }
    uri += "/" + ValueOf(options, "dbname");
    std::string query;
    for (const auto& option : options) {
        const bool inAuthority =
            hostInAuthority && (option.keyword == "host" ||
                                (option.keyword == "port" && port.find(',') == std::string::npos));
        const bool shown = option.keyword == "service" || option.keyword == "host" ||
                           option.keyword == "hostaddr" || option.keyword == "port";
        if (!shown || inAuthority) continue;
        query += (query.empty() ? "?" : "&") + option.keyword + "=" + option.value;
    }
    return uri + query;
}

}  // namespace

AddressOptions ReadAddress(const std::string& address) {
    std::string error;
    const auto parsed = Parse(address, error);
    if (!parsed) Malformed(WithoutQuotedPieces(error));
    AddressOptions options = Options(parsed.get());
    for (const auto& option : options) CheckValue(option);
    return options;
}

bool IsAddressText(const std::string& text) {
    std::string error;
    const auto parsed = Parse(text, error);
    if (parsed) return IsUri(text) || !Options(parsed.get()).empty();
    // One that cannot be read still is an address when it opens with a keyword of libpq's.
    const std::string first = automation::TrimWhitespace(text.substr(0, text.find('=')));
    std::unique_ptr<PQconninfoOption, ConninfoDeleter> known(PQconndefaults());
    for (const PQconninfoOption* option = known.get(); option && option->keyword; ++option) {
        if (first == option->keyword) return true;
    }
    return false;
}

std::string AddressText(const AddressOptions& options) {
    std::string text;
    for (const auto& option : options) {
        std::string value;
        for (char c : option.value) {
            if (c == '\\' || c == '\'') value += '\\';
            value += c;
        }
        text += (text.empty() ? "" : " ") + option.keyword + "='" + value + "'";
    }
    return text;
}

std::string ShownAddress(const std::string& address) {
    std::string error;
    const auto parsed = Parse(address, error);
    if (!parsed) return "(an address that cannot be read)";
    const AddressOptions options = Options(parsed.get());
    AddressOptions shown;
    for (const char* keyword : {"service", "host", "hostaddr", "port", "dbname"}) {
        const std::string value = ValueOf(options, keyword);
        if (!value.empty()) shown.push_back({keyword, value});
    }
    if (IsUri(address)) return ShownUri(shown);
    std::string text;
    for (const auto& option : shown) {
        const bool quote = option.value.empty() || option.value.find(' ') != std::string::npos;
        text += (text.empty() ? "" : " ") + option.keyword + "=" +
                (quote ? "'" + option.value + "'" : option.value);
    }
    return text;
}

AddressOptions WithoutPassword(const AddressOptions& options) {
    AddressOptions kept;
    for (const auto& option : options) {
        if (option.keyword != "password") kept.push_back(option);
    }
    return kept;
}

std::string PasswordOf(const AddressOptions& options) { return ValueOf(options, "password"); }

}  // namespace adodb::internal
