#include <platform/adodb/row_view.h>

#include <platform/automation/errors.h>

#include <algorithm>

namespace adodb {

using internal::RowPtr;
using internal::StoredRow;

namespace {

[[noreturn]] void NoCurrentRecord(const char* why) {
    automation::Raise(adoerr::NoCurrentRecord, "ADODB.Recordset",
                      std::string("Either BOF or EOF is True, or the current record has been "
                                  "deleted: ") +
                          why + ".");
}

}  // namespace

RowPtr RecordStore::Append(std::vector<automation::Variant> values) {
    AppendAll({std::move(values)});
    return rows_.back();
}

void RecordStore::AppendAll(std::vector<std::vector<automation::Variant>> rows) {
    rows_.reserve(rows_.size() + rows.size());
    for (auto& values : rows) {
        auto row = std::make_shared<StoredRow>();
        row->values = std::move(values);
        row->id = nextId_++;
        rows_.push_back(std::move(row));
    }
    ++version_;
}

void RecordStore::Reorder(const std::function<bool(const StoredRow&, const StoredRow&)>& before) {
    const auto goesBefore = [&](const RowPtr& a, const RowPtr& b) { return before(*a, *b); };
    // A natural merge sort: the runs of rows already in order are merged pairwise, so rows that
    // come nearly in order, a few runs, take a few passes rather than a whole sort.
    std::vector<size_t> runs{0};
    for (size_t i = 1; i < rows_.size(); ++i) {
        if (goesBefore(rows_[i], rows_[i - 1])) runs.push_back(i);
    }
    if (runs.size() == 1) return;
    runs.push_back(rows_.size());
    while (runs.size() > 2) {
        std::vector<size_t> merged{0};
        for (size_t r = 0; r + 2 < runs.size(); r += 2) {
            const auto first = rows_.begin() + static_cast<std::ptrdiff_t>(runs[r]);
            std::inplace_merge(first, rows_.begin() + static_cast<std::ptrdiff_t>(runs[r + 1]),
                               rows_.begin() + static_cast<std::ptrdiff_t>(runs[r + 2]),
                               goesBefore);
            merged.push_back(runs[r + 2]);
        }
        // An odd run out waits for the next pass.
        if (runs.size() % 2 == 0) merged.push_back(runs.back());
        runs = std::move(merged);
    }
    ++version_;
}

void RecordStore::MarkDeleted(const RowPtr& row) {
    row->deleted = true;
    ++version_;
}

RowView::RowView(std::shared_ptr<RecordStore> store) : store_(std::move(store)) {
    ShowRows(std::nullopt, {});
}

bool RowView::Passes(const StoredRow& row) const {
    return !row.deleted && (!filter_ || filter_->Matches(row.values));
}

void RowView::Sync() {
    if (seenVersion_ == store_->Version()) return;
    const bool onRow = !bof_ && !eof_;
    std::vector<RowPtr> kept;
    kept.reserve(rows_.size());
    size_t newPos = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (onRow && i == pos_) {
            newPos = kept.size();
            if (!deletedCurrent_ && rows_[i]->deleted) {
                deletedCurrent_ = rows_[i];
                if (editMode == adEditInProgress) editMode = adEditNone;  // nowhere to go now
            }
        }
        if (!rows_[i]->deleted) kept.push_back(rows_[i]);
    }
    if (onRow && pos_ >= rows_.size()) newPos = kept.size();
    rows_ = std::move(kept);
    pos_ = newPos;
    const auto& stored = store_->Rows();
    for (size_t i = seenRows_; i < stored.size(); ++i)
        if (Passes(*stored[i])) rows_.push_back(stored[i]);
    seenRows_ = stored.size();
    seenVersion_ = store_->Version();
}

void RowView::ShowRows(std::optional<internal::FilterCriteria> filter,
                       std::vector<internal::SortKey> sort) {
    filter_ = std::move(filter);
    sort_ = std::move(sort);
    rows_.clear();
    for (const RowPtr& row : store_->Rows())
        if (Passes(*row)) rows_.push_back(row);
    if (!sort_.empty()) {
        std::stable_sort(rows_.begin(), rows_.end(), [this](const RowPtr& a, const RowPtr& b) {
            return internal::RowGoesBefore(a->values, b->values, sort_);
        });
    }
    seenRows_ = store_->Rows().size();
    seenVersion_ = store_->Version();
    deletedCurrent_.reset();
    SetPlace(0);
}

