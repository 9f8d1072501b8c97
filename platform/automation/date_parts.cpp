#include <platform/automation/date_parts.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

namespace automation::detail {

namespace {

using std::chrono::sys_days;
using std::chrono::year_month_day;

// VB's day 0, 1899-12-30, on the standard calendar (proleptic Gregorian).
constexpr sys_days kSerialOrigin{std::chrono::year{1899} / 12 / 30};

long SerialOf(sys_days day) { return static_cast<long>((day - kSerialOrigin).count()); }
sys_days DayOf(long serial) { return kSerialOrigin + std::chrono::days{serial}; }

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
    const sys_days day = DayOf(static_cast<long>(days));
    const year_month_day date{day};
    DateParts parts;
    parts.year = static_cast<int>(date.year());
    parts.month = static_cast<int>(static_cast<unsigned>(date.month()));
    parts.day = static_cast<int>(static_cast<unsigned>(date.day()));
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    // C counts the weekdays from Sunday = 0, VB from Sunday = 1.
    parts.weekday = static_cast<int>(std::chrono::weekday{day}.c_encoding()) + 1;
    parts.dayOfYear = static_cast<int>((day - sys_days{date.year() / 1 / 1}).count()) + 1;
    return parts;
}

std::optional<double> DateSerial(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    const year_month_day date{std::chrono::year{year}, std::chrono::month{unsigned(month)},
                              std::chrono::day{unsigned(day)}};
    if (!date.ok()) return std::nullopt;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    const double days = static_cast<double>(SerialOf(sys_days{date}));
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
