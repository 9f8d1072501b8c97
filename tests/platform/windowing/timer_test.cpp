// Timers on the virtual clock: when they fire, in what order, and how enabling restarts them.

#include <platform/automation/errors.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/form.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/timer.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace windowing;

namespace {

class TimerTest : public ::testing::Test {
  protected:
    ScopedHeadless headless;
    EventLoop& loop = EventLoop::Instance();
};

std::shared_ptr<Timer> MakeTimer(int32_t interval, std::vector<int64_t>& firings) {
    auto timer = std::make_shared<Timer>();
    timer->SetInterval(interval);
    timer->OnTimer = [&firings] { firings.push_back(EventLoop::Instance().Now()); };
    return timer;
}

}  // namespace

TEST_F(TimerTest, FiresEveryIntervalWhileEnabled) {
    std::vector<int64_t> firings;
    auto timer = MakeTimer(500, firings);
    loop.AdvanceTime(1600);
    EXPECT_EQ(firings, (std::vector<int64_t>{500, 1000, 1500}));
    EXPECT_EQ(loop.Now(), 1600);
}

TEST_F(TimerTest, DoesNotFireBeforeItsInterval) {
    std::vector<int64_t> firings;
    auto timer = MakeTimer(500, firings);
    loop.AdvanceTime(499);
    EXPECT_TRUE(firings.empty());
    loop.AdvanceTime(1);
    EXPECT_EQ(firings.size(), 1u);
}

TEST_F(TimerTest, ZeroIntervalNeverFires) {
    std::vector<int64_t> firings;
    auto timer = MakeTimer(0, firings);
    loop.AdvanceTime(10000);
    EXPECT_TRUE(firings.empty());
    EXPECT_FALSE(timer->IsRunning());
}

TEST_F(TimerTest, DisabledTimerDoesNotFire) {
    std::vector<int64_t> firings;
    auto timer = MakeTimer(500, firings);
    timer->SetEnabled(false);
    loop.AdvanceTime(2000);
    EXPECT_TRUE(firings.empty());
}

TEST_F(TimerTest, DisablingAndEnablingRestartsTheInterval) {
    std::vector<int64_t> firings;
    auto timer = MakeTimer(500, firings);
    loop.AdvanceTime(300);
    timer->SetEnabled(false);
    timer->SetEnabled(true);
    loop.AdvanceTime(400);  // 700: the old countdown would have fired at 500
    EXPECT_TRUE(firings.empty());
    loop.AdvanceTime(100);
    EXPECT_EQ(firings, (std::vector<int64_t>{800}));
}

TEST_F(TimerTest, EnablingAnEnabledTimerRestartsIt) {
    std::vector<int64_t> firings;
    auto timer = MakeTimer(500, firings);
    loop.AdvanceTime(400);
    timer->SetEnabled(true);
    loop.AdvanceTime(400);
    EXPECT_TRUE(firings.empty());
    loop.AdvanceTime(100);
    EXPECT_EQ(firings, (std::vector<int64_t>{900}));
}

TEST_F(TimerTest, ChangingTheIntervalRestartsAnEnabledTimer) {
    std::vector<int64_t> firings;
    auto timer = MakeTimer(500, firings);
    loop.AdvanceTime(400);
    timer->SetInterval(300);
    loop.AdvanceTime(300);
    EXPECT_EQ(firings, (std::vector<int64_t>{700}));
}

TEST_F(TimerTest, DisablingInsideTheHandlerMakesAOneShot) {
    int fired = 0;
    auto timer = std::make_shared<Timer>();
    timer->SetInterval(500);
    Timer* raw = timer.get();
    timer->OnTimer = [&fired, raw] {
        if (raw->Enabled()) raw->SetEnabled(false);
        ++fired;
    };
    loop.AdvanceTime(5000);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timer->IsRunning());
}

TEST_F(TimerTest, ClicksInQuickSuccessionFireOnceAfterTheLast) {
    // The deferred selection of the tracking window: every click restarts a one-shot timer.
    std::vector<int64_t> firings;
    auto timer = std::make_shared<Timer>();
    timer->SetEnabled(false);
    timer->SetInterval(500);
    Timer* raw = timer.get();
    timer->OnTimer = [&firings, raw] {
        raw->SetEnabled(false);
        firings.push_back(EventLoop::Instance().Now());
    };
    auto click = [raw] {
        raw->SetEnabled(false);
        raw->SetEnabled(true);
    };
    click();
    loop.AdvanceTime(200);
    click();
    loop.AdvanceTime(2000);
    EXPECT_EQ(firings, (std::vector<int64_t>{700}));
}

