#pragma once
// The inside of a record set: the row store that clones share, and the view each handle keeps
// over it (its visible rows in order, its cursor and its pending edit). Internal to the record
// set; callers use recordset.h.
//
// The store only grows: a deleted row stays in it, marked, so that every view can tell which of
// its rows went away. Each view remembers the store's version it last saw and catches up (drops
// deleted rows, appends new rows that pass its filter) before it is used. Rows are shown in the
// order fixed when the Filter or Sort was last set; rows added later come at the end. A change of
// values does not move a row in or out of a view.

#include <platform/adodb/filter_criteria.h>
#include <platform/adodb/recordset.h>
#include <platform/adodb/sort_order.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace adodb::internal {

struct StoredRow {
    std::vector<automation::Variant> values;
    int32_t id = 0;  // the row's bookmark, unique in its store
    bool deleted = false;
};

using RowPtr = std::shared_ptr<StoredRow>;

}  // namespace adodb::internal

namespace adodb {

class RecordStore {
  public:
    explicit RecordStore(std::vector<FieldInfo> fields) : fields_(std::move(fields)) {}

    const std::vector<FieldInfo>& Fields() const { return fields_; }
    const std::vector<internal::RowPtr>& Rows() const { return rows_; }
    uint64_t Version() const { return version_; }

    internal::RowPtr Append(std::vector<automation::Variant> values);
    void AppendAll(std::vector<std::vector<automation::Variant>> rows);
    // Puts the rows in the order `before` gives, rows it finds equal keeping their places; rows
    // already in that order are only looked at.
    void Reorder(
        const std::function<bool(const internal::StoredRow&, const internal::StoredRow&)>& before);
    void MarkDeleted(const internal::RowPtr& row);

  private:
    std::vector<FieldInfo> fields_;
    std::vector<internal::RowPtr> rows_;
    uint64_t version_ = 0;
    int32_t nextId_ = 1;
};

class RowView {
  public:
    explicit RowView(std::shared_ptr<RecordStore> store);

    // Catches up with the rows other handles added or deleted.
    void Sync();
    // Shows the store's live rows that pass `filter`, in `sort` order, and goes to the first.
    void ShowRows(std::optional<internal::FilterCriteria> filter,
                  std::vector<internal::SortKey> sort);
    // Puts a row this handle just stored at the end of the view and makes it current.
    void ShowAddedRow(const internal::RowPtr& row);
    // Puts the rows stored since the view last looked in it, those that pass the filter, without
    // moving the cursor unless the view had no rows.
    void ShowLoadedRows();

    size_t Count() const { return rows_.size(); }
    const std::vector<internal::RowPtr>& Rows() const { return rows_; }
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    // The current row; nothing at BOF, at EOF or on a row deleted since the last move.
    internal::RowPtr Current() const;
    // The same row without taking a reference to it (held by the view until it changes).
    const internal::StoredRow* CurrentRow() const {
        return bof_ || eof_ || deletedCurrent_ ? nullptr : rows_[pos_].get();
    }
    bool CurrentDeleted() const { return deletedCurrent_ != nullptr; }
    // 0-based place of the current row (meaningful only when Current() is a row).
    size_t Position() const { return pos_; }

    // The moves; a move that the BOF/EOF state forbids is error 3021.
    void First();
    void Last();
    void Next();
    void Previous();
    void MoveBy(int64_t rows);
    void GoTo(size_t position);
    // Deletes the current row from the store; it stays current until the next move.
    void DeleteCurrent();

    // The cursor as it was, to return to when a pending new row is cancelled.
    struct Place {
        bool bof = true;
        bool eof = true;
        size_t pos = 0;
        internal::RowPtr deletedCurrent;
    };
    Place Where() const { return {bof_, eof_, pos_, deletedCurrent_}; }
    void Restore(const Place& place);

    // The pending edit of this handle.
    EditModeEnum editMode = adEditNone;
    std::vector<automation::Variant> editValues;
    Place beforeAddNew;

  private:
    void SetPlace(int64_t target);  // a row, or BOF (< 0) / EOF (>= Count)
    bool Passes(const internal::StoredRow& row) const;

    std::shared_ptr<RecordStore> store_;
    std::optional<internal::FilterCriteria> filter_;
    std::vector<internal::SortKey> sort_;
    std::vector<internal::RowPtr> rows_;
    size_t seenRows_ = 0;
    uint64_t seenVersion_ = 0;
    bool bof_ = true;
    bool eof_ = true;
    size_t pos_ = 0;
    // The current row after it was deleted; pos_ is then the place of the row that followed it.
    internal::RowPtr deletedCurrent_;
};

}  // namespace adodb
