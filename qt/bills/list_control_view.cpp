#include <qt/bills/list_control_view.h>

#include <qt/windowing/user_action.h>

#include <client/resources/session_captions.h>

#include <platform/automation/conversions.h>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace qtgui {

namespace {

QString CellText(const automation::Variant& value) {
    if (value.IsNull() || value.IsEmpty()) return {};
    return QString::fromStdString(automation::CStr(value));
}

}  // namespace

ListControlView::ListControlView(std::weak_ptr<client::ICList> list, QWidget* parent)
    : list_(std::move(list)),
      widget_(new QWidget(parent)),
      search_(new QLineEdit(widget_)),
      table_(new QTableWidget(widget_)) {
    client::SessionCaptions caption;
    auto* layout = new QVBoxLayout(widget_);
    search_->setPlaceholderText(QString::fromStdString(caption("单据号")));
    layout->addWidget(search_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setDefaultSectionSize(22);
    layout->addWidget(table_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QString::fromStdString(caption("确定(&O)")), widget_);
    auto* exit = new QPushButton(QString::fromStdString(caption("退出(&E)")), widget_);
    buttons->addWidget(ok);
    buttons->addWidget(exit);
    layout->addLayout(buttons);

    auto command = [this](const char* text) {
        return [this, text] {
            RunUserAction([&] {
                if (auto list = list_.lock()) list->RaiseCommand(text);
            });
        };
    };
    QObject::connect(ok, &QPushButton::clicked, ok, command("SelectOK"));
    QObject::connect(exit, &QPushButton::clicked, exit, command("Exit"));
    QObject::connect(search_, &QLineEdit::returnPressed, search_, [this] {
        RunUserAction([&] {
            if (auto list = list_.lock()) list->SetBillNoSearch(search_->text().toStdString());
        });
    });
    QObject::connect(table_, &QTableWidget::itemSelectionChanged, table_,
                     [this] { TakeSelection(); });
}

void ListControlView::Sync() {
    auto list = list_.lock();
    if (!list) return;
    if (list->GetListRs() != shownRows_) Fill(*list);
    const auto& selected = list->SelectedRows();
    if (selected == shownSelection_) return;
    shownSelection_ = selected;
    QSignalBlocker quiet(table_);
    table_->clearSelection();
    for (int32_t position : selected) table_->selectRow(position - 1);
}

void ListControlView::Fill(client::ICList& list) {
    QSignalBlocker quiet(table_);
    shownRows_ = list.GetListRs();
    shownSelection_.clear();
    table_->clear();
    table_->setRowCount(0);
    if (!shownRows_) return;
    auto rows = shownRows_->Clone();
    table_->setColumnCount(rows->FieldCount());
    QStringList headings;
    for (int32_t i = 0; i < rows->FieldCount(); ++i) {
        headings << QString::fromStdString(rows->FieldAt(i).Name);
    }
    table_->setHorizontalHeaderLabels(headings);
    table_->setRowCount(rows->RecordCount());
    int row = 0;
    for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext(), ++row) {
        for (int32_t i = 0; i < rows->FieldCount(); ++i) {
            table_->setItem(row, i, new QTableWidgetItem(CellText(rows->Value(i))));
        }
    }
    table_->resizeColumnsToContents();
}

void ListControlView::TakeSelection() {
    auto list = list_.lock();
    if (!list) return;
    std::vector<int32_t> positions;
    for (const auto& range : table_->selectedRanges()) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row)
            positions.push_back(row + 1);
    }
    std::sort(positions.begin(), positions.end());
    RunUserAction([&] {
        list->ClearSelection();
        for (int32_t position : positions) list->SelectRow(position);
    });
}

}  // namespace qtgui
