// The connection string of ADODB.Connection, read without opening anything. A string that reads
// gives a data source which, written back quoted, reads the same again.

#include "fuzz_input.h"

#include <platform/adodb/connection_string.h>
#include <platform/automation/errors.h>

#include <cstdio>
#include <cstdlib>

namespace {

using adodb::internal::ConnectionSettings;
using adodb::internal::OpenMode;
using adodb::internal::ParseConnectionString;

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "connection_string_fuzzer: %s\n", what);
    std::abort();
}

const char* ModeName(OpenMode mode) {
    switch (mode) {
        case OpenMode::Read:
            return "Read";
        case OpenMode::Create:
            return "Create";
        case OpenMode::ReadWrite:
            break;
    }
    return "ReadWrite";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ConnectionSettings settings;
    try {
        settings = ParseConnectionString(std::string(fuzz::Text(data, size)));
    } catch (const automation::RuntimeError& error) {
        Check(error.Number() == 3001 || error.Number() == 3706, "unexpected error number");
        return 0;
    }
    Check(!settings.dataSource.empty(), "a connection string without a data source was taken");
    for (char quote : {'"', '\''}) {
        if (settings.dataSource.find(quote) != std::string::npos) continue;
        const std::string again = "Provider=SQLite; Data Source=" + std::string(1, quote) +
                                  settings.dataSource + quote + ";Mode=" + ModeName(settings.mode);
        const ConnectionSettings reread = ParseConnectionString(again);
        Check(reread.dataSource == settings.dataSource && reread.mode == settings.mode,
              "a data source written back quoted reads differently");
    }
    return 0;
}
