#include <components/erp_database/demo_writer.h>

#include <platform/automation/conversions.h>
#include <platform/automation/format.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace client::erp_database::internal {

uint64_t DemoRandom::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

DemoCalendar::DemoCalendar(const std::string& isoDate) {
    const automation::Variant text(isoDate);
    if (!automation::IsDate(text))
        throw std::invalid_argument("The server date must read YYYY-MM-DD: " + isoDate);
    base_ = static_cast<int64_t>(std::floor(automation::CDate(text).serial));
}

std::string DemoCalendar::Date(int64_t offsetDays) const {
    return automation::Format(automation::DateValue{static_cast<double>(base_ + offsetDays)},
                              "YYYY-MM-DD");
}

DemoWriter::DemoWriter(SqliteDatabase& db, const DemoDefinition& definition)
    : db_(db), definition_(definition), random_(definition.seed), calendar_(definition.sysDate) {}

void DemoWriter::Insert(const std::string& table, const std::vector<std::string>& columns,
                        const std::vector<SqlValue>& values) {
    std::string names, marks;
    for (const auto& column : columns) {
        names += (names.empty() ? "" : ", ") + column;
        marks += marks.empty() ? "?" : ", ?";
    }
    auto& statement = inserts_[table + "(" + names + ")"];
    if (!statement) {
        statement = std::make_unique<Statement>(
            db_.Prepare("INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")"));
    }
    statement->Run(values);
    ++counts_.totalRows;
}

std::string DemoWriter::Number(const std::string& prefix, int64_t id) const {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%06lld", static_cast<long long>(id));
    return prefix + digits;
}

double DemoWriter::Round2(double value) const { return std::round(value * 100.0) / 100.0; }

}  // namespace client::erp_database::internal
