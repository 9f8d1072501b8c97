// Posted events, DoEvents passes, nested loops and the clock.

#include <platform/automation/collections.h>
#include <platform/automation/errors.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/timer.h>

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace windowing;

namespace {

class EventLoopTest : public ::testing::Test {
  protected:
    ScopedHeadless headless;
    EventLoop& loop = EventLoop::Instance();
};

}  // namespace

TEST_F(EventLoopTest, PostedEventsRunInOrderOnTheNextPass) {
    std::vector<int> ran;
    loop.Post([&ran] { ran.push_back(1); });
    loop.Post([&ran] { ran.push_back(2); });
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(loop.PendingEvents(), 2u);
    EXPECT_EQ(DoEvents(), 2);
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_EQ(loop.PendingEvents(), 0u);
}

TEST_F(EventLoopTest, EventPostedDuringAPassWaitsForTheNext) {
    int runs = 0;
    std::function<void()> again = [&] {
        ++runs;
        loop.Post(again);
    };
    loop.Post(again);
    EXPECT_EQ(DoEvents(), 1);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(DoEvents(), 1);
    EXPECT_EQ(runs, 2);
}

TEST_F(EventLoopTest, DeferredInvokeIsSkippedWhenItsOwnerIsGone) {
    int ran = 0;
    auto owner = std::make_shared<automation::Vector>();
    loop.DeferredInvoke(owner, [&ran] { ++ran; });
    std::weak_ptr<automation::Vector> watch = owner;
    owner.reset();
    EXPECT_TRUE(watch.expired()) << "the queue must not keep the owner alive";
    DoEvents();
    EXPECT_EQ(ran, 0);
}

TEST_F(EventLoopTest, DeferredInvokeRunsWhileItsOwnerLives) {
    int ran = 0;
    auto owner = std::make_shared<automation::Vector>();
    loop.DeferredInvoke(owner, [&ran] { ++ran; });
    DoEvents();
    EXPECT_EQ(ran, 1);
}

TEST_F(EventLoopTest, FailingEventReachesDoEventsAndLeavesTheRestQueued) {
    int ran = 0;
    loop.Post([] { automation::Raise(5, "test", "boom"); });
    loop.Post([&ran] { ++ran; });
    EXPECT_THROW(DoEvents(), automation::RuntimeError);
    EXPECT_EQ(ran, 0);
    DoEvents();
    EXPECT_EQ(ran, 1);
}

TEST_F(EventLoopTest, PostedEventsRunBeforeTimersDueInTheSameStep) {
    std::vector<std::string> order;
    Timer timer;
    timer.SetInterval(100);
    timer.OnTimer = [&] {
        order.push_back("timer");
        loop.Post([&order] { order.push_back("posted by timer"); });
    };
    loop.Post([&order] { order.push_back("posted"); });
    loop.AdvanceTime(100);
    EXPECT_EQ(order, (std::vector<std::string>{"posted", "timer", "posted by timer"}));
}

TEST_F(EventLoopTest, SpinUntilAdvancesTheVirtualClockToTheNextTimer) {
    bool fired = false;
    Timer timer;
    timer.SetInterval(2000);
    timer.OnTimer = [&fired] { fired = true; };
    EXPECT_TRUE(loop.SpinUntil([&fired] { return fired; }));
    EXPECT_EQ(loop.Now(), 2000);
}

TEST_F(EventLoopTest, SpinUntilGivesUpWhenNothingCanHappen) {
    EXPECT_FALSE(loop.SpinUntil([] { return false; }));
}

TEST_F(EventLoopTest, SpinUntilRunsPostedEvents) {
    bool done = false;
    loop.Post([&done] { done = true; });
    EXPECT_TRUE(loop.SpinUntil([&done] { return done; }));
    EXPECT_EQ(loop.Now(), 0);
}