TEST_F(TimerTest, DueTimersFireInDueOrderThenStartOrder) {
    std::vector<std::string> order;
    auto slow = std::make_shared<Timer>();
    auto fast = std::make_shared<Timer>();
    auto tie = std::make_shared<Timer>();
    slow->OnTimer = [&order] {
        order.push_back("slow@" + std::to_string(EventLoop::Instance().Now()));
    };
    fast->OnTimer = [&order] {
        order.push_back("fast@" + std::to_string(EventLoop::Instance().Now()));
    };
    tie->OnTimer = [&order] {
        order.push_back("tie@" + std::to_string(EventLoop::Instance().Now()));
    };
    slow->SetInterval(300);
    fast->SetInterval(200);
    tie->SetInterval(300);
    loop.AdvanceTime(600);
    EXPECT_EQ(order, (std::vector<std::string>{"fast@200", "slow@300", "tie@300", "fast@400",
                                               "slow@600", "fast@600", "tie@600"}));
}

TEST_F(TimerTest, HandlerThatStopsALaterTimerPreventsItsFiring) {
    int secondFired = 0;
    auto first = std::make_shared<Timer>();
    auto second = std::make_shared<Timer>();
    first->SetInterval(100);
    second->SetInterval(100);
    Timer* rawSecond = second.get();
    first->OnTimer = [rawSecond] { rawSecond->SetEnabled(false); };
    second->OnTimer = [&secondFired] { ++secondFired; };
    loop.AdvanceTime(100);
    EXPECT_EQ(secondFired, 0);
}

TEST_F(TimerTest, DestroyedTimerLeavesTheLoop) {
    int fired = 0;
    {
        auto timer = std::make_shared<Timer>();
        timer->SetInterval(100);
        timer->OnTimer = [&fired] { ++fired; };
        EXPECT_EQ(loop.RunningTimers(), 1u);
    }
    EXPECT_EQ(loop.RunningTimers(), 0u);
    loop.AdvanceTime(1000);
    EXPECT_EQ(fired, 0);
}

TEST_F(TimerTest, HandlerMayDestroyItsOwnTimer) {
    int fired = 0;
    auto timer = std::make_shared<Timer>();
    timer->SetInterval(100);
    timer->OnTimer = [&fired, &timer] {
        ++fired;
        timer.reset();
    };
    loop.AdvanceTime(1000);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(timer, nullptr);
}

TEST_F(TimerTest, IntervalOutsideVbRangeIsRefused) {
    Timer timer;
    timer.SetInterval(250);
    EXPECT_THROW(timer.SetInterval(-1), automation::RuntimeError);
    EXPECT_THROW(timer.SetInterval(65536), automation::RuntimeError);
    EXPECT_EQ(timer.Interval(), 250);
    try {
        timer.SetInterval(70000);
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 380);
    }
}

TEST_F(TimerTest, TimerOfAFormRunsOnlyWhileTheFormIsLoaded) {
    auto form = std::make_shared<Form>("frmTimer");
    auto timer = form->Add<Timer>("tmrQuery");
    int fired = 0;
    timer->OnTimer = [&fired] { ++fired; };
    timer->SetInterval(500);
    loop.AdvanceTime(1000);
    EXPECT_EQ(fired, 0) << "a timer of an unloaded form must not run";

    form->Load();
    loop.AdvanceTime(500);
    EXPECT_EQ(fired, 1);

    form->Unload();
    loop.AdvanceTime(5000);
    EXPECT_EQ(fired, 1);
    EXPECT_TRUE(timer->Enabled()) << "unloading stops the timer but keeps its setting";
}

TEST_F(TimerTest, DoEventsFiresOnlyTimersDueNow) {
    auto clock = std::make_shared<VirtualClock>(0);
    loop.SetClock(clock);
    int fired = 0;
    auto timer = std::make_shared<Timer>();
    timer->SetInterval(100);
    timer->OnTimer = [&fired] { ++fired; };
    EXPECT_EQ(loop.DoEvents(), 0);
    EXPECT_EQ(loop.MsUntilNextTimer(), std::optional<int64_t>(100));
    clock->SetNowMs(250);  // late: fires once, then counts from now
    EXPECT_EQ(loop.DoEvents(), 1);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(loop.MsUntilNextTimer(), std::optional<int64_t>(100));
}

TEST_F(TimerTest, TimerStartedByAHandlerFiresWithinTheSameAdvance) {
    std::vector<int64_t> firings;
    std::shared_ptr<Timer> late;
    auto first = std::make_shared<Timer>();
    first->SetInterval(100);
    Timer* rawFirst = first.get();
    first->OnTimer = [&, rawFirst] {
        rawFirst->SetEnabled(false);
        late = MakeTimer(50, firings);
    };
    loop.AdvanceTime(200);
    EXPECT_EQ(firings, (std::vector<int64_t>{150, 200}));
}
