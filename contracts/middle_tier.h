#pragma once
// The middle-tier query server QzMICMOTrackQuery, as the library calls it. Every tracking record
// set comes from here. Callers create a fresh object by ProgID for each call and drop it after.
//
// Conventions of every operation:
// - the first argument is the session's property string (GetPropsString);
// - a missing result (nullptr) means the call failed; the caller shows its own message;
// - Dictionaries are passed as shared references so that the server can fill them;
// - values that come from a caller are data, never SQL text, except the statement of GetRs,
//   which the library builds itself and which the server runs read-only.

#include <platform/automation/collections.h>
#include <platform/automation/object.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <memory>
#include <string>

namespace adodb {
class Recordset;
}

namespace trackquery {

using RecordsetPtr = std::shared_ptr<adodb::Recordset>;

inline constexpr const char* kProgIdGetICMOQuery = "QzMICMOTrackQuery.CGetICMOQuery";
inline constexpr const char* kProgIdSetICMOQuery = "QzMICMOTrackQuery.CSetICMOQuery";
inline constexpr const char* kProgIdGetOrderQuery = "QzMICMOTrackQuery.CGetOrderQuery";

// What `iTranType` of GetQueryFields and GetICMOQuery asks for: a task order's head, the tracked
// bill kinds of task order tracking, or the templates of sales order tracking.
inline constexpr int16_t kTaskOrderHeadType = 85;
inline constexpr int16_t kTrackedKindsType = -85;
inline constexpr int16_t kSalesOrderTemplatesType = 81;

// Reads for task order tracking (and the templates of sales order tracking).
class CGetICMOQuery : public automation::Object {
  public:
    std::string TypeName() const override { return "CGetICMOQuery"; }

    // Field definitions of the tracked bill kinds. `iTranType` is 85, -85 or 81; `vSelector` is
    // one kind as a 32-bit number or a text list of kinds such as "81, 82, 21, 1007132, 80,
    // 1000034, 85" or "-81". Rows: FID, FTranType, FKey, FCaption, FVisible, FSum, FCtlType,
    // FDecimalSrc, FFormat, ...
    virtual RecordsetPtr GetQueryFields(const std::string& sProps, int16_t iTranType,
                                        const automation::Variant& vSelector) = 0;

    // The head row of a task order (selector = the tracker's kind) or the rows of one tracked
    // bill kind under a parent id (selector = the kind). `sFilter` narrows the operation records.
    virtual RecordsetPtr GetICMOQuery(const std::string& sProps, int32_t lInterID,
                                      int16_t iTranType, const automation::Variant& vSelector,
                                      const std::string& sFilter = "") = 0;

    // The operations of a task order: FBillType (11620 ordinary, 11621 repair), FOperID,
    // FOperSN, FOperName, FKeyInterID, ...
    virtual RecordsetPtr GetICMOOper(const std::string& sProps, int32_t lInterID) = 0;

    // FInterID, FStatus, FSuspend, FCancellation of each task order in the list (a Vector of
    // Dictionaries with "FInterID").
    virtual RecordsetPtr GetICMOInfo(const std::string& sProps,
                                     const automation::VectorPtr& vctBillInterID) = 0;

    // Stock quantities of the bills in `rsBills`, keyed by FBillNO followed by FEntryID. The
    // server may replace `rsBills`; the caller goes on with the replacement.
    virtual automation::DictionaryPtr GetStockQty(const std::string& sProps,
                                                  RecordsetPtr& rsBills) = 0;

    // The rows of a statement the library built; run read-only.
    virtual RecordsetPtr GetRs(const std::string& sProps, const std::string& sSQL) = 0;

    // Saved window options: rows FKey, FValue. `sKey` is the window key followed by "Frm".
    virtual RecordsetPtr GetFrmOption(const std::string& sProps, const std::string& sKey) = 0;

    // The bill kinds of a tracker for a user: rows FKey, FCaption, FValue (and the template
    // columns FID, ...). With `bChosenOnly` only the kinds the user has chosen.
    virtual RecordsetPtr GetBillOption(const std::string& sProps, const std::string& sBillType,
                                       const automation::Variant& vUserID, bool bChosenOnly) = 0;
};

// Writes of the per-user option sets.
class CSetICMOQuery : public automation::Object {
  public:
    std::string TypeName() const override { return "CSetICMOQuery"; }

    // Saves window options under the window key (no suffix); GetFrmOption with the key followed
    // by "Frm" reads them back. True on success.
    virtual bool SetFrmOption(const std::string& sProps, const std::string& sKey, int32_t lUserID,
                              const automation::DictionaryPtr& dctOption) = 0;

    // Saves the chosen bill kinds: `sValues` holds each key in single quotes, joined by commas,
    // or "'NoKeySetOn'" when none is chosen. True on success.
    virtual bool SetBillOption(const std::string& sProps, const std::string& sBillType,
                               int32_t lUserID, const std::string& sValues) = 0;
};

// Reads for sales order tracking.
class CGetOrderQuery : public automation::Object {
  public:
    std::string TypeName() const override { return "CGetOrderQuery"; }

    // The tracking options "QzSeorderTrack_" + class type id: rows FKey, FValue.
    virtual RecordsetPtr GetBillOption(const std::string& sProps,
                                       const std::string& sOptionName) = 0;

    // Order entries matching `dctFilter` (vctSeOrderList, FBillNo, FClassTypeID, SelWholeBill).
    // `dctStatus` carries RetCode back (1 more than 2000 entries, 2 more than 32767) and
    // Continue = true to the repeated call.
    virtual RecordsetPtr GetOrderList(const std::string& sProps,
                                      const automation::DictionaryPtr& dctFilter,
                                      const automation::DictionaryPtr& dctStatus) = 0;

    // Downstream bills of one execution phase (FClassTypeID, FInterID, FEntryID, FTranTypeID,
    // UserOption): a Vector of record sets.
    virtual automation::VectorPtr GetSeOrderPerforms(const std::string& sProps,
                                                     const automation::DictionaryPtr& dctPara) = 0;

    // Detail rows of one order entry (FInterID, FEntryID, FClassTypeID).
    virtual RecordsetPtr GetSeOrderDetail(const std::string& sProps,
                                          const automation::DictionaryPtr& dctPara) = 0;

    // Phase key -> record set of summary values (UserOption, FInterID, FEntryID, FDetailID,
    // FClassTypeID).
    virtual automation::DictionaryPtr GetSeOrderCollect(
        const std::string& sProps, const automation::DictionaryPtr& dctPara) = 0;

    // Where the bills of one order entry (FInterID, FEntryID) name another bill: an outbound
    // bill's source bill, a write-off line's receipt. Rows FFromKind, FFromID, FToKind, FToID
    // (kinds as the phase rows carry them in FClassTypeID).
    virtual RecordsetPtr GetOrderBillLinks(const std::string& sProps,
                                           const automation::DictionaryPtr& dctPara) = 0;
};

}  // namespace trackquery
