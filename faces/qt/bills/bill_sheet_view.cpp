#include <faces/qt/bills/bill_sheet_view.h>

#include <faces/qt/output/detail_layout.h>
#include <faces/qt/windowing/user_action.h>

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qtgui {

namespace {

// Head fields sit in this many caption-and-value pairs a line.
constexpr int kHeadPairs = 3;

QString Text(const std::string& text) { return QString::fromStdString(text); }

QLabel* ValueLabel(const QString& text, QWidget* parent) {
    auto* value = new QLabel(text, parent);
    value->setFrameShape(QFrame::StyledPanel);
    value->setFrameShadow(QFrame::Sunken);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(text) + 12);
    value->setToolTip(text);
    return value;
}

}  // namespace

BillSheetView::BillSheetView(std::weak_ptr<client::BillWindow> bill, QWidget* parent)
    : bill_(std::move(bill)),
      widget_(new QWidget(parent)),
      title_(new QLabel(widget_)),
      head_(new QWidget(widget_)),
      headGrid_(new QGridLayout(head_)),
      entries_(new QTableWidget(widget_)),
      place_(new QLabel(widget_)) {
    auto* layout = new QVBoxLayout(widget_);
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    title_->setFont(bold);
    layout->addWidget(title_);
    headGrid_->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(head_);
    entries_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    entries_->setSelectionBehavior(QAbstractItemView::SelectRows);
    entries_->verticalHeader()->hide();
    entries_->verticalHeader()->setDefaultSectionSize(22);
    entries_->horizontalHeader()->setSectionsMovable(false);
    layout->addWidget(entries_, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(place_, 1);
    using Move = bool (client::BillWindow::*)();
    const std::pair<const char*, Move> pagers[] = {{"|<", &client::BillWindow::MoveFirst},
                                                   {"<", &client::BillWindow::MovePrevious},
                                                   {">", &client::BillWindow::MoveNext},
                                                   {">|", &client::BillWindow::MoveLast}};
    for (const auto& [caption, move] : pagers) {
        auto* button = new QPushButton(QString::fromLatin1(caption), widget_);
        QObject::connect(button, &QPushButton::clicked, button, [this, move = move] {
            RunUserAction([&] {
                if (auto window = bill_.lock()) ((*window).*move)();
            });
        });
        row->addWidget(button);
        pagers_.push_back(button);
    }
    layout->addLayout(row);
}

void BillSheetView::Sync() {
    auto window = bill_.lock();
    if (!window) return;
    const std::tuple<int32_t, int32_t, int32_t> now{window->InterID(), window->TranType(),
                                                    window->Position()};
    if (now == shown_) return;
    shown_ = now;
    Show(window->Sheet());
    ShowPlace(*window);
}

void BillSheetView::Show(const client::BillSheet& sheet) {
    title_->setText(Text(sheet.caption));
    ShowHead(sheet);
    ShowEntries(sheet);
}

void BillSheetView::ShowHead(const client::BillSheet& sheet) {
    while (auto* item = headGrid_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (size_t i = 0; i < sheet.head.size(); ++i) {
        const int line = static_cast<int>(i) / kHeadPairs;
        const int column = static_cast<int>(i) % kHeadPairs * 2;
        auto* caption = new QLabel(Text(sheet.head[i].first), head_);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        headGrid_->addWidget(caption, line, column);
        headGrid_->addWidget(ValueLabel(Text(sheet.head[i].second), head_), line, column + 1);
    }
    for (int pair = 0; pair < kHeadPairs; ++pair) headGrid_->setColumnStretch(pair * 2 + 1, 1);
}

void BillSheetView::ShowEntries(const client::BillSheet& sheet) {
    entries_->clear();
    entries_->setVisible(!sheet.columns.empty());
    entries_->setColumnCount(static_cast<int>(sheet.columns.size()));
    entries_->setRowCount(static_cast<int>(sheet.entries.size()));
    QStringList headings;
    for (const auto& column : sheet.columns) headings << Text(column.caption);
    entries_->setHorizontalHeaderLabels(headings);
    for (size_t r = 0; r < sheet.entries.size(); ++r) {
        for (size_t c = 0; c < sheet.columns.size() && c < sheet.entries[r].size(); ++c) {
            auto* item = new QTableWidgetItem(Text(sheet.entries[r][c]));
            item->setTextAlignment(AlignmentOf(sheet.columns[c].align));
            entries_->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    entries_->resizeColumnsToContents();
}

void BillSheetView::ShowPlace(const client::BillWindow& window) {
    const int32_t place = window.Position();
    const int32_t count = window.RowCount();
    place_->setText(count == 0 ? QString() : QStringLiteral("%1 / %2").arg(place).arg(count));
    const bool notFirst = place > 1;
    const bool notLast = place > 0 && place < count;
    for (size_t i = 0; i < pagers_.size(); ++i) pagers_[i]->setEnabled(i < 2 ? notFirst : notLast);
}

}  // namespace qtgui
