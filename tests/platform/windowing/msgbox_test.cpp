// Message boxes and the mouse pointer through the headless back end: scripted answers,
// unexpected boxes, records.

#include <platform/automation/errors.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/msgbox.h>
#include <platform/windowing/screen.h>

#include <gtest/gtest.h>

using namespace windowing;

namespace {

class MsgBoxTest : public ::testing::Test {
  protected:
    ScopedHeadless headless;
};

}  // namespace

TEST_F(MsgBoxTest, ScriptedAnswersAreGivenInOrderAndRecorded) {
    headless->AnswerMsgBox(vbYes);
    headless->AnswerMsgBox(vbOK);
    EXPECT_EQ(MsgBox("继续吗？", vbQuestion + vbYesNo, "Velo提示"), vbYes);
    EXPECT_EQ(MsgBox("完成", vbInformation, "Velo提示"), vbOK);
    const auto& boxes = headless->MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Prompt, "继续吗？");
    EXPECT_EQ(boxes[0].Buttons, vbQuestion + vbYesNo);
    EXPECT_EQ(boxes[0].Title, "Velo提示");
    EXPECT_EQ(boxes[0].Answer, vbYes);
    EXPECT_EQ(boxes[1].Buttons, 64);
    EXPECT_EQ(headless->PendingAnswers(), 0u);
}

TEST_F(MsgBoxTest, UnexpectedBoxFailsNamingItsText) {
    try {
        MsgBox("对不起，你没有相应的权限！", vbInformation, "Velo提示");
        FAIL() << "a box without an answer must fail in strict mode";
    } catch (const automation::RuntimeError& error) {
        EXPECT_NE(error.Description().find("对不起，你没有相应的权限！"), std::string::npos);
    }
    ASSERT_EQ(headless->Failures().size(), 1u) << "kept even if a trap swallows the error";
    EXPECT_NE(headless->Failures()[0].find("对不起"), std::string::npos);
    ASSERT_EQ(headless->MessageBoxes().size(), 1u);
    EXPECT_EQ(headless->MessageBoxes()[0].Answer, 0);
}

TEST_F(MsgBoxTest, ExpectedTextMustMatch) {
    headless->AnswerMsgBox("超过2000分录", vbNo);
    try {
        MsgBox("别的提示", vbYesNo + vbQuestion, "Velo提示");
        FAIL();
    } catch (const automation::RuntimeError& error) {
        EXPECT_NE(error.Description().find("别的提示"), std::string::npos);
        EXPECT_NE(error.Description().find("超过2000分录"), std::string::npos);
    }
}

TEST_F(MsgBoxTest, ExpectedTextMatchesAPartOfThePrompt) {
    headless->AnswerMsgBox("超过2000分录", vbNo);
    EXPECT_EQ(MsgBox("您查询的订单超过2000分录，将会影响查询速度", vbYesNo, "Velo提示"), vbNo);
}

TEST_F(MsgBoxTest, ScriptedAnswerMustBeAButtonOfTheBox) {
    headless->AnswerMsgBox(vbYes);
    EXPECT_THROW(MsgBox("只有确定", vbOKOnly, "t"), automation::RuntimeError);
    EXPECT_EQ(headless->Failures().size(), 1u);
}

TEST_F(MsgBoxTest, LenientModeAnswersTheDefaultButton) {
    headless->SetStrict(false);
    EXPECT_EQ(MsgBox("a", vbYesNo), vbYes);
    EXPECT_EQ(MsgBox("b", vbYesNo + vbDefaultButton2), vbNo);
    EXPECT_EQ(MsgBox("c", vbOKOnly + vbInformation), vbOK);
    EXPECT_TRUE(headless->Failures().empty());
}

TEST_F(MsgBoxTest, EmptyTitleIsTheApplicationsName) {
    headless->AnswerMsgBox(vbOK);
    MsgBox("x");
    EXPECT_EQ(headless->MessageBoxes()[0].Title, "trackquery");
}

TEST_F(MsgBoxTest, UnknownButtonSetIsRefusedBeforeTheBackEndSeesIt) {
    EXPECT_THROW(MsgBox("x", 6), automation::RuntimeError);
    EXPECT_TRUE(headless->MessageBoxes().empty());
}

TEST_F(MsgBoxTest, ChoicesAndDefaults) {
    EXPECT_EQ(MsgBoxChoices(vbOKOnly), std::vector<int32_t>{vbOK});
    EXPECT_EQ(MsgBoxChoices(vbYesNoCancel + vbExclamation),
              (std::vector<int32_t>{vbYes, vbNo, vbCancel}));
    EXPECT_EQ(MsgBoxChoices(vbOKCancel + vbCritical), (std::vector<int32_t>{vbOK, vbCancel}));
    EXPECT_EQ(MsgBoxDefaultResult(vbYesNoCancel + vbDefaultButton3), vbCancel);
    EXPECT_EQ(MsgBoxDefaultResult(vbOKOnly + vbDefaultButton3), vbOK) << "clamped";
}

namespace {

// A back end that answers with a button the box lacks.
class WrongAnswerBackend : public HeadlessBackend {
  public:
    WrongAnswerBackend() : HeadlessBackend(false) {}
    int32_t ShowMsgBox(const std::string&, int32_t, const std::string&) override { return vbYes; }
};

}  // namespace

TEST_F(MsgBoxTest, AnswerThatIsNotAButtonIsAnError) {
    EventLoop::Instance().SetBackend(std::make_shared<WrongAnswerBackend>());
    EXPECT_THROW(MsgBox("x", vbOKCancel), automation::RuntimeError);
}

TEST_F(MsgBoxTest, EveryMousePointerAssignmentIsRecorded) {
    Screen().SetMousePointer(vbHourglass);
    Screen().SetMousePointer(vbHourglass);
    Screen().SetMousePointer(vbDefault);
    EXPECT_EQ(headless->MousePointers(), (std::vector<int16_t>{11, 11, 0}));
    EXPECT_EQ(Screen().MousePointer(), vbDefault);
}

TEST_F(MsgBoxTest, UnknownMousePointerIsRefusedAndNotRecorded) {
    Screen().SetMousePointer(vbHourglass);
    EXPECT_THROW(Screen().SetMousePointer(42), automation::RuntimeError);
    EXPECT_EQ(Screen().MousePointer(), vbHourglass);
    EXPECT_EQ(headless->MousePointers().size(), 1u);
}

TEST_F(MsgBoxTest, ClearRecordsForgetsEverything) {
    headless->AnswerMsgBox(vbOK);
    MsgBox("x");
    Screen().SetMousePointer(11);
    headless->ClearRecords();
    EXPECT_TRUE(headless->MessageBoxes().empty());
    EXPECT_TRUE(headless->MousePointers().empty());
}

TEST(ScopedHeadlessTest, EachScopeStartsClean) {
    {
        ScopedHeadless first;
        Screen().SetMousePointer(vbHourglass);
        EventLoop::Instance().Post([] {});
        EventLoop::Instance().AdvanceTime(1000);
    }
    ScopedHeadless second;
    EXPECT_EQ(Screen().MousePointer(), vbDefault);
    EXPECT_EQ(EventLoop::Instance().PendingEvents(), 0u);
    EXPECT_EQ(EventLoop::Instance().Now(), 0);
    EXPECT_TRUE(second->MousePointers().empty());
    EXPECT_TRUE(second->Strict());
}
