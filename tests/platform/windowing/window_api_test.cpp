// Window handles with Windows' semantics: SetParent, SetWindowLongA, GetParent, host windows.

#include "recording_form.h"

#include <platform/windowing/headless_backend.h>
#include <platform/windowing/window_api.h>

#include <gtest/gtest.h>

#include <memory>

using namespace windowing;
using windowing_test::RecordingForm;

namespace {

// The form's own Form_Load embeds it, the way the tracking window does with its host.
class EmbeddingForm : public RecordingForm {
  public:
    int32_t pHwnd = 0;

  protected:
    void Form_Load() override {
        RecordingForm::Form_Load();
        if (pHwnd > 0) {
            SetWindowLongA(Hwnd(), GWL_STYLE, WS_CHILD);
            SetParent(Hwnd(), pHwnd);
        }
    }
};

class WindowApiTest : public ::testing::Test {
  protected:
    ScopedHeadless headless;
    int32_t host = CreateHostWindow("client page");
    void TearDown() override { DestroyWindow(host); }
};

}  // namespace

TEST_F(WindowApiTest, HandlesAreDistinctPositive32BitValues) {
    auto a = std::make_shared<RecordingForm>();
    auto b = std::make_shared<RecordingForm>();
    a->Load();
    b->Load();
    EXPECT_GT(a->Hwnd(), 0);
    EXPECT_GT(b->Hwnd(), 0);
    EXPECT_NE(a->Hwnd(), b->Hwnd());
    EXPECT_NE(a->Hwnd(), host);
}

TEST_F(WindowApiTest, HostWindowIsAWindowWithoutAForm) {
    EXPECT_TRUE(IsWindow(host));
    EXPECT_EQ(FormFromHwnd(host), nullptr);
    EXPECT_EQ(WindowCaption(host), "client page");
    EXPECT_NE(GetWindowLongA(host, GWL_STYLE) & WS_VISIBLE, 0);
}

TEST_F(WindowApiTest, ChildStyleReplacesTheOldStyleEntirely) {
    auto form = std::make_shared<RecordingForm>();
    form->Load();
    const int32_t old = GetWindowLongA(form->Hwnd(), GWL_STYLE);
    EXPECT_NE(old & WS_CAPTION, 0) << "a stand-alone form has a frame";
    EXPECT_EQ(SetWindowLongA(form->Hwnd(), GWL_STYLE, WS_CHILD), old);
    EXPECT_EQ(GetWindowLongA(form->Hwnd(), GWL_STYLE), WS_CHILD);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
}

TEST_F(WindowApiTest, SetParentMakesTheFormAChildOfTheHost) {
    auto form = std::make_shared<EmbeddingForm>();
    form->pHwnd = host;
    form->Show();
    EXPECT_EQ(GetParent(form->Hwnd()), host);
    EXPECT_TRUE(IsChild(host, form->Hwnd()));
    EXPECT_EQ(ChildWindows(host), std::vector<int32_t>{form->Hwnd()});
    EXPECT_EQ(GetWindowLongA(form->Hwnd(), GWL_STYLE), WS_CHILD | WS_VISIBLE)
        << "shown as a borderless child";
}

TEST_F(WindowApiTest, StandAloneFormKeepsItsFrameAndHasNoParent) {
    auto form = std::make_shared<EmbeddingForm>();
    form->Show();
    EXPECT_EQ(GetParent(form->Hwnd()), 0);
    EXPECT_NE(GetWindowLongA(form->Hwnd(), GWL_STYLE) & WS_CAPTION, 0);
}

TEST_F(WindowApiTest, SetParentReturnsThePreviousParent) {
    const int32_t other = CreateHostWindow("other");
    auto form = std::make_shared<RecordingForm>();
    form->Load();
    SetWindowLongA(form->Hwnd(), GWL_STYLE, WS_CHILD);
    EXPECT_EQ(SetParent(form->Hwnd(), host), 0);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    EXPECT_EQ(SetParent(form->Hwnd(), other), host);
    EXPECT_TRUE(ChildWindows(host).empty());
    EXPECT_EQ(GetParent(form->Hwnd()), other);
    EXPECT_EQ(SetParent(form->Hwnd(), 0), other);
    EXPECT_EQ(GetParent(form->Hwnd()), 0);
    DestroyWindow(other);
}

