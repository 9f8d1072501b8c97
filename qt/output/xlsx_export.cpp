#include <qt/output/xlsx_export.h>

#include <qt/output/detail_layout.h>

#include <platform/automation/errors.h>
#include <platform/automation/temp_folder.h>

#include <xlsxwriter.h>

#include <unistd.h>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>
#include <vector>

namespace qtgui {

using trackquery::DetailNode;
using trackquery::DetailRow;

namespace {

constexpr int32_t kPathFileAccessError = 75;
constexpr int kMaxOutlineLevel = 7;

[[noreturn]] void Fail(const std::string& reason) {
    automation::Raise(kPathFileAccessError, "QzTraceViewer.TraceViewer",
                      "Cannot write the workbook: " + reason);
}

// Excel's date serial counts from 1899-12-30, as the automation date does.
lxw_datetime DateOf(double serial) {
    const auto days = static_cast<int64_t>(std::floor(serial));
    // Civil date from days since 1970-01-01 (Howard Hinnant's algorithm).
    int64_t z = days - 25569 + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return lxw_datetime{year, static_cast<int>(month), static_cast<int>(day), 0, 0, 0};
}

// Width of a text in spreadsheet characters: wide East Asian characters take two.
double TextWidth(const std::string& text) {
    double width = 0;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

std::string SheetName(const std::string& title) {
    std::string name;
    int characters = 0;
    for (size_t i = 0; i < title.size() && characters < 31;) {
        const auto lead = static_cast<unsigned char>(title[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const char c = title[i];
        name +=
            std::string("[]:*?/\\").find(c) == std::string::npos ? title.substr(i, length) : "_";
        i += length;
        ++characters;
    }
    return name.empty() ? "TraceViewer" : name;
}

bool NumericColumn(const trackquery::DetailColumn& column) {
    const auto& type = column.CtlType;
    return type.IsString() ? type.AsString().rfind('1', 0) == 0 : false;
}

enum class Style { Title, Plain, Node, Heading, Cell, Total };

class SheetWriter {
  public:
    SheetWriter(lxw_workbook* workbook, lxw_worksheet* sheet)
        : workbook_(workbook), sheet_(sheet) {}

    // Title on the first line, date and order shown on the second, a blank line after them.
    void WriteHeader(const SheetHeader& header) {
        worksheet_write_string(sheet_, 0, 0, header.title.c_str(), Format(Style::Title));
        worksheet_write_string(sheet_, 1, 0, header.date.c_str(), Format(Style::Plain));
        if (!header.subtitle.empty()) {
            worksheet_write_string(sheet_, 1, 1, header.subtitle.c_str(), Format(Style::Plain));
        }
        row_ = 3;
    }

    void WriteNode(const DetailNode& node, int depth) {
        Outline(depth);
        WriteText(0, NodeLabel(node), Format(Style::Node));
        const auto columns = VisibleColumns(node);
        bool headed = false;
        for (const auto& item : node.Rows()) {
            if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) {
                if (!headed) WriteHeadings(columns, depth + 1);
                headed = true;
                WriteRow(*row, columns, depth + 1);
            } else if (auto nested = std::dynamic_pointer_cast<DetailNode>(item)) {
                WriteNode(*nested, depth + 1);
            }
        }
    }

    void SetColumnWidths() {
        for (size_t c = 0; c < widths_.size(); ++c) {
            const double width = std::clamp(widths_[c] + 2, 8.0, 60.0);
            worksheet_set_column(sheet_, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                 width, nullptr);
        }
    }

  private:
    void Outline(int depth) {
        lxw_row_col_options options{};
        options.level = static_cast<uint8_t>(std::min(depth, kMaxOutlineLevel));
        worksheet_set_row_opt(sheet_, row_, LXW_DEF_ROW_HEIGHT, nullptr, &options);
    }

    void WriteText(lxw_col_t column, const std::string& text, lxw_format* format) {
        worksheet_write_string(sheet_, row_, column, text.c_str(), format);
        Measure(column, TextWidth(text));
        ++row_;
    }

    void WriteHeadings(const std::vector<trackquery::ShownColumn>& columns, int depth) {
        Outline(depth);
        for (size_t c = 0; c < columns.size(); ++c) {
            worksheet_write_string(sheet_, row_, static_cast<lxw_col_t>(c),
                                   columns[c]->Caption.c_str(), Format(Style::Heading));
            Measure(c, TextWidth(columns[c]->Caption));
        }
        ++row_;
    }

    void WriteRow(const DetailRow& row, const std::vector<trackquery::ShownColumn>& columns,
                  int depth) {
        Outline(depth);
        const Style style = row.IsTotal ? Style::Total : Style::Cell;
        for (size_t c = 0; c < columns.size(); ++c) {
            auto cell = row.CellUnder(columns[c]);
            WriteCell(static_cast<lxw_col_t>(c), cell, *columns[c], style);
        }
        ++row_;
        for (int32_t c = 1; c <= row.ChildCount(); ++c) WriteNode(*row.GetChild(c), depth + 1);
    }

    void WriteCell(lxw_col_t column, const trackquery::DetailCell* cell,
                   const trackquery::DetailColumn& definition, Style style) {
        const std::string text = cell ? cell->Text : std::string();
        Measure(column, TextWidth(text));
        if (cell && cell->Value.Type() == automation::VarType::Date && !text.empty()) {
            lxw_datetime date = DateOf(cell->Value.AsDate().serial);
            worksheet_write_datetime(sheet_, row_, column, &date, Format(style, "yyyy-mm-dd"));
            return;
        }
        const bool numeric = NumericColumn(definition) || (cell && cell->Value.IsNumber());
        if (auto number = numeric ? ReadShownNumber(text) : std::nullopt) {
            worksheet_write_number(sheet_, row_, column, number->value,
                                   Format(style, number->format, 1));
            return;
        }
        if (text.empty()) {
            if (style == Style::Total) worksheet_write_blank(sheet_, row_, column, Format(style));
            return;
        }
        worksheet_write_string(sheet_, row_, column, text.c_str(),
                               Format(style, "", definition.Align));
    }

    void Measure(size_t column, double width) {
        if (widths_.size() <= column) widths_.resize(column + 1, 0);
        widths_[column] = std::max(widths_[column], width);
    }

    lxw_format* Format(Style style, const std::string& numberFormat = "", int32_t align = 0) {
        auto key = std::make_tuple(style, numberFormat, align);
        auto found = formats_.find(key);
        if (found != formats_.end()) return found->second;
        lxw_format* format = workbook_add_format(workbook_);
        switch (style) {
            case Style::Title:
                format_set_bold(format);
                format_set_font_size(format, 14);
                break;
            case Style::Node:
                format_set_bold(format);
                format_set_bg_color(format, 0xDEE8F4);
                break;
            case Style::Heading:
                format_set_bold(format);
                format_set_bg_color(format, 0xECECEC);
                format_set_bottom(format, LXW_BORDER_THIN);
                break;
            case Style::Total:
                format_set_bold(format);
                format_set_bg_color(format, 0xFFF6C8);
                format_set_top(format, LXW_BORDER_THIN);
                break;
            default:
                break;
        }
        if (!numberFormat.empty()) format_set_num_format(format, numberFormat.c_str());
        if (align == 1) format_set_align(format, LXW_ALIGN_RIGHT);
        if (align == 2) format_set_align(format, LXW_ALIGN_CENTER);
        return formats_.emplace(key, format).first->second;
    }

    lxw_workbook* workbook_;
    lxw_worksheet* sheet_;
    lxw_row_t row_ = 0;
    std::vector<double> widths_;
    std::map<std::tuple<Style, std::string, int32_t>, lxw_format*> formats_;
};

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A private file for the writer, removed again however the export ends.
class ScratchFile {
  public:
    ScratchFile() {
        std::string pattern = (automation::TempFolder() / "trackquery-xlsx-XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        if (fd < 0) Fail("no temporary file");
        close(fd);
        path_ = pattern;
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace

std::optional<ShownNumber> ReadShownNumber(const std::string& text) {
    std::string digits;
    bool thousands = false;
    bool percent = false;
    int decimals = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ',' && decimals < 0 && !digits.empty()) {
            thousands = true;
        } else if (c == '%' && i + 1 == text.size()) {
            percent = true;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
            digits += c;
        } else if (c == '-' && digits.empty()) {
            digits += c;
        } else if (c >= '0' && c <= '9') {
            digits += c;
            if (decimals >= 0) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    const std::string integer = digits.substr(digits[0] == '-' ? 1 : 0);
    // Leading zeros and long digit strings are codes (bill numbers), not amounts.
    const bool code = integer.size() > 1 && integer[0] == '0' && integer[1] != '.';
    if (integer.empty() || integer[0] == '.' || code || integer.size() > 15 || decimals == 0) {
        return std::nullopt;
    }
    double value = 0;
    if (std::from_chars(digits.data(), digits.data() + digits.size(), value).ec != std::errc()) {
        return std::nullopt;
    }
    std::string format = thousands ? "#,##0" : "0";
    if (decimals > 0) format += "." + std::string(static_cast<size_t>(decimals), '0');
    if (percent) {
        format += "%";
        value /= 100;
    }
    return ShownNumber{value, format};
}

std::string DetailModelToXlsx(const trackquery::DetailModel& model, const SheetHeader& header) {
    ScratchFile scratch;
    lxw_workbook* workbook = workbook_new(scratch.Path().c_str());
    if (!workbook) Fail("the writer could not start");
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, SheetName(header.title).c_str());
    if (!sheet) {
        workbook_close(workbook);
        Fail("the sheet could not be added");
    }
    SheetWriter writer(workbook, sheet);
    writer.WriteHeader(header);
    for (const auto& node : model.Nodes()) writer.WriteNode(*node, 0);
    writer.SetColumnWidths();
    const lxw_error error = workbook_close(workbook);
    if (error != LXW_NO_ERROR) Fail(lxw_strerror(error));
    return ReadWhole(scratch.Path());
}

}  // namespace qtgui
