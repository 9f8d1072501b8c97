// The VB life cycle of forms: load, show, activate, resize, hide, unload with cancel, and the
// modal loop.

#include "recording_form.h"

#include <platform/automation/errors.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/timer.h>
#include <platform/windowing/window_api.h>

#include <gtest/gtest.h>

#include <memory>

using namespace windowing;
using windowing_test::RecordingForm;

namespace {

class FormLifecycleTest : public ::testing::Test {
  protected:
    ScopedHeadless headless;
    std::shared_ptr<RecordingForm> form = std::make_shared<RecordingForm>();
};

using Log = std::vector<std::string>;

}  // namespace

TEST_F(FormLifecycleTest, NewFormIsNotLoadedAndHasNoHandle) {
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->Hwnd(), 0);
    EXPECT_EQ(form->Caption(), "frmRecording") << "VB captions a new form with its name";
    EXPECT_TRUE(form->log.empty());
}

TEST_F(FormLifecycleTest, LoadRunsFormLoadOnceAndGivesAHandle) {
    form->Load();
    form->Load();
    EXPECT_EQ(form->log, Log{"Load"});
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(IsWindow(form->Hwnd()));
    EXPECT_EQ(FormFromHwnd(form->Hwnd()), form.get());
}

TEST_F(FormLifecycleTest, ModelessShowLoadsResizesActivatesAndReturns) {
    form->SetClientSize(12825, 10995);
    form->Show();
    EXPECT_EQ(form->log, (Log{"Load", "Resize 12825x10995", "Activate"}));
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(form->IsModal());
    EXPECT_EQ(headless->FormEvents(), Log{"Show frmRecording"});
}

TEST_F(FormLifecycleTest, ShowingAgainAfterHideActivatesWithoutResize) {
    form->Show();
    form->Hide();
    form->Show();
    EXPECT_EQ(form->log, (Log{"Load", "Resize 0x0", "Activate", "Activate"}));
    form->Show();  // already visible: no new activation, nothing new to draw
    EXPECT_EQ(form->log.size(), 4u);
    EXPECT_EQ(headless->FormEvents(),
              (Log{"Show frmRecording", "Hide frmRecording", "Show frmRecording"}));
}

TEST_F(FormLifecycleTest, HideKeepsTheFormLoaded) {
    form->Show();
    form->Hide();
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(headless->FormEvents(), (Log{"Show frmRecording", "Hide frmRecording"}));
}

TEST_F(FormLifecycleTest, UnloadRunsQueryUnloadThenUnloadAndDropsTheHandle) {
    form->Show();
    const int32_t hwnd = form->Hwnd();
    EXPECT_TRUE(form->Unload());
    EXPECT_EQ(form->log, (Log{"Load", "Resize 0x0", "Activate", "QueryUnload 1", "Unload"}));
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->Hwnd(), 0);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(FormLifecycleTest, CancelInQueryUnloadKeepsTheFormAndSkipsUnload) {
    form->Show();
    form->cancelQueryUnload = 1;
    EXPECT_FALSE(form->Unload());
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->log.back(), "QueryUnload 1");
}

TEST_F(FormLifecycleTest, CancelInUnloadKeepsTheForm) {
    form->Show();
    form->cancelUnload = 1;
    EXPECT_FALSE(form->Unload());
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_TRUE(form->Visible());
}

TEST_F(FormLifecycleTest, UserCloseReportsControlMenuMode) {
    form->Show();
    EXPECT_TRUE(form->CloseByUser());
    EXPECT_EQ(form->lastUnloadMode, vbFormControlMenu);
}

TEST_F(FormLifecycleTest, UnloadOfAnUnloadedFormDoesNothing) {
    EXPECT_TRUE(form->Unload());
    EXPECT_TRUE(form->log.empty());
}

TEST_F(FormLifecycleTest, UnloadedFormCanBeLoadedAgainWithANewHandle) {
    form->Show();
    const int32_t first = form->Hwnd();
    form->Unload();
    form->Show();
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_NE(form->Hwnd(), first);
    EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "Load"), 2);
    EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "Resize 0x0"), 2);
}

