// What a back end with a native event loop hears from the windowing layer (native pumps, wake-ups,
// embedding), and frames as containers of controls.

#include <platform/automation/errors.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/form.h>
#include <platform/windowing/frame.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/timer.h>
#include <platform/windowing/window_api.h>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

using namespace windowing;

namespace {

class NativeBackend : public HeadlessBackend {
  public:
    void PumpEvents() override { ++pumps; }
    void Wake() override { ++wakes; }
    void WindowParentChanged(int32_t hwnd, int32_t newParent) override {
        parents.emplace_back(hwnd, newParent);
    }
    int pumps = 0;
    int wakes = 0;
    std::vector<std::pair<int32_t, int32_t>> parents;
};

class NativeLoopTest : public ::testing::Test {
  protected:
    NativeLoopTest() { loop.SetBackend(backend); }
    ScopedHeadless headless;
    EventLoop& loop = EventLoop::Instance();
    std::shared_ptr<NativeBackend> backend = std::make_shared<NativeBackend>();
};

}  // namespace

TEST_F(NativeLoopTest, DoEventsPumpsNativeEventsAtMostOncePerInterval) {
    for (int i = 0; i < 1000; ++i) DoEvents();
    EXPECT_EQ(backend->pumps, 1) << "a fill calling DoEvents per item must not pump every time";
    loop.AdvanceTime(kNativePumpIntervalMs - 1);
    DoEvents();
    EXPECT_EQ(backend->pumps, 1);
    loop.AdvanceTime(1);
    DoEvents();
    DoEvents();
    EXPECT_EQ(backend->pumps, 2);
}

TEST_F(NativeLoopTest, PostingWorkAndStartingATimerWakeTheBackEnd) {
    loop.Post([] {});
    EXPECT_EQ(backend->wakes, 1);
    loop.DeferredInvoke(std::make_shared<Form>("frmOwner"), [] {});
    EXPECT_EQ(backend->wakes, 2);
    Timer timer;
    timer.SetEnabled(false);
    timer.SetInterval(500);
    EXPECT_EQ(backend->wakes, 2) << "a stopped timer changes no wait";
    timer.SetEnabled(true);
    EXPECT_EQ(backend->wakes, 3) << "a waiting back end must learn the new time to the next timer";
    timer.SetEnabled(false);
    EXPECT_EQ(backend->wakes, 3);
}

TEST_F(NativeLoopTest, EmbeddingAFormIsReportedAndAFailedSetParentIsNot) {
    auto form = std::make_shared<Form>("frmPage");
    form->Load();
    const int32_t host = CreateHostWindow("client page");
    SetParent(form->Hwnd(), host);
    SetParent(form->Hwnd(), form->Hwnd());  // refused: a window cannot go below itself
    SetParent(form->Hwnd(), 0);
    const std::vector<std::pair<int32_t, int32_t>> expected{{form->Hwnd(), host},
                                                            {form->Hwnd(), 0}};
    EXPECT_EQ(backend->parents, expected);
}

TEST_F(NativeLoopTest, FrameHoldsTheControlsPlacedInItUntilItGoes) {
    Form form("frmOrderOption");
    auto frame = form.Add<Frame>("FrmBill");
    auto first = form.Add<Frame>("FrmInner");
    auto other = std::make_shared<Form>("frmOther");
    auto foreign = other->Add<Frame>("FrmForeign");

    first->SetContainer(frame.get());
    EXPECT_EQ(first->Container(), frame.get());
    EXPECT_EQ(frame->Contents(), std::vector<Control*>{first.get()});

    EXPECT_THROW(frame->SetContainer(first.get()), automation::RuntimeError)
        << "a frame cannot go inside a frame it holds";
    EXPECT_THROW(first->SetContainer(foreign.get()), automation::RuntimeError);
    EXPECT_EQ(first->Container(), frame.get()) << "a refused placement moves nothing";

    first->SetContainer(nullptr);
    EXPECT_TRUE(frame->Contents().empty());
    EXPECT_EQ(first->Container(), nullptr);
}

TEST_F(NativeLoopTest, ControlsOfADestroyedFrameStandOnTheFormAgain) {
    Form form("frmOrderOption");
    auto inner = form.Add<Frame>("FrmOther");
    auto frame = std::make_shared<Frame>(&form, "FrmLoose");
    inner->SetContainer(frame.get());
    frame.reset();
    EXPECT_EQ(inner->Container(), nullptr);
}
