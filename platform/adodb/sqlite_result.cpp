#include <platform/adodb/sqlite_result.h>

#include <platform/adodb/sql_text.h>
#include <platform/adodb/value_rules.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <sqlite3.h>

#include <cctype>
#include <cstdlib>
#include <limits>
#include <optional>

namespace adodb::internal {

using automation::Variant;

namespace {

bool IsIsNullCall(const std::string& sql, size_t i) {
    if (i > 0 && IsWordChar(sql[i - 1])) return false;
    if (i + 6 > sql.size() || !automation::EqualsIgnoreCase(sql.substr(i, 6), "ISNULL"))
        return false;
    size_t j = i + 6;
    while (j < sql.size() && std::isspace(static_cast<unsigned char>(sql[j]))) ++j;
    return j < sql.size() && sql[j] == '(';
}

struct ColumnTraits {
    bool anyText = false;
    bool anyReal = false;
    bool anyInteger = false;
    bool anyWide = false;  // an integer beyond 32 bits
};

// Appends the column's value to the row, made in its place there.
Variant& AppendCell(std::vector<Variant>& row, sqlite3_stmt* statement, int column,
                    ColumnTraits& traits) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER: {
            const sqlite3_int64 value = sqlite3_column_int64(statement, column);
            traits.anyInteger = true;
            if (value < std::numeric_limits<int32_t>::min() ||
                value > std::numeric_limits<int32_t>::max())
                traits.anyWide = true;
            return row.emplace_back(static_cast<int64_t>(value));
        }
        case SQLITE_FLOAT:
            traits.anyReal = true;
            return row.emplace_back(sqlite3_column_double(statement, column));
        case SQLITE_NULL:
            return row.emplace_back(automation::Null);
        default: {
            traits.anyText = true;
            const auto* text = sqlite3_column_text(statement, column);
            const int bytes = sqlite3_column_bytes(statement, column);
            return row.emplace_back(
                std::string_view(reinterpret_cast<const char*>(text), static_cast<size_t>(bytes)));
        }
    }
}

bool Contains(const std::string& upperText, const char* part) {
    return upperText.find(part) != std::string::npos;
}

int32_t DeclaredLength(const std::string& declared) {
    const size_t open = declared.find('(');
    if (open == std::string::npos) return 0;
    return static_cast<int32_t>(std::strtol(declared.c_str() + open + 1, nullptr, 10));
}

// A column's field by its declared type, by SQLite's own affinity rules in its order, then the
// names SQL Server schemas use; nothing for a column without a declared type it knows (an
// expression), whose values decide. An integer column is adInteger until a value does not fit.
std::optional<FieldInfo> DeclaredField(const std::string& name, const char* declaredType) {
    FieldInfo field;
    field.Name = name;
    const std::string declared = automation::UCase(declaredType ? declaredType : "");
    if (Contains(declared, "INT")) {
        field.Type = adInteger;
        field.DefinedSize = 4;
    } else if (Contains(declared, "CHAR") || Contains(declared, "CLOB") ||
               Contains(declared, "TEXT")) {
        field.Type = adVarWChar;
        field.DefinedSize = DeclaredLength(declared);
    } else if (Contains(declared, "DATE") || Contains(declared, "TIME")) {
        field.Type = adDBTimeStamp;
        field.DefinedSize = 16;
    } else if (Contains(declared, "BIT") || Contains(declared, "BOOL")) {
        field.Type = adBoolean;
        field.DefinedSize = 2;
    } else if (Contains(declared, "REAL") || Contains(declared, "FLOA") ||
               Contains(declared, "DOUB") || Contains(declared, "DEC") ||
               Contains(declared, "NUM") || Contains(declared, "MONEY")) {
        field.Type = adDouble;
        field.DefinedSize = 8;
    } else {
        return std::nullopt;
    }
    return field;
}

// The field of a column without a declared type: what its values are.
FieldInfo FieldOfValues(const std::string& name, const ColumnTraits& traits) {
    FieldInfo field;
    field.Name = name;
    if (traits.anyText || (!traits.anyReal && !traits.anyInteger)) {
        field.Type = adVarWChar;
    } else if (traits.anyReal || traits.anyWide) {
        field.Type = adDouble;
        field.DefinedSize = 8;
    } else {
        field.Type = adInteger;
        field.DefinedSize = 4;
    }
    return field;
}

