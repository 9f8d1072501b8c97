#pragma once
// The middle-tier query server QzMICMOTrackQuery over the ERP database: the three classes the
// tracking library creates by ProgID. Each call opens the database named by the connection part
// of the property string passed first, runs bound SQL and closes it again. Failures are raised
// as run-time errors whose source names the operation: the server's own checks as number
// vbObjectError + 1, a property string without a database or a user (props_string.h) and the
// database's own failures with their numbers.

#include <contracts/middle_tier.h>

namespace client::middle_tier {

class GetICMOQueryServer : public trackquery::CGetICMOQuery {
  public:
    trackquery::RecordsetPtr GetQueryFields(const std::string& sProps, int16_t iTranType,
                                            const automation::Variant& vSelector) override;
    trackquery::RecordsetPtr GetICMOQuery(const std::string& sProps, int32_t lInterID,
                                          int16_t iTranType, const automation::Variant& vSelector,
                                          const std::string& sFilter = "") override;
    trackquery::RecordsetPtr GetICMOOper(const std::string& sProps, int32_t lInterID) override;
    trackquery::RecordsetPtr GetICMOInfo(const std::string& sProps,
                                         const automation::VectorPtr& vctBillInterID) override;
    automation::DictionaryPtr GetStockQty(const std::string& sProps,
                                          trackquery::RecordsetPtr& rsBills) override;
    trackquery::RecordsetPtr GetRs(const std::string& sProps, const std::string& sSQL) override;
    trackquery::RecordsetPtr GetFrmOption(const std::string& sProps,
                                          const std::string& sKey) override;
    trackquery::RecordsetPtr GetBillOption(const std::string& sProps, const std::string& sBillType,
                                           const automation::Variant& vUserID,
                                           bool bChosenOnly) override;
};

class SetICMOQueryServer : public trackquery::CSetICMOQuery {
  public:
    bool SetFrmOption(const std::string& sProps, const std::string& sKey, int32_t lUserID,
                      const automation::DictionaryPtr& dctOption) override;
    bool SetBillOption(const std::string& sProps, const std::string& sBillType, int32_t lUserID,
                       const std::string& sValues) override;
};

class GetOrderQueryServer : public trackquery::CGetOrderQuery {
  public:
    trackquery::RecordsetPtr GetBillOption(const std::string& sProps,
                                           const std::string& sOptionName) override;
    trackquery::RecordsetPtr GetOrderList(const std::string& sProps,
                                          const automation::DictionaryPtr& dctFilter,
                                          const automation::DictionaryPtr& dctStatus) override;
    automation::VectorPtr GetSeOrderPerforms(const std::string& sProps,
                                             const automation::DictionaryPtr& dctPara) override;
    trackquery::RecordsetPtr GetSeOrderDetail(const std::string& sProps,
                                              const automation::DictionaryPtr& dctPara) override;
    automation::DictionaryPtr GetSeOrderCollect(const std::string& sProps,
                                                const automation::DictionaryPtr& dctPara) override;
    trackquery::RecordsetPtr GetOrderBillLinks(const std::string& sProps,
                                               const automation::DictionaryPtr& dctPara) override;
};

}  // namespace client::middle_tier
