// The item models over the library's navigation and detail models: the tree the ParentKey links
// make, a fill that is shown once it ends, rows that load into an open node as an insertion (so the
// view keeps its place), and paths that lead where the viewer's own paths lead.

#include <faces/qt/trace_viewer/detail_item_model.h>
#include <faces/qt/trace_viewer/navigation_item_model.h>

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace qtgui;
using namespace trackquery;

namespace {

NavigationNodePtr NavNode(const std::string& key, const std::string& parent,
                          const std::string& text) {
    auto node = std::make_shared<NavigationNode>();
    node->Key = key;
    node->ParentKey = parent;
    node->Text = text;
    node->Image = 17;
    return node;
}

DetailNodePtr KindNode(const std::string& key, const std::string& caption) {
    auto node = std::make_shared<DetailNode>();
    node->Key = key;
    auto column = std::make_shared<DetailColumn>();
    column->Key = "FBillNO";
    column->Caption = caption;
    node->AddColumn(column);
    return node;
}

DetailRowPtr BillRow(const std::string& number) {
    auto row = std::make_shared<DetailRow>();
    row->AddCell("FBillNO").Text = number;
    return row;
}

}  // namespace

TEST(NavigationItems, ParentKeysMakeTheTreeAndAFillShowsWhenItEnds) {
    auto model = std::make_shared<NavigationModel>();
    model->AddNode(NavNode("root", "", "生产任务单"));
    model->AddNode(NavNode("MO1", "root", "WORK000001"));
    model->AddNode(NavNode("MO2", "root", "WORK000002"));
    model->AddNode(NavNode("OP1", "MO2", "工序1"));
    model->AddNode(NavNode("X", "nobody", "orphan"));
    NavigationItemModel items;
    ASSERT_TRUE(items.Sync(model, true));
    ASSERT_EQ(items.rowCount(), 2) << "the root and the node whose parent is unknown";
    const QModelIndex root = items.index(0, 0);
    ASSERT_EQ(items.rowCount(root), 2);
    const QModelIndex second = items.index(1, 0, root);
    EXPECT_EQ(second.data().toString(), QString("WORK000002"));
    ASSERT_EQ(items.rowCount(second), 1);
    EXPECT_EQ(items.parent(items.index(0, 0, second)), second);
    for (int32_t position = 1; position <= 5; ++position) {
        EXPECT_EQ(items.NodePosition(items.IndexOfNode(position)), position);
    }
    EXPECT_FALSE(items.Sync(model, true)) << "nothing changed";

    QSignalSpy resets(&items, &QAbstractItemModel::modelReset);
    model->Updating = true;
    model->AddNode(NavNode("MO3", "root", "WORK000003"));
    EXPECT_FALSE(items.Sync(model, true));
    EXPECT_EQ(items.rowCount(root), 2) << "a fill is not shown while it runs";
    model->Updating = false;
    EXPECT_TRUE(items.Sync(model, true));
    EXPECT_EQ(items.rowCount(items.index(0, 0)), 3);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_FALSE(items.index(0, 0).data(Qt::DecorationRole).isNull());
    items.Sync(model, false);
    EXPECT_TRUE(items.index(0, 0).data(Qt::DecorationRole).isNull())
        << "status images switched off";
}

TEST(DetailItems, RowsLoadedIntoANodeAreInsertedAndPathsLeadWhereTheViewersDo) {
    auto model = std::make_shared<DetailModel>();
    auto issues = KindNode("-24", "生产领料单");
    auto receipts = KindNode("-2", "产品入库单");
    model->Add(issues);
    model->Add(receipts);
    DetailItemModel items;
    ASSERT_TRUE(items.Sync(model));
    ASSERT_EQ(items.rowCount(), 2);
    EXPECT_TRUE(items.hasChildren(items.index(0, 0))) << "an unloaded node still offers to open";
    EXPECT_EQ(items.rowCount(items.index(0, 0)), 0);

    QSignalSpy inserted(&items, &QAbstractItemModel::rowsInserted);
    QSignalSpy resets(&items, &QAbstractItemModel::modelReset);
    issues->AddRow(BillRow("SOUT000001"));
    issues->AddRow(BillRow("SOUT000002"));
    ASSERT_TRUE(items.Sync(model));
    EXPECT_EQ(resets.count(), 0);
    ASSERT_EQ(inserted.count(), 1);
    const QModelIndex node = items.index(0, 0);
    ASSERT_EQ(items.rowCount(node), 3);
    EXPECT_EQ(items.KindOf(items.index(0, 0, node)), DetailItemModel::Kind::Heading);
    EXPECT_EQ(items.index(0, 0, node).data().toString(), QString("生产领料单"));
    EXPECT_EQ(items.index(2, 0, node).data().toString(), QString("SOUT000002"));

    // A row's child node, and a path through it.
    auto row = std::dynamic_pointer_cast<DetailRow>(issues->Row(2));
    auto child = KindNode("-52", "工序");
    row->AddChild(child);
    child->AddRow(BillRow("WB000001"));
    items.Sync(model);
    const QModelIndex rowItem = items.index(2, 0, node);
    const QModelIndex childNode = items.index(0, 0, rowItem);
    const QModelIndex childRow = items.index(1, 0, childNode);
    for (const QModelIndex& index : {node, rowItem, childNode, childRow}) {
        EXPECT_EQ(model->ItemByPath(items.PathOf(index)), items.ObjectOf(index))
            << items.PathOf(index);
    }
    EXPECT_EQ(items.PathOf(childRow), "1.2.1.1");
    EXPECT_EQ(items.PathOf(items.index(0, 0, node)), "") << "a heading line has no path";

    // A kind chosen anew goes in between: what follows is shown again, in its new place.
    model->Add(KindNode("-85", "生产任务单"), 2, true);
    items.Sync(model);
    ASSERT_EQ(items.rowCount(), 3);
    EXPECT_EQ(items.index(1, 0).data().toString(), QString("生产任务单"));
    EXPECT_EQ(items.ObjectOf(items.index(2, 0)), receipts);
    EXPECT_EQ(items.IndexOf(child), items.index(0, 0, items.index(2, 0, items.index(0, 0))));
}
