// The item look-up of the general-ledger view component.

#include <components/bills/gl_view.h>

#include <components/resources/session_captions.h>

#include <components/session/session_database.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <charconv>

namespace client {

using automation::Variant;

namespace {

std::vector<std::shared_ptr<frmItemView>>& History() {
    static std::vector<std::shared_ptr<frmItemView>> history;
    return history;
}

[[noreturn]] void Refuse(const std::string& filter) {
    automation::Raise(automation::vberr::InvalidProcedureCall, trackquery::kGLViewProgId,
                      "Unsupported item filter: " + filter);
}

bool StartsWithIgnoreCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           automation::EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

// A quoted number: the text between the first and the last quote.
std::string Unquote(const std::string& text, const std::string& filter) {
    const auto trimmed = automation::Trim(text);
    if (trimmed.size() < 2 || trimmed.front() != '\'' || trimmed.back() != '\'') Refuse(filter);
    return trimmed.substr(1, trimmed.size() - 2);
}

automation::VectorPtr ReadItems(const ItemFilter& wanted) {
    auto cnn = OpenSessionDatabase(SessionPropsString(), DatabaseAccess::ReadOnly);
    auto items = std::make_shared<automation::Vector>();
    const bool byId = !wanted.ItemIDs.empty();
    const size_t count = byId ? wanted.ItemIDs.size() : wanted.Numbers.size();
    for (size_t i = 0; i < count; ++i) {
        auto rs = cnn->Execute(
            std::string(
                "SELECT FItemID, FNumber, FShortNumber, FName, FModel FROM t_ICItem WHERE ") +
                (byId ? "FItemID=?" : "FNumber=?"),
            {byId ? Variant(wanted.ItemIDs[i]) : Variant(wanted.Numbers[i])});
        if (rs->Eof()) continue;
        auto item = std::make_shared<automation::Dictionary>();
        for (int32_t f = 0; f < rs->FieldCount(); ++f)
            item->SetItem(rs->FieldAt(f).Name, rs->Value(f));
        items->Add(item);
    }
    return items;
}

}  // namespace

ItemFilter ParseItemFilter(const std::string& filter) {
    const std::string text = automation::Trim(filter);
    ItemFilter result;
    if (StartsWithIgnoreCase(text, "t1.FItemID=")) {
        const auto digits = automation::Trim(text.substr(11));
        int32_t id = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
        if (error != std::errc() || end != digits.data() + digits.size()) Refuse(filter);
        result.ItemIDs.push_back(id);
    } else if (StartsWithIgnoreCase(text, "t1.FNumber IN (")) {
        if (text.back() != ')') Refuse(filter);
        std::string list = text.substr(15, text.size() - 16);
        // Numbers are joined by "','"; a number holding that very text cannot be told apart.
        size_t at = 0;
        while (true) {
            const auto next = list.find("','", at);
            std::string piece =
                list.substr(at, next == std::string::npos ? std::string::npos : next - at + 1);
            result.Numbers.push_back(Unquote(piece, filter));
            if (next == std::string::npos) break;
            at = next + 2;
        }
    } else if (StartsWithIgnoreCase(text, "t1.FNumber=")) {
        result.Numbers.push_back(Unquote(text.substr(11), filter));
    } else {
        Refuse(filter);
    }
    return result;
}

frmItemView::frmItemView(automation::VectorPtr items, automation::DictionaryPtr options)
    : windowing::Form("frmItemView"), items_(std::move(items)), options_(std::move(options)) {}

std::string frmItemView::Render() const {
    const bool shortNumbers = options_ && automation::CBool(options_->Item("BeShortNumber", false));
    std::string text;
    for (const auto& entry : items_->Items()) {
        const auto item = entry.As<automation::Dictionary>();
        const auto number = automation::CStr(item->Item(shortNumbers ? "FShortNumber" : "FNumber"));
        text += number + " " + automation::CStr(item->Item("FName")) + "\n";
    }
    return text;
}

Variant GLView::ItemLookUp(int32_t /*lookUpType*/, const Variant& /*value*/,
                           const std::string& filter, automation::DictionaryPtr& options) {
    auto items = ReadItems(ParseItemFilter(filter));
    auto window = std::make_shared<frmItemView>(items, options);
    window->SetCaption(SessionCaptions()("物料"));
    History().push_back(window);
    window->Show(windowing::vbModeless);
    return Variant(items);
}

const std::vector<std::shared_ptr<frmItemView>>& ItemViewHistory() { return History(); }

void ClearItemViewHistory() {
    for (auto& window : History()) window->Unload();
    History().clear();
}

}  // namespace client
