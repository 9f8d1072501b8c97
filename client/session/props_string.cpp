#include <client/session/props_string.h>

#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <charconv>

namespace client {

namespace {

constexpr char kSource[] = "QzClientSession.PropsString";

// The text before the first `separator`; `rest` keeps what follows it, nothing when the
// separator is absent.
std::string_view CutToken(std::string_view& rest, char separator) {
    const size_t at = rest.find(separator);
    const std::string_view token = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view{} : rest.substr(at + 1);
    return token;
}

}  // namespace

std::vector<PropsEntry> PropsEntries(std::string_view props) {
    std::vector<PropsEntry> entries;
    std::string_view rest = props;
    while (true) {
        PropsEntry entry;
        entry.key = automation::Trim(CutToken(rest, '='));
        if (entry.key.empty()) return entries;
        rest = automation::TrimCharacters(rest, " ");
        entry.braced = !rest.empty() && rest.front() == '{';
        if (entry.braced) {
            rest.remove_prefix(1);
            entry.value = automation::Trim(CutToken(rest, '}'));
            CutToken(rest, ';');
        } else {
            entry.value = automation::Trim(CutToken(rest, ';'));
        }
        entries.push_back(std::move(entry));
    }
}

std::optional<std::string> PropsValue(std::string_view props, std::string_view key) {
    for (auto& entry : PropsEntries(props)) {
        if (automation::EqualsIgnoreCase(entry.key, key)) return std::move(entry.value);
    }
    return std::nullopt;
}

std::string ConnectionPart(std::string_view props) {
    for (auto& entry : PropsEntries(props)) {
        if (!entry.braced) continue;
        if (entry.value.empty()) break;
        return std::move(entry.value);
    }
    automation::Raise(automation::vberr::InvalidProcedureCall, kSource,
                      "The session property string names no database (no {connection} part).");
}

int32_t SessionUserID(std::string_view props) {
    const std::string text = PropsValue(props, "UserID").value_or("");
    int32_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        automation::Raise(automation::vberr::TypeMismatch, kSource,
                          "The session property string holds no user id (\"UserID\" as a 32-bit "
                          "whole number).");
    }
    return id;
}

}  // namespace client
