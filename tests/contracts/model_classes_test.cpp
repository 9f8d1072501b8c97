// The view model classes the controllers build and the viewer shows.

#include <support/error_number.h>
#include <support/model_builders.h>

#include <platform/automation/errors.h>

#include <gtest/gtest.h>

namespace trackquery::testing {
namespace {

// ---- NavigationModel ---------------------------------------------------------------------------

TEST(NavigationModelTest, AddNodeGivesEachNodeItsOneBasedIndex) {
    auto model = MakeNavigation();
    ASSERT_EQ(model->NodeCount(), 3);
    for (int32_t i = 1; i <= 3; ++i) EXPECT_EQ(model->NodeItem(i)->Index(), i);
    EXPECT_EQ(model->NodeItem(2)->Key, "MO1");
}

TEST(NavigationModelTest, NodeItemOutsideTheModelIsError9) {
    auto model = MakeNavigation();
    EXPECT_EQ(ErrorNumberOf([&] { model->NodeItem(0); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { model->NodeItem(4); }), 9);
}

TEST(NavigationModelTest, ClearEmptiesTheModelAndTheNodesForgetTheirPlace) {
    auto model = MakeNavigation();
    auto node = model->NodeItem(2);
    model->Clear();
    EXPECT_EQ(model->NodeCount(), 0);
    EXPECT_EQ(node->Index(), 0);
    model->AddNode(node);
    EXPECT_EQ(node->Index(), 1);
}

TEST(NavigationModelTest, AddingNothingIsError91) {
    trackquery::NavigationModel model;
    EXPECT_EQ(ErrorNumberOf([&] { model.AddNode(nullptr); }), 91);
    EXPECT_EQ(model.NodeCount(), 0);
}

TEST(NavigationModelTest, FindByKeyComparesExactly) {
    auto model = MakeNavigation();
    EXPECT_EQ(model->FindByKey("MO2")->Text, "MO-002");
    EXPECT_EQ(model->FindByKey("mo2"), nullptr);
}

// ---- HeadModel ---------------------------------------------------------------------------------

TEST(HeadModelTest, LinesAreReadAndWrittenByOneBasedIndex) {
    trackquery::HeadModel head;
    head.AddLine("单据编号：WORK001");
    head.AddLine("数量：10");
    EXPECT_EQ(head.LineCount(), 2);
    head.SetLine(2, "数量：20");
    EXPECT_EQ(head.Line(1), "单据编号：WORK001");
    EXPECT_EQ(head.Line(2), "数量：20");
}

TEST(HeadModelTest, LineOutsideTheModelIsError9AndChangesNothing) {
    trackquery::HeadModel head;
    head.AddLine("a");
    EXPECT_EQ(ErrorNumberOf([&] { head.SetLine(2, "b"); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { head.Line(0); }), 9);
    EXPECT_EQ(head.LineCount(), 1);
    EXPECT_EQ(head.Line(1), "a");
}

// ---- DetailNode --------------------------------------------------------------------------------

TEST(DetailNodeTest, ReportsTheViewersTypeName) {
    auto node = std::make_shared<DetailNode>();
    EXPECT_EQ(node->TypeName(), "CTable");
    EXPECT_EQ(automation::Variant(node).TypeName(), "CTable");
    EXPECT_NE(DetailRow().TypeName(), "CTable");
}

TEST(DetailNodeTest, ANewNodeIsCollapsedExpandableAndNotLoaded) {
    DetailNode node;
    EXPECT_FALSE(node.IsExpanded);
    EXPECT_TRUE(node.CanExpand);
    EXPECT_EQ(node.FillStatus, 0);
    EXPECT_EQ(node.RowCount(), 0);
    EXPECT_EQ(node.ColumnCount(), 0);
}

TEST(DetailNodeTest, KeyTypeIsTheKeyAsANumberOrZero) {
    DetailNode node;
    node.Key = "-52";
    EXPECT_EQ(node.KeyType(), -52);
    node.Key = "1007100";
    EXPECT_EQ(node.KeyType(), 1007100);
    node.Key = "SumHead";
    EXPECT_EQ(node.KeyType(), 0);
    node.Key = "12abc";
    EXPECT_EQ(node.KeyType(), 0);
}

TEST(DetailNodeTest, ColumnsAreAVectorInOrder) {
    auto node = MakeKindNode("-85", "生产任务单");
    auto columns = node->Columns();
    ASSERT_EQ(columns->Count(), 3);
    EXPECT_EQ(columns->Item(1).As<trackquery::DetailColumn>()->Key, "FBillNO");
    EXPECT_EQ(node->Column(3)->Key, "FBillInterID");
    EXPECT_FALSE(node->Column(3)->Visible);
}

TEST(DetailNodeTest, CloneHeadCopiesKeyTagAndColumnsButNoRows) {
    auto node = MakeKindNode("-502", "工序转移单");
    node->Tag = int32_t{4711};
    node->FillStatus = 1;
    node->IsExpanded = true;
    node->AddRow(MakeBillRow("ZY001", "1", "5"));

    auto copy = node->CloneHead();
    EXPECT_NE(copy, node);
    EXPECT_EQ(copy->Key, "-502");
    EXPECT_EQ(copy->Tag, automation::Variant(int32_t{4711}));
    EXPECT_EQ(copy->RowCount(), 0);
    EXPECT_EQ(copy->FillStatus, 0);
    EXPECT_FALSE(copy->IsExpanded);
    ASSERT_EQ(copy->ColumnCount(), 3);
    EXPECT_EQ(copy->Column(1)->Caption, "工序转移单");
    EXPECT_FALSE(copy->Column(3)->Visible);
}

TEST(DetailNodeTest, CloneHeadColumnsAreTheCopysOwn) {
    auto node = MakeKindNode("-502", "工序转移单");
    auto copy = node->CloneHead();
    copy->Column(1)->Caption = "changed";
    copy->Tag = int32_t{9};
    EXPECT_EQ(node->Column(1)->Caption, "工序转移单");
    EXPECT_EQ(node->Tag, automation::Variant(int32_t{1}));
}

// ---- Rows, cells and children ------------------------------------------------------------------

TEST(DetailRowTest, CellsAreKeyedWithoutRegardToCase) {
    auto row = MakeBillRow("WORK001", "5", "11");
    EXPECT_EQ(row->CellCount(), 3);
    EXPECT_EQ(row->Cell("fbillinterid")->Text, "11");
    EXPECT_EQ(row->Cell("FBILLNO")->Text, "WORK001");
    EXPECT_EQ(row->Cell("missing"), nullptr);
}

TEST(DetailRowTest, ACellWithAKeyTheRowHasReplacesTheEarlierInPlace) {
    auto row = MakeBillRow("WORK001", "5", "11");
    row->SetCellTag(1, "old");
    row->AddCell("FQty", "6", "6");
    EXPECT_EQ(row->CellCount(), 3);
    EXPECT_EQ(row->CellKey(1), "FQty");
    EXPECT_EQ(row->Cell("FQty")->Text, "6");
    EXPECT_TRUE(row->CellTag(1).IsEmpty()) << "the new cell has no tag of the old one's";
}

TEST(DetailRowTest, RowsOfOneKeyListShareItAndAreReadByColumnPosition) {
    auto node = MakeKindNode("-85", "生产任务单");
    auto keys = std::make_shared<const std::vector<std::string>>(
        std::vector<std::string>{"FBillNO", "FQty", "FBillInterID"});
    auto first = std::make_shared<trackquery::DetailRow>(keys);
    auto second = std::make_shared<trackquery::DetailRow>(keys);
    first->CellAt(1).Text = "5";
    second->AddCell("FExtra", "x", "x");
    EXPECT_EQ(first->CellCount(), 3);
    EXPECT_EQ(second->CellCount(), 4);
    EXPECT_EQ(keys->size(), 3u) << "a row adding a cell leaves the shared list alone";
    const auto shown = node->VisibleColumns();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(first->CellUnder(shown[1])->Text, "5");
    // A totals row keeps its cells elsewhere: they are found by key.
    auto total = std::make_shared<trackquery::DetailRow>();
    total->AddCell("fqty", "9", 9.0);
    EXPECT_EQ(total->CellUnder(shown[1])->Text, "9");
    EXPECT_EQ(total->CellUnder(shown[0]), nullptr);
    EXPECT_THROW(first->CellAt(3), automation::RuntimeError);
}

TEST(DetailRowTest, RowsKnowTheirNodeAndPositionAcrossInsertAndRemove) {
    auto node = MakeKindNode("-85", "生产任务单");
    auto first = MakeBillRow("A", "1", "1");
    auto second = MakeBillRow("B", "2", "2");
    node->AddRow(first, -1, false);
    node->AddRow(second, -1, false);
    EXPECT_EQ(first->ParentNode(), node);
    EXPECT_EQ(second->Index(), 2);

    auto inserted = MakeBillRow("C", "3", "3");
    node->AddRow(inserted, 1, true);
    EXPECT_EQ(inserted->Index(), 1);
    EXPECT_EQ(first->Index(), 2);
    EXPECT_EQ(second->Index(), 3);

    node->RemoveRow(2);
    EXPECT_EQ(first->ParentNode(), nullptr);
    EXPECT_EQ(first->Index(), 0);
    EXPECT_EQ(second->Index(), 2);
}

TEST(DetailRowTest, StoringARowInPlaceOfAnotherReleasesTheOldOne) {
    auto node = MakeKindNode("-85", "生产任务单");
    auto old = MakeBillRow("A", "1", "1");
    node->AddRow(old);
    node->AddRow(MakeBillRow("B", "2", "2"));
    auto replacement = MakeBillRow("C", "3", "3");
    node->SetRow(1, replacement);
    EXPECT_EQ(node->RowCount(), 2);
    EXPECT_EQ(old->ParentNode(), nullptr);
    EXPECT_EQ(old->Index(), 0);
    EXPECT_EQ(replacement->ParentNode(), node);
    EXPECT_EQ(replacement->Index(), 1);
    EXPECT_EQ(ErrorNumberOf([&] { node->SetRow(3, replacement); }), 9);
}

TEST(DetailRowTest, ClearRowsReleasesEveryRow) {
    auto node = MakeKindNode("-85", "生产任务单");
    auto row = MakeBillRow("A", "1", "1");
    node->AddRow(row);
    node->ClearRows();
    EXPECT_EQ(node->RowCount(), 0);
    EXPECT_EQ(row->ParentNode(), nullptr);
}

TEST(DetailRowTest, ChildNodesHangUnderTheRowAndKnowIt) {
    auto row = MakeBillRow("OP10", "1", "1");
    auto child = MakeKindNode("-52", "工序汇报");
    row->AddChild(child, -1, false);
    EXPECT_EQ(row->ChildCount(), 1);
    EXPECT_EQ(row->GetChild(1), child);
    EXPECT_EQ(child->ParentRow(), row);
    EXPECT_EQ(ErrorNumberOf([&] { row->GetChild(2); }), 9);
}

TEST(DetailRowTest, ANodeMayStandInPlaceOfARow) {
    auto head = std::make_shared<DetailNode>();
    auto data = std::make_shared<DetailNode>();
    head->AddRow(data, -1, false);
    EXPECT_EQ(head->Row(1), data);
    head->SetRow(1, data);
    EXPECT_EQ(head->RowCount(), 1);
}

// ---- DetailModel positions and paths -----------------------------------------------------------

TEST(DetailModelTest, AddAppendsInsertsAndReplacesByPosition) {
    DetailModel model;
    auto a = MakeKindNode("1", "a");
    auto b = MakeKindNode("2", "b");
    auto c = MakeKindNode("3", "c");
    auto d = MakeKindNode("4", "d");
    model.Add(a, -1, false);
    model.Add(c, -1, false);
    model.Add(b, 2, true);
    EXPECT_EQ(model.Count(), 3);
    EXPECT_EQ(model.Item(2), b);
    EXPECT_EQ(model.Item(3), c);
    model.Add(d, 3, false);
    EXPECT_EQ(model.Count(), 3);
    EXPECT_EQ(model.Item(3), d);
    model.Add(c, 9, true);
    EXPECT_EQ(model.Item(4), c);
}

TEST(DetailModelTest, ABadPositionIsError5AndChangesNothing) {
    DetailModel model;
    model.Add(MakeKindNode("1", "a"));
    EXPECT_EQ(ErrorNumberOf([&] { model.Add(MakeKindNode("2", "b"), 0, true); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { model.Add(MakeKindNode("2", "b"), 3, false); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { model.Add(nullptr); }), 91);
    EXPECT_EQ(model.Count(), 1);
}

TEST(DetailModelTest, RemoveAndSetItemWorkByOneBasedIndex) {
    auto model = MakeDetail();
    auto second = model->Item(2);
    model->Remove(1);
    EXPECT_EQ(model->Count(), 1);
    EXPECT_EQ(model->Item(1), second);
    auto other = MakeKindNode("-88", "库存");
    model->SetItem(1, other);
    EXPECT_EQ(model->Item(1), other);
    EXPECT_EQ(ErrorNumberOf([&] { model->Remove(2); }), 9);
}

TEST(DetailModelTest, ItemByPathWalksNodesRowsAndChildren) {
    auto model = MakeDetail();
    auto row = std::dynamic_pointer_cast<DetailRow>(model->Item(1)->Row(2));
    auto child = MakeKindNode("-502", "工序转移单");
    row->AddChild(child);

    EXPECT_EQ(model->ItemByPath("1"), model->Item(1));
    EXPECT_EQ(model->ItemByPath("1.2"), row);
    EXPECT_EQ(model->ItemByPath("1.2.1"), child);
    EXPECT_EQ(model->ItemByPath("2"), model->Item(2));
}

TEST(DetailModelTest, ItemByPathGivesNothingForAPathThatLeadsNowhere) {
    auto model = MakeDetail();
    for (const char* path : {"", "3", "0", "1.9", "1.1.1", "2.1", "x", "1..1", "1.", "-1"}) {
        EXPECT_EQ(model->ItemByPath(path), nullptr) << path;
    }
}

TEST(DetailModelTest, TheTreeDoesNotKeepItselfAlive) {
    std::weak_ptr<DetailNode> node;
    std::weak_ptr<DetailRow> row;
    std::weak_ptr<DetailNode> child;
    {
        auto model = MakeDetail();
        node = model->Item(1);
        auto strongRow = std::dynamic_pointer_cast<DetailRow>(model->Item(1)->Row(1));
        row = strongRow;
        auto strongChild = MakeKindNode("-502", "x");
        strongRow->AddChild(strongChild);
        child = strongChild;
    }
    EXPECT_TRUE(node.expired());
    EXPECT_TRUE(row.expired());
    EXPECT_TRUE(child.expired());
}

}  // namespace
}  // namespace trackquery::testing
