// The events the viewer's document raises when a user acts on it, their order, their arguments and
// the by-reference flags the listener writes.

#include <support/model_builders.h>
#include "recording_sink.h"

#include <components/viewer/detail_items.h>
#include <components/viewer/viewer_document.h>

#include <platform/automation/errors.h>

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace client::testing {
namespace {

using namespace trackquery::testing;

namespace ev = trackquery::viewer_event;
using trackquery::DetailNode;
using trackquery::DetailRow;

class ViewerEventsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        viewer = std::make_shared<ViewerDocument>();
        viewer->SetEventSink(&sink);
        viewer->SetNavigationModel(MakeNavigation());
        viewer->SetDetailModel(MakeDetail());
    }
    void TearDown() override { viewer->SetEventSink(nullptr); }

    RecordingSink sink;
    std::shared_ptr<ViewerDocument> viewer;
};

// ---- Navigation --------------------------------------------------------------------------------

TEST_F(ViewerEventsTest, ClickingANavigationNodeSelectsItAndRaisesNavigationClick) {
    viewer->ClickNavigationNode(2);
    ASSERT_EQ(sink.Numbers(), std::vector<int32_t>{ev::NavigationClick});
    EXPECT_EQ(sink.events[0].text, "False");
    EXPECT_EQ(viewer->SelectedNavigationNode()->Key, "MO1");
    EXPECT_EQ(viewer->ActivePane(), "Navigation");
}

TEST_F(ViewerEventsTest, TheNodeIsAlreadySelectedWhenNavigationClickArrives) {
    std::string selectedDuringEvent;
    sink.during = [&](const RecordedEvent&) {
        selectedDuringEvent = viewer->SelectedNavigationNode()->Key;
    };
    viewer->ClickNavigationNode(3);
    EXPECT_EQ(selectedDuringEvent, "MO2");
}

TEST_F(ViewerEventsTest, SelectNavigationNodeRaisesTheClickOnlyWhenAsked) {
    viewer->SelectNavigationNode(2, false);
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(viewer->SelectedNavigationNode()->Key, "MO1");
    viewer->SelectNavigationNode(3, true);
    EXPECT_EQ(sink.Numbers(), std::vector<int32_t>{ev::NavigationClick});
}

TEST_F(ViewerEventsTest, SelectNavigationNodePastTheLastNodeIsHarmless) {
    viewer->SelectNavigationNode(2, false);
    viewer->SelectNavigationNode(4, true);
    viewer->SelectNavigationNode(0, true);
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(viewer->SelectedNavigationNode()->Key, "MO1");

    ViewerDocument empty;
    empty.SelectNavigationNode(1, true);
    EXPECT_EQ(empty.SelectedNavigationNode(), nullptr);
}

TEST_F(ViewerEventsTest, ClickingANodeThatDoesNotExistIsAClearError) {
    try {
        viewer->ClickNavigationNode(9);
        FAIL() << "no error";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 5);
        EXPECT_NE(error.Description().find("9"), std::string::npos);
    }
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(ViewerEventsTest, ANodeThatLeftTheModelIsNoLongerSelected) {
    viewer->SelectNavigationNode(2, false);
    viewer->GetNavigationModel()->Clear();
    EXPECT_EQ(viewer->SelectedNavigationNode(), nullptr);
}

TEST_F(ViewerEventsTest, ArrowKeysMoveTheSelectionAfterTheKeyEvent) {
    viewer->SelectNavigationNode(2, false);
    const int16_t left = viewer->PressNavigationKey(40);
    EXPECT_EQ(left, 40);
    EXPECT_EQ(sink.Numbers(), (std::vector<int32_t>{ev::NavigationKeyPress, ev::NavigationClick}));
    EXPECT_EQ(sink.events[0].text, "40,0");
    EXPECT_EQ(viewer->SelectedNavigationNode()->Key, "MO2");
}

TEST_F(ViewerEventsTest, AListenerThatSwallowsTheKeyKeepsTheSelection) {
    viewer->SelectNavigationNode(2, false);
    sink.swallowKey = true;
    EXPECT_EQ(viewer->PressNavigationKey(40, 1), 0);
    EXPECT_EQ(sink.Numbers(), std::vector<int32_t>{ev::NavigationKeyPress});
    EXPECT_EQ(sink.events[0].text, "40,1");
    EXPECT_EQ(viewer->SelectedNavigationNode()->Key, "MO1");
}

