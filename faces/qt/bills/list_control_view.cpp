#include <faces/qt/bills/list_control_view.h>

#include <faces/qt/output/detail_layout.h>
#include <faces/qt/windowing/user_action.h>

#include <components/bills/list_sheet.h>
#include <components/resources/session_captions.h>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace qtgui {

namespace {

// How long the list waits after a key before it narrows, so that a word typed quickly asks the
// database once.
constexpr int kTypingPauseMs = 250;

// A cell that sorts figures and dates by their value and everything else by its text; cells
// without a value come first.
class SheetItem : public QTableWidgetItem {
  public:
    explicit SheetItem(const client::SheetCell& cell)
        : QTableWidgetItem(QString::fromStdString(cell.text)),
          numeric_(cell.numeric),
          key_(cell.sortKey) {}

    bool operator<(const QTableWidgetItem& other) const override {
        const auto* that = dynamic_cast<const SheetItem*>(&other);
        if (!that) return QTableWidgetItem::operator<(other);
        if (numeric_ && that->numeric_) return key_ < that->key_;
        if (numeric_ != that->numeric_) return !numeric_;
        return text().localeAwareCompare(that->text()) < 0;
    }

  private:
    bool numeric_;
    double key_;
};

}  // namespace

ListControlView::ListControlView(client::ListBinding binding, QWidget* parent)
    : binding_(std::move(binding)),
      widget_(new QWidget(parent)),
      search_(new QLineEdit(widget_)),
      table_(new QTableWidget(widget_)),
      typing_(new QTimer(widget_)) {
    client::SessionCaptions caption;
    auto* layout = new QVBoxLayout(widget_);
    search_->setPlaceholderText(QString::fromStdString(caption("单据号")));
    search_->setClearButtonEnabled(true);
    layout->addWidget(search_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setDefaultSectionSize(22);
    table_->horizontalHeader()->setSortIndicatorShown(true);
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    layout->addWidget(table_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QString::fromStdString(caption("确定(&O)")), widget_);
    auto* exit = new QPushButton(QString::fromStdString(caption("退出(&E)")), widget_);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(exit);
    layout->addLayout(buttons);

    auto close = [this](bool confirm) {
        return [this, confirm] { RunUserAction([&] { binding_.close(confirm); }); };
    };
    QObject::connect(ok, &QPushButton::clicked, ok, close(true));
    QObject::connect(exit, &QPushButton::clicked, exit, close(false));
    typing_->setSingleShot(true);
    typing_->setInterval(kTypingPauseMs);
    QObject::connect(typing_, &QTimer::timeout, typing_, [this] { Search(); });
    QObject::connect(search_, &QLineEdit::textEdited, typing_, [this] { typing_->start(); });
    QObject::connect(search_, &QLineEdit::returnPressed, search_, [this] { Search(); });
    QObject::connect(table_, &QTableWidget::itemSelectionChanged, table_,
                     [this] { TakeSelection(); });
    QObject::connect(table_, &QTableWidget::itemDoubleClicked, table_,
                     [close](QTableWidgetItem*) { close(true)(); });
}

void ListControlView::Sync() {
    if (binding_.rows() != shownRows_) Fill();
    const auto selected = binding_.selected();
    if (selected != shownSelection_) ShowSelection(selected);
}

void ListControlView::Search() {
    typing_->stop();
    if (!binding_.search) {
        HideRowsWithout(search_->text());
        return;
    }
    RunUserAction([&] { binding_.search(search_->text().toStdString()); });
}

void ListControlView::HideRowsWithout(const QString& text) {
    for (int row = 0; row < table_->rowCount(); ++row) {
        bool holds = text.isEmpty();
        for (int c = 0; c < table_->columnCount() && !holds; ++c)
            holds = table_->item(row, c)->text().contains(text, Qt::CaseInsensitive);
        table_->setRowHidden(row, !holds);
    }
}

void ListControlView::Fill() {
    QSignalBlocker quiet(table_);
    shownRows_ = binding_.rows();
    shownSelection_.clear();
    table_->setSortingEnabled(false);
    table_->clear();
    table_->setRowCount(0);
    const client::ListSheet sheet = client::ReadListSheet(binding_.layout(), shownRows_);
    table_->setColumnCount(static_cast<int>(sheet.columns.size()));
    QStringList headings;
    for (const auto& column : sheet.columns) headings << QString::fromStdString(column.caption);
    table_->setHorizontalHeaderLabels(headings);
    table_->setRowCount(static_cast<int>(sheet.rows.size()));
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        for (size_t c = 0; c < sheet.columns.size(); ++c) {
            auto* item = new SheetItem(sheet.rows[r][c]);
            item->setTextAlignment(AlignmentOf(sheet.columns[c].align));
            // Where the row stands in the list, however the table is sorted.
            if (c == 0) item->setData(Qt::UserRole, static_cast<int>(r + 1));
            table_->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    table_->resizeColumnsToContents();
    // Room for the sort arrow beside a heading.
    const int arrow = table_->style()->pixelMetric(QStyle::PM_HeaderMarkSize) + 6;
    for (int c = 0; c < table_->columnCount(); ++c)
        table_->setColumnWidth(c, table_->columnWidth(c) + arrow);
    table_->setSortingEnabled(true);
    if (!binding_.search) HideRowsWithout(search_->text());
}

int32_t ListControlView::PositionAt(int row) const {
    const auto* item = table_->item(row, 0);
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void ListControlView::ShowSelection(const std::vector<int32_t>& positions) {
    shownSelection_ = positions;
    QSignalBlocker quiet(table_);
    table_->clearSelection();
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (std::find(positions.begin(), positions.end(), PositionAt(row)) == positions.end())
            continue;
        table_->selectionModel()->select(table_->model()->index(row, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void ListControlView::TakeSelection() {
    std::vector<int32_t> positions;
    for (const auto& range : table_->selectedRanges()) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
            if (!table_->isRowHidden(row)) positions.push_back(PositionAt(row));
        }
    }
    std::sort(positions.begin(), positions.end());
    RunUserAction([&] { client::SelectOnly(binding_, positions); });
}

}  // namespace qtgui
