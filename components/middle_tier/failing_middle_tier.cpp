#include <components/middle_tier/failing_middle_tier.h>

#include <components/middle_tier/middle_tier_servers.h>
#include <components/middle_tier/middle_tier_support.h>

#include <platform/automation/registry.h>

#include <type_traits>

namespace client::middle_tier {

using automation::Variant;
using trackquery::RecordsetPtr;

void FailurePlan::Fail(const std::string& operation, Mode mode) {
    std::lock_guard lock(mutex_);
    (mode == Mode::ReturnNothing ? returnNothing_
     : mode == Mode::ReturnEmpty ? returnEmpty_
                                 : raise_)
        .insert(operation);
}

void FailurePlan::HealAll() {
    std::lock_guard lock(mutex_);
    returnNothing_.clear();
    returnEmpty_.clear();
    raise_.clear();
}

bool FailurePlan::ShouldFail(const std::string& className, const std::string& operation,
                             Mode& mode) {
    std::lock_guard lock(mutex_);
    const std::string full = className + "." + operation;
    calls_.insert(operation);
    calls_.insert(full);
    for (const auto& name : {full, operation}) {
        if (raise_.count(name)) {
            mode = Mode::RaiseError;
            return true;
        }
        if (returnNothing_.count(name)) {
            mode = Mode::ReturnNothing;
            return true;
        }
        if (returnEmpty_.count(name)) {
            mode = Mode::ReturnEmpty;
            return true;
        }
    }
    return false;
}

int FailurePlan::Calls(const std::string& operation) const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(calls_.count(operation));
}

namespace {

// The answer of a call that found nothing: the real answer's shape without its contents.
RecordsetPtr Emptied(const RecordsetPtr& real) {
    if (!real) return real;
    auto empty = std::make_shared<adodb::Recordset>();
    const auto fields = real->Fields();
    for (int32_t i = 0; i < fields->Count(); ++i) {
        const auto field = fields->Item(i);
        empty->Fields()->Append(field->Name(), field->Type(), field->DefinedSize());
    }
    empty->Open();
    return empty;
}
automation::DictionaryPtr Emptied(const automation::DictionaryPtr&) {
    return std::make_shared<automation::Dictionary>();
}
automation::VectorPtr Emptied(const automation::VectorPtr&) {
    return std::make_shared<automation::Vector>();
}

// Runs `real` unless the plan fails the call: then no result, an empty one, or a raised error.
template <class Result, class Real>
Result Consult(FailurePlan& plan, const char* className, const char* operation, Real real) {
    FailurePlan::Mode mode;
    if (!plan.ShouldFail(className, operation, mode)) return real();
    if (mode == FailurePlan::Mode::RaiseError) {
        middle_tier::Fail(std::string(className) + "." + operation, "Injected failure.");
    }
    // A save answers False; it must not have written anything either.
    if constexpr (!std::is_same_v<Result, bool>) {
        if (mode == FailurePlan::Mode::ReturnEmpty) return Emptied(real());
    }
    return Result{};
}

class FailingGetICMOQuery : public trackquery::CGetICMOQuery {
  public:
    explicit FailingGetICMOQuery(std::shared_ptr<FailurePlan> plan) : plan_(std::move(plan)) {}

    RecordsetPtr GetQueryFields(const std::string& p, int16_t t, const Variant& s) override {
        return Consult<RecordsetPtr>(*plan_, kClass, "GetQueryFields",
                                     [&] { return real_.GetQueryFields(p, t, s); });
    }
    RecordsetPtr GetICMOQuery(const std::string& p, int32_t id, int16_t t, const Variant& s,
                              const std::string& f) override {
        return Consult<RecordsetPtr>(*plan_, kClass, "GetICMOQuery",
                                     [&] { return real_.GetICMOQuery(p, id, t, s, f); });
    }
    RecordsetPtr GetICMOOper(const std::string& p, int32_t id) override {
        return Consult<RecordsetPtr>(*plan_, kClass, "GetICMOOper",
                                     [&] { return real_.GetICMOOper(p, id); });
    }
    RecordsetPtr GetICMOInfo(const std::string& p, const automation::VectorPtr& v) override {
        return Consult<RecordsetPtr>(*plan_, kClass, "GetICMOInfo",
                                     [&] { return real_.GetICMOInfo(p, v); });
    }
    automation::DictionaryPtr GetStockQty(const std::string& p, RecordsetPtr& rs) override {
        return Consult<automation::DictionaryPtr>(*plan_, kClass, "GetStockQty",
                                                  [&] { return real_.GetStockQty(p, rs); });
    }
    RecordsetPtr GetRs(const std::string& p, const std::string& sql) override {
        return Consult<RecordsetPtr>(*plan_, kClass, "GetRs", [&] { return real_.GetRs(p, sql); });
    }
    RecordsetPtr GetFrmOption(const std::string& p, const std::string& k) override {
        return Consult<RecordsetPtr>(*plan_, kClass, "GetFrmOption",
                                     [&] { return real_.GetFrmOption(p, k); });
    }
    RecordsetPtr GetBillOption(const std::string& p, const std::string& k, const Variant& u,
                               bool c) override {
        return Consult<RecordsetPtr>(*plan_, kClass, "GetBillOption",
                                     [&] { return real_.GetBillOption(p, k, u, c); });
    }

