#pragma once
// The ERP database a user names on the command line, opened read-only for what the host reads
// before a tracker starts. When it cannot be used the message says what is wrong with it, so the
// user knows what to fix: missing, not a file, not readable, locked by another program, damaged,
// or not an ERP database of this program.

#include <platform/adodb/connection.h>

#include <string>
#include <vector>

namespace harness {

// Throws std::runtime_error with the reason when the database cannot be used.
adodb::ConnectionPtr OpenErpDatabase(const std::string& databasePath);

// Runs one of the host's own statements on the database; a failure throws std::runtime_error
// saying what went wrong with the database.
adodb::RecordsetPtr QueryErp(adodb::Connection& erp, const std::string& sql,
                             const std::vector<automation::Variant>& parameters);

// The part of a record-set error a user reads: its description without the statement.
std::string WithoutStatement(const std::string& description);

}  // namespace harness