TEST_F(ViewerEventsTest, AnArrowKeyAtTheEndOfTheTreeSelectsNothingNew) {
    viewer->SelectNavigationNode(3, false);
    viewer->PressNavigationKey(40);
    EXPECT_EQ(sink.Numbers(), std::vector<int32_t>{ev::NavigationKeyPress});
}

// ---- Detail expansion --------------------------------------------------------------------------

TEST_F(ViewerEventsTest, ExpandingANodeRaisesBeforeExpandThenExpandWithTheNode) {
    auto node = viewer->GetDetailModel()->Item(2);
    EXPECT_TRUE(viewer->ExpandDetail("2"));
    ASSERT_EQ(sink.Numbers(), (std::vector<int32_t>{ev::DetailBeforeExpand, ev::DetailExpand}));
    for (const auto& event : sink.events) {
        EXPECT_EQ(event.text, "2,2,0");
        EXPECT_EQ(event.object, node);
    }
    EXPECT_TRUE(node->IsExpanded);
}

TEST_F(ViewerEventsTest, ExpandingARowPassesTheRowAndRowType1) {
    auto row = std::dynamic_pointer_cast<DetailRow>(viewer->GetDetailModel()->Item(1)->Row(2));
    row->CanExpand = true;
    EXPECT_TRUE(viewer->ExpandDetailRow("1", 2));
    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[1].text, "2,1.2,1");
    EXPECT_EQ(sink.events[1].object, row);
    EXPECT_TRUE(row->IsExpanded);
}

TEST_F(ViewerEventsTest, APathWithBlanksOrAPlusGivesTheRowsPositionAsTheModelReadsIt) {
    auto row = std::dynamic_pointer_cast<DetailRow>(viewer->GetDetailModel()->Item(1)->Row(2));
    row->CanExpand = true;
    EXPECT_TRUE(viewer->ExpandDetail("1. +2 "));
    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[1].text, "2,1. +2 ,1");
    EXPECT_EQ(sink.events[1].object, row);
}

// A checked parse: a text that is no whole number (or one too large) gives nothing, not an
// exception for a trap to swallow.
TEST(LastPathPositionTest, ReadsTheLastWholeNumberOfAPathOrNothing) {
    const std::pair<const char*, std::optional<int32_t>> cases[] = {{"2", 2},
                                                                    {"2.1", 1},
                                                                    {"7.1.12", 12},
                                                                    {"1. 3 ", 3},
                                                                    {"1.+4", 4},
                                                                    {"1.", std::nullopt},
                                                                    {"1.x", std::nullopt},
                                                                    {"1.2x", std::nullopt},
                                                                    {"1.-", std::nullopt},
                                                                    {"1.99999999999", std::nullopt},
                                                                    {"", std::nullopt}};
    for (const auto& [path, position] : cases) EXPECT_EQ(LastPathPosition(path), position) << path;
}

TEST_F(ViewerEventsTest, WhatTheListenerAddsOnExpandIsInTheTree) {
    sink.during = [&](const RecordedEvent& event) {
        if (event.number != ev::DetailExpand) return;
        auto node = std::dynamic_pointer_cast<DetailNode>(event.object);
        node->AddRow(MakeBillRow("OP-1", "3", "7"));
        node->FillStatus = 1;
    };
    viewer->ExpandDetail("2");
    auto row = std::dynamic_pointer_cast<DetailRow>(viewer->GetDetailModel()->ItemByPath("2.1"));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->Cell("FBillNO")->Text, "OP-1");
}

TEST_F(ViewerEventsTest, ARowTheListenerMadeUnexpandableStaysCollapsed) {
    auto row = std::dynamic_pointer_cast<DetailRow>(viewer->GetDetailModel()->Item(1)->Row(1));
    row->CanExpand = true;
    sink.during = [&](const RecordedEvent& event) {
        if (event.number != ev::DetailExpand) return;
        auto expanded = std::dynamic_pointer_cast<DetailRow>(event.object);
        expanded->ChildState = 2;
        expanded->CanExpand = false;
    };
    viewer->ExpandDetail("1.1");
    EXPECT_FALSE(row->IsExpanded);
}

