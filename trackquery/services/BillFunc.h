#pragma once
// Small builders shared by the bill invocation operations: the key-field vector and the list
// record sets handed to the bill windows, token and user id readers.

#include <contracts/middle_tier.h>

#include <platform/automation/collections.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <string>
#include <vector>

namespace trackquery {

// The columns that identify a bill in a list record set: {FColName "FInterID", FISPrimary 1}
// then {FColName "FTranType", FISPrimary 3}.
automation::VectorPtr NewBillKeyFields();

// A disconnected record set with the 32-bit fields "FInterID" and "FTranType" and one row.
RecordsetPtr NewBillListRecordset(int32_t billId, int32_t tranType);

// The bills a bill window browses: a disconnected record set with the 32-bit fields `idField`
// and `kindField`, one row per id with `kind`, in order, positioned on the row `position`
// (1-based; the first row when 0 or past the end).
RecordsetPtr NewBrowseList(const std::string& idField, const std::string& kindField,
                           const std::vector<int32_t>& ids, int32_t kind, int32_t position = 0);

// Adds one row whose fields take the values in field order. Fewer values than fields leave the
// remaining fields empty; failures of the record set reach the caller.
void AppendRecord(const RecordsetPtr& rs, const std::vector<automation::Variant>& values);

// The n-th token (from 1) of `text` cut at `separator` (exact comparison); empty when the text
// has fewer tokens or n is below 1. Never fails.
std::string GetNthToken(const std::string& text, int32_t n, const std::string& separator);

// Whether a typed text can be part of a bill number: no longer than the ERP's bill number columns
// (255 characters) and free of control characters. Another text finds no bill, and SQLite would
// not even take it into a pattern (a NUL ends the statement; a pattern has a length limit).
bool CanBePartOfBillNumber(const std::string& text);

// A typed text as a message quotes it: cut before its first control character or after 40 bytes
// (at a character boundary), "..." marking a cut.
std::string QuotedInMessage(const std::string& text);

// The session's user id in decimal: the number after the first "UserID=" (any letter case) of
// the session property string, up to the next ";". The id is 32-bit.
std::string GetUserIDText();

// The session's base information for the bill list: the connection part of the property string,
// the user id and the user name joined by "|".
std::string GetBaseInfo(const std::string& propsString);

}  // namespace trackquery
