// The middle tier that fails chosen calls, for the trackers' failure paths.

#include "erp_fixture.h"

#include <components/middle_tier/failing_middle_tier.h>

namespace mt_test {
namespace {

using client::middle_tier::FailurePlan;

class FailingMiddleTier : public ErpFixture {
  protected:
    void SetUp() override {
        ErpFixture::SetUp();
        client::middle_tier::RegisterFailingMiddleTier(plan_);
    }
    std::shared_ptr<FailurePlan> plan_ = std::make_shared<FailurePlan>();
};

TEST_F(FailingMiddleTier, NamedCallReturnsNothingOthersRunAsUsual) {
    plan_->Fail("GetICMOOper");
    EXPECT_FALSE(IcmoQuery()->GetICMOOper(Props(), 1));
    auto head = IcmoQuery()->GetICMOQuery(Props(), 1, 85, Variant(int32_t{-85}));
    ASSERT_TRUE(head);
    EXPECT_EQ(head->RecordCount(), 1);
    EXPECT_EQ(plan_->Calls("GetICMOOper"), 1);
}

TEST_F(FailingMiddleTier, ClassQualifiedNameFailsOnlyThatClass) {
    plan_->Fail("CGetOrderQuery.GetBillOption", FailurePlan::Mode::RaiseError);
    EXPECT_THROW(OrderQuery()->GetBillOption(Props(), "QzSeorderTrack_81"),
                 automation::RuntimeError);
    EXPECT_TRUE(
        IcmoQuery()->GetBillOption(Props(), "ICMOTrack", Variant(erp::kAdministratorID), true));
}

TEST_F(FailingMiddleTier, FailedSaveWritesNothingAndHealingRestoresIt) {
    plan_->Fail("SetBillOption");
    EXPECT_FALSE(
        IcmoWriter()->SetBillOption(Props(), "ICMOTrack", erp::kAdministratorID, "'A04-24'"));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM ICTrackOptionUser"), 0);
    plan_->HealAll();
    EXPECT_TRUE(
        IcmoWriter()->SetBillOption(Props(), "ICMOTrack", erp::kAdministratorID, "'A04-24'"));
    EXPECT_GT(Scalar("SELECT COUNT(*) FROM ICTrackOptionUser"), 0);
}

}  // namespace
}  // namespace mt_test
