#pragma once
// Turns what SQLite returns into record set fields and values, and SQL Server habits into SQL
// that SQLite reads. Internal to the connection.

#include <platform/adodb/recordset.h>

#include <string>

struct sqlite3_stmt;

namespace adodb::internal {

// SQLite reads ISNULL as an operator keyword, so a call "ISNULL(a, b)" (outside quotes and
// comments) becomes "IFNULL(a, b)", which means the same.
std::string ToSqliteDialect(const std::string& sql);

// Steps `statement` to its end and returns its rows as an open record set. Field types follow
// the declared column types (INTEGER -> adInteger, REAL/FLOAT/DOUBLE/DECIMAL/NUMERIC/MONEY ->
// adDouble, CHAR/TEXT/CLOB -> adVarWChar with the declared length, DATE/TIME -> adDBTimeStamp,
// BIT/BOOL -> adBoolean) or, for a column without one, the values it holds. An integer that does
// not fit 32 bits reads as a Double (the field is then adBigInt). A value the type cannot show
// (a text in a DATE column that is no date) is kept as it is. A number in a DATE column is read
// as VB's day serial. When a step fails it returns
// nothing, with SQLite's result code in `resultCode`.
RecordsetPtr ReadRows(sqlite3_stmt* statement, int& resultCode);

}  // namespace adodb::internal
