#pragma once
// The reads of task order tracking, as plain functions over an open ERP database. The server
// classes wrap them with the session's database and their failure reporting.

#include <platform/adodb/connection.h>
#include <platform/adodb/recordset.h>
#include <platform/automation/collections.h>

#include <cstdint>
#include <string>

namespace client::middle_tier {

// Field definitions of template family `trackType` (85 head, -85 tracked kinds, 81 sales order
// phases and head) for the kinds of `selector`, in kind then field order; FCaption in `language`
// ("chs", "cht" or "en").
adodb::RecordsetPtr QueryFields(adodb::Connection& db, int32_t trackType,
                                const automation::Variant& selector, const std::string& language);

// The head row of a task order: every head column, the status word, FStockPercent and the
// server date FSysDate.
adodb::RecordsetPtr TaskOrderHead(adodb::Connection& db, int32_t interId);

// The rows of one tracked kind under a parent (task order, or operation record for the kinds
// shown under one). Field 0 is FRowID; then the kind's template columns in template order, so
// that a column's 1-based place among the template columns is its field ordinal; then the other
// columns of the kind (FBillInterID, FBillerID, FEntryID, FQtyDecimal_..., FKeyInterID, ...).
// `operationFilter` restricts operation records (kind -52) to one operation; it must read
// "SHWorkBill.FBillType=n AND SHWorkBillEntry.FOperSN=n AND SHWorkBillEntry.FOperID=n" and its
// numbers are bound, never pasted. Any other text is refused.
adodb::RecordsetPtr TrackedBills(adodb::Connection& db, int32_t parentId, int64_t kind,
                                 const std::string& operationFilter);

// Operations of a task order: FBillType, FOperID, FOperSN, FOperName, FKeyInterID.
adodb::RecordsetPtr TaskOrderOperations(adodb::Connection& db, int32_t interId);

// FInterID, FBillNo, FStatus, FSuspend, FCancellation of the listed task orders (items are ids
// or Dictionaries with "FInterID").
adodb::RecordsetPtr TaskOrderInfo(adodb::Connection& db, const automation::VectorPtr& list);

// Stock on hand of the item of each row, keyed by FBillNO followed by FEntryID.
automation::DictionaryPtr StockQuantities(adodb::Connection& db, const adodb::RecordsetPtr& rows);

// Rows of a statement the library built. Only one SELECT statement is run; anything else is
// refused before it reaches the database (which is opened read-only as well).
adodb::RecordsetPtr ReadOnlyRows(adodb::Connection& db, const std::string& sql);

}  // namespace client::middle_tier
