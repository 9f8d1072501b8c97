#pragma once
// Builds deterministic ERP databases: the same definition and seed give the same rows. The whole
// load runs in one transaction with prepared statements; indexes are built after the rows.

#include <components/erp_database/demo_definition.h>

#include <string>

namespace client::erp_database {

// Replaces the file at `path` with a new database of the definition's size.
DemoCounts BuildDemoDatabase(const std::string& path, const DemoDefinition& definition);

// A test database: generated data, then the definition's own statements. Nothing is left at
// `path` when a statement fails (the error is thrown).
DemoCounts BuildFixture(const std::string& path, const FixtureDefinition& definition);

}  // namespace client::erp_database