TEST_F(WindowApiTest, GetParentAnswersNothingForATopLevelWindowWithAParent) {
    // Windows answers the parent of child windows only.
    auto form = std::make_shared<RecordingForm>();
    form->Load();
    SetParent(form->Hwnd(), host);
    EXPECT_EQ(GetParent(form->Hwnd()), 0);
    EXPECT_FALSE(IsChild(host, form->Hwnd()));
    SetWindowLongA(form->Hwnd(), GWL_STYLE, WS_CHILD);
    EXPECT_EQ(GetParent(form->Hwnd()), host);
}

TEST_F(WindowApiTest, BadHandlesFailWithInvalidWindowHandle) {
    EXPECT_EQ(SetParent(0x7FFF0000, host), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(SetWindowLongA(0x7FFF0000, GWL_STYLE, WS_CHILD), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(GetParent(0x7FFF0000), 0);
    EXPECT_FALSE(IsWindow(0));
}

TEST_F(WindowApiTest, SetParentToAnUnknownParentChangesNothing) {
    auto form = std::make_shared<RecordingForm>();
    form->Load();
    SetWindowLongA(form->Hwnd(), GWL_STYLE, WS_CHILD);
    SetParent(form->Hwnd(), host);
    EXPECT_EQ(SetParent(form->Hwnd(), 0x7FFF0000), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(GetParent(form->Hwnd()), host);
}

TEST_F(WindowApiTest, SetParentRefusesALoopOfParents) {
    const int32_t inner = CreateHostWindow("inner");
    SetWindowLongA(inner, GWL_STYLE, WS_CHILD);
    SetParent(inner, host);
    EXPECT_EQ(SetParent(host, inner), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetParent(host, host), 0);
    EXPECT_EQ(GetParent(inner), host);
    DestroyWindow(inner);
}

TEST_F(WindowApiTest, UnknownIndexIsRefused) {
    EXPECT_EQ(SetWindowLongA(host, -21, 5), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
    EXPECT_EQ(GetWindowLongA(host, -4), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
}

TEST_F(WindowApiTest, ExtendedStyleIsKeptApart) {
    EXPECT_EQ(SetWindowLongA(host, GWL_EXSTYLE, 0x200), 0);
    EXPECT_EQ(GetWindowLongA(host, GWL_EXSTYLE), 0x200);
    EXPECT_NE(GetWindowLongA(host, GWL_STYLE), 0x200);
}

TEST_F(WindowApiTest, UnloadingAnEmbeddedFormLeavesTheHost) {
    auto form = std::make_shared<EmbeddingForm>();
    form->pHwnd = host;
    form->Show();
    const int32_t hwnd = form->Hwnd();
    form->Unload();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(ChildWindows(host).empty());
    EXPECT_TRUE(IsWindow(host));
}

TEST_F(WindowApiTest, DestroyingTheHostOrphansItsChildren) {
    const int32_t doomed = CreateHostWindow("doomed");
    auto form = std::make_shared<EmbeddingForm>();
    form->pHwnd = doomed;
    form->Show();
    EXPECT_TRUE(DestroyWindow(doomed));
    EXPECT_FALSE(IsWindow(doomed));
    EXPECT_TRUE(form->IsLoaded());
    EXPECT_EQ(GetParent(form->Hwnd()), 0);
}

TEST_F(WindowApiTest, AFormHandleIsNotDestroyedBehindTheFormsBack) {
    auto form = std::make_shared<RecordingForm>();
    form->Load();
    EXPECT_FALSE(DestroyWindow(form->Hwnd()));
    EXPECT_TRUE(IsWindow(form->Hwnd()));
    EXPECT_TRUE(form->IsLoaded());
}

TEST_F(WindowApiTest, WindowCaptionFollowsTheForm) {
    auto form = std::make_shared<RecordingForm>();
    form->SetCaption("生产任务单全程跟踪");
    form->Load();
    EXPECT_EQ(WindowCaption(form->Hwnd()), "生产任务单全程跟踪");
}
