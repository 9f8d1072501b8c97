#pragma once
// Turns the rows of a PostgreSQL result into record set fields and values. Internal to the
// connection.

#include <platform/adodb/recordset.h>

#include <libpq-fe.h>

#include <functional>
#include <string>

namespace adodb::internal {

// The rows of `result` as an open record set. Fields take their type from the server's column
// type: integers -> adInteger (adBigInt, read as Double, once a value does not fit 32 bits),
// real and numeric -> adDouble, bool -> adBoolean, date and timestamps -> adDBTimeStamp, all else
// text. `nameAsWritten` gives a column's name (which the server folds to lower case) as the
// statement or the schema wrote it.
RecordsetPtr ReadResultRows(const PGresult* result,
                            const std::function<std::string(const std::string&)>& nameAsWritten);

}  // namespace adodb::internal
