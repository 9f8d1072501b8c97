#pragma once
// The reads of sales order tracking, as plain functions over an open ERP database.

#include <platform/adodb/connection.h>
#include <platform/adodb/recordset.h>
#include <platform/automation/collections.h>

#include <cstdint>

namespace client::middle_tier {

// Above this many entries the caller is asked before the list is read (RetCode 1)...
inline constexpr int64_t kOrderListQuestionLimit = 2000;
// ...and above this many the list is refused (RetCode 2).
inline constexpr int64_t kOrderListHardLimit = 32767;

// Checked, uncancelled order entries of the filter's class (FClassTypeID 81 or 1007100): the
// selected orders (vctSeOrderList; whole orders unless an item names its FEntryID and
// SelWholeBill is not true), or those whose number contains FBillNo. Writes RetCode into
// `status`: 0 rows returned, 1 more than 2000 entries and no Continue (nothing returned), 2 more
// than 32767 entries (nothing returned).
adodb::RecordsetPtr OrderList(adodb::Connection& db, const automation::DictionaryPtr& filter,
                              const automation::DictionaryPtr& status);

// The downstream bills of one phase of an order entry (FInterID, FEntryID, FTranTypeID,
// UserOption): one record set, or for receipts the receipts of the chosen kinds and the
// write-off lines.
automation::VectorPtr PhaseBills(adodb::Connection& db, const automation::DictionaryPtr& para);

// The detail row of an order entry (FInterID, FEntryID, FClassTypeID).
adodb::RecordsetPtr EntryDetail(adodb::Connection& db, const automation::DictionaryPtr& para);

// Execution summary of an order entry: phase key -> one-row record set with FQty, FAmount,
// FUnCommitQty, FUnCommitAmount, FCommitPer ("-" where a figure does not apply). Phases the
// user's options switch off are left out.
automation::DictionaryPtr ExecutionSummary(adodb::Connection& db,
                                           const automation::DictionaryPtr& para);

// Where the bills of an order entry (FInterID, FEntryID) name another bill: rows FFromKind,
// FFromID, FToKind, FToID for each outbound bill's source bill and each write-off line's receipt.
adodb::RecordsetPtr BillLinks(adodb::Connection& db, const automation::DictionaryPtr& para);

}  // namespace client::middle_tier
