// Forms and their controls as real widgets: what the user does in a window reaches the form's
// controls and handlers, modal forms run the windowing loop on Qt events, message boxes are
// answered by a click, and a form embedded into a host window is drawn as a page of it.

#include "desktop_fixture.h"

#include <faces/qt/windowing/host_page.h>

#include <platform/windowing/windowing.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace desktop_test;
using namespace windowing;

namespace {

class frmSample : public Form {
  public:
    frmSample() : Form("frmSample") {
        SetCaption("选项设置");
        SetClientSize(6000, 4500);
        FrmBill = Add<Frame>("FrmBill");
        FrmBill->SetCaption("单据显示设置");
        FrmBill->Move(120, 120, 3000, 1500);
        ChkMO = Add<CheckBox>("ChkMO");
        ChkMO->SetCaption("显示生产任务单");
        ChkMO->Move(120, 300, 2400, 300);
        ChkMO->SetContainer(FrmBill.get());
        ChkMO->OnClick = [this] { ++clicks; };
        txtNo = Add<TextBox>("txtNo");
        txtNo->Move(120, 1800, 2400, 300);
        lvwKinds = Add<ListView>("lvwKinds");
        lvwKinds->Move(120, 2200, 3000, 1500);
        lvwKinds->SetView(lvwReport);
        lvwKinds->SetCheckboxes(true);
        lvwKinds->GetColumnHeaders().Add("", "单据名称", 2800);
        lvwKinds->GetListItems().Add("k1", "生产领料单");
        lvwKinds->GetListItems().Add("k2", "产品入库单");
        lvwKinds->OnItemCheck = [this](ListItem& item) {
            // A rule of the form: checking the second kind checks the first as well.
            if (item.Key() == "k2" && item.Checked())
                lvwKinds->GetListItems().Item("k1")->SetChecked(true);
        };
        CmdOK = Add<CommandButton>("CmdOK");
        CmdOK->SetCaption("确定(&O)");
        CmdOK->Move(4200, 3900, 1335, 375);
        CmdOK->OnClick = [this] { Hide(); };
    }
    std::shared_ptr<Frame> FrmBill;
    std::shared_ptr<CheckBox> ChkMO;
    std::shared_ptr<TextBox> txtNo;
    std::shared_ptr<ListView> lvwKinds;
    std::shared_ptr<CommandButton> CmdOK;
    int clicks = 0;
    bool unloaded = false;

  protected:
    void Form_Unload(int16_t&) override { unloaded = true; }
};

template <class W>
W* Part(qtgui::FormWindow& window, const char* name) {
    return qobject_cast<W*>(window.ControlWidgetOf(name));
}

}  // namespace

TEST(FormWidgets, WhatThePersonDoesInTheWindowReachesTheControls) {
    DesktopSession desktop("form_widgets");
    auto form = std::make_shared<frmSample>();
    form->Show();
    auto* window = desktop.Backend().WindowOf(*form);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QString("选项设置"));
    EXPECT_EQ(window->size(), QSize(400, 300)) << "6000 x 4500 twips at 15 twips a pixel";

    auto* frame = Part<QGroupBox>(*window, "FrmBill");
    auto* check = Part<QCheckBox>(*window, "ChkMO");
    ASSERT_TRUE(frame && check);
    EXPECT_EQ(check->parentWidget(), frame) << "a control placed in a frame is drawn inside it";

    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_EQ(form->ChkMO->Value(), vbChecked);
    EXPECT_EQ(form->clicks, 1);
    EXPECT_EQ(check->checkState(), Qt::Checked);

    QTest::keyClicks(Part<QLineEdit>(*window, "txtNo"), "WORK0001");
    EXPECT_EQ(form->txtNo->Text(), "WORK0001");

    auto* list = Part<QTreeWidget>(*window, "lvwKinds");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    list->topLevelItem(1)->setCheckState(0, Qt::Checked);  // the person ticks the second box
    EXPECT_TRUE(form->lvwKinds->GetListItems().Item("k2")->Checked());
    EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Checked)
        << "what the form's ItemCheck rule changed is drawn at once";

    desktop.Backend().TakeScreenshots("sample form");
    window->close();  // the person's close box
    EXPECT_TRUE(form->unloaded);
    EXPECT_FALSE(form->IsLoaded());
    EXPECT_EQ(desktop.Backend().WindowOf(*form), nullptr);
}

TEST(FormWidgets, AModalFormRunsUntilThePersonPressesItsButton) {
    DesktopSession desktop("modal_form");
    auto opener = std::make_shared<frmSample>();
    opener->Show();
    auto form = std::make_shared<frmSample>();
    QTimer::singleShot(0, [&] {
        auto* window = desktop.Backend().WindowOf(*form);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowModality(), Qt::WindowModal) << "modal over its opener only";
        EXPECT_EQ(window->parentWidget(), desktop.Backend().WindowOf(*opener));
        QTest::mouseClick(Part<QPushButton>(*window, "CmdOK"), Qt::LeftButton);
    });
    form->Show(vbModal);  // returns once the button hid the form
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(form->IsLoaded());
}

TEST(FormWidgets, AMessageBoxIsAnsweredWithTheButtonThePersonClicks) {
    DesktopSession desktop("message_box");
    std::string seen;
    AnswerNextBox(vbNo, seen);
    EXPECT_EQ(MsgBox("您仍要如此选择吗？", vbYesNo + vbQuestion, "Velo提示"), vbNo);
    EXPECT_EQ(seen, "您仍要如此选择吗？");
}

TEST(FormWidgets, AModalLoopOnRealTimeWakesForTheNextTimer) {
    DesktopSession desktop("timer_wake");
    auto& loop = EventLoop::Instance();
    loop.SetClock(std::make_shared<SystemClock>());
    auto form = std::make_shared<frmSample>();
    auto tmrQuery = form->Add<Timer>("tmrQuery");
    tmrQuery->SetInterval(500);
    int64_t fired = 0;
    tmrQuery->OnTimer = [&] {
        fired = loop.Now();
        form->Hide();
    };
    const int64_t start = loop.Now();
    form->Show(vbModal);  // nothing but the timer can end the wait
    EXPECT_GE(fired - start, 500) << "a timer never fires early (on the loop's own clock)";
    EXPECT_LT(fired - start, 2000);
}

TEST(FormWidgets, AFormEmbeddedIntoAHostWindowIsAPageOfIt) {
    DesktopSession desktop("embedded_form");
    auto form = std::make_shared<frmSample>();
    form->Load();
    form->Show();
    auto* window = desktop.Backend().WindowOf(*form);
    ASSERT_TRUE(window && window->isWindow());
    const int32_t host = CreateHostWindow("client page");
    SetWindowLongA(form->Hwnd(), GWL_STYLE, WS_CHILD);
    SetParent(form->Hwnd(), host);  // after the form was drawn: the back end moves it
    auto* page = desktop.Backend().HostPageOf(host);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->Holds(window));
    EXPECT_FALSE(window->isWindow());
    EXPECT_EQ(page->windowTitle(), QString("client page"));
    form->Unload();
    EXPECT_EQ(page->PageCount(), 0);
}
