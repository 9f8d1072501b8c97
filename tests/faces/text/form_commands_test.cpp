// A dialog the terminal has never heard of, made of every kind of control, is drawn and driven
// from its controls alone: what a new dialog of the library costs the terminal is nothing.

#include <faces/text/command_words.h>
#include <faces/text/form_commands.h>

#include <platform/windowing/check_box.h>
#include <platform/windowing/command_button.h>
#include <platform/windowing/frame.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/label.h>
#include <platform/windowing/list_view.h>
#include <platform/windowing/picture_box.h>
#include <platform/windowing/text_box.h>

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace windowing;
using textface::FormCommands;

class frmSample : public Form {
  public:
    frmSample() : Form("frmSample") {
        SetCaption("样例");
        auto frame = Add<Frame>("fraChoice");
        frame->SetCaption("选择(&C)");
        chkOne = Box("chkOne", "第一", frame.get());
        chkTwo = Box("chkTwo", "第二", frame.get());
        chkTwo->SetEnabled(false);
        Box("chkHidden", "隐藏", nullptr)->SetVisible(false);
        Add<Label>("lblNote")->SetCaption("说明 && 备注");
        txtName = Add<TextBox>("txtName");
        lvwKinds = Add<ListView>("lvwKinds");
        lvwKinds->SetCheckboxes(true);
        lvwKinds->GetColumnHeaders().Add("", "名称");
        lvwKinds->GetColumnHeaders().Add("", "代码");
        lvwKinds->GetListItems().Add("K1", "甲")->SetSubItems(1, "a");
        lvwKinds->GetListItems().Add("K2", "乙")->SetSubItems(1, "b");
        lvwKinds->OnItemCheck = [this](ListItem& item) { log += "check " + item.Key() + ";"; };
        Add<PictureBox>("picBack");
        cmdSave = Button("cmdSave", "保存(&S)");
        cmdSave->SetDefault(true);
        Button("cmdQuit", "退出(&Q)")->SetCancel(true);
        Button("cmdAll", "全选(&A)");
        Button("cmdClear", "全清(&L)");
    }
    std::shared_ptr<CheckBox> Box(const char* name, const char* caption, Frame* frame) {
        auto box = Add<CheckBox>(name);
        box->SetCaption(caption);
        box->SetContainer(frame);
        return box;
    }
    std::shared_ptr<CommandButton> Button(const char* name, const char* caption) {
        auto button = Add<CommandButton>(name);
        button->SetCaption(caption);
        button->OnClick = [this, name] { log += std::string(name) + ";"; };
        return button;
    }

    std::shared_ptr<CheckBox> chkOne, chkTwo;
    std::shared_ptr<TextBox> txtName;
    std::shared_ptr<ListView> lvwKinds;
    std::shared_ptr<CommandButton> cmdSave;
    std::string log;
};

class FormCommandsTest : public ::testing::Test {
  protected:
    // Runs a command line; the message of a refused one, or "unknown" for a verb nobody knows.
    std::string Run(FormCommands& commands, const std::string& line) {
        const auto words = textface::SplitCommand(line);
        std::ostringstream out;
        try {
            if (!commands.Run(words[0], {words.begin() + 1, words.end()},
                              textface::RestAfterWords(line, 1), out))
                return "unknown";
        } catch (const textface::UsageError& error) {
            return error.what();
        }
        return out.str();
    }

    ScopedHeadless headless;
    std::shared_ptr<frmSample> form = std::make_shared<frmSample>();
};

TEST_F(FormCommandsTest, EveryControlIsDrawnInItsOrderAndHelpNamesTheButtons) {
    form->chkOne->SetValue(vbChecked);
    form->lvwKinds->GetListItems().Item(2)->SetChecked(true);
    FormCommands commands(*form);
    EXPECT_EQ(commands.Name(), "frmSample");
    EXPECT_EQ(commands.Render(),
              "+-- 样例 (frmSample) --\n"
              "  选择(C)\n"
              "    [x] chkOne  第一\n"
              "    [ ] chkTwo  第二  (disabled)\n"
              "  说明 & 备注\n"
              "  txtName []\n"
              "  1 [ ] 甲 | a  (K1)\n"
              "  2 [x] 乙 | b  (K2)\n"
              "  [保存(S)] [退出(Q)] [全选(A)] [全清(L)]\n");
    const std::string help = commands.Help();
    EXPECT_NE(help.find("  all | clear            click 全选(A) | 全清(L)\n"), std::string::npos);
    EXPECT_NE(help.find("  ok | cancel            click 保存(S) | 退出(Q)\n"), std::string::npos);
    EXPECT_NE(help.find("  type BOX TEXT"), std::string::npos) << help;
}

