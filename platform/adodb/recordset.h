#pragma once
// An ADO record set as a client-side static cursor kept in memory.
//
// The rows live in a shared, reference-counted store. Each Recordset handle over that store has
// its own cursor, Filter and Sort, so a Clone sees every edit, deletion and addition made through
// any other handle while it moves on its own. Rows come from Connection::Execute or are
// fabricated: Fields()->Append(...) while closed, Open(), then AddNew / assign / Update.
//
// Failures are automation::RuntimeError with ADO's numbers (ado_enums.h) and the source
// "ADODB.Recordset": 3021 for a move past BOF/EOF or a field read without a current row, 3265 for
// an unknown field, 3001 for a Filter or Sort text that cannot be read, 3704 on a closed record
// set. A failed call leaves the record set as it was.

#include <platform/adodb/ado_enums.h>
#include <platform/adodb/field.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace adodb {

class RecordStore;
class RowView;

// How a field is described; Connection fills these from the statement's columns.
struct FieldInfo {
    std::string Name;
    DataTypeEnum Type = adVarWChar;
    int32_t DefinedSize = 0;
    int32_t Attributes = adFldUpdatable | adFldIsNullable | adFldMayBeNull;
};

class Recordset : public automation::Object {
  public:
    Recordset();
    ~Recordset() override;
    std::string TypeName() const override { return "Recordset"; }

    // --- Opening and closing ---------------------------------------------------------------
    // Opens a fabricated record set over the appended fields, without rows (BOF and EOF True).
    // Opening an open record set is error 3705.
    void Open();
    // Closes this handle; clones stay open. Closing a closed record set is error 3704.
    void Close();
    ObjectStateEnum State() const;

    // --- Fields ------------------------------------------------------------------------------
    // Needs the record set to be held by a shared_ptr (as every automation object is).
    FieldsPtr Fields();
    int32_t FieldCount() const;
    const FieldInfo& FieldAt(int32_t ordinal) const;      // 3265 outside 0..Count-1
    int32_t FieldOrdinal(const std::string& name) const;  // letter case ignored; 3265
    void AppendField(FieldInfo field);                    // closed only: 3705, duplicate 3367

    // The current row's value of a field by name or 0-based ordinal (rs("FKey"), rs(0)).
    automation::Variant Value(const automation::Variant& index) const;
    automation::Variant Value(const std::string& name) const;
    automation::Variant Value(const char* name) const { return Value(std::string(name)); }
    automation::Variant Value(int32_t ordinal) const;
    // The same value without a copy, for readers that go through many rows: it holds until the
    // record set moves, changes or closes.
    const automation::Variant& ValueRef(int32_t ordinal) const;
    // Every value of the current row (or of the pending edit) by ordinal, for a reader of many
    // fields of each row; held until the cursor moves or the row changes. 3021 without a row.
    const std::vector<automation::Variant>& CurrentValues() const;
    void SetValue(const automation::Variant& index, automation::Variant value);

    // --- Navigation --------------------------------------------------------------------------
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    // Moves n rows from the current one (negative: backwards); past either end stops at BOF/EOF.
    void Move(int32_t rows);
    bool BOF() const;
    bool Eof() const;  // EOF is a C macro

    // Rows visible through the Filter; 3704 when closed.
    int32_t RecordCount() const;
    // 1-based place of the current row in the view, or adPosUnknown / adPosBOF / adPosEOF.
    int32_t AbsolutePosition() const;
    // Makes the row at a 1-based place current; outside 1..RecordCount is error 3001.
    void SetAbsolutePosition(int32_t position);
    // A value that identifies the current row across Filter, Sort and clones of this record set.
    automation::Variant Bookmark() const;
    void SetBookmark(const automation::Variant& bookmark);

    // --- Filter and Sort ---------------------------------------------------------------------
    // ADO criteria text, e.g. " FID = '-52' OR FID='-502'"; "" shows every row. Setting it
    // makes the first visible row current. The grammar and its decisions (Null, numbers against
    // texts, letter case, LIKE) are described in filter_criteria.h. The rows a view shows are
    // chosen when Filter or Sort is set; rows added afterwards come at its end, and a change of
    // values does not take a row out of the view.
    const std::string& Filter() const;
    void SetFilter(const std::string& criteria);
    void SetFilter(const char* criteria) { SetFilter(std::string(criteria ? criteria : "")); }
    void SetFilter(FilterGroupEnum none);  // adFilterNone, the same as ""
    // Field names separated by commas, each optionally followed by ASC or DESC; "" restores the
    // original order. Setting it makes the first row current.
    const std::string& Sort() const;
    void SetSort(const std::string& order);

    // --- Editing -----------------------------------------------------------------------------
    // Appends a new row (every field Null) and makes it current; a pending edit is saved first.
    void AddNew();
    // Saves the pending edit or new row. Without one, nothing happens.
    void Update();
    // Discards the pending edit; a pending new row disappears.
    void CancelUpdate();
    EditModeEnum EditMode() const;
    // Deletes the current row from the store (all clones lose it). It stays current, unreadable,
    // until the next move; MoveNext then goes to the row that followed it.
    void Delete(AffectEnum affect = adAffectCurrent);

    // Another handle on the same rows: its own cursor (on the first row), no Filter, no Sort.
    std::shared_ptr<Recordset> Clone() const;

    // --- Loading (for Connection and bulk loaders) -------------------------------------------
    // An open record set over `fields`, without rows. Names may repeat, as the columns of a
    // query may; a name then finds the first of them.
    static std::shared_ptr<Recordset> OpenWithFields(std::vector<FieldInfo> fields);
    // Appends a stored row with one value per field (3001 on a wrong count) without moving the
    // cursor, except that a record set without visible rows gets the new row as current, as
    // an opened record set has its first row current.
    void LoadRow(std::vector<automation::Variant> values);
    // LoadRow for many rows at once; a row of a wrong count stores none of them.
    void LoadRows(std::vector<std::vector<automation::Variant>> rows);
    // Puts the stored rows in the order of these fields, for a query that leaves its sorting to
    // the reader: Null first, then numbers and dates by value, then texts byte by byte, as
    // SQLite's ORDER BY puts the values it stored; rows of equal keys keep their order. The view
    // shows the new order from its first row, under its Filter and Sort. An unknown field is 3265.
    void OrderRows(const std::vector<std::string>& fields);

  private:
    Recordset(std::shared_ptr<RecordStore> store);
    void RequireOpen() const;
    void RequireRowSize(size_t values) const;

    std::shared_ptr<RecordStore> store_;
    std::unique_ptr<RowView> view_;         // cursor, Filter and Sort of this handle
    std::vector<FieldInfo> pendingFields_;  // appended while closed
    std::string filter_;
    std::string sort_;
    bool open_ = false;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

// Reads fields of a record set's current row by name for a loop over many rows: each name is
// looked up (letter case ignored) the first time it is read and its ordinal kept, so a field the
// record set lacks fails where it is read, with 3265, as Value(name) does. Values are read in
// place (see ValueRef). Names are told apart as written.
class FieldReader {
  public:
    explicit FieldReader(RecordsetPtr recordset) : recordset_(std::move(recordset)) {}
    const automation::Variant& operator[](std::string_view name);

  private:
    RecordsetPtr recordset_;
    std::vector<std::pair<std::string, int32_t>> ordinals_;
};

}  // namespace adodb
