// The session property string: the library's table (ParsePropsString and the lookups after it)
// and the entries the shared reader finds in the same string, which must agree on every entry;
// and the client's readers of the connection part and the user.

#include "fuzz_input.h"

#include <components/session/props_string.h>
#include <contracts/props_string.h>
#include <platform/automation/errors.h>
#include <trackquery/services/MParse.h>

#include <cstdio>
#include <cstdlib>

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "props_string_fuzzer: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string props(fuzz::Text(data, size));
    bool parsed = false;
    try {
        parsed = trackquery::ParsePropsString(props);
    } catch (const automation::RuntimeError& error) {
        Check(error.Number() == automation::vberr::KeyAlreadyExists, "unexpected parse error");
    }
    const auto entries = trackquery::PropsEntries(props);
    for (const auto& entry : entries) {
        try {
            const std::string value = trackquery::GetParsedValue(entry.key);
            // Without a repeated key the library kept every entry, and the first of a key wins
            // in both readings.
            if (parsed) {
                Check(value == trackquery::PropsValue(props, entry.key).value_or(""),
                      "the table and the reader hold different values");
            }
        } catch (const automation::RuntimeError& error) {
            // Only the entries after a repeated key can be missing from the library's table.
            Check(!parsed && error.Number() == automation::vberr::SubscriptOutOfRange,
                  "an entry of the string is missing from the table");
        }
    }
    for (const char* key : {"UserID", "SubID", "UserName", "Language"}) {
        try {
            trackquery::GetParsedValue(key);
        } catch (const automation::RuntimeError&) {
        }
    }
    try {
        trackquery::GetUserID();
    } catch (const automation::RuntimeError&) {
    }
    try {
        client::SessionUserID(props);
    } catch (const automation::RuntimeError&) {
    }
    try {
        client::ConnectionPart(props);
    } catch (const automation::RuntimeError&) {
    }
    return 0;
}
