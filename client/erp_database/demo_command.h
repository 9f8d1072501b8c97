#pragma once
// The `demo-db` tool: checks its options, builds the database and reports what it wrote. The
// host program parses the command line; this is the part worth testing.

#include <client/erp_database/demo_definition.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace client::erp_database {

struct DemoDbOptions {
    std::string out;
    int64_t orders = 300;
    uint64_t seed = 1;
};

// Builds the database. Returns the process exit code: 0 when written, 1 with a message on
// `err` for bad options or a failed build (nothing is left at the path then).
int RunDemoDbCommand(const DemoDbOptions& options, std::ostream& out, std::ostream& err);

}  // namespace client::erp_database
