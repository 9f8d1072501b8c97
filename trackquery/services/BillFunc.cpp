// Builders shared by the bill invocation operations.

#include <trackquery/services/BillFunc.h>

#include <trackquery/services/MMTS.h>

#include <platform/adodb/recordset.h>
#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace trackquery {

using automation::Dictionary;
using automation::Variant;

namespace {

automation::DictionaryPtr KeyField(const char* column, int32_t primary) {
    auto field = std::make_shared<Dictionary>();
    field->SetItem("FColName", column);
    field->SetItem("FISPrimary", primary);
    return field;
}

// The text after the first `key` (letter case ignored) up to the next ";" or the end.
std::string ValueAfterKey(const std::string& text, const std::string& key) {
    const auto upper = automation::UCase(text);
    const auto at = upper.find(automation::UCase(key));
    if (at == std::string::npos) return "";
    const auto start = at + key.size();
    const auto end = text.find(';', start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// A whole number in decimal without exponent or fraction; anything else as VB prints a Double.
std::string NumberText(double value) {
    if (std::trunc(value) == value && std::fabs(value) < 9.0e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
        return buffer;
    }
    return automation::CStr(Variant(value));
}

}  // namespace

automation::VectorPtr NewBillKeyFields() {
    auto fields = std::make_shared<automation::Vector>();
    fields->Add(KeyField("FInterID", 1));
    fields->Add(KeyField("FTranType", 3));
    return fields;
}

RecordsetPtr NewBillListRecordset(int32_t billId, int32_t tranType) {
    return NewBrowseList("FInterID", "FTranType", {billId}, tranType);
}

RecordsetPtr NewBrowseList(const std::string& idField, const std::string& kindField,
                           const std::vector<int32_t>& ids, int32_t kind, int32_t position) {
    auto rs = std::make_shared<adodb::Recordset>();
    rs->Fields()->Append(idField, adodb::adInteger);
    rs->Fields()->Append(kindField, adodb::adInteger);
    rs->Open();
    for (const int32_t id : ids) AppendRecord(rs, {Variant(id), Variant(kind)});
    if (rs->RecordCount() > 0) rs->MoveFirst();
    if (position > 0 && rs->RecordCount() >= position) rs->SetAbsolutePosition(position);
    return rs;
}

void AppendRecord(const RecordsetPtr& rs, const std::vector<Variant>& values) {
    if (!rs) automation::Raise(automation::vberr::ObjectVariableNotSet);
    rs->AddNew();
    const auto fields = rs->Fields();
    const auto count = std::min<size_t>(values.size(), static_cast<size_t>(fields->Count()));
    for (size_t i = 0; i < count; ++i) fields->Item(static_cast<int32_t>(i))->SetValue(values[i]);
    rs->Update();
}

std::string GetNthToken(const std::string& text, int32_t n, const std::string& separator) {
    if (separator.empty()) return n == 1 ? text : "";
    std::string rest = text + separator;
    std::string token;
    for (int32_t pass = 1; pass <= n; ++pass) {
        const auto at = rest.find(separator);
        if (at == std::string::npos) return "";
        token = rest.substr(0, at);
        rest.erase(0, at + separator.size());
    }
    return token;
}

std::string GetUserIDText() {
    return NumberText(automation::Val(ValueAfterKey(GetPropsString(), "UserID=")));
}

std::string GetBaseInfo(const std::string& propsString) {
    std::string connection;
    const auto open = propsString.find('{');
    if (open != std::string::npos) {
        const auto close = propsString.find('}', open + 1);
        connection = propsString.substr(
            open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    }
    const auto userId = NumberText(automation::Val(ValueAfterKey(propsString, "UserID=")));
    return connection + "|" + userId + "|" + ValueAfterKey(propsString, "UserName=");
}

namespace {

constexpr size_t kMaxBillNumberLength = 255;
constexpr size_t kQuotedLength = 40;

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

}  // namespace

bool CanBePartOfBillNumber(const std::string& text) {
    return text.size() <= kMaxBillNumberLength && std::none_of(text.begin(), text.end(), IsControl);
}

std::string QuotedInMessage(const std::string& text) {
    size_t end = std::find_if(text.begin(), text.end(), IsControl) - text.begin();
    if (end > kQuotedLength) {
        end = kQuotedLength;
        // Back to the first byte of a UTF-8 character, so that none is cut in two.
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    }
    return end == text.size() ? text : text.substr(0, end) + "...";
}

}  // namespace trackquery
