#pragma once
// Where `demo-db --out` may write a database file: a new file in a folder that exists, or a
// regular file of the user's that is already an ERP database of this program (with --force, any
// regular file). Never a folder, a device, a pipe or a socket: whatever else a path names stays as
// it is.

#include <optional>
#include <string>

namespace client::erp_database {

// Why the file at `path` must not be replaced, for the user; nothing when it may be.
std::optional<std::string> RefusedDemoTarget(const std::string& path, bool force);

// True when the file at `path` is an SQLite database holding this program's ERP tables.
bool IsErpDatabaseFile(const std::string& path);

}  // namespace client::erp_database
