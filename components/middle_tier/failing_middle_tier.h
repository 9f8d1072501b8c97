#pragma once
// A middle tier that fails chosen calls, for tests of the failure paths of the trackers. It
// wraps the real servers: every operation not named in the plan runs as usual; a named one
// returns nothing (the "missing result" the trackers check for), returns an empty result (a
// record set with the real one's fields and no rows, an empty collection, False), or raises a
// server error, as the plan says. Register it in place of the real one with
// RegisterFailingMiddleTier.

#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace client::middle_tier {

class FailurePlan {
  public:
    enum class Mode { ReturnNothing, ReturnEmpty, RaiseError };

    // Names are the operations of the contract, e.g. "GetICMOOper", "CGetOrderQuery.GetBillOption"
    // (a bare name matches the operation in every class).
    void Fail(const std::string& operation, Mode mode = Mode::ReturnNothing);
    void HealAll();

    // How the call `className.operation` fails, or nothing when it runs as usual. Counts calls.
    bool ShouldFail(const std::string& className, const std::string& operation, Mode& mode);
    int Calls(const std::string& operation) const;

  private:
    mutable std::mutex mutex_;
    std::set<std::string> returnNothing_, returnEmpty_, raise_;
    std::multiset<std::string> calls_;
};

// Registers the three ProgIDs with servers that consult `plan` before every call.
void RegisterFailingMiddleTier(const std::shared_ptr<FailurePlan>& plan);

}  // namespace client::middle_tier
