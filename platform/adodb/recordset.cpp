#include <platform/adodb/recordset.h>

#include <platform/adodb/row_view.h>
#include <platform/adodb/value_rules.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

namespace adodb {

using automation::Variant;
using internal::RowPtr;

namespace {

constexpr const char* kSource = "ADODB.Recordset";

[[noreturn]] void Fail(int32_t number, const std::string& description) {
    automation::Raise(number, kSource, description);
}

// The filter criteria read from a Filter text; nothing for a blank one.
std::optional<internal::FilterCriteria> CriteriaOf(const std::string& text,
                                                   const std::vector<FieldInfo>& fields) {
    std::optional<internal::FilterCriteria> criteria;
    if (text.find_first_not_of(" \t\r\n") != std::string::npos) criteria.emplace(text, fields);
    return criteria;
}

}  // namespace

Recordset::Recordset() = default;

Recordset::Recordset(std::shared_ptr<RecordStore> store)
    : store_(std::move(store)), view_(std::make_unique<RowView>(store_)), open_(true) {}

Recordset::~Recordset() = default;

void Recordset::RequireOpen() const {
    if (!open_) Fail(adoerr::ObjectClosed, "Operation is not allowed when the object is closed.");
    view_->Sync();
}

// --- Opening and closing ---------------------------------------------------------------------

void Recordset::Open() {
    if (open_) Fail(adoerr::ObjectOpen, "Operation is not allowed when the object is open.");
    if (pendingFields_.empty())
        Fail(adoerr::InvalidArgument, "A record set without fields cannot be opened.");
    store_ = std::make_shared<RecordStore>(pendingFields_);
    view_ = std::make_unique<RowView>(store_);
    open_ = true;
}

void Recordset::Close() {
    if (!open_) Fail(adoerr::ObjectClosed, "Operation is not allowed when the object is closed.");
    // The field list stays, so a fabricated record set can be opened again (without rows).
    pendingFields_ = store_->Fields();
    view_.reset();
    store_.reset();
    open_ = false;
}

ObjectStateEnum Recordset::State() const { return open_ ? adStateOpen : adStateClosed; }

// --- Fields ----------------------------------------------------------------------------------

FieldsPtr Recordset::Fields() {
    return std::make_shared<adodb::Fields>(std::static_pointer_cast<Recordset>(shared_from_this()));
}

int32_t Recordset::FieldCount() const {
    return static_cast<int32_t>(open_ ? store_->Fields().size() : pendingFields_.size());
}

const FieldInfo& Recordset::FieldAt(int32_t ordinal) const {
    const auto& fields = open_ ? store_->Fields() : pendingFields_;
    if (ordinal < 0 || ordinal >= static_cast<int32_t>(fields.size()))
        Fail(adoerr::ItemNotFound, "Item cannot be found in the collection: there is no field " +
                                       std::to_string(ordinal) + ".");
    return fields[static_cast<size_t>(ordinal)];
}

int32_t Recordset::FieldOrdinal(const std::string& name) const {
    const auto& fields = open_ ? store_->Fields() : pendingFields_;
    for (size_t i = 0; i < fields.size(); ++i)
        if (automation::EqualsIgnoreCase(fields[i].Name, name)) return static_cast<int32_t>(i);
    Fail(adoerr::ItemNotFound,
         "Item cannot be found in the collection: there is no field \"" + name + "\".");
}

void Recordset::AppendField(FieldInfo field) {
    if (open_)
        Fail(adoerr::ObjectOpen, "Fields can only be appended while the record set is closed.");
    if (field.Name.empty()) Fail(adoerr::InvalidArgument, "A field needs a name.");
    for (const FieldInfo& existing : pendingFields_)
        if (automation::EqualsIgnoreCase(existing.Name, field.Name))
            Fail(adoerr::ObjectInCollection,
                 "The record set already has a field named \"" + field.Name + "\".");
    if (field.Attributes == adFldUnspecified)
        field.Attributes = adFldUpdatable | adFldIsNullable | adFldMayBeNull;
    pendingFields_.push_back(std::move(field));
}

namespace {

int32_t OrdinalOf(const Recordset& recordset, const Variant& index) {
    if (index.IsString()) return recordset.FieldOrdinal(index.AsString());
    if (index.IsNumber()) {
        const auto ordinal = static_cast<int32_t>(*index.NumericValue());
        recordset.FieldAt(ordinal);  // 3265 when out of range
        return ordinal;
    }
    Fail(adoerr::ItemNotFound,
         "Item cannot be found in the collection: a field is named by its "
         "name or its ordinal, not by a " +
             index.TypeName() + ".");
}

}  // namespace

Variant Recordset::Value(const Variant& index) const { return Value(OrdinalOf(*this, index)); }

Variant Recordset::Value(const std::string& name) const { return Value(FieldOrdinal(name)); }

Variant Recordset::Value(int32_t ordinal) const { return ValueRef(ordinal); }

const Variant& Recordset::ValueRef(int32_t ordinal) const {
    RequireOpen();
    FieldAt(ordinal);
    return CurrentValues()[static_cast<size_t>(ordinal)];
}

const std::vector<Variant>& Recordset::CurrentValues() const {
    RequireOpen();
    if (view_->editMode != adEditNone) return view_->editValues;
    const internal::StoredRow* row = view_->CurrentRow();
    if (!row)
        Fail(adoerr::NoCurrentRecord,
             "Either BOF or EOF is True, or the current record has been "
             "deleted: there is no row to read.");
    return row->values;
}

void Recordset::SetValue(const Variant& index, Variant value) {
    RequireOpen();
    const int32_t ordinal = OrdinalOf(*this, index);
    Variant stored = internal::CoerceToField(FieldAt(ordinal), value);
    if (view_->editMode == adEditNone) {
        const RowPtr row = view_->Current();
        if (!row)
            Fail(adoerr::NoCurrentRecord,
                 "Either BOF or EOF is True, or the current record has "
                 "been deleted: there is no row to write.");
        view_->editValues = row->values;
        view_->editMode = adEditInProgress;
    }
    view_->editValues[static_cast<size_t>(ordinal)] = std::move(stored);
}

// --- Navigation ------------------------------------------------------------------------------

void Recordset::MoveFirst() {
    RequireOpen();
    Update();
    view_->First();
}

void Recordset::MoveLast() {
    RequireOpen();
    Update();
    view_->Last();
}

void Recordset::MoveNext() {
    RequireOpen();
    Update();
    view_->Next();
}

void Recordset::MovePrevious() {
    RequireOpen();
    Update();
    view_->Previous();
}

void Recordset::Move(int32_t rows) {
    RequireOpen();
    Update();
    view_->MoveBy(rows);
}

bool Recordset::BOF() const {
    RequireOpen();
    return view_->editMode != adEditAdd && view_->Bof();
}

bool Recordset::Eof() const {
    RequireOpen();
    return view_->editMode != adEditAdd && view_->Eof();
}

int32_t Recordset::RecordCount() const {
    RequireOpen();
    const size_t pending = view_->editMode == adEditAdd ? 1 : 0;
    return static_cast<int32_t>(view_->Count() + pending);
}

int32_t Recordset::AbsolutePosition() const {
    RequireOpen();
    if (view_->editMode == adEditAdd) return static_cast<int32_t>(view_->Count() + 1);
    if (view_->Count() == 0) return adPosUnknown;
    if (view_->Bof()) return adPosBOF;
    if (view_->Eof()) return adPosEOF;
    if (view_->CurrentDeleted()) return adPosUnknown;
    return static_cast<int32_t>(view_->Position() + 1);
}

void Recordset::SetAbsolutePosition(int32_t position) {
    RequireOpen();
    if (position < 1 || static_cast<size_t>(position) > view_->Count())
        Fail(adoerr::InvalidArgument, "AbsolutePosition " + std::to_string(position) +
                                          " is outside 1.." + std::to_string(view_->Count()) + ".");
    Update();
    view_->GoTo(static_cast<size_t>(position - 1));
}

Variant Recordset::Bookmark() const {
    RequireOpen();
    const RowPtr row = view_->Current();
    if (!row || view_->editMode == adEditAdd)
        Fail(adoerr::NoCurrentRecord,
             "Either BOF or EOF is True, or the current record has been "
             "deleted: there is no row to mark.");
    return row->id;
}

void Recordset::SetBookmark(const Variant& bookmark) {
    RequireOpen();
    const auto id = bookmark.NumericValue();
    const auto& rows = view_->Rows();
    for (size_t i = 0; id && i < rows.size(); ++i) {
        if (rows[i]->id == *id) {
            Update();
            view_->GoTo(i);
            return;
        }
    }
    Fail(adoerr::InvalidArgument, "The bookmark does not name a row of this view.");
}

// --- Filter and Sort -------------------------------------------------------------------------

const std::string& Recordset::Filter() const { return filter_; }

void Recordset::SetFilter(const std::string& criteria) {
    RequireOpen();
    auto parsed = CriteriaOf(criteria, store_->Fields());  // read before anything changes
    auto sort = internal::ParseSortOrder(sort_, store_->Fields());
    Update();
    view_->ShowRows(std::move(parsed), std::move(sort));
    filter_ = criteria;
}

void Recordset::SetFilter(FilterGroupEnum none) {
    if (none != adFilterNone)
        Fail(adoerr::InvalidArgument, "Only adFilterNone is supported as a filter group.");
    SetFilter(std::string());
}

const std::string& Recordset::Sort() const { return sort_; }

void Recordset::SetSort(const std::string& order) {
    RequireOpen();
    auto keys = internal::ParseSortOrder(order, store_->Fields());
    auto filter = CriteriaOf(filter_, store_->Fields());
    Update();
    view_->ShowRows(std::move(filter), std::move(keys));
    sort_ = order;
}

// --- Editing ---------------------------------------------------------------------------------

void Recordset::AddNew() {
    RequireOpen();
    Update();
    view_->beforeAddNew = view_->Where();
    view_->editValues.assign(store_->Fields().size(), automation::Null);
    view_->editMode = adEditAdd;
}

void Recordset::Update() {
    RequireOpen();
    switch (view_->editMode) {
        case adEditNone:
            return;
        case adEditInProgress:
            if (const RowPtr row = view_->Current()) row->values = std::move(view_->editValues);
            break;
        case adEditAdd:
            view_->ShowAddedRow(store_->Append(std::move(view_->editValues)));
            break;
    }
    view_->editValues.clear();
    view_->editMode = adEditNone;
}

void Recordset::CancelUpdate() {
    RequireOpen();
    if (view_->editMode == adEditAdd) view_->Restore(view_->beforeAddNew);
    view_->editValues.clear();
    view_->editMode = adEditNone;
}

EditModeEnum Recordset::EditMode() const {
    RequireOpen();
    return view_->editMode;
}

void Recordset::Delete(AffectEnum affect) {
    RequireOpen();
    if (affect != adAffectCurrent)
        Fail(adoerr::InvalidArgument, "Only the current record can be deleted.");
    if (view_->editMode == adEditAdd) {
        CancelUpdate();  // the new row was never stored
        return;
    }
    view_->editValues.clear();
    view_->editMode = adEditNone;
    view_->DeleteCurrent();
}

RecordsetPtr Recordset::Clone() const {
    RequireOpen();
    return RecordsetPtr(new Recordset(store_));
}

// --- Loading ---------------------------------------------------------------------------------

RecordsetPtr Recordset::OpenWithFields(std::vector<FieldInfo> fields) {
    for (FieldInfo& field : fields)
        if (field.Attributes == adFldUnspecified)
            field.Attributes = adFldUpdatable | adFldIsNullable | adFldMayBeNull;
    return RecordsetPtr(new Recordset(std::make_shared<RecordStore>(std::move(fields))));
}

void Recordset::RequireRowSize(size_t values) const {
    if (values != store_->Fields().size())
        Fail(adoerr::InvalidArgument, "A row of " + std::to_string(values) +
                                          " values was given to a record set of " +
                                          std::to_string(store_->Fields().size()) + " fields.");
}

void Recordset::LoadRow(std::vector<Variant> values) {
    RequireOpen();
    RequireRowSize(values.size());
    store_->Append(std::move(values));
    view_->ShowLoadedRows();
}

void Recordset::LoadRows(std::vector<std::vector<Variant>> rows) {
    RequireOpen();
    for (const auto& values : rows) RequireRowSize(values.size());
    store_->AppendAll(std::move(rows));
    view_->ShowLoadedRows();
}

void Recordset::OrderRows(const std::vector<std::string>& fields) {
    RequireOpen();
    std::vector<size_t> keys;
    for (const auto& name : fields) keys.push_back(static_cast<size_t>(FieldOrdinal(name)));
    Update();
    store_->Reorder([&keys](const internal::StoredRow& a, const internal::StoredRow& b) {
        for (const size_t key : keys) {
            const int order = internal::CompareAsSqlite(a.values[key], b.values[key]);
            if (order != 0) return order < 0;
        }
        return false;
    });
    view_->ShowRows(CriteriaOf(filter_, store_->Fields()),
                    internal::ParseSortOrder(sort_, store_->Fields()));
}

// --- FieldReader -----------------------------------------------------------------------------

const Variant& FieldReader::operator[](std::string_view name) {
    for (const auto& [known, ordinal] : ordinals_) {
        if (known == name) return recordset_->ValueRef(ordinal);
    }
    const int32_t ordinal = recordset_->FieldOrdinal(std::string(name));
    ordinals_.emplace_back(name, ordinal);
    return recordset_->ValueRef(ordinal);
}

}  // namespace adodb
