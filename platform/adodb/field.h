#pragma once
// The Fields collection and the Field object of a record set. Both are light handles onto their
// record set: a Field always reads and writes the record set's current row, as in ADO, so a Field
// taken once follows the cursor.

#include <platform/adodb/ado_enums.h>
#include <platform/automation/variant.h>

#include <memory>
#include <string>

namespace adodb {

class Recordset;

class Field : public automation::Object {
  public:
    Field(std::shared_ptr<Recordset> recordset, int32_t ordinal);
    std::string TypeName() const override { return "Field"; }

    const std::string& Name() const;
    DataTypeEnum Type() const;
    int32_t DefinedSize() const;
    int32_t Attributes() const;
    // The value in the current row; Null for a database NULL. No current row is error 3021.
    automation::Variant Value() const;
    // Writes the current row (an edit in progress until Update or a move).
    void SetValue(automation::Variant value);

  private:
    std::shared_ptr<Recordset> recordset_;
    int32_t ordinal_;
};

using FieldPtr = std::shared_ptr<Field>;

class Fields : public automation::Object {
  public:
    explicit Fields(std::shared_ptr<Recordset> recordset);
    std::string TypeName() const override { return "Fields"; }

    int32_t Count() const;
    // By name (letter case ignored) or by 0-based ordinal; anything else is error 3265.
    FieldPtr Item(const automation::Variant& index) const;
    FieldPtr Item(const std::string& name) const;
    FieldPtr Item(const char* name) const { return Item(std::string(name)); }
    FieldPtr Item(int32_t ordinal) const;
    FieldPtr operator()(const automation::Variant& index) const { return Item(index); }

    // Adds a field to a closed record set (an open one is error 3705, a duplicate name 3367).
    void Append(const std::string& name, DataTypeEnum type, int32_t definedSize = 0,
                int32_t attributes = adFldUnspecified);

  private:
    std::shared_ptr<Recordset> recordset_;
};

using FieldsPtr = std::shared_ptr<Fields>;

}  // namespace adodb
