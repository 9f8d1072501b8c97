#include <platform/adodb/field.h>

#include <platform/adodb/recordset.h>
#include <platform/adodb/value_rules.h>
#include <platform/automation/errors.h>

namespace adodb {

using automation::Variant;

Field::Field(std::shared_ptr<Recordset> recordset, int32_t ordinal)
    : recordset_(std::move(recordset)), ordinal_(ordinal) {}

const std::string& Field::Name() const { return recordset_->FieldAt(ordinal_).Name; }
DataTypeEnum Field::Type() const { return recordset_->FieldAt(ordinal_).Type; }
int32_t Field::DefinedSize() const { return recordset_->FieldAt(ordinal_).DefinedSize; }
int32_t Field::Attributes() const { return recordset_->FieldAt(ordinal_).Attributes; }
Variant Field::Value() const { return recordset_->Value(ordinal_); }
void Field::SetValue(Variant value) { recordset_->SetValue(ordinal_, std::move(value)); }

Fields::Fields(std::shared_ptr<Recordset> recordset) : recordset_(std::move(recordset)) {}

int32_t Fields::Count() const { return recordset_->FieldCount(); }

FieldPtr Fields::Item(const Variant& index) const {
    if (index.IsString()) return Item(index.AsString());
    if (index.IsNumber()) return Item(static_cast<int32_t>(*index.NumericValue()));
    automation::Raise(adoerr::ItemNotFound, "ADODB.Fields",
                      "Item cannot be found in the collection: a field is named by its name or "
                      "its ordinal.");
}

FieldPtr Fields::Item(const std::string& name) const {
    return std::make_shared<Field>(recordset_, recordset_->FieldOrdinal(name));
}

FieldPtr Fields::Item(int32_t ordinal) const {
    recordset_->FieldAt(ordinal);  // 3265 when out of range
    return std::make_shared<Field>(recordset_, ordinal);
}

void Fields::Append(const std::string& name, DataTypeEnum type, int32_t definedSize,
                    int32_t attributes) {
    recordset_->AppendField(FieldInfo{name, type, definedSize, attributes});
}

}  // namespace adodb
