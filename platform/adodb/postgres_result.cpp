#include <platform/adodb/postgres_result.h>

#include <platform/adodb/value_rules.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

namespace adodb::internal {

using automation::Variant;

namespace {

// Type OIDs of the server's built-in types that read as other than text (pg_type.dat); they are
// fixed across versions.
enum : Oid {
    kBool = 16,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kOid = 26,
    kFloat4 = 700,
    kFloat8 = 701,
    kDate = 1082,
    kTimestamp = 1114,
    kTimestampTz = 1184,
    kNumeric = 1700,
};

// What a column of a server type reads as.
enum class ColumnKind { Integer, Real, Boolean, Date, Text };

ColumnKind KindOf(Oid type) {
    switch (type) {
        case kInt2:
        case kInt4:
        case kInt8:
        case kOid:
            return ColumnKind::Integer;
        case kFloat4:
        case kFloat8:
        case kNumeric:
            return ColumnKind::Real;
        case kBool:
            return ColumnKind::Boolean;
        case kDate:
        case kTimestamp:
        case kTimestampTz:
            return ColumnKind::Date;
        default:
            return ColumnKind::Text;
    }
}

// A column as a record set field, by the type the server reports.
struct ColumnReader {
    FieldInfo field;
    ColumnKind kind = ColumnKind::Text;
    bool wide = false;  // an integer beyond 32 bits was read
};

Variant ReadValue(const char* text, int length, ColumnReader& column) {
    switch (column.kind) {
        case ColumnKind::Integer: {
            const long long value = std::strtoll(text, nullptr, 10);
            if (value < std::numeric_limits<int32_t>::min() ||
                value > std::numeric_limits<int32_t>::max())
                column.wide = true;
            return static_cast<int64_t>(value);
        }
        case ColumnKind::Real:
            return std::strtod(text, nullptr);
        case ColumnKind::Boolean:
            return text[0] == 't';
        case ColumnKind::Date: {
            // "2026-05-04 00:00:00[.fff][+zz]": the seconds are what a Date holds.
            const auto date = ParseDateText(std::string_view(text, std::min(length, 19)));
            if (date) return *date;
            return std::string(text, static_cast<size_t>(length));
        }
        case ColumnKind::Text:
            break;
    }
    return std::string(text, static_cast<size_t>(length));
}

void DescribeField(ColumnReader& column) {
    FieldInfo& field = column.field;
    switch (column.kind) {
        case ColumnKind::Integer:
            field.Type = column.wide ? adBigInt : adInteger;
            field.DefinedSize = column.wide ? 8 : 4;
            break;
        case ColumnKind::Real:
            field.Type = adDouble;
            field.DefinedSize = 8;
            break;
        case ColumnKind::Boolean:
            field.Type = adBoolean;
            field.DefinedSize = 2;
            break;
        case ColumnKind::Date:
            field.Type = adDBTimeStamp;
            field.DefinedSize = 16;
            break;
        case ColumnKind::Text:
            field.Type = adVarWChar;
            field.DefinedSize = 0;
            break;
    }
}

}  // namespace

RecordsetPtr ReadResultRows(const PGresult* result,
                            const std::function<std::string(const std::string&)>& nameAsWritten) {
    const int columns = PQnfields(result);
    const int count = PQntuples(result);
    std::vector<ColumnReader> readers(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        auto& reader = readers[static_cast<size_t>(c)];
        reader.field.Name = nameAsWritten(PQfname(result, c));
        reader.kind = KindOf(PQftype(result, c));
    }
    std::vector<std::vector<Variant>> rows(static_cast<size_t>(count));
    for (int r = 0; r < count; ++r) {
        auto& row = rows[static_cast<size_t>(r)];
        row.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            if (PQgetisnull(result, r, c)) {
                row.push_back(automation::Null);
            } else {
                row.push_back(ReadValue(PQgetvalue(result, r, c), PQgetlength(result, r, c),
                                        readers[static_cast<size_t>(c)]));
            }
        }
    }
    std::vector<FieldInfo> fields;
    for (auto& reader : readers) {
        DescribeField(reader);
        fields.push_back(reader.field);
    }
    // A wide integer column reads as Double, as on SQLite.
    for (size_t c = 0; c < readers.size(); ++c) {
        if (!readers[c].wide) continue;
        for (auto& row : rows) {
            if (!row[c].IsNull()) row[c] = *row[c].NumericValue();
        }
    }
    auto recordset = Recordset::OpenWithFields(std::move(fields));
    recordset->LoadRows(std::move(rows));
    return recordset;
}

}  // namespace adodb::internal
