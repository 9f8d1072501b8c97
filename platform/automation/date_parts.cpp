#include <platform/automation/date_parts.h>

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

namespace automation::detail {

namespace {

// Days between 1899-12-30 and 1970-01-01.
constexpr long kUnixEpochSerial = 25569;

// Howard Hinnant's days-from-civil algorithm (proleptic Gregorian calendar).
long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int& year, int& month, int& day) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// A small scanner over a date text.
class Scanner {
  public:
    explicit Scanner(std::string_view text) : text_(text) {}
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t')) ++pos_;
    }
    bool Take(char c) {
        if (Peek() != c) return false;
        ++pos_;
        return true;
    }
    // A run of digits: its value and how many digits it had (0 when none).
    int Number(int& width) {
        int value = 0;
        width = 0;
        while (!AtEnd() && std::isdigit(static_cast<unsigned char>(Peek())) && width < 9) {
            value = value * 10 + (Peek() - '0');
            ++pos_;
            ++width;
        }
        return value;
    }
    bool TakeWord(std::string_view word) {
        if (text_.size() - pos_ < word.size()) return false;
        for (size_t i = 0; i < word.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(text_[pos_ + i])) != word[i]) return false;
        pos_ += word.size();
        return true;
    }
    size_t Position() const { return pos_; }
    void Reset(size_t pos) { pos_ = pos; }

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

struct Ymd {
    int year, month, day;
};

// Three numbers joined by one separator: year first ("2024-03-05") or, in the en-US order,
// month/day/year ("3/5/2024").
std::optional<Ymd> ScanDate(Scanner& scan) {
    int widths[3];
    int values[3];
    values[0] = scan.Number(widths[0]);
    if (widths[0] == 0) return std::nullopt;
    const char separator = scan.Peek();
    if (separator != '-' && separator != '/' && separator != '.') return std::nullopt;
    for (int i = 1; i < 3; ++i) {
        if (!scan.Take(separator)) return std::nullopt;
        values[i] = scan.Number(widths[i]);
        if (widths[i] == 0 || widths[i] > 4) return std::nullopt;
    }
    if (widths[0] >= 3) return Ymd{values[0], values[1], values[2]};
    if (widths[2] == 4) return Ymd{values[2], values[0], values[1]};
    return std::nullopt;
}

struct Hms {
    int hour = 0, minute = 0, second = 0;
};

std::optional<Hms> ScanTime(Scanner& scan) {
    Hms time;
    int width = 0;
    time.hour = scan.Number(width);
    if (width == 0 || width > 2 || !scan.Take(':')) return std::nullopt;
    time.minute = scan.Number(width);
    if (width == 0 || width > 2) return std::nullopt;
    if (scan.Take(':')) {
        time.second = scan.Number(width);
        if (width == 0 || width > 2) return std::nullopt;
        if (scan.Take('.')) {
            // Fractions of a second, as databases print them, are dropped.
            scan.Number(width);
            if (width == 0) return std::nullopt;
        }
    }
    scan.SkipBlanks();
    if (scan.TakeWord("PM")) {
        if (time.hour < 1 || time.hour > 12) return std::nullopt;
        if (time.hour != 12) time.hour += 12;
    } else if (scan.TakeWord("AM")) {
        if (time.hour < 1 || time.hour > 12) return std::nullopt;
        if (time.hour == 12) time.hour = 0;
    }
    if (time.hour > 23 || time.minute > 59 || time.second > 59) return std::nullopt;
    return time;
}

}  // namespace

bool IsDateSerialInRange(double serial) {
    return std::isfinite(serial) && serial >= kFirstDateSerial && serial < kLastDateSerial + 1e-6;
}

DateParts SplitDateSerial(double serial) {
    double days = std::trunc(serial);
    long seconds = std::lround(std::fabs(serial - days) * 86400.0);
    if (seconds >= 86400) {
        // The time rounds up to midnight: the next calendar day.
        seconds = 0;
        days += 1;
    }
    DateParts parts;
    const long dayNumber = static_cast<long>(days);
    CivilFromDays(dayNumber - kUnixEpochSerial, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    // 1899-12-30 (day 0) was a Saturday.
    parts.weekday = static_cast<int>(((dayNumber % 7) + 7 + 6) % 7) + 1;
    parts.dayOfYear =
        static_cast<int>(dayNumber - (DaysFromCivil(parts.year, 1, 1) + kUnixEpochSerial)) + 1;
    return parts;
}

std::optional<double> DateSerial(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999 || month < 1 || month > 12) return std::nullopt;
    if (day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    const double days = static_cast<double>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        kUnixEpochSerial);
    const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    // Before 1899-12-30 the time still counts forward from midnight, so it is subtracted.
    return days < 0 ? days - time : days + time;
}

std::optional<double> ParseDateText(std::string_view text) {
    Scanner scan(text);
    scan.SkipBlanks();
    const size_t start = scan.Position();
    std::optional<Ymd> date = ScanDate(scan);
    if (!date) scan.Reset(start);
    Hms time;
    if (date) {
        const size_t afterDate = scan.Position();
        const bool separated = scan.Take('T') || scan.Take(' ') || scan.Take('\t');
        scan.SkipBlanks();
        if (separated && !scan.AtEnd()) {
            auto scanned = ScanTime(scan);
            if (!scanned) return std::nullopt;
            time = *scanned;
        } else if (!separated) {
            scan.Reset(afterDate);
        }
    } else {
        auto scanned = ScanTime(scan);
        if (!scanned) return std::nullopt;
        time = *scanned;
    }
    scan.SkipBlanks();
    if (!scan.AtEnd()) return std::nullopt;
    if (!date) return (time.hour * 3600.0 + time.minute * 60.0 + time.second) / 86400.0;
    return DateSerial(date->year, date->month, date->day, time.hour, time.minute, time.second);
}

}  // namespace automation::detail