void RowView::ShowAddedRow(const RowPtr& row) {
    rows_.push_back(row);
    seenRows_ = store_->Rows().size();
    seenVersion_ = store_->Version();
    deletedCurrent_.reset();
    SetPlace(static_cast<int64_t>(rows_.size()) - 1);
}

void RowView::ShowLoadedRows() {
    const bool wasEmpty = bof_ && eof_ && rows_.empty();
    const auto& stored = store_->Rows();
    rows_.reserve(rows_.size() + (stored.size() - seenRows_));
    for (size_t i = seenRows_; i < stored.size(); ++i) {
        if (Passes(*stored[i])) rows_.push_back(stored[i]);
    }
    seenRows_ = stored.size();
    seenVersion_ = store_->Version();
    if (wasEmpty && !rows_.empty()) SetPlace(0);
}

RowPtr RowView::Current() const {
    if (bof_ || eof_ || deletedCurrent_) return nullptr;
    return rows_[pos_];
}

void RowView::SetPlace(int64_t target) {
    deletedCurrent_.reset();
    const auto count = static_cast<int64_t>(rows_.size());
    if (target < 0 || target >= count) {
        bof_ = target < 0 || count == 0;
        eof_ = target >= count || count == 0;
        pos_ = 0;
        return;
    }
    bof_ = eof_ = false;
    pos_ = static_cast<size_t>(target);
}

void RowView::First() {
    if (rows_.empty() && bof_ && eof_) NoCurrentRecord("the record set has no rows");
    SetPlace(0);
}

void RowView::Last() {
    if (rows_.empty() && bof_ && eof_) NoCurrentRecord("the record set has no rows");
    SetPlace(rows_.empty() ? 0 : static_cast<int64_t>(rows_.size()) - 1);
}

void RowView::Next() {
    if (eof_) NoCurrentRecord("MoveNext at EOF");
    if (bof_)
        SetPlace(0);
    else
        SetPlace(static_cast<int64_t>(pos_) + (deletedCurrent_ ? 0 : 1));
}

void RowView::Previous() {
    if (bof_) NoCurrentRecord("MovePrevious at BOF");
    if (eof_)
        SetPlace(static_cast<int64_t>(rows_.size()) - 1);
    else
        SetPlace(static_cast<int64_t>(pos_) - 1);
}

void RowView::MoveBy(int64_t rows) {
    if (rows == 0) {
        if (!Current()) NoCurrentRecord("Move 0 without a current row");
        return;
    }
    if (rows > 0 && eof_) NoCurrentRecord("Move forward at EOF");
    if (rows < 0 && bof_) NoCurrentRecord("Move backward at BOF");
    int64_t base = static_cast<int64_t>(pos_);
    if (bof_)
        base = -1;
    else if (eof_)
        base = static_cast<int64_t>(rows_.size());
    else if (deletedCurrent_ && rows > 0)
        base -= 1;  // the following row already sits at pos_
    SetPlace(base + rows);
}

void RowView::GoTo(size_t position) { SetPlace(static_cast<int64_t>(position)); }

void RowView::DeleteCurrent() {
    const RowPtr row = Current();
    if (!row) NoCurrentRecord("Delete without a current row");
    store_->MarkDeleted(row);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(pos_));
    seenVersion_ = store_->Version();
    deletedCurrent_ = row;
}

void RowView::Restore(const Place& place) {
    bof_ = place.bof;
    eof_ = place.eof;
    deletedCurrent_ = place.deletedCurrent;
    pos_ = std::min(place.pos, rows_.size());
    if (bof_ || eof_ || deletedCurrent_) return;
    if (rows_.empty())
        bof_ = eof_ = true;
    else
        pos_ = std::min(pos_, rows_.size() - 1);
}

}  // namespace adodb
