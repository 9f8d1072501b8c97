// What the user does to a form: resizing, minimising, keys with and without key preview,
// Enter and Escape, focus.

#include "recording_form.h"

#include <platform/automation/errors.h>
#include <platform/windowing/command_button.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/label.h>
#include <platform/windowing/picture_box.h>
#include <platform/windowing/text_box.h>
#include <platform/windowing/timer.h>

#include <gtest/gtest.h>

#include <memory>

using namespace windowing;
using windowing_test::RecordingForm;

namespace {

class FormInputTest : public ::testing::Test {
  protected:
    ScopedHeadless headless;
    std::shared_ptr<RecordingForm> form = std::make_shared<RecordingForm>();
};

}  // namespace

TEST_F(FormInputTest, ResizeReportsTheNewClientArea) {
    auto picture = form->Add<PictureBox>("picBak");
    form->onResize = [&] { picture->Move(0, 0, form->ScaleWidth(), form->ScaleHeight()); };
    form->Show();
    form->Resize(9000, 6000);
    EXPECT_EQ(form->log.back(), "Resize 9000x6000");
    EXPECT_EQ(picture->Width(), 9000);
    EXPECT_EQ(picture->Height(), 6000);
}

TEST_F(FormInputTest, ResizeBeforeLoadRaisesNoEvent) {
    form->Resize(100, 200);
    EXPECT_TRUE(form->log.empty());
    EXPECT_EQ(form->ScaleWidth(), 100);
}

TEST_F(FormInputTest, MinimisedFormHasAnEmptyClientAreaAndGetsItBack) {
    form->SetClientSize(12825, 10995);
    form->Show();
    form->SetWindowState(vbMinimized);
    EXPECT_EQ(form->log.back(), "Resize 0x0");
    EXPECT_EQ(form->ScaleWidth(), 0);
    form->SetWindowState(vbNormal);
    EXPECT_EQ(form->log.back(), "Resize 12825x10995");
}

TEST_F(FormInputTest, BadSizesAndStatesAreRefused) {
    EXPECT_THROW(form->Resize(-1, 10), automation::RuntimeError);
    EXPECT_THROW(form->SetWindowState(3), automation::RuntimeError);
    EXPECT_EQ(form->WindowState(), vbNormal);
}

TEST_F(FormInputTest, ControlMoveRefusesNegativeSizesAndKeepsItsPlace) {
    auto picture = form->Add<PictureBox>("picBak");
    picture->Move(10, 20, 30, 40);
    try {
        picture->Move(0, 0, -5, 10);
        FAIL();
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 380);
    }
    EXPECT_EQ(picture->Left(), 10);
    EXPECT_EQ(picture->Width(), 30);
}

TEST_F(FormInputTest, KeyPreviewLetsTheFormSeeKeysBeforeTheFocusedControl) {
    auto text = form->Add<TextBox>("txtFind");
    std::vector<std::string> seen;
    form->onKeyDown = [&](int16_t& key, int16_t&) {
        seen.push_back("form " + std::to_string(key));
    };
    text->OnKeyDown = [&](int16_t& key, int16_t&) {
        seen.push_back("text " + std::to_string(key));
    };
    form->SetKeyPreview(true);
    form->Show();
    form->PressKey(113, 2);
    EXPECT_EQ(seen, (std::vector<std::string>{"form 113", "text 113"}));
    EXPECT_EQ(form->log.back(), "KeyDown 113/2");
}

TEST_F(FormInputTest, FormSwallowsAKeyBySettingItToZero) {
    auto text = form->Add<TextBox>("txtFind");
    int textKeys = 0;
    text->OnKeyDown = [&](int16_t&, int16_t&) { ++textKeys; };
    form->onKeyDown = [](int16_t& key, int16_t&) { key = 0; };
    form->SetKeyPreview(true);
    form->Show();
    form->PressKey(13);
    EXPECT_EQ(textKeys, 0);
}

