// Menu bars drawn as widgets: the menu-bar band's menus open their popup bands, tool-bar bands are
// tool bars with buttons and text boxes, what the bar says of its tools is what the widgets show,
// and what the person does comes back with the tool.

#include <faces/qt/activebar/bar_view.h>

#include <platform/activebar/active_bar.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include <tuple>
#include <vector>

using namespace qtgui;
using activebar::BandType;
using activebar::ToolType;

namespace {

activebar::ActiveBarPtr SampleBar() {
    auto bar = std::make_shared<activebar::ActiveBar>();
    auto file = bar->GetTools().Add("mnuFilleMenu", ToolType::Menu, "文件(&F)");
    file->SetSubBand("mnuFille");
    auto preview = bar->GetTools().Add("btnPrintPreview", ToolType::Button, "打印预览");
    preview->SetTag("打印预览(&V)");
    auto filter = bar->GetTools().Add("btnShowFilter", ToolType::Button, "选单时弹出过滤界面(&F)");
    filter->SetCheckable(true);
    bar->GetBands().Add("mnuMain", BandType::MenuBar)->GetTools().Add(file);
    auto popup = bar->GetBands().Add("mnuFille", BandType::Popup);
    popup->GetTools().Add(preview);
    popup->GetTools().Add(filter);
    auto toolbar = bar->GetBands().Add("toolbar", BandType::Toolbar);
    toolbar->GetTools().Add(preview);
    toolbar->AddTool("txtSelectBills", ToolType::TextBox, "单据号");
    return bar;
}

struct Harness {
    QWidget window;
    QMenuBar* menuBar = new QMenuBar(&window);
    QWidget* tools = new QWidget(&window);
    std::vector<std::string> clicks;
    std::vector<std::tuple<std::string, std::string, int32_t>> keys;
    BarView view{menuBar,
                 tools,
                 {[this](const activebar::ToolPtr& tool) { clicks.push_back(tool->Name()); },
                  [this](const activebar::ToolPtr& tool, const std::string& band, int32_t key) {
                      keys.emplace_back(tool->Name(), band, key);
                  }}};
    Harness() {
        auto* row = new QHBoxLayout(tools);
        row->addStretch();
    }
};

}  // namespace

TEST(BarView, BandsBecomeMenusAndToolBarsThatFollowTheBar) {
    Harness harness;
    auto bar = SampleBar();
    harness.view.SetBars({bar});
    ASSERT_EQ(harness.menuBar->actions().size(), 1);
    QMenu* file = harness.menuBar->actions()[0]->menu();
    ASSERT_EQ(file, harness.view.PopupOf("mnuFille"));
    EXPECT_EQ(file->title(), QString("文件(&F)"));
    EXPECT_EQ(harness.view.ActionOf("btnPrintPreview", "mnuFille")->text(), QString("打印预览(&V)"))
        << "menus show the menu caption kept in the tag";
    EXPECT_EQ(harness.view.ActionOf("btnPrintPreview", "toolbar")->text(), QString("打印预览"));
    EXPECT_EQ(harness.tools->layout()->indexOf(harness.view.ToolBarOf("toolbar")), 0)
        << "tool bars stand before the row's stretch";

    bar->GetTools().Item("btnPrintPreview")->SetVisible(false);
    bar->GetTools().Item("btnShowFilter")->SetChecked(true);
    bar->GetTools().Item("txtSelectBills")->SetText("WORK");
    bar->GetBands().Item("toolbar")->SetVisible(false);
    harness.view.Sync();
    EXPECT_FALSE(harness.view.ActionOf("btnPrintPreview", "mnuFille")->isVisible());
    EXPECT_TRUE(harness.view.ActionOf("btnShowFilter")->isChecked());
    EXPECT_EQ(harness.view.TextBoxOf("txtSelectBills")->text(), QString("WORK"));
    EXPECT_TRUE(harness.view.ToolBarOf("toolbar")->isHidden());

    bar->GetBands().Item("toolbar")->AddTool("btnRefresh", ToolType::Button, "刷新");
    harness.view.Sync();
    EXPECT_NE(harness.view.ActionOf("btnRefresh"), nullptr) << "a tool added later is drawn too";
}

TEST(BarView, WhatThePersonDoesComesBackWithTheTool) {
    Harness harness;
    auto bar = SampleBar();
    harness.view.SetBars({bar});
    QAction* filter = harness.view.ActionOf("btnShowFilter");
    filter->trigger();
    EXPECT_EQ(harness.clicks, std::vector<std::string>{"btnShowFilter"});
    EXPECT_FALSE(bar->GetTools().Item("btnShowFilter")->Checked())
        << "the bar never toggles a check; the program that handles the click does";
    harness.view.Sync();
    EXPECT_FALSE(filter->isChecked()) << "the drawn check follows the tool, not the click";

    QLineEdit* box = harness.view.TextBoxOf("txtSelectBills");
    QTest::keyClicks(box, "WORK01");
    EXPECT_EQ(bar->GetTools().Item("txtSelectBills")->Text(), "WORK01");
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_F7);
    QTest::keyClick(box, Qt::Key_A);
    using Key = std::tuple<std::string, std::string, int32_t>;
    EXPECT_EQ(harness.keys, (std::vector<Key>{{"txtSelectBills", "toolbar", 13},
                                              {"txtSelectBills", "toolbar", 118}}));
    EXPECT_EQ(box->text(), QString("WORK01a"));
}