TEST_F(FormLifecycleTest, LoadedFormsListsOnlyLoadedForms) {
    auto other = std::make_shared<RecordingForm>("frmOther");
    form->Load();
    other->Load();
    EXPECT_EQ(LoadedForms().size(), 2u);
    form->Unload();
    auto loaded = LoadedForms();
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].get(), other.get());
}

TEST_F(FormLifecycleTest, ErrorInFormLoadReachesTheCallerAndTheFormStaysLoaded) {
    form->onLoad = [] {
        automation::Raise(91, "frmRecording.Form_Load", "Object variable not set");
    };
    try {
        form->Show();
        FAIL() << "the error must reach the caller";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 91);
    }
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_FALSE(form->Visible());
}

TEST_F(FormLifecycleTest, FormUnloadedInsideFormLoadCannotBeShown) {
    form->onLoad = [this] { form->Unload(); };
    try {
        form->Show();
        FAIL() << "showing a form that unloaded itself must fail";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 364);
    }
    EXPECT_FALSE(form->IsLoaded());
}

TEST_F(FormLifecycleTest, ShowWithAnUnknownModeIsRefused) {
    EXPECT_THROW(form->Show(2), automation::RuntimeError);
    EXPECT_FALSE(form->IsLoaded());
}

TEST_F(FormLifecycleTest, VisibleProperty) {
    form->SetVisible(true);
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->log.front(), "Load");
    form->SetVisible(false);
    EXPECT_FALSE(form->Visible());
}

// --- Modal showing ---------------------------------------------------------------------------

TEST_F(FormLifecycleTest, ModalShowReturnsOnlyAfterTheFormUnloads) {
    bool insideWasModal = false;
    headless->AddModalStep("frmRecording", [&](Form& modal) {
        insideWasModal = modal.IsModal() && modal.Visible();
        EXPECT_EQ(EventLoop::Instance().LoopDepth(), 1);
    });
    headless->AddModalStep([](Form& modal) { modal.Unload(); });
    form->Show(vbModal);
    EXPECT_TRUE(insideWasModal);
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_FALSE(form->IsModal());
    EXPECT_EQ(headless->PendingSteps(), 0u);
    EXPECT_EQ(headless->FormEvents(), (Log{"Show frmRecording modal", "Unload frmRecording"}));
}

TEST_F(FormLifecycleTest, ModalShowReturnsWhenTheFormHides) {
    headless->HideModalForm();
    form->Show(vbModal);
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_FALSE(form->Visible());
}

TEST_F(FormLifecycleTest, CancelledCloseKeepsTheModalLoopRunning) {
    form->cancelQueryUnload = 1;
    int steps = 0;
    headless->AddModalStep([&](Form&) {
        ++steps;
        form->CloseByUser();  // refused
    });
    headless->AddModalStep([&](Form&) {
        ++steps;
        form->cancelQueryUnload = 0;
        form->CloseByUser();
    });
    form->Show(vbModal);
    EXPECT_EQ(steps, 2);
    EXPECT_FALSE(form->IsLoaded());
}

TEST_F(FormLifecycleTest, PostedActionsRunInsideTheModalLoop) {
    EventLoop::Instance().Post([this] {
        form->log.push_back("posted");
        form->Hide();
    });
    form->Show(vbModal);
    EXPECT_EQ(form->log.back(), "posted");
    EXPECT_EQ(headless->PendingSteps(), 0u);
}

TEST_F(FormLifecycleTest, TimerInsideTheModalLoopCanCloseTheForm) {
    auto timer = form->Add<Timer>("tmrClose");
    timer->SetInterval(500);
    timer->OnTimer = [this] { form->Unload(); };
    headless->AddModalStep([](Form&) { EventLoop::Instance().AdvanceTime(500); });
    form->Show(vbModal);
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_EQ(EventLoop::Instance().Now(), 500);
}

TEST_F(FormLifecycleTest, ModalLoopWithNoStepLeftFailsInsteadOfHanging) {
    EXPECT_THROW(form->Show(vbModal), automation::RuntimeError);
    ASSERT_EQ(headless->Failures().size(), 1u);
    EXPECT_NE(headless->Failures()[0].find("frmRecording"), std::string::npos);
    EXPECT_FALSE(form->IsModal());
}

