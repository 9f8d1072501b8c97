#include <components/session/props_string.h>

#include <platform/automation/errors.h>

#include <charconv>

namespace client {

namespace {

constexpr char kSource[] = "QzClientSession.PropsString";

}  // namespace

std::string ConnectionPart(std::string_view props) {
    for (auto& entry : trackquery::PropsEntries(props)) {
        if (!entry.braced) continue;
        if (entry.value.empty()) break;
        return std::move(entry.value);
    }
    automation::Raise(automation::vberr::InvalidProcedureCall, kSource,
                      "The session property string names no database (no {connection} part).");
}

int32_t SessionUserID(std::string_view props) {
    const std::string text = trackquery::PropsValue(props, "UserID").value_or("");
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
