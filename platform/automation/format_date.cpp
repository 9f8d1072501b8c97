#include <platform/automation/date_parts.h>
#include <platform/automation/format_patterns.h>

#include <cctype>
#include <string>

namespace automation::detail {

namespace {

constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};
constexpr const char* kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

std::string Padded(int value, size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// How many times the letter `c` (any case) repeats from `i` on.
size_t RunLength(std::string_view pattern, size_t i, char c) {
    size_t n = 0;
    while (i + n < pattern.size() && Lower(pattern[i + n]) == c) ++n;
    return n;
}

bool StartsWithIgnoringCase(std::string_view text, size_t i, std::string_view word) {
    if (text.size() - i < word.size()) return false;
    for (size_t k = 0; k < word.size(); ++k)
        if (Lower(text[i + k]) != Lower(word[k])) return false;
    return true;
}

// An AM/PM marker at `i` ("AM/PM", "am/pm", "A/P", "a/p", "AMPM"); a pattern with one shows the
// hours on a 12-hour clock.
bool FindMarker(std::string_view pattern, size_t i, std::string_view& found) {
    for (std::string_view word : {"AM/PM", "A/P", "AMPM"}) {
        if (StartsWithIgnoringCase(pattern, i, word)) {
            found = pattern.substr(i, word.size());
            return true;
        }
    }
    return false;
}

bool HasMarker(std::string_view pattern) {
    std::string_view found;
    for (size_t i = 0; i < pattern.size(); ++i)
        if (FindMarker(pattern, i, found)) return true;
    return false;
}

std::string MarkerText(std::string_view written, const DateParts& parts) {
    const bool pm = parts.hour >= 12;
    if (written.size() == 4) return pm ? "PM" : "AM";
    const bool upper = std::isupper(static_cast<unsigned char>(written[0])) != 0;
    if (written.size() == 3) return upper ? (pm ? "P" : "A") : (pm ? "p" : "a");
    return upper ? (pm ? "PM" : "AM") : (pm ? "pm" : "am");
}

class DateWriter {
  public:
    DateWriter(const DateParts& parts, bool twelveHour) : parts_(parts), twelveHour_(twelveHour) {}

    // Writes the token at `i` and returns its length.
    size_t Write(std::string_view pattern, size_t i, std::string& out) {
        const char c = Lower(pattern[i]);
        std::string_view marker;
        if (FindMarker(pattern, i, marker)) {
            out += MarkerText(marker, parts_);
            return marker.size();
        }
        switch (c) {
            case 'y':
                return Year(RunLength(pattern, i, 'y'), out);
            case 'm':
                return Month(RunLength(pattern, i, 'm'), out);
            case 'd':
                return Day(RunLength(pattern, i, 'd'), out);
            case 'h':
                return Hour(RunLength(pattern, i, 'h'), out);
            case 'n':
                return Field(RunLength(pattern, i, 'n'), parts_.minute, out);
            case 's':
                return Field(RunLength(pattern, i, 's'), parts_.second, out);
            case 'w':
                return Week(RunLength(pattern, i, 'w'), out);
            case 'q':
                out += std::to_string((parts_.month - 1) / 3 + 1);
                lastWasHour_ = false;
                return 1;
            case 'c':
                out += std::to_string(parts_.year) + "-" + Padded(parts_.month, 2) + "-" +
                       Padded(parts_.day, 2);
                if (parts_.hour || parts_.minute || parts_.second)
                    out += " " + Padded(parts_.hour, 2) + ":" + Padded(parts_.minute, 2) + ":" +
                           Padded(parts_.second, 2);
                lastWasHour_ = false;
                return 1;
            default:
                return 0;
        }
    }

  private:
    size_t Year(size_t run, std::string& out) {
        lastWasHour_ = false;
        if (run >= 4) {
            out += std::to_string(parts_.year);  // years before 1000 keep their three digits
            return 4;
        }
        if (run >= 2) {
            out += Padded(parts_.year % 100, 2);
            return 2;
        }
        out += std::to_string(parts_.dayOfYear);
        return 1;
    }

    // "m" and "mm" right after an hour are minutes.
    size_t Month(size_t run, std::string& out) {
        if (lastWasHour_ && run <= 2) return Field(run, parts_.minute, out);
        lastWasHour_ = false;
        if (run >= 4) {
            out += kMonthNames[parts_.month - 1];
            return 4;
        }
        if (run == 3) {
            out += std::string(kMonthNames[parts_.month - 1]).substr(0, 3);
            return 3;
        }
        out += Padded(parts_.month, run);
        return run;
    }

    size_t Day(size_t run, std::string& out) {
        lastWasHour_ = false;
        if (run >= 4) {
            out += kDayNames[parts_.weekday - 1];
            return 4;
        }
        if (run == 3) {
            out += std::string(kDayNames[parts_.weekday - 1]).substr(0, 3);
            return 3;
        }
        out += Padded(parts_.day, run);
        return run;
    }

    size_t Hour(size_t run, std::string& out) {
        const size_t used = run >= 2 ? 2 : 1;
        int hour = parts_.hour;
        if (twelveHour_) hour = hour % 12 == 0 ? 12 : hour % 12;
        out += Padded(hour, used);
        lastWasHour_ = true;
        return used;
    }

    size_t Field(size_t run, int value, std::string& out) {
        const size_t used = run >= 2 ? 2 : 1;
        out += Padded(value, used);
        lastWasHour_ = false;
        return used;
    }

    size_t Week(size_t run, std::string& out) {
        lastWasHour_ = false;
        if (run >= 2) {
            // Week of the year, weeks starting on Sunday, the week of 1 January being the first.
            const int firstWeekday = ((parts_.weekday - 1 - (parts_.dayOfYear - 1)) % 7 + 7) % 7;
            out += std::to_string((parts_.dayOfYear - 1 + firstWeekday) / 7 + 1);
            return 2;
        }
        out += std::to_string(parts_.weekday);
        return 1;
    }

    DateParts parts_;
    bool twelveHour_;
    bool lastWasHour_ = false;
};

size_t Utf8Length(unsigned char lead) {
    return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

}  // namespace

std::string FormatDate(double serial, std::string_view pattern) {
    const DateParts parts = SplitDateSerial(serial);
    DateWriter writer(parts, HasMarker(pattern));
    std::string out;
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (c == '"') {
            const size_t close = pattern.find('"', i + 1);
            const size_t end = close == std::string_view::npos ? pattern.size() : close;
            out += pattern.substr(i + 1, end - i - 1);
            i = end + 1;
        } else if (c == '\\' && i + 1 < pattern.size()) {
            const size_t length = Utf8Length(static_cast<unsigned char>(pattern[i + 1]));
            out += pattern.substr(i + 1, length);
            i += 1 + length;
        } else if (const size_t used = writer.Write(pattern, i, out); used > 0) {
            i += used;
        } else {
            // Separators ("-", "/", ":", blanks) and every other character stand for themselves.
            const size_t length = Utf8Length(static_cast<unsigned char>(c));
            out += pattern.substr(i, length);
            i += length;
        }
    }
    return out;
}

}  // namespace automation::detail
