#pragma once
// The cells of a workbook's first sheet as a spreadsheet reads them: each cell's place, whether it
// is text or a number, its text or value, and the number format its style gives it (the format's
// id: libxlsxwriter writes the common formats under Excel's built-in ids, the others from 164).

#include "zip_entry.h"

#include <map>
#include <regex>
#include <string>
#include <vector>

namespace desktop_test {

struct SheetCell {
    std::string column;  // "A", "B", ...
    int row = 0;
    bool text = false;
    std::string value;  // the text, or the number as written
    int numberFormat = 0;
    std::string formatCode;  // for formats of the workbook's own (id 164 on)
};

inline std::vector<SheetCell> ReadSheetCells(const std::string& workbook) {
    const auto sheet = ZipEntry(workbook, "xl/worksheets/sheet1.xml");
    const auto shared = ZipEntry(workbook, "xl/sharedStrings.xml");
    const auto styles = ZipEntry(workbook, "xl/styles.xml");
    if (!sheet || !styles) return {};
    std::vector<std::string> strings;
    const std::regex text(R"(<si><t[^>]*>([^<]*)</t></si>)");
    if (shared) {
        for (auto it = std::sregex_iterator(shared->begin(), shared->end(), text);
             it != std::sregex_iterator(); ++it) {
            strings.push_back((*it)[1]);
        }
    }
    std::map<int, std::string> codes;
    const std::regex code(R"re(<numFmt numFmtId="(\d+)" formatCode="([^"]*)")re");
    for (auto it = std::sregex_iterator(styles->begin(), styles->end(), code);
         it != std::sregex_iterator(); ++it) {
        codes[std::stoi((*it)[1])] = (*it)[2];
    }
    std::vector<int> formatOfStyle;
    const std::string xfs = styles->substr(styles->find("<cellXfs"));
    const std::regex xf(R"re(<xf numFmtId="(\d+)")re");
    for (auto it = std::sregex_iterator(xfs.begin(), xfs.end(), xf); it != std::sregex_iterator();
         ++it) {
        formatOfStyle.push_back(std::stoi((*it)[1]));
    }
    std::vector<SheetCell> cells;
    const std::regex cell(
        R"re(<c r="([A-Z]+)(\d+)"(?: s="(\d+)")?(?: t="(\w+)")?(?:/>|><v>([^<]*)</v></c>))re");
    for (auto it = std::sregex_iterator(sheet->begin(), sheet->end(), cell);
         it != std::sregex_iterator(); ++it) {
        const auto& match = *it;
        if (!match[5].matched) continue;  // a blank cell
        SheetCell read{match[1], std::stoi(match[2]), match[4] == "s", match[5], 0, ""};
        if (read.text) read.value = strings.at(std::stoul(read.value));
        const size_t style = match[3].matched ? std::stoul(match[3]) : 0;
        read.numberFormat = style < formatOfStyle.size() ? formatOfStyle[style] : 0;
        if (codes.count(read.numberFormat)) read.formatCode = codes[read.numberFormat];
        cells.push_back(std::move(read));
    }
    return cells;
}

}  // namespace desktop_test
