// The navigation tree of the task orders and the deferred selection of its nodes.

#include "trackquery/icmo_tracking/icmo_fixture.h"

namespace trackquery::testing {
namespace {

using NavigationTest = IcmoFixture;

TEST_F(NavigationTest, TheTreeHoldsTheRootAndOneNodePerTaskOrder) {
    auto controller = StartEmbedded(Bills({{1001, "WORK1001"}, {1002, "WORK1002"}}));
    auto model = viewer->GetNavigationModel();
    ASSERT_NE(model, nullptr);
    ASSERT_EQ(model->NodeCount(), 3);
    auto root = model->NodeItem(1);
    EXPECT_EQ(root->Key, "root");
    EXPECT_EQ(root->Level, 0);
    EXPECT_EQ(root->Text, "生产任务单");
    EXPECT_EQ(root->Image, 1);
    EXPECT_EQ(root->ItemData, "\"");
    auto bill = model->NodeItem(3);
    EXPECT_EQ(bill->Key, "MO1002");
    EXPECT_EQ(bill->ParentKey, "root");
    EXPECT_EQ(bill->Level, 1);
    EXPECT_EQ(bill->Text, "WORK1002");
    EXPECT_EQ(bill->ItemData, "1002");
    EXPECT_FALSE(model->Updating);
    EXPECT_EQ(viewer->navigationTitles.front(), "生产任务单");
    EXPECT_EQ(viewer->navigationTitles.back(), "生产任务单(2)");
}

TEST_F(NavigationTest, TheFirstTaskOrderIsShownAtOnce) {
    auto controller = StartEmbedded(Bills({{1001, "WORK1001"}, {1002, "WORK1002"}}));
    EXPECT_EQ(viewer->selectRequests.back(), std::make_pair(2, true));
    EXPECT_EQ(viewer->restoreBufferKeys, std::vector<std::string>{"MO1001"});
    EXPECT_EQ(controller->LastKey(), "MO1001");
    EXPECT_EQ(controller->FInterID(), 1001);
    EXPECT_TRUE(viewer->GetNavigationModel()->NodeItem(2)->ModelsBuilt);
}

TEST_F(NavigationTest, TwoClicksApartGiveOneSelectionAfterTheLast) {
    auto controller = StartEmbedded(Bills({{1, "A"}, {2, "B"}, {3, "C"}}));
    ASSERT_EQ(viewer->restoreBufferKeys.size(), 1u);
    viewer->ClickNode(3);
    Advance(200);
    viewer->ClickNode(4);
    Advance(499);
    EXPECT_EQ(viewer->restoreBufferKeys.size(), 1u) << "nothing before 500 ms after the last click";
    EXPECT_EQ(controller->LastKey(), "MO1");
    Advance(1);
    ASSERT_EQ(viewer->restoreBufferKeys.size(), 2u);
    EXPECT_EQ(viewer->restoreBufferKeys.back(), "MO3");
    EXPECT_EQ(controller->LastKey(), "MO3");
    EXPECT_EQ(controller->FInterID(), 3);
    Advance(5000);
    EXPECT_EQ(viewer->restoreBufferKeys.size(), 2u);
}

TEST_F(NavigationTest, ADeferredClickMarksTheNodeAsNotBuiltUntilShown) {
    auto controller = StartEmbedded(Bills({{1, "A"}, {2, "B"}}));
    auto node = viewer->GetNavigationModel()->NodeItem(3);
    node->ModelsBuilt = true;
    viewer->ClickNode(3);
    EXPECT_FALSE(node->ModelsBuilt);
    Advance(500);
    EXPECT_TRUE(node->ModelsBuilt);
}

TEST_F(NavigationTest, ClickingTheRootShowsAtOnce) {
    auto controller = StartEmbedded(Bills({{1, "A"}, {2, "B"}}));
    viewer->ClickNode(1);
    ASSERT_EQ(viewer->restoreBufferKeys.size(), 2u);
    EXPECT_EQ(viewer->restoreBufferKeys.back(), "root");
    EXPECT_EQ(controller->FInterID(), 0);
    EXPECT_EQ(controller->LastKey(), "root");
}

TEST_F(NavigationTest, TheTimerFiringWithNoSelectedNodeCallsNothing) {
    auto controller = StartEmbedded(Bills({{1, "A"}, {2, "B"}}));
    viewer->ClickNode(3);
    viewer->ClearSelection();
    Advance(500);
    EXPECT_EQ(viewer->restoreBufferKeys.size(), 1u);
    EXPECT_EQ(controller->LastKey(), "MO1");
}

TEST_F(NavigationTest, ReselectingTheNodeShownRebuildsNothing) {
    auto controller = StartEmbedded(Bills({{1, "A"}}));
    auto node = viewer->GetNavigationModel()->NodeItem(2);
    node->ModelsBuilt = false;
    controller->NavigationClickSelect();
    EXPECT_FALSE(node->ModelsBuilt) << "the same key is not built again";
    EXPECT_EQ(controller->LastKey(), "MO1");
}

TEST_F(NavigationTest, ARestoredBufferIsShownWithoutBuilding) {
    auto controller = StartEmbedded(Bills({{1, "A"}, {2, "B"}}));
    viewer->keepBuffers = true;
    auto node = viewer->GetNavigationModel()->NodeItem(3);
    node->ModelsBuilt = true;
    viewer->ClickNode(3);
    Advance(500);
    EXPECT_FALSE(node->ModelsBuilt);
    EXPECT_EQ(controller->LastKey(), "MO2");
}

TEST_F(NavigationTest, AnEmptyListShowsOnlyTheRootAndAsksForNodeTwo) {
    auto controller = StartEmbedded(Bills({}));
    EXPECT_EQ(viewer->GetNavigationModel()->NodeCount(), 1);
    EXPECT_EQ(viewer->navigationTitles.back(), "生产任务单(0)");
    EXPECT_EQ(viewer->selectRequests.back(), std::make_pair(2, true));
    EXPECT_TRUE(viewer->restoreBufferKeys.empty());
    EXPECT_NE(controller->Window(), nullptr);
}

TEST_F(NavigationTest, WithoutAListTheRootIsSelected) {
    auto controller = StartEmbedded(nullptr);
    EXPECT_EQ(viewer->GetNavigationModel()->NodeCount(), 1);
    EXPECT_EQ(viewer->selectRequests.back(), std::make_pair(1, true));
    EXPECT_EQ(controller->LastKey(), "root");
}

TEST_F(NavigationTest, StatusIconsFollowTheStatusMap) {
    auto status = std::make_shared<automation::Dictionary>();
    auto entry = [&](int32_t id, int32_t st, int32_t suspend, int32_t cancelled) {
        auto values = std::make_shared<automation::Dictionary>();
        values->SetItem("FStatus", st);
        values->SetItem("FSuspend", suspend);
        values->SetItem("FCancellation", cancelled);
        status->SetItem(std::to_string(id), values);
    };
    entry(2, 1, 1, 1);  // suspended wins
    entry(3, 1, 0, 1);  // cancelled
    entry(4, 0, 0, 0);  // planned
    entry(5, 3, 0, 0);  // closed
    entry(6, 5, 0, 0);
    entry(7, 1, 0, 0);  // released
    StartEmbedded(Bills({{1, "A"}, {2, "B"}, {3, "C"}, {4, "D"}, {5, "E"}, {6, "F"}, {7, "G"}}),
                  status);
    auto model = viewer->GetNavigationModel();
    const int32_t expected[] = {16, 23, 19, 16, 18, 20, 17};
    for (int32_t i = 0; i < 7; ++i) {
        EXPECT_EQ(model->NodeItem(i + 2)->Image, expected[i]) << "bill " << i + 1;
        EXPECT_EQ(model->NodeItem(i + 2)->SelectedImage, expected[i]);
    }
}

TEST_F(NavigationTest, BillNumbersAreFoundWhateverTheirKeysCase) {
    auto list = std::make_shared<automation::Vector>();
    auto bill = std::make_shared<automation::Dictionary>();
    bill->SetItem("FInterID", 5);
    bill->SetItem("FBillNO", "WORK5");
    list->Add(bill);
    StartEmbedded(list);
    EXPECT_EQ(viewer->GetNavigationModel()->NodeItem(2)->Text, "WORK5");
}

TEST_F(NavigationTest, MissingBillFieldsTakeTheirDefaults) {
    auto list = std::make_shared<automation::Vector>();
    list->Add(std::make_shared<automation::Dictionary>());
    StartEmbedded(list);
    auto node = viewer->GetNavigationModel()->NodeItem(2);
    EXPECT_EQ(node->Key, "MO0");
    EXPECT_EQ(node->Text, "");
}

TEST_F(NavigationTest, ASecondListReplacesTheTreeAndShowsAtOnce) {
    auto controller = StartEmbedded(Bills({{1, "A"}, {2, "B"}}));
    viewer->Sink()->OnHide();
    ASSERT_TRUE(controller->InitTrack(nullptr, windowing::CreateHostWindow(), nullptr,
                                      Bills({{9, "Z"}}), nullptr));
    EXPECT_EQ(viewer->GetNavigationModel()->NodeCount(), 2);
    EXPECT_EQ(controller->LastKey(), "MO9");
}

}  // namespace
}  // namespace trackquery::testing
