#pragma once
// An ERP database on a PostgreSQL server, made from one built as a SQLite file: the same tables,
// rows, views and indexes. The SQLite file is the one source of the schema and the data; what the
// two engines read differently is mended on the PostgreSQL side (the functions of
// resources/schema/postgresql, the column types below, the dialect of adodb::Connection).
//
// Column types: INTEGER becomes bigint (SQLite's integers have 64 bits), REAL double precision,
// DATE timestamp(0) (read back as dates, as SQLite's DATE texts are), TEXT text; an
// AUTOINCREMENT key becomes an identity that goes on after the copied rows. The letter case of
// every column and view name goes into the table trackquery_names, which the connection reads to
// give result columns their names back (the server folds unquoted names to lower case).

#include <string>

namespace client::erp_database {

// Copies the database at `sqlitePath` into the PostgreSQL database at `address` (a libpq URI or
// key=value text) in one transaction: the ERP tables and views already there are replaced, any
// other object is left alone, and a failure leaves the database as it was. Throws
// automation::RuntimeError (the connection's errors) or std::runtime_error (the SQLite file's).
void CopyIntoPostgres(const std::string& sqlitePath, const std::string& address);

// The table definition SQLite keeps for a table, as PostgreSQL reads it (see above).
std::string PostgresTableDefinition(const std::string& sqliteDefinition);

}  // namespace client::erp_database
