// Bill selection brackets itself in the procedure log, and marks its failures.

#include <support/security_test_support.h>

#include <contracts/logging.h>
#include <trackquery/dialogs/bill_selection.h>
#include <trackquery/services/modTrackQuery.h>

#include <platform/automation/conversions.h>
#include <platform/windowing/msgbox.h>

using namespace security_test;

namespace {

class RecordingLog : public trackquery::IYqLogMsg {
  public:
    std::string TypeName() const override { return "Log"; }
    bool IsEnabled() override { return true; }
    automation::Variant LogStart(const std::string& key) override {
        Starts().push_back(key);
        return automation::Variant(static_cast<int32_t>(Starts().size()));
    }
    void LogEnd(const automation::Variant& handle, int32_t failed) override {
        Ends().push_back({automation::CLng(handle), failed});
    }
    void LogFailure(const std::string&, int32_t, const std::string&) override {}
    static std::vector<std::string>& Starts() {
        static std::vector<std::string> starts;
        return starts;
    }
    static std::vector<std::pair<int32_t, int32_t>>& Ends() {
        static std::vector<std::pair<int32_t, int32_t>> ends;
        return ends;
    }
};

class BillSelectionLogTest : public SecurityTest {
  protected:
    void SetUp() override {
        SecurityTest::SetUp();
        SeedBills();
        WriteSwitchFile(ConnectionString());
        RecordingLog::Starts().clear();
        RecordingLog::Ends().clear();
        automation::ComponentRegistry::Instance().Register(
            trackquery::kYqLogMsgProgId, [] { return std::make_shared<RecordingLog>(); });
    }
};

TEST_F(BillSelectionLogTest, ListSelectionIsLoggedOnceOnItsCancelExit) {
    headless_->AddModalStep("frmList", [](windowing::Form& form) { form.Hide(); });
    trackquery::CallSelBill(36, " v1.FTrantype=85 AND v1.FScheduleID=0 ", false);
    ASSERT_EQ(RecordingLog::Starts().size(), 1u);
    EXPECT_EQ(RecordingLog::Starts()[0], "QzICMOTrackQuery.modTrackQuery.CallSelBill");
    ASSERT_EQ(RecordingLog::Ends().size(), 1u);
    EXPECT_EQ(RecordingLog::Ends()[0],
              std::make_pair(1, static_cast<int32_t>(trackquery::kLogNormal)));
}

TEST_F(BillSelectionLogTest, ListSelectionFailureIsMarked) {
    std::filesystem::remove(folder_ / "client" / "ErpSwitch.sss");
    headless_->AnswerMsgBox(windowing::vbOK);
    trackquery::CallSelBill(36, "", false);
    ASSERT_EQ(RecordingLog::Ends().size(), 1u);
    EXPECT_EQ(RecordingLog::Ends()[0].second, trackquery::kLogFailed);
}

TEST_F(BillSelectionLogTest, LookUpFailureIsMarked) {
    headless_->AnswerMsgBox(windowing::vbOK);
    bool wholeBill = false;
    trackquery::CallSelNewBill(4242, false, wholeBill);
    ASSERT_EQ(RecordingLog::Starts().size(), 1u);
    EXPECT_EQ(RecordingLog::Starts()[0], "QzICMOTrackQuery.modTrackQuery.CallSelNewBill");
    ASSERT_EQ(RecordingLog::Ends().size(), 1u);
    EXPECT_EQ(RecordingLog::Ends()[0].second, trackquery::kLogFailed);
}

TEST_F(BillSelectionLogTest, CancelledFilterEndsTheLogNormally) {
    headless_->AddModalStep("frmClassFilter", [](windowing::Form& form) { form.Hide(); });
    bool wholeBill = false;
    EXPECT_FALSE(trackquery::CallSelNewBill(1007100, true, wholeBill));
    ASSERT_EQ(RecordingLog::Ends().size(), 1u);
    EXPECT_EQ(RecordingLog::Ends()[0].second, trackquery::kLogNormal);
}

}  // namespace
