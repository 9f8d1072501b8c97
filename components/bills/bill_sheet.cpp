// A bill as a clerk reads it.

#include <components/bills/bill_sheet.h>

#include <components/bills/bill_layouts.h>
#include <platform/automation/display_width.h>

#include <algorithm>

namespace client {

using automation::Variant;

namespace {

void ReadHead(adodb::Connection& cnn, const BillLayout& layout, int32_t interId,
              SessionCaptions& captions, BillSheet& sheet) {
    auto rs = cnn.Execute(layout.headSql, {Variant(interId)});
    if (rs->Eof()) return;
    for (const auto& field : layout.head) {
        const std::string text = ShownText(rs->Value(field.column), field.kind, captions);
        if (field.optional && text.empty()) continue;
        sheet.head.emplace_back(captions(field.caption), text);
    }
}

void ReadEntries(adodb::Connection& cnn, const BillLayout& layout, int32_t interId,
                 SessionCaptions& captions, BillSheet& sheet) {
    if (!layout.entrySql) return;
    for (const auto& field : layout.entries)
        sheet.columns.push_back({captions(field.caption), field.kind, AlignmentOf(field.kind)});
    auto rs = cnn.Execute(layout.entrySql, {Variant(interId)});
    for (; !rs->Eof(); rs->MoveNext()) {
        std::vector<std::string> line;
        for (const auto& field : layout.entries)
            line.push_back(ShownText(rs->Value(field.column), field.kind, captions));
        sheet.entries.push_back(std::move(line));
    }
}

}  // namespace

BillSheet ReadBillSheet(adodb::Connection& cnn, const std::string& table, int32_t interId) {
    BillSheet sheet;
    const BillLayout* layout = FindBillLayout(table);
    if (!layout || interId == 0) return sheet;
    SessionCaptions captions;
    ReadHead(cnn, *layout, interId, captions, sheet);
    if (!sheet.head.empty()) ReadEntries(cnn, *layout, interId, captions, sheet);
    return sheet;
}

std::string RenderBillSheet(const BillSheet& sheet) {
    int width = 0;
    for (const auto& field : sheet.head)
        width = std::max(width, automation::DisplayWidth(field.first));
    std::string text;
    for (const auto& [caption, value] : sheet.head) {
        const auto gap = static_cast<size_t>(width - automation::DisplayWidth(caption));
        text += "  " + caption + std::string(gap, ' ') + " : " + value + "\n";
    }
    if (!sheet.columns.empty()) text += TableText(sheet.columns, sheet.entries, "  ");
    return text;
}

}  // namespace client