TEST_F(ViewerEventsTest, AnItemThatCannotExpandOrIsExpandedRaisesNothing) {
    EXPECT_FALSE(viewer->ExpandDetail("1.1"));  // bill rows do not expand by default
    viewer->GetDetailModel()->Item(1)->IsExpanded = true;
    EXPECT_TRUE(viewer->ExpandDetail("1"));
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(ViewerEventsTest, ACollapsedNodeExpandsAgainWithNewEvents) {
    viewer->ExpandDetail("2");
    viewer->CollapseDetail("2");
    EXPECT_FALSE(viewer->GetDetailModel()->Item(2)->IsExpanded);
    viewer->ExpandDetail("2");
    EXPECT_EQ(sink.events.size(), 4u);
}

TEST_F(ViewerEventsTest, ExpandingAPathThatLeadsNowhereIsError5) {
    try {
        viewer->ExpandDetail("7.1");
        FAIL() << "no error";
    } catch (const automation::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 5);
        EXPECT_NE(error.Description().find("7.1"), std::string::npos);
    }
}

// ---- Double click ------------------------------------------------------------------------------

TEST_F(ViewerEventsTest, DoubleClickSelectsRaisesDblClickAndThenExpands) {
    auto node = viewer->GetDetailModel()->Item(2);
    const bool cancelled = viewer->DoubleClickDetail("2");
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(sink.Numbers(),
              (std::vector<int32_t>{ev::DetailDblClick, ev::DetailBeforeExpand, ev::DetailExpand}));
    EXPECT_EQ(sink.events[0].object, node);
    EXPECT_EQ(viewer->SelectedDetailRow(), node);
    EXPECT_EQ(viewer->ActivePane(), "Detail");
    EXPECT_TRUE(node->IsExpanded);
}

TEST_F(ViewerEventsTest, DoubleClickWithCancelExpandNeitherExpandsNorCollapses) {
    sink.cancelExpand = true;
    auto node = viewer->GetDetailModel()->Item(2);
    EXPECT_TRUE(viewer->DoubleClickDetail("2"));
    EXPECT_EQ(sink.Numbers(), std::vector<int32_t>{ev::DetailDblClick});
    EXPECT_FALSE(node->IsExpanded);

    node->IsExpanded = true;
    viewer->DoubleClickDetail("2");
    EXPECT_TRUE(node->IsExpanded);
}

TEST_F(ViewerEventsTest, DoubleClickOnAnExpandedNodeCollapsesIt) {
    auto node = viewer->GetDetailModel()->Item(1);
    node->IsExpanded = true;
    viewer->DoubleClickDetail("1");
    EXPECT_FALSE(node->IsExpanded);
    EXPECT_EQ(sink.Numbers(), std::vector<int32_t>{ev::DetailDblClick});
}

TEST_F(ViewerEventsTest, DoubleClickOnABillRowPassesTheRow) {
    auto row = viewer->GetDetailModel()->ItemByPath("1.2");
    viewer->DoubleClickDetail("1.2");
    EXPECT_EQ(sink.events.at(0).object, row);
    EXPECT_EQ(viewer->SelectedDetailRow(), row);
}

TEST_F(ViewerEventsTest, ASelectedRowThatLeftTheModelIsNoLongerSelected) {
    viewer->SelectDetail("1.2");
    ASSERT_NE(viewer->SelectedDetailRow(), nullptr);
    viewer->GetDetailModel()->Item(1)->ClearRows();
    EXPECT_EQ(viewer->SelectedDetailRow(), nullptr);
}

// ---- Menu clicks and text boxes ----------------------------------------------------------------

TEST_F(ViewerEventsTest, ClickingAToolRaisesBeforeMenuClickThenMenuClick) {
    EXPECT_TRUE(viewer->ClickTool("btnRefresh"));
    ASSERT_EQ(sink.Numbers(), (std::vector<int32_t>{ev::BeforeMenuClick, ev::MenuClick}));
    EXPECT_EQ(sink.events[1].tool, viewer->GetTool("btnRefresh"));
}

