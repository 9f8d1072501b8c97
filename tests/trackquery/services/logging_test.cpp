// Procedure logging through the client's log, and the wait cursor.

#include "services_test_support.h"

#include <components/logging/proc_log.h>
#include <contracts/logging.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/screen.h>
#include <trackquery/services/WaitCursor.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

using trackquery::LogProcEnd;
using trackquery::LogProcStart;

namespace {

class FakeLog : public trackquery::IYqLogMsg {
  public:
    std::string TypeName() const override { return "Log"; }
    bool IsEnabled() override {
        ++enabledAsked;
        return enabled;
    }
    automation::Variant LogStart(const std::string& key) override {
        if (failStart) automation::Raise(5, "YqLogMsg.Log", "cannot start");
        starts.push_back(key);
        return int32_t(100 + static_cast<int32_t>(starts.size()));
    }
    void LogEnd(const automation::Variant& handle, int32_t failed) override {
        if (failEnd) automation::Raise(5, "YqLogMsg.Log", "cannot end");
        ends.push_back(std::to_string(handle.AsLong()) + "/" + std::to_string(failed));
    }
    void LogFailure(const std::string& key, int32_t number, const std::string&) override {
        failFailure();
        failures.push_back(key + "/" + std::to_string(number));
    }

    std::function<void()> failFailure = [] {};
    bool enabled = true, failStart = false, failEnd = false;
    int enabledAsked = 0;
    std::vector<std::string> starts, ends, failures;
};

class Logging : public ServicesTest {
  protected:
    std::shared_ptr<FakeLog> InstallFakeLog() {
        auto log = std::make_shared<FakeLog>();
        automation::ComponentRegistry::Instance().Register(trackquery::kYqLogMsgProgId,
                                                           [this, log] {
                                                               ++created;
                                                               return log;
                                                           });
        return log;
    }
    int created = 0;
};

TEST_F(Logging, ALoggedProcedureGetsAHandleAndItsEnd) {
    auto log = InstallFakeLog();
    int32_t handle = LogProcStart("QzICMOTrackQuery.modTrackQuery.CallSelBill");
    EXPECT_EQ(handle, 101);
    LogProcEnd(handle, trackquery::kLogFailed);
    EXPECT_EQ(log->starts,
              (std::vector<std::string>{"QzICMOTrackQuery.modTrackQuery.CallSelBill"}));
    EXPECT_EQ(log->ends, (std::vector<std::string>{"101/1"}));
}

TEST_F(Logging, TheLoggerIsCreatedOnceForTheProcess) {
    InstallFakeLog();
    LogProcEnd(LogProcStart("A"));
    LogProcEnd(LogProcStart("B"));
    EXPECT_EQ(created, 1);
}

TEST_F(Logging, WithoutALogComponentNothingIsLoggedAndItIsLookedForOnce) {
    automation::ComponentRegistry::Instance().Unregister(trackquery::kYqLogMsgProgId);
    EXPECT_EQ(LogProcStart("A"), 0);
    LogProcEnd(0);
    auto log = InstallFakeLog();
    EXPECT_EQ(LogProcStart("B"), 0);
    LogProcEnd(0);
    EXPECT_EQ(created, 0);
    EXPECT_TRUE(log->starts.empty());
}

TEST_F(Logging, ALoggerDisabledAtAStartIsNeverCalledAgain) {
    auto log = InstallFakeLog();
    log->enabled = false;
    EXPECT_EQ(LogProcStart("A"), 0);
    log->enabled = true;
    EXPECT_EQ(LogProcStart("B"), 0);
    LogProcEnd(101);
    EXPECT_EQ(log->enabledAsked, 1);
    EXPECT_TRUE(log->starts.empty());
    EXPECT_TRUE(log->ends.empty());
    // Failures are recorded all the same: they are not procedure records.
    trackquery::LogFailure("C", automation::RuntimeError(3021, "", "no current record"));
    EXPECT_EQ(log->failures, (std::vector<std::string>{"C/3021"}));
}

TEST_F(Logging, ALoggerDisabledAtAnEndIsNeverCalledAgain) {
    auto log = InstallFakeLog();
    int32_t handle = LogProcStart("A");
    log->enabled = false;
    LogProcEnd(handle);
    log->enabled = true;
    EXPECT_EQ(LogProcStart("B"), 0);
    EXPECT_EQ(log->starts.size(), 1u);
    EXPECT_TRUE(log->ends.empty());
}

TEST_F(Logging, AFailingLoggerIsSilent) {
    auto log = InstallFakeLog();
    log->failStart = true;
    log->failEnd = true;
    log->failFailure = [] { automation::Raise(5, "YqLogMsg.Log", "cannot record"); };
    EXPECT_EQ(LogProcStart("A"), 0);
    EXPECT_NO_THROW(LogProcEnd(5, trackquery::kLogFailed));
    EXPECT_NO_THROW(trackquery::LogFailure("C", automation::RuntimeError(3021, "", "")));
}

TEST_F(Logging, AFaultOfTheProgramInTheLogIsNotSwallowed) {
    auto log = InstallFakeLog();
    log->failFailure = [] { throw std::logic_error("a fault of the program"); };
    EXPECT_THROW(trackquery::LogFailure("C", automation::RuntimeError(3021, "", "")),
                 std::logic_error);
}

TEST_F(Logging, APendingErrorSurvivesTheEndOfALoggedProcedure) {
    auto log = InstallFakeLog();
    int32_t handle = LogProcStart("A");
    SetPendingError();
    LogProcEnd(handle, trackquery::kLogFailed);
    ExpectPendingErrorIntact();
    EXPECT_EQ(log->ends.size(), 1u);
}

TEST_F(Logging, APendingErrorSurvivesAFailingLogger) {
    auto log = InstallFakeLog();
    int32_t handle = LogProcStart("A");
    log->failEnd = true;
    SetPendingError();
    LogProcEnd(handle, trackquery::kLogFailed);
    ExpectPendingErrorIntact();
    EXPECT_EQ(LogProcStart("B"), 102);
    ExpectPendingErrorIntact();
}

TEST_F(Logging, TheClientLogWritesTheProcedureItsDurationAndItsFailure) {
    auto file = std::filesystem::temp_directory_path() /
                ("trackquery-proclog-" + std::to_string(client::CurrentProcessId()) + ".log");
    std::filesystem::remove(file);
    client::SetProcedureLogFile(file);
    int32_t handle = LogProcStart("QzICMOTrackQuery.CICMOQuery.CreateHeadModel");
    EXPECT_NE(handle, 0);
    LogProcEnd(handle, trackquery::kLogFailed);
    client::SetProcedureLogFile("");
    std::ifstream in(file);
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_NE(line.find("\tFAILED\tQzICMOTrackQuery.CICMOQuery.CreateHeadModel"), std::string::npos)
        << line;
    std::filesystem::remove(file);
}

class WaitCursorTest : public ServicesTest {
  protected:
    void SetUp() override {
        ServicesTest::SetUp();
        backend = std::make_shared<windowing::HeadlessBackend>();
        windowing::EventLoop::Instance().SetBackend(backend);
        windowing::Screen().Reset();
    }
    std::shared_ptr<windowing::HeadlessBackend> backend;
};

TEST_F(WaitCursorTest, ShowsTheHourglassWhileItLives) {
    {
        trackquery::WaitCursor wait;
        EXPECT_EQ(windowing::Screen().MousePointer(), windowing::vbHourglass);
    }
    EXPECT_EQ(windowing::Screen().MousePointer(), windowing::vbDefault);
    EXPECT_EQ(backend->MousePointers(),
              (std::vector<int16_t>{windowing::vbHourglass, windowing::vbDefault}));
}

TEST_F(WaitCursorTest, OnlyTheFirstStartAndTheLastReleaseChangeThePointer) {
    trackquery::WaitCursor wait;
    wait.Start();
    wait.Release();
    EXPECT_EQ(windowing::Screen().MousePointer(), windowing::vbHourglass);
    wait.Release();
    EXPECT_EQ(windowing::Screen().MousePointer(), windowing::vbDefault);
    wait.Release();  // one release too many changes nothing
    EXPECT_EQ(backend->MousePointers().size(), 2u);
}

}  // namespace
