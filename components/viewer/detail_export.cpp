#include <components/viewer/detail_export.h>

#include <components/viewer/detail_items.h>

#include <regex>

namespace client {

using trackquery::DetailNode;
using trackquery::DetailNodePtr;
using trackquery::DetailRow;

namespace {

class CsvWriter {
  public:
    void WriteNode(const DetailNode& node, const std::string& path) {
        Record(path, "node", {NodeLabel(node)});
        std::vector<std::string> captions;
        for (int32_t i = 1; i <= node.ColumnCount(); ++i) {
            auto column = node.Column(i);
            if (column && column->Visible) captions.push_back(column->Caption);
        }
        Record(path, "columns", captions);
        for (int32_t r = 1; r <= node.RowCount(); ++r) {
            const auto rowPath = path + "." + std::to_string(r);
            const auto item = node.Row(r);
            if (auto row = std::dynamic_pointer_cast<DetailRow>(item)) {
                WriteRow(node, *row, rowPath);
            } else if (auto nested = std::dynamic_pointer_cast<DetailNode>(item)) {
                WriteNode(*nested, rowPath);
            }
        }
    }

    std::string Text() const { return text_; }

  private:
    void WriteRow(const DetailNode& node, const DetailRow& row, const std::string& path) {
        std::vector<std::string> texts;
        for (const auto& column : node.VisibleColumns()) {
            auto cell = row.CellUnder(column);
            texts.push_back(cell ? cell->Text : std::string());
        }
        Record(path, row.IsTotal ? "total" : "row", texts);
        for (int32_t c = 1; c <= row.ChildCount(); ++c) {
            WriteNode(*row.GetChild(c), path + "." + std::to_string(c));
        }
    }

    void Record(const std::string& path, const char* kind, const std::vector<std::string>& texts) {
        std::vector<std::string> fields{path, kind};
        fields.insert(fields.end(), texts.begin(), texts.end());
        text_ += CsvRecord(fields);
    }

    std::string text_ = "Path,Kind,Values\r\n";
};

// A number as the detail tree formats it ("-1,234.50", "+5%"): a spreadsheet reads it as a
// number, and it cannot run as a formula.
bool IsPlainNumber(std::string_view text) {
    static const std::regex number(R"([+-]?([0-9][0-9,]*(\.[0-9]*)?|\.[0-9]+)%?)");
    return std::regex_match(text.begin(), text.end(), number);
}

// A spreadsheet runs a cell that starts with "=", "+", "-" or "@" (or with a tab or a carriage
// return before one) as a formula: an item named "=HYPERLINK(...)" would become a link.
bool CouldRunAsFormula(std::string_view text) {
    if (text.empty() || std::string_view("=+-@\t\r").find(text.front()) == std::string_view::npos)
        return false;
    return !IsPlainNumber(text);
}

}  // namespace

std::string CsvField(std::string_view field) {
    // The apostrophe in front makes a spreadsheet take the cell as the text it is.
    const std::string text =
        CouldRunAsFormula(field) ? "'" + std::string(field) : std::string(field);
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string CsvRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) record += ',';
        record += CsvField(fields[i]);
    }
    return record + "\r\n";
}

std::string DetailModelToCsv(const trackquery::DetailModel& model) {
    CsvWriter writer;
    for (int32_t i = 1; i <= model.Count(); ++i)
        writer.WriteNode(*model.Item(i), std::to_string(i));
    return writer.Text();
}

std::string DetailCsvFile(const trackquery::DetailModel* model) {
    constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";
    return kUtf8ByteOrderMark + DetailModelToCsv(model ? *model : trackquery::DetailModel());
}

}  // namespace client
