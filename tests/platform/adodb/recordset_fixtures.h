#pragma once
// Record sets the tests share: fabricated the way the library's callers fabricate them.

#include <platform/adodb/recordset.h>
#include <platform/automation/errors.h>
#include <support/error_number.h>

#include <functional>
#include <string>
#include <vector>

namespace adodb_test {

using adodb::Recordset;
using adodb::RecordsetPtr;
using automation::Variant;

// A record set of the given fields and rows, positioned on its first row.
inline RecordsetPtr MakeRecordset(
    const std::vector<std::pair<std::string, adodb::DataTypeEnum>>& fields,
    const std::vector<std::vector<Variant>>& rows) {
    auto rs = std::make_shared<Recordset>();
    for (const auto& [name, type] : fields) rs->Fields()->Append(name, type, 0);
    rs->Open();
    for (const auto& row : rows) {
        rs->AddNew();
        for (size_t i = 0; i < row.size(); ++i) rs->SetValue(static_cast<int32_t>(i), row[i]);
        rs->Update();
    }
    if (!rows.empty()) rs->MoveFirst();
    return rs;
}

// The bill option record set of task order tracking: one row per bill kind, FID a number.
inline RecordsetPtr MakeBillOptions(adodb::DataTypeEnum fidType = adodb::adInteger) {
    return MakeRecordset({{"FID", fidType},
                          {"FKey", adodb::adVarWChar},
                          {"FCaption", adodb::adVarWChar},
                          {"FValue", adodb::adInteger}},
                         {{-85, "A85", "生产任务单", 1},
                          {-52, "B52", "工序汇报", 1},
                          {-502, "C502", "工序移转单", 1},
                          {-581, "D581", "工序计划单", 0},
                          {-582, "E582", "委外工序", 1},
                          {-710, "F710", "返修单", 1},
                          {-715, "G715", "报废单", 0},
                          {1002504, "H2504", "工序检验", 1},
                          {-24, "I24", "领料单", 1},
                          {-2, "J2", "产品入库", 1}});
}

// The values of one field over the rows the cursor walks from the first to EOF.
inline std::vector<Variant> Walk(Recordset& rs, const std::string& field) {
    std::vector<Variant> values;
    if (rs.RecordCount() == 0) return values;
    rs.MoveFirst();
    while (!rs.Eof()) {
        values.push_back(rs.Value(field));
        rs.MoveNext();
    }
    return values;
}

inline std::vector<Variant> Longs(std::initializer_list<int32_t> values) {
    return std::vector<Variant>(values.begin(), values.end());
}

}  // namespace adodb_test