TEST_F(FormLifecycleTest, StepScriptedForAnotherFormFails) {
    headless->AddModalStep("frmBillSel", [](Form& modal) { modal.Unload(); });
    try {
        form->Show(vbModal);
        FAIL() << "a step for another form must not run";
    } catch (const automation::RuntimeError& error) {
        EXPECT_NE(error.Description().find("frmBillSel"), std::string::npos);
        EXPECT_NE(error.Description().find("frmRecording"), std::string::npos);
    }
}

TEST_F(FormLifecycleTest, ShowingModallyAVisibleFormIsError400) {
    form->Show();
    try {
        form->Show(vbModal);
        FAIL();
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 400);
    }
}

TEST_F(FormLifecycleTest, FormUnloadingItselfOnActivateEndsTheModalShowAtOnce) {
    form->onActivate = [this] { form->Unload(); };
    form->Show(vbModal);  // no step scripted: the loop must not even wait
    EXPECT_FALSE(form->IsLoaded());
}

TEST_F(FormLifecycleTest, NestedModalFormsUnwindInOrder) {
    auto dialog = std::make_shared<RecordingForm>("frmDialog");
    std::vector<std::string> order;
    headless->AddModalStep("frmRecording", [&](Form&) {
        dialog->Show(vbModal);
        order.push_back("dialog returned");
        form->Unload();
    });
    headless->AddModalStep("frmDialog", [&](Form& modal) {
        order.push_back("inside dialog at depth " +
                        std::to_string(EventLoop::Instance().LoopDepth()));
        modal.Unload();
    });
    form->Show(vbModal);
    EXPECT_EQ(order, (std::vector<std::string>{"inside dialog at depth 2", "dialog returned"}));
    EXPECT_FALSE(dialog->IsLoaded());
    EXPECT_FALSE(form->IsLoaded());
}

// --- Lifetime --------------------------------------------------------------------------------

TEST_F(FormLifecycleTest, NothingKeepsAModalFormAliveAfterUnload) {
    std::weak_ptr<RecordingForm> watch = form;
    auto timer = form->Add<Timer>("tmrQuery");
    timer->SetInterval(500);
    timer->OnTimer = [raw = form.get()] { raw->log.push_back("tick"); };
    headless->AddModalStep([](Form& modal) { modal.Unload(); });
    form->Show(vbModal);
    timer.reset();
    form.reset();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(EventLoop::Instance().RunningTimers(), 0u);
}

TEST_F(FormLifecycleTest, FormReleasedInsideItsModalLoopLivesUntilShowReturns) {
    std::weak_ptr<RecordingForm> watch = form;
    headless->AddModalStep([this](Form& modal) {
        form.reset();  // the caller lets go while the loop runs
        modal.Unload();
    });
    auto* raw = form.get();
    raw->Show(vbModal);
    EXPECT_TRUE(watch.expired());
}

TEST_F(FormLifecycleTest, DestroyingALoadedFormFreesItsHandle) {
    form->Show();
    const int32_t hwnd = form->Hwnd();
    form.reset();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(LoadedForms().empty());
}

TEST_F(FormLifecycleTest, ControlOutlivingItsFormForgetsIt) {
    auto timer = form->Add<Timer>("tmrQuery");
    form->Load();
    timer->SetInterval(100);
    form.reset();
    EXPECT_EQ(timer->Parent(), nullptr);
    EXPECT_FALSE(timer->IsRunning());
}

// --- Lenient back end ------------------------------------------------------------------------

TEST(LenientHeadlessTest, ModalFormWithNoStepLeftIsClosedAsByTheUser) {
    ScopedHeadless headless(false);
    auto form = std::make_shared<RecordingForm>();
    form->Show(vbModal);
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_EQ(form->lastUnloadMode, vbFormControlMenu);
    EXPECT_TRUE(headless->Failures().empty());
    EXPECT_EQ(headless->FormEvents(),
              (Log{"Show frmRecording modal", "Close frmRecording (no step left)",
                   "Unload frmRecording"}));
}

TEST(LenientHeadlessTest, FormRefusingToCloseStillFailsInsteadOfHanging) {
    ScopedHeadless headless(false);
    auto form = std::make_shared<RecordingForm>();
    form->cancelQueryUnload = 1;
    EXPECT_THROW(form->Show(vbModal), automation::RuntimeError);
    EXPECT_EQ(headless->Failures().size(), 1u);
    form->cancelQueryUnload = 0;
}
