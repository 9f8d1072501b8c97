#include <client/erp_database/demo_writer.h>

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

namespace {

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::string CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp + (mp < 10 ? 3 : -9);
    const int64_t y = yoe + era * 400 + (m <= 2);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(y), static_cast<int>(m),
                  static_cast<int>(d));
    return text;
}

}  // namespace

DemoCalendar::DemoCalendar(const std::string& isoDate) {
    int y = 0, m = 0, d = 0;
    if (std::sscanf(isoDate.c_str(), "%4d-%2d-%2d", &y, &m, &d) != 3 || m < 1 || m > 12 || d < 1 ||
        d > 31) {
        throw std::invalid_argument("The server date must read YYYY-MM-DD: " + isoDate);
    }
    base_ = DaysFromCivil(y, m, d);
}

std::string DemoCalendar::Date(int64_t offsetDays) const {
    return CivilFromDays(base_ + offsetDays);
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