TEST_F(ViewerEventsTest, CancelInBeforeMenuClickSuppressesTheClickAndTheViewersHandling) {
    sink.cancelMenu = true;
    auto tool = viewer->GetTool("btnShowPosition");
    viewer->ClickTool("btnShowPosition");
    EXPECT_EQ(sink.Numbers(), std::vector<int32_t>{ev::BeforeMenuClick});
    EXPECT_TRUE(tool->Checked());
}

TEST_F(ViewerEventsTest, EnterInTheSelectionBoxRaisesMenuTextKeyDownWithBandAndText) {
    EXPECT_TRUE(viewer->TypeIntoTool("bndfilter", "txtSelectBills", "WORK0"));
    ASSERT_EQ(sink.Numbers(), std::vector<int32_t>{ev::MenuTextKeyDown});
    EXPECT_EQ(sink.events[0].text, "13,bndfilter,WORK0");
    EXPECT_EQ(viewer->GetTool("txtSelectBills")->Text(), "WORK0");
}

TEST_F(ViewerEventsTest, OtherKeysInATextBoxCarryTheCurrentText) {
    viewer->TypeIntoTool("bndSearch", "txtPosition", "002", false);
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(viewer->GetPositionText(), "002");
    viewer->PressToolKey("bndfilter", "txtSelectBills", 118);
    EXPECT_EQ(sink.events.at(0).text, "118,bndfilter,");
}

TEST_F(ViewerEventsTest, TypingIntoABoxThatIsNotOnTheBandIsError5) {
    EXPECT_THROW(viewer->TypeIntoTool("bndSearch", "txtSelectBills", "x"),
                 automation::RuntimeError);
    EXPECT_THROW(viewer->TypeIntoTool("bndfilter", "btnSelectBills", "x"),
                 automation::RuntimeError);
    EXPECT_EQ(viewer->GetTool("txtSelectBills")->Text(), "");
    EXPECT_TRUE(sink.events.empty());
}

// ---- Hide and listeners ------------------------------------------------------------------------

TEST_F(ViewerEventsTest, CloseRaisesHide) {
    viewer->Close();
    EXPECT_EQ(sink.Numbers(), std::vector<int32_t>{ev::Hide});
    EXPECT_TRUE(viewer->Closed());
}

TEST(ViewerListenerTest, AWeakListenerThatIsGoneHearsNothingAndNothingFails) {
    ViewerDocument viewer;
    viewer.SetNavigationModel(MakeNavigation());
    auto sink = std::make_shared<RecordingSink>();
    viewer.SetEventSink(std::weak_ptr<trackquery::ITraceViewerEvents>(sink));
    viewer.ClickNavigationNode(2);
    EXPECT_EQ(sink->events.size(), 1u);
    sink.reset();
    EXPECT_NO_THROW(viewer.ClickNavigationNode(3));
    EXPECT_NO_THROW(viewer.Close());
}

TEST(ViewerListenerTest, AViewerWithoutListenerStillSelectsAndExpands) {
    ViewerDocument viewer;
    viewer.SetNavigationModel(MakeNavigation());
    viewer.SetDetailModel(MakeDetail());
    viewer.ClickNavigationNode(2);
    EXPECT_TRUE(viewer.ExpandDetail("2"));
    EXPECT_EQ(viewer.SelectedNavigationNode()->Key, "MO1");
    EXPECT_TRUE(viewer.GetDetailModel()->Item(2)->IsExpanded);
}

TEST(ViewerListenerTest, AFailureInTheListenerReachesTheCaller) {
    ViewerDocument viewer;
    viewer.SetNavigationModel(MakeNavigation());
    RecordingSink sink;
    sink.during = [](const RecordedEvent&) { automation::Raise(13, "listener"); };
    viewer.SetEventSink(&sink);
    EXPECT_THROW(viewer.ClickNavigationNode(2), automation::RuntimeError);
    viewer.SetEventSink(nullptr);
}

TEST(ViewerListenerTest, AListenerThatDropsTheViewerDuringHideDoesNotCrashIt) {
    auto viewer = std::make_shared<ViewerDocument>();
    RecordingSink sink;
    std::weak_ptr<ViewerDocument> watch = viewer;
    sink.during = [&](const RecordedEvent&) { viewer.reset(); };
    viewer->SetEventSink(&sink);
    auto keep = viewer.get();
    keep->Close();
    EXPECT_TRUE(watch.expired());
}

}  // namespace
}  // namespace client::testing
