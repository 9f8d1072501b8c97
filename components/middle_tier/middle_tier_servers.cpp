#include <components/middle_tier/middle_tier_servers.h>

#include <components/middle_tier/icmo_queries.h>
#include <components/middle_tier/middle_tier_support.h>
#include <components/middle_tier/order_queries.h>
#include <components/middle_tier/user_options.h>
#include <components/session/kept_connections.h>
#include <components/session/props_string.h>
#include <components/session/session_database.h>

namespace client::middle_tier {

using automation::Variant;
using trackquery::RecordsetPtr;

namespace {

int32_t UserIdOf(const Variant& value) {
    const auto id = WholeNumber(value);
    if (!id || *id < INT32_MIN || *id > INT32_MAX) Fail("UserID", "The user id is not a number.");
    return static_cast<int32_t>(*id);
}

}  // namespace

// CGetICMOQuery -------------------------------------------------------------------------------

RecordsetPtr GetICMOQueryServer::GetQueryFields(const std::string& sProps, int16_t iTranType,
                                                const Variant& vSelector) {
    return Guarded<RecordsetPtr>("CGetICMOQuery.GetQueryFields", [&] {
        ReadSession db(sProps);
        return QueryFields(*db, iTranType, vSelector, SessionLanguage(sProps));
    });
}

RecordsetPtr GetICMOQueryServer::GetICMOQuery(const std::string& sProps, int32_t lInterID,
                                              int16_t iTranType, const Variant& vSelector,
                                              const std::string& sFilter) {
    return Guarded<RecordsetPtr>("CGetICMOQuery.GetICMOQuery", [&]() -> RecordsetPtr {
        ReadSession db(sProps);
        if (iTranType == trackquery::kTaskOrderHeadType) return TaskOrderHead(*db, lInterID);
        if (iTranType != trackquery::kTrackedKindsType) {
            Fail("CGetICMOQuery.GetICMOQuery",
                 "Transaction type " + std::to_string(iTranType) + " has no tracked rows.");
        }
        const auto kinds = KindList(vSelector);
        if (kinds.size() != 1) Fail("CGetICMOQuery.GetICMOQuery", "Name exactly one bill kind.");
        return TrackedBills(*db, lInterID, kinds.front(), sFilter);
    });
}

RecordsetPtr GetICMOQueryServer::GetICMOOper(const std::string& sProps, int32_t lInterID) {
    return Guarded<RecordsetPtr>("CGetICMOQuery.GetICMOOper", [&] {
        ReadSession db(sProps);
        return TaskOrderOperations(*db, lInterID);
    });
}

RecordsetPtr GetICMOQueryServer::GetICMOInfo(const std::string& sProps,
                                             const automation::VectorPtr& vctBillInterID) {
    return Guarded<RecordsetPtr>("CGetICMOQuery.GetICMOInfo", [&] {
        ReadSession db(sProps);
        return TaskOrderInfo(*db, vctBillInterID);
    });
}

automation::DictionaryPtr GetICMOQueryServer::GetStockQty(const std::string& sProps,
                                                          RecordsetPtr& rsBills) {
    return Guarded<automation::DictionaryPtr>("CGetICMOQuery.GetStockQty", [&] {
        ReadSession db(sProps);
        return StockQuantities(*db, rsBills);
    });
}

RecordsetPtr GetICMOQueryServer::GetRs(const std::string& sProps, const std::string& sSQL) {
    return Guarded<RecordsetPtr>("CGetICMOQuery.GetRs", [&] {
        ReadSession db(sProps);
        return ReadOnlyRows(*db, sSQL);
    });
}

RecordsetPtr GetICMOQueryServer::GetFrmOption(const std::string& sProps, const std::string& sKey) {
    return Guarded<RecordsetPtr>("CGetICMOQuery.GetFrmOption", [&] {
        ReadSession db(sProps);
        return ReadWindowOptions(*db, sKey, SessionUserID(sProps));
    });
}

RecordsetPtr GetICMOQueryServer::GetBillOption(const std::string& sProps,
                                               const std::string& sBillType, const Variant& vUserID,
                                               bool bChosenOnly) {
    return Guarded<RecordsetPtr>("CGetICMOQuery.GetBillOption", [&] {
        ReadSession db(sProps);
        return ReadOptionChoice(*db, sBillType, UserIdOf(vUserID), bChosenOnly,
                                SessionLanguage(sProps));
    });
}

// CSetICMOQuery -------------------------------------------------------------------------------

bool SetICMOQueryServer::SetFrmOption(const std::string& sProps, const std::string& sKey,
                                      int32_t lUserID, const automation::DictionaryPtr& dctOption) {
    return Guarded<bool>("CSetICMOQuery.SetFrmOption", [&] {
        auto db = OpenSessionDatabase(sProps, DatabaseAccess::ReadWrite);
        SaveWindowOptions(*db, sKey, lUserID, dctOption);
        return true;
    });
}

bool SetICMOQueryServer::SetBillOption(const std::string& sProps, const std::string& sBillType,
                                       int32_t lUserID, const std::string& sValues) {
    return Guarded<bool>("CSetICMOQuery.SetBillOption", [&] {
        auto db = OpenSessionDatabase(sProps, DatabaseAccess::ReadWrite);
        SaveOptionChoice(*db, sBillType, lUserID, sValues);
        return true;
    });
}

// CGetOrderQuery ------------------------------------------------------------------------------

RecordsetPtr GetOrderQueryServer::GetBillOption(const std::string& sProps,
                                                const std::string& sOptionName) {
    return Guarded<RecordsetPtr>("CGetOrderQuery.GetBillOption", [&] {
        ReadSession db(sProps);
        return ReadOptionChoice(*db, sOptionName, SessionUserID(sProps), false,
                                SessionLanguage(sProps));
    });
}

RecordsetPtr GetOrderQueryServer::GetOrderList(const std::string& sProps,
                                               const automation::DictionaryPtr& dctFilter,
                                               const automation::DictionaryPtr& dctStatus) {
    return Guarded<RecordsetPtr>("CGetOrderQuery.GetOrderList", [&] {
        ReadSession db(sProps);
        return OrderList(*db, dctFilter, dctStatus);
    });
}

automation::VectorPtr GetOrderQueryServer::GetSeOrderPerforms(
    const std::string& sProps, const automation::DictionaryPtr& dctPara) {
    return Guarded<automation::VectorPtr>("CGetOrderQuery.GetSeOrderPerforms", [&] {
        ReadSession db(sProps);
        auto bills = PhaseBills(*db, dctPara);
        for (const auto& item : bills->Items()) {
            TranslateLabels(*db, item.As<adodb::Recordset>(), SessionLanguage(sProps),
                            {"FDirection"});
        }
        return bills;
    });
}

RecordsetPtr GetOrderQueryServer::GetSeOrderDetail(const std::string& sProps,
                                                   const automation::DictionaryPtr& dctPara) {
    return Guarded<RecordsetPtr>("CGetOrderQuery.GetSeOrderDetail", [&] {
        ReadSession db(sProps);
        auto detail = EntryDetail(*db, dctPara);
        TranslateLabels(*db, detail, SessionLanguage(sProps), {"FCheckStatus"});
        return detail;
    });
}

automation::DictionaryPtr GetOrderQueryServer::GetSeOrderCollect(
    const std::string& sProps, const automation::DictionaryPtr& dctPara) {
    return Guarded<automation::DictionaryPtr>("CGetOrderQuery.GetSeOrderCollect", [&] {
        ReadSession db(sProps);
        return ExecutionSummary(*db, dctPara);
    });
}

RecordsetPtr GetOrderQueryServer::GetOrderBillLinks(const std::string& sProps,
                                                    const automation::DictionaryPtr& dctPara) {
    return Guarded<RecordsetPtr>("CGetOrderQuery.GetOrderBillLinks", [&] {
        ReadSession db(sProps);
        return BillLinks(*db, dctPara);
    });
}

}  // namespace client::middle_tier
