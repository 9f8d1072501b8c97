#include <faces/qt/output/xlsx_export.h>

#include <faces/qt/output/detail_layout.h>

#include <platform/automation/errors.h>
#include <platform/automation/temp_folder.h>

#include <xlsxwriter.h>

#include <unistd.h>
#include <algorithm>
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

enum class Style { Title, Plain, Node, Heading, Cell, Total };

class SheetWriter {
  public:
    SheetWriter(lxw_workbook* workbook, lxw_worksheet* sheet)
        : workbook_(workbook), sheet_(sheet) {}

    // Title on the first line, date and order shown on the second, a blank line after them; then
    // the head panel, a caption and its value a line, and the detail pane's title.
    void WriteHeader(const SheetHeader& header) {
        worksheet_write_string(sheet_, 0, 0, header.title.c_str(), Format(Style::Title));
        row_ = 1;
        WriteCell(0, header.date, TypeOfColumn("FDate", {header.date}), 0, Style::Plain);
        if (!header.subtitle.empty()) {
            worksheet_write_string(sheet_, 1, 1, header.subtitle.c_str(), Format(Style::Plain));
        }
        row_ = 3;
        if (!header.headTitle.empty()) WriteText(0, header.headTitle, Format(Style::Node));
        for (const auto& line : header.headLines) WriteHeadLine(line);
        if (!header.headTitle.empty() || !header.headLines.empty()) ++row_;
        if (!header.detailTitle.empty()) WriteText(0, header.detailTitle, Format(Style::Node));
    }

    void WriteNode(const DetailNode& node, int depth) {
        Outline(depth);
        WriteText(0, NodeLabel(node), Format(Style::Node));
        const auto columns = VisibleColumns(node);
        const auto types = ColumnTypes(node, columns);
        bool headed = false;
        for (const auto& item : node.Rows()) {
            if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) {
                if (!headed) WriteHeadings(columns, depth + 1);
                headed = true;
                WriteRow(*row, columns, types, depth + 1);
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

    // The type of each shown column, read from every row of the node.
    static std::vector<ColumnType> ColumnTypes(
        const DetailNode& node, const std::vector<trackquery::ShownColumn>& columns) {
        std::vector<ColumnType> types;
        for (const auto& column : columns) {
            std::vector<std::string> texts;
            for (const auto& item : node.Rows()) {
                if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) {
                    if (const auto* cell = row->CellUnder(column)) texts.push_back(cell->Text);
                }
            }
            types.push_back(TypeOfColumn(column->Key, texts));
        }
        return types;
    }

    void WriteRow(const DetailRow& row, const std::vector<trackquery::ShownColumn>& columns,
                  const std::vector<ColumnType>& types, int depth) {
        Outline(depth);
        const Style style = row.IsTotal ? Style::Total : Style::Cell;
        for (size_t c = 0; c < columns.size(); ++c) {
            const auto* cell = row.CellUnder(columns[c]);
            const std::string text = cell ? cell->Text : std::string();
            WriteCell(static_cast<lxw_col_t>(c), text, types[c], columns[c]->Align, style);
        }
        ++row_;
        for (int32_t c = 1; c <= row.ChildCount(); ++c) WriteNode(*row.GetChild(c), depth + 1);
    }

    void WriteHeadLine(const std::string& line) {
        const auto [caption, value] = SplitHeadLine(line);
        worksheet_write_string(sheet_, row_, 0, caption.c_str(), Format(Style::Heading));
        Measure(0, TextWidth(caption));
        WriteCell(1, value, TypeOfColumn(caption, {value}), 0, Style::Cell);
        ++row_;
    }

    // A text as its column's type has it: a number or a date in the column's format, else text
    // (aligned as the column is).
    void WriteCell(lxw_col_t column, const std::string& text, const ColumnType& type, int32_t align,
                   Style style) {
        Measure(column, TextWidth(text));
        if (type.kind == ColumnType::Kind::Date) {
            if (auto date = ReadIsoDate(text)) {
                lxw_datetime cell{date->year, date->month, date->day, 0, 0, 0};
                worksheet_write_datetime(sheet_, row_, column, &cell, Format(style, type.format));
                return;
            }
        } else if (type.kind == ColumnType::Kind::Number) {
            if (auto number = ReadShownNumber(text)) {
                worksheet_write_number(sheet_, row_, column, number->value,
                                       Format(style, type.format, 1));
                return;
            }
        }
        if (text.empty()) {
            if (style == Style::Total) worksheet_write_blank(sheet_, row_, column, Format(style));
            return;
        }
        worksheet_write_string(sheet_, row_, column, text.c_str(), Format(style, "", align));
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

SheetHeader SheetHeaderOf(const PrintDocument& document) {
    return {document.title,     document.date,      document.subtitle,
            document.headTitle, document.headLines, document.detailTitle};
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
