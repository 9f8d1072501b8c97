#include <platform/adodb/postgres_result.h>

#include <platform/adodb/value_rules.h>

#include <algorithm>
#include <charconv>
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

// Appends the value the server wrote as `text` to the row, made in its place there.
void AppendValue(std::vector<Variant>& row, const char* text, int length, ColumnReader& column) {
    const std::string_view written(text, static_cast<size_t>(length));
    switch (column.kind) {
        case ColumnKind::Integer: {
            long long value = 0;
            std::from_chars(written.data(), written.data() + written.size(), value);
            if (value < std::numeric_limits<int32_t>::min() ||
                value > std::numeric_limits<int32_t>::max())
                column.wide = true;
            row.emplace_back(static_cast<int64_t>(value));
            return;
        }
        case ColumnKind::Real: {
            // from_chars reads the server's digits, "Infinity" and "NaN" as strtod does, without
            // the locale; strtod stays for what it would not read whole.
            double value = 0;
            const auto read =
                std::from_chars(written.data(), written.data() + written.size(), value);
            if (read.ec != std::errc() || read.ptr != written.data() + written.size()) {
                value = std::strtod(text, nullptr);
            }
            row.emplace_back(value);
            return;
        }
        case ColumnKind::Boolean:
            row.emplace_back(text[0] == 't');
            return;
        case ColumnKind::Date:
            // "2026-05-04 00:00:00[.fff][+zz]": the seconds are what a Date holds.
            if (const auto date = ParseDateText(written.substr(0, 19))) {
                row.emplace_back(*date);
                return;
            }
            break;
        case ColumnKind::Text:
            break;
    }
    row.emplace_back(written);
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
                row.emplace_back(automation::Null);
            } else {
                AppendValue(row, PQgetvalue(result, r, c), PQgetlength(result, r, c),
                            readers[static_cast<size_t>(c)]);
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