TEST_F(FormCommandsTest, CommandsFindControlsByNameCaptionKeyOrPlace) {
    FormCommands commands(*form);
    struct Case {
        std::string line;
        std::string answer;  // what Run gives back
        std::string log;     // the form's log afterwards
    };
    const std::vector<Case> cases = {
        {"check chkOne on", "", ""},
        {"check ShowOne off", "", ""},
        {"check 第一 on", "", ""},
        {"check 2 on", "", "check K2;"},
        {"check K2 on", "", ""},
        {"click 乙", "", "check K2;"},
        {"click 保存(S)", "", "cmdSave;"},
        {"click Quit", "", "cmdQuit;"},
        {"click 全选(&A)", "", "cmdAll;"},
        {"all", "", "cmdAll;"},
        {"clear", "", "cmdClear;"},
        {"ok", "", "cmdSave;"},
        {"cancel", "", "cmdQuit;"},
        {"type txtName 张 三", "", ""},
        {"check chkTwo on", "the box chkTwo cannot be clicked", ""},
        {"check chkHidden on", "the box chkHidden is not shown", ""},
        {"check 3 on", "no box or list item \"3\" in the window (its name, caption, key or number)",
         ""},
        {"click nothing",
         "nothing to click named \"nothing\" in the window (a button, box or list item: its name "
         "or caption)",
         ""},
        {"type txtOther x", "no text box \"txtOther\" in the window", ""},
        {"check chkOne maybe", "\"maybe\" is neither on nor off", ""},
        {"search x", "unknown", ""},
    };
    for (const auto& test : cases) {
        form->log.clear();
        EXPECT_EQ(Run(commands, test.line), test.answer) << test.line;
        EXPECT_EQ(form->log, test.log) << test.line;
    }
    EXPECT_EQ(form->chkOne->Value(), vbChecked) << "on, off, on";
    EXPECT_FALSE(form->lvwKinds->GetListItems().Item(2)->Checked()) << "on, on, a click";
    EXPECT_EQ(form->txtName->Text(), "张 三") << "the text as typed, blanks and all";

    form->cmdSave->SetEnabled(false);
    EXPECT_EQ(Run(commands, "ok"), "the button cmdSave (保存(S)) is disabled");
}

// A dialog without buttons of its own: all and clear set every box shown, cancel is the close
// box, and ok is no command of it.
TEST_F(FormCommandsTest, WithoutItsButtonsAllClearAndCancelFallBackOnTheBoxesAndTheCloseBox) {
    auto bare = std::make_shared<frmSample>();
    for (const char* name : {"cmdSave", "cmdQuit", "cmdAll", "cmdClear"})
        bare->FindControl(name)->SetVisible(false);
    bare->Show();
    FormCommands commands(*bare);
    EXPECT_EQ(Run(commands, "all"), "");
    EXPECT_EQ(bare->chkOne->Value(), vbChecked);
    EXPECT_EQ(bare->chkTwo->Value(), vbUnchecked) << "a disabled box stays";
    EXPECT_TRUE(bare->lvwKinds->GetListItems().Item(1)->Checked());
    EXPECT_EQ(Run(commands, "clear"), "");
    EXPECT_EQ(bare->chkOne->Value(), vbUnchecked);
    EXPECT_EQ(bare->log, "check K1;check K2;check K1;check K2;") << "each a user's click";
    EXPECT_EQ(Run(commands, "ok"), "unknown");
    EXPECT_EQ(Run(commands, "cancel"), "");
    EXPECT_FALSE(bare->IsLoaded());
}

}  // namespace