  private:
    static constexpr const char* kClass = "CGetICMOQuery";
    std::shared_ptr<FailurePlan> plan_;
    GetICMOQueryServer real_;
};

class FailingSetICMOQuery : public trackquery::CSetICMOQuery {
  public:
    explicit FailingSetICMOQuery(std::shared_ptr<FailurePlan> plan) : plan_(std::move(plan)) {}

    bool SetFrmOption(const std::string& p, const std::string& k, int32_t u,
                      const automation::DictionaryPtr& d) override {
        return Consult<bool>(*plan_, kClass, "SetFrmOption",
                             [&] { return real_.SetFrmOption(p, k, u, d); });
    }
    bool SetBillOption(const std::string& p, const std::string& k, int32_t u,
                       const std::string& v) override {
        return Consult<bool>(*plan_, kClass, "SetBillOption",
                             [&] { return real_.SetBillOption(p, k, u, v); });
    }

  private:
    static constexpr const char* kClass = "CSetICMOQuery";
    std::shared_ptr<FailurePlan> plan_;
    SetICMOQueryServer real_;
};

class FailingGetOrderQuery : public trackquery::CGetOrderQuery {
  public:
    explicit FailingGetOrderQuery(std::shared_ptr<FailurePlan> plan) : plan_(std::move(plan)) {}

    RecordsetPtr GetBillOption(const std::string& p, const std::string& k) override {
        return Consult<RecordsetPtr>(*plan_, kClass, "GetBillOption",
                                     [&] { return real_.GetBillOption(p, k); });
    }
    RecordsetPtr GetOrderList(const std::string& p, const automation::DictionaryPtr& f,
                              const automation::DictionaryPtr& s) override {
        return Consult<RecordsetPtr>(*plan_, kClass, "GetOrderList",
                                     [&] { return real_.GetOrderList(p, f, s); });
    }
    automation::VectorPtr GetSeOrderPerforms(const std::string& p,
                                             const automation::DictionaryPtr& d) override {
        return Consult<automation::VectorPtr>(*plan_, kClass, "GetSeOrderPerforms",
                                              [&] { return real_.GetSeOrderPerforms(p, d); });
    }
    RecordsetPtr GetSeOrderDetail(const std::string& p,
                                  const automation::DictionaryPtr& d) override {
        return Consult<RecordsetPtr>(*plan_, kClass, "GetSeOrderDetail",
                                     [&] { return real_.GetSeOrderDetail(p, d); });
    }
    automation::DictionaryPtr GetSeOrderCollect(const std::string& p,
                                                const automation::DictionaryPtr& d) override {
        return Consult<automation::DictionaryPtr>(*plan_, kClass, "GetSeOrderCollect",
                                                  [&] { return real_.GetSeOrderCollect(p, d); });
    }
    RecordsetPtr GetOrderBillLinks(const std::string& p,
                                   const automation::DictionaryPtr& d) override {
        return Consult<RecordsetPtr>(*plan_, kClass, "GetOrderBillLinks",
                                     [&] { return real_.GetOrderBillLinks(p, d); });
    }

  private:
    static constexpr const char* kClass = "CGetOrderQuery";
    std::shared_ptr<FailurePlan> plan_;
    GetOrderQueryServer real_;
};

}  // namespace

void RegisterFailingMiddleTier(const std::shared_ptr<FailurePlan>& plan) {
    auto& registry = automation::ComponentRegistry::Instance();
    registry.Register(trackquery::kProgIdGetICMOQuery,
                      [plan] { return std::make_shared<FailingGetICMOQuery>(plan); });
    registry.Register(trackquery::kProgIdSetICMOQuery,
                      [plan] { return std::make_shared<FailingSetICMOQuery>(plan); });
    registry.Register(trackquery::kProgIdGetOrderQuery,
                      [plan] { return std::make_shared<FailingGetOrderQuery>(plan); });
}

}  // namespace client::middle_tier