// A stored value shown as the field's type; a value the type cannot show is kept as it is.
Variant AsFieldType(const FieldInfo& field, Variant value) {
    if (!IsTextType(field.Type)) {
        try {
            return CoerceToField(field, value);
        } catch (const automation::RuntimeError&) {
            return value;
        }
    }
    FieldInfo unlimited = field;
    unlimited.DefinedSize = 0;
    try {
        return CoerceToField(unlimited, value);
    } catch (const automation::RuntimeError&) {
        return value;
    }
}

// How the values of a declared column are shown as its field's type.
enum class Showing { Integer, Text, Double, Other };

Showing ShowingOf(const FieldInfo& field) {
    if (field.Type == adInteger || field.Type == adBigInt) return Showing::Integer;
    if (IsTextType(field.Type)) return Showing::Text;
    if (field.Type == adDouble) return Showing::Double;
    return Showing::Other;
}

// Whether a value is already what its field shows, as the usual cells are: anything in an
// integer field (which is its values' own), a text in a text field (the declared length is not
// checked here), a real in a double field, and Null.
bool ShownAsStored(Showing showing, const Variant& value) {
    switch (showing) {
        case Showing::Integer:
            return true;
        case Showing::Text:
            return value.IsString() || value.IsNull();
        case Showing::Double:
            return value.Type() == automation::VarType::Double || value.IsNull();
        case Showing::Other:
            break;
    }
    return value.IsNull();
}

// AsFieldType in place, for a value that is not shown as it is stored.
void ShowAsFieldType(const FieldInfo& field, Variant& value) {
    if (ShownAsStored(ShowingOf(field), value)) return;
    // The forms DATE and DATETIME columns hold; any other text takes the general way.
    if (field.Type == adDBTimeStamp && value.IsString()) {
        if (auto date = IsoDateTime(value.AsString())) {
            value = *date;
            return;
        }
    }
    value = AsFieldType(field, std::move(value));
}

}  // namespace

std::string ToSqliteDialect(const std::string& sql) {
    std::string result;
    result.reserve(sql.size());
    size_t i = 0;
    while (i < sql.size()) {
        const size_t skipped = SkipQuotedOrComment(sql, i, true);
        if (skipped != i) {
            result.append(sql, i, skipped - i);
            i = skipped;
        } else if (IsIsNullCall(sql, i)) {
            result += "IFNULL";
            i += 6;
        } else {
            result += sql[i++];
        }
    }
    return result;
}

RecordsetPtr ReadRows(sqlite3_stmt* statement, int& resultCode) {
    // The columns are counted after the first step: a kept statement whose tables changed is
    // prepared anew inside it, and "SELECT *" may then have other columns.
    resultCode = sqlite3_step(statement);
    const auto columns = static_cast<size_t>(sqlite3_column_count(statement));
    std::vector<std::string> names(columns);
    std::vector<std::optional<FieldInfo>> declared(columns);
    std::vector<Showing> showing(columns, Showing::Other);
    for (size_t c = 0; c < columns; ++c) {
        const char* name = sqlite3_column_name(statement, static_cast<int>(c));
        names[c] = name ? name : "";
        declared[c] =
            DeclaredField(names[c], sqlite3_column_decltype(statement, static_cast<int>(c)));
        if (declared[c]) showing[c] = ShowingOf(*declared[c]);
    }
    // A value of a declared column is shown as its field's type while it is at hand; the
    // columns whose values decide their type wait for every value.
    std::vector<ColumnTraits> traits(columns);
    std::vector<std::vector<Variant>> rows;
    rows.reserve(64);
    for (; resultCode == SQLITE_ROW; resultCode = sqlite3_step(statement)) {
        std::vector<Variant> row;
        row.reserve(columns);
        for (size_t c = 0; c < columns; ++c) {
            Variant& cell = AppendCell(row, statement, static_cast<int>(c), traits[c]);
            if (declared[c] && !ShownAsStored(showing[c], cell))
                ShowAsFieldType(*declared[c], cell);
        }
        rows.push_back(std::move(row));
    }
    if (resultCode != SQLITE_DONE) return nullptr;
    std::vector<FieldInfo> fields;
    fields.reserve(columns);
    for (size_t c = 0; c < columns; ++c) {
        if (!declared[c]) {
            fields.push_back(FieldOfValues(names[c], traits[c]));
            for (auto& row : rows) ShowAsFieldType(fields[c], row[c]);
            continue;
        }
        fields.push_back(*declared[c]);
        if (fields[c].Type == adInteger && traits[c].anyWide) {
            fields[c].Type = adBigInt;
            fields[c].DefinedSize = 8;
        }
    }
    auto recordset = Recordset::OpenWithFields(std::move(fields));
    recordset->LoadRows(std::move(rows));
    return recordset;
}

}  // namespace adodb::internal
