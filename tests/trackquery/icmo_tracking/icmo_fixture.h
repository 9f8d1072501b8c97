#pragma once
// A task order tracker with test substitutes for every outside component it calls.

#include "trackquery/framework/fake_components.h"

#include <trackquery/contracts/host_form.h>
#include <trackquery/icmo_tracking/CICMOQuery.h>
#include <trackquery/services/MMTS.h>
#include <trackquery/services/MParse.h>
#include <trackquery/services/modYqLogMsg.h>

#include <platform/activebar/tool.h>
#include <platform/automation/registry.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/window_api.h>

#include <gtest/gtest.h>

namespace trackquery::testing {

// The client form of an embedded page: records the tools it was asked to fire.
class RecordingHostForm : public IHostForm {
  public:
    std::string TypeName() const override { return "HostForm"; }
    void FireToolBarClick(std::shared_ptr<activebar::Tool>& Tool) override {
        fired.push_back(Tool ? Tool->Name() : "<nothing>");
    }
    std::vector<std::string> fired;
};

class IcmoFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetMMTSState();
        ResetMParseState();
        ResetYqLogMsgState();
        auto& registry = automation::ComponentRegistry::Instance();
        registry.Clear();
        registry.Register(kProgIdTraceViewer, [this] {
            viewer = std::make_shared<FakeTraceViewer>();
            return viewer;
        });
        UseProps("SubID=CJ;");
        registry.Register(kSystemProfileProgId,
                          [this] { return std::make_shared<FakeSystemProfile>(checkUserGroup); });
        registry.Register(kMessageHelperProgId, [this] {
            auto helper = std::make_shared<FakeMessageHelper>();
            helper->messages = messages;
            return helper;
        });
        registry.Register(kProgIdGetICMOQuery,
                          [this] { return std::make_shared<FakeGetICMOQuery>(options); });
        registry.Register(kProgIdSetICMOQuery,
                          [this] { return std::make_shared<FakeSetICMOQuery>(options); });
    }
    void TearDown() override {
        // An embedded window and its controller keep each other until the host closes the page;
        // the tests close what they left open, so that a leak check sees only real leaks.
        for (const auto& weak : started) {
            if (auto controller = weak.lock(); controller && controller->Window()) {
                controller->Window()->Unload();
                controller->Hide();
            }
        }
        automation::ComponentRegistry::Instance().Clear();
        ResetMMTSState();
        ResetMParseState();
        ResetYqLogMsgState();
    }

    // The session: the connection part first, then the user and the sub-system.
    void UseProps(const std::string& tail, const std::string& userId = "16394") {
        const std::string props =
            "ConnectString={Provider=SQLite;Data Source=/tmp/none.db};UserID=" + userId +
            ";UserName=administrator;" + tail;
        automation::ComponentRegistry::Instance().Register(
            kSharePropsProgId, [props] { return std::make_shared<FakeShareProps>(props); });
    }

    static automation::VectorPtr Bills(
        std::initializer_list<std::pair<int32_t, const char*>> bills) {
        auto list = std::make_shared<automation::Vector>();
        for (const auto& [id, number] : bills) {
            auto bill = std::make_shared<automation::Dictionary>();
            bill->SetItem("FInterID", id);
            bill->SetItem("FBillNo", number);
            list->Add(bill);
        }
        return list;
    }

    // Starts an embedded tracker on a host window of its own.
    CICMOQueryPtr StartEmbedded(const automation::VectorPtr& bills,
                                const automation::DictionaryPtr& status = nullptr,
                                int32_t tranType = 0) {
        auto controller = Started(CreateCICMOQuery());
        controller->SetTranType(tranType);
        const int32_t host = windowing::CreateHostWindow("page");
        EXPECT_TRUE(controller->InitTrack(nullptr, host, nullptr, bills, status));
        return controller;
    }

    // Remembers a controller, so that its window is closed at the end of the test.
    CICMOQueryPtr Started(CICMOQueryPtr controller) {
        started.push_back(controller);
        return controller;
    }

    void Advance(int64_t ms) { windowing::EventLoop::Instance().AdvanceTime(ms); }

    windowing::ScopedHeadless headless;
    std::vector<std::weak_ptr<CICMOQuery>> started;
    std::shared_ptr<FakeTraceViewer> viewer;
    automation::Variant checkUserGroup = automation::Null;
    std::shared_ptr<std::vector<std::string>> messages =
        std::make_shared<std::vector<std::string>>();
    std::shared_ptr<FrameOptionStore> options = std::make_shared<FrameOptionStore>();
};

}  // namespace trackquery::testing
