#pragma once
// Small view models for the tests of the model classes and of the viewer, built the way the
// controllers build theirs.

#include <contracts/view_models/detail_model.h>
#include <contracts/view_models/head_model.h>
#include <contracts/view_models/navigation_model.h>

#include <memory>
#include <string>

namespace trackquery::testing {

inline trackquery::NavigationNodePtr MakeNavigationNode(const std::string& key,
                                                        const std::string& text, int32_t level) {
    auto node = std::make_shared<trackquery::NavigationNode>();
    node->Key = key;
    node->Text = text;
    node->Level = level;
    node->ParentKey = level == 0 ? "" : "root";
    return node;
}

// "生产任务单" with the task orders MO-001 (key "MO1") and MO-002 (key "MO2").
inline trackquery::NavigationModelPtr MakeNavigation() {
    auto model = std::make_shared<trackquery::NavigationModel>();
    model->AddNode(MakeNavigationNode("root", "生产任务单", 0));
    model->AddNode(MakeNavigationNode("MO1", "MO-001", 1));
    model->AddNode(MakeNavigationNode("MO2", "MO-002", 1));
    return model;
}

inline trackquery::HeadModelPtr MakeHead(const std::string& firstLine) {
    auto head = std::make_shared<trackquery::HeadModel>();
    head->AddLine(firstLine);
    return head;
}

inline trackquery::DetailColumnPtr MakeColumn(const std::string& key, const std::string& caption,
                                              bool visible = true) {
    auto column = std::make_shared<trackquery::DetailColumn>();
    column->Key = key;
    column->Caption = caption;
    column->Visible = visible;
    return column;
}

// A bill kind node "-85" with a bill number, a quantity and a hidden internal code column.
inline trackquery::DetailNodePtr MakeKindNode(const std::string& key, const std::string& caption) {
    auto node = std::make_shared<trackquery::DetailNode>();
    node->Key = key;
    node->Tag = int32_t{1};
    node->AddColumn(MakeColumn("FBillNO", caption));
    node->AddColumn(MakeColumn("FQty", "数量"));
    node->AddColumn(MakeColumn("FBillInterID", "单据内码", false));
    return node;
}

inline trackquery::DetailRowPtr MakeBillRow(const std::string& billNo, const std::string& qty,
                                            const std::string& interId) {
    auto row = std::make_shared<trackquery::DetailRow>();
    row->RowColor = 5662310;
    row->AddCell("FBillNO", billNo, billNo);
    row->AddCell("FQty", qty, qty);
    row->AddCell("FBillInterID", interId, interId);
    return row;
}

// Two kinds: "-85" with two bills and a totals row, and "-52" with no rows yet.
inline trackquery::DetailModelPtr MakeDetail() {
    auto model = std::make_shared<trackquery::DetailModel>();
    auto orders = MakeKindNode("-85", "生产任务单");
    orders->AddRow(MakeBillRow("WORK001", "1,000.00", "11"));
    orders->AddRow(MakeBillRow("WORK002", "20.50", "12"));
    auto total = std::make_shared<trackquery::DetailRow>();
    total->IsTotal = true;
    total->AddCell("FBillNo", "合计", "合计");
    total->AddCell("FQty", "1,020.50", "1,020.50");
    orders->AddRow(total);
    orders->FillStatus = 1;
    model->Add(orders);
    model->Add(MakeKindNode("-52", "工序汇报"));
    return model;
}

}  // namespace trackquery::testing
