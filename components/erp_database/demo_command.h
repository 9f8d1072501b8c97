#pragma once
// The `demo-db` tool: checks its options, builds the database and reports what it wrote. The
// host program parses the command line; this is the part worth testing.

#include <components/erp_database/demo_definition.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace client::erp_database {

struct DemoDbOptions {
    std::string out;
    int64_t orders = 300;
    uint64_t seed = 1;
    // Replace any regular file at `out`, not only an ERP database of this program.
    bool force = false;
};

// Builds the database. Returns the process exit code: 0 when written, 1 with a message on
// `err` for bad options, a file that must not be replaced (demo_target.h) or a failed build
// (nothing is left at the path then, and the path is as it was).
int RunDemoDbCommand(const DemoDbOptions& options, std::ostream& out, std::ostream& err);

}  // namespace client::erp_database