TEST_F(FormInputTest, FormChangesReachTheControl) {
    auto text = form->Add<TextBox>("txtFind");
    int16_t textGot = -1;
    text->OnKeyDown = [&](int16_t& key, int16_t&) { textGot = key; };
    form->onKeyDown = [](int16_t& key, int16_t&) { key = 40; };
    form->SetKeyPreview(true);
    form->Show();
    form->PressKey(38);
    EXPECT_EQ(textGot, 40);
}

TEST_F(FormInputTest, WithoutKeyPreviewOnlyTheControlSeesTheKey) {
    auto text = form->Add<TextBox>("txtFind");
    int textKeys = 0;
    text->OnKeyDown = [&](int16_t&, int16_t&) { ++textKeys; };
    form->Show();
    form->PressKey(65);
    EXPECT_EQ(textKeys, 1);
    EXPECT_EQ(form->log.back(), "Activate");
}

TEST_F(FormInputTest, FormWithoutFocusableControlsGetsKeysItself) {
    form->Add<Timer>("tmrQuery");
    form->Add<Label>("lblNote");
    form->Show();
    form->PressKey(27);
    EXPECT_EQ(form->log.back(), "KeyDown 27/0");
}

TEST_F(FormInputTest, KeysToAnUnloadedFormAreIgnored) {
    form->SetKeyPreview(true);
    form->PressKey(65);
    EXPECT_TRUE(form->log.empty());
}

TEST_F(FormInputTest, SetFocusChoosesTheControlThatGetsKeys) {
    auto first = form->Add<TextBox>("txtFirst");
    auto second = form->Add<TextBox>("txtSecond");
    int firstKeys = 0, secondKeys = 0;
    first->OnKeyDown = [&](int16_t&, int16_t&) { ++firstKeys; };
    second->OnKeyDown = [&](int16_t&, int16_t&) { ++secondKeys; };
    form->Show();
    form->PressKey(65);
    second->SetFocus();
    EXPECT_EQ(form->ActiveControl(), second.get());
    form->PressKey(66);
    EXPECT_EQ(firstKeys, 1);
    EXPECT_EQ(secondKeys, 1);
}

TEST_F(FormInputTest, SetFocusOnADisabledControlOrUnloadedFormIsError5) {
    auto text = form->Add<TextBox>("txtFind");
    EXPECT_THROW(text->SetFocus(), automation::RuntimeError) << "form not loaded";
    form->Show();
    text->SetEnabled(false);
    try {
        text->SetFocus();
        FAIL();
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 5);
    }
}

TEST_F(FormInputTest, EnterAndEscapeClickTheDefaultAndCancelButtons) {
    auto ok = form->Add<CommandButton>("CmdOK");
    auto cancel = form->Add<CommandButton>("CmdCancel");
    std::vector<std::string> clicks;
    ok->OnClick = [&] { clicks.push_back("ok"); };
    cancel->OnClick = [&] { clicks.push_back("cancel"); };
    ok->SetDefault(true);
    cancel->SetCancel(true);
    form->Show();
    EXPECT_TRUE(form->PressEnter());
    EXPECT_TRUE(form->PressEscape());
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok", "cancel"}));
}

TEST_F(FormInputTest, OnlyOneDefaultButtonPerForm) {
    auto ok = form->Add<CommandButton>("CmdOK");
    auto other = form->Add<CommandButton>("cmdAll");
    ok->SetDefault(true);
    other->SetDefault(true);
    EXPECT_FALSE(ok->Default());
    EXPECT_TRUE(other->Default());
}

TEST_F(FormInputTest, EnterWithoutADefaultButtonDoesNothing) {
    form->Add<CommandButton>("CmdOK");
    form->Show();
    EXPECT_FALSE(form->PressEnter());
}

TEST_F(FormInputTest, FindControlIgnoresCase) {
    auto ok = form->Add<CommandButton>("CmdOK");
    EXPECT_EQ(form->FindControl("cmdok"), ok);
    EXPECT_EQ(form->FindControl("nothing"), nullptr);
}