TEST_F(EventLoopTest, AdvanceTimeRefusesARealClockAndABackwardStep) {
    EXPECT_THROW(loop.AdvanceTime(-1), automation::RuntimeError);
    loop.SetClock(std::make_shared<SystemClock>());
    EXPECT_FALSE(loop.HasVirtualClock());
    EXPECT_THROW(loop.AdvanceTime(10), automation::RuntimeError);
}

// A wait of "for ever" ends at the clock's last moment instead of wrapping round into the past.
TEST_F(EventLoopTest, TheVirtualClockSaturates) {
    loop.AdvanceTime(1000);
    int fired = 0;
    auto timer = std::make_shared<Timer>();
    timer->SetInterval(500);
    timer->OnTimer = [&] {
        ++fired;
        timer->SetEnabled(false);
    };
    timer->SetEnabled(true);
    loop.AdvanceTime(std::numeric_limits<int64_t>::max());
    EXPECT_EQ(loop.Now(), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(fired, 1);
    timer->SetEnabled(true);  // due at the end of time, not before it
    loop.AdvanceTime(std::numeric_limits<int64_t>::max());
    EXPECT_EQ(fired, 2);
    timer->OnTimer = [&] { ++fired; };  // a periodic timer fires there once, not for ever
    timer->SetEnabled(true);
    loop.AdvanceTime(1);
    EXPECT_EQ(fired, 3);
}

TEST_F(EventLoopTest, VirtualClockNeverGoesBack) {
    VirtualClock clock(100);
    clock.SetNowMs(50);
    EXPECT_EQ(clock.NowMs(), 100);
    clock.SetNowMs(150);
    EXPECT_EQ(clock.NowMs(), 150);
}

TEST_F(EventLoopTest, RunUntilFailsInsteadOfHangingWhenNothingIsLeft) {
    try {
        loop.RunUntil([] { return false; });
        FAIL() << "a loop nothing can end must fail";
    } catch (const automation::RuntimeError& error) {
        EXPECT_NE(error.Description().find("never come"), std::string::npos);
    }
    EXPECT_EQ(loop.LoopDepth(), 0);
}

TEST_F(EventLoopTest, RunUntilCountsItsDepthWhileRunning) {
    int depthInside = -1;
    loop.Post([&] { depthInside = loop.LoopDepth(); });
    loop.RunUntil([&] { return depthInside >= 0; });
    EXPECT_EQ(depthInside, 1);
    EXPECT_EQ(loop.LoopDepth(), 0);
}

TEST_F(EventLoopTest, ResetDropsEventsAndTimers) {
    int ran = 0;
    Timer timer;
    timer.SetInterval(10);
    loop.Post([&ran] { ++ran; });
    loop.Reset();
    EXPECT_EQ(loop.PendingEvents(), 0u);
    EXPECT_EQ(loop.RunningTimers(), 0u);
    EXPECT_FALSE(loop.HasVirtualClock());
    loop.UseVirtualClock();
    DoEvents();
    EXPECT_EQ(ran, 0);
}

TEST_F(EventLoopTest, ExecRunsUntilQuitAndAnswersItsCode) {
    int ticks = 0;
    Timer timer;
    timer.SetInterval(100);
    timer.OnTimer = [&] {
        if (++ticks == 3) loop.Quit(7);
    };
    // Time moves only by the test: a call that posts itself again advances it step by step.
    std::function<void()> wait = [&] {
        loop.AdvanceTime(100);
        loop.Post(wait);
    };
    loop.Post(wait);
    EXPECT_EQ(loop.Exec(), 7);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(loop.Now(), 300);
}

TEST_F(EventLoopTest, ExecWithNothingToDoFailsInsteadOfHanging) {
    EXPECT_THROW(loop.Exec(), automation::RuntimeError);
}

TEST_F(EventLoopTest, ScriptedStepsWaitForAModalForm) {
    headless->AddModalStep([](Form&) {});
    EXPECT_THROW(loop.RunUntil([] { return false; }), automation::RuntimeError);
    EXPECT_EQ(headless->PendingSteps(), 1u) << "a loop without a form takes no step";
}
