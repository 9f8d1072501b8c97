// The viewer keeps the head and detail models last shown for each navigation key.

#include <support/model_builders.h>
#include "recording_sink.h"

#include <components/viewer/viewer_document.h>

#include <gtest/gtest.h>

namespace client::testing {
namespace {

using namespace trackquery::testing;

class ViewerBufferTest : public ::testing::Test {
  protected:
    void SetUp() override {
        viewer.SetNavigationModel(MakeNavigation());
        viewer.SetEventSink(&sink);
    }
    void TearDown() override { viewer.SetEventSink(nullptr); }

    // Shows a node the way a controller does: select it, then hand over new panels.
    void Show(int32_t index, const trackquery::HeadModelPtr& head,
              const trackquery::DetailModelPtr& detail) {
        viewer.SelectNavigationNode(index, false);
        viewer.SetHeadModel(head);
        viewer.SetDetailModel(detail);
    }

    ViewerDocument viewer;
    RecordingSink sink;
};

TEST_F(ViewerBufferTest, ModelsShownForANodeAreKeptUnderItsKey) {
    auto head = MakeHead("MO-001");
    auto detail = MakeDetail();
    Show(2, head, detail);
    Show(3, MakeHead("MO-002"), MakeDetail());

    EXPECT_TRUE(viewer.RestoreBuffer("MO1"));
    EXPECT_EQ(viewer.GetHeadModel(), head);
    EXPECT_EQ(viewer.GetDetailModel(), detail);
}

TEST_F(ViewerBufferTest, EachKeyKeepsItsOwnModels) {
    auto first = MakeDetail();
    auto second = MakeDetail();
    Show(2, MakeHead("MO-001"), first);
    Show(3, MakeHead("MO-002"), second);
    viewer.RestoreBuffer("MO2");
    EXPECT_EQ(viewer.GetDetailModel(), second);
    viewer.RestoreBuffer("MO1");
    EXPECT_EQ(viewer.GetDetailModel(), first);
    EXPECT_EQ(viewer.GetHeadModel()->Line(1), "MO-001");
}

TEST_F(ViewerBufferTest, AKeyNeverShownRestoresNothingAndLeavesTheView) {
    auto detail = MakeDetail();
    Show(2, MakeHead("MO-001"), detail);
    EXPECT_FALSE(viewer.RestoreBuffer("MO9"));
    EXPECT_FALSE(viewer.RestoreBuffer("mo1"));  // keys compare exactly
    EXPECT_EQ(viewer.GetDetailModel(), detail);
}

TEST_F(ViewerBufferTest, NavigationClickTellsWhetherTheBufferHoldsTheNode) {
    viewer.ClickNavigationNode(2);
    viewer.SetHeadModel(MakeHead("MO-001"));
    viewer.SetDetailModel(MakeDetail());
    viewer.ClickNavigationNode(3);
    viewer.ClickNavigationNode(2);
    ASSERT_EQ(sink.events.size(), 3u);
    EXPECT_EQ(sink.events[0].text, "False");
    EXPECT_EQ(sink.events[1].text, "False");
    EXPECT_EQ(sink.events[2].text, "True");
}

TEST_F(ViewerBufferTest, ClearDetailBufferDropsEveryKeptModel) {
    Show(2, MakeHead("MO-001"), MakeDetail());
    Show(3, MakeHead("MO-002"), MakeDetail());
    viewer.ClearDetailBuffer();
    EXPECT_FALSE(viewer.RestoreBuffer("MO1"));
    EXPECT_FALSE(viewer.RestoreBuffer("MO2"));
    EXPECT_FALSE(viewer.HasBuffer("MO2"));
}

TEST_F(ViewerBufferTest, ModelsSetWhileNoNodeIsSelectedAreNotKept) {
    viewer.SetDetailModel(MakeDetail());
    viewer.SetHeadModel(MakeHead("captions"));
    for (const char* key : {"root", "MO1", "MO2", ""}) EXPECT_FALSE(viewer.HasBuffer(key)) << key;
}

TEST_F(ViewerBufferTest, ANewerModelForTheSameKeyReplacesTheKeptOne) {
    Show(2, MakeHead("old"), MakeDetail());
    auto newer = MakeDetail();
    Show(2, MakeHead("new"), newer);
    Show(3, MakeHead("other"), MakeDetail());
    viewer.RestoreBuffer("MO1");
    EXPECT_EQ(viewer.GetDetailModel(), newer);
    EXPECT_EQ(viewer.GetHeadModel()->Line(1), "new");
}

TEST_F(ViewerBufferTest, RestoringDropsTheDetailSelection) {
    Show(2, MakeHead("MO-001"), MakeDetail());
    viewer.SelectDetail("1.1");
    Show(3, MakeHead("MO-002"), MakeDetail());
    viewer.RestoreBuffer("MO1");
    EXPECT_EQ(viewer.SelectedDetailRow(), nullptr);
}

}  // namespace
}  // namespace client::testing
