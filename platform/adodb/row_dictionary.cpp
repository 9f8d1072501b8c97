#include <platform/adodb/row_dictionary.h>

namespace adodb {

automation::DictionaryPtr CurrentRowAsDictionary(const Recordset& rows) {
    const std::vector<automation::Variant>& values = rows.CurrentValues();
    auto row = std::make_shared<automation::Dictionary>();
    row->Reserve(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        row->SetItem(rows.FieldAt(static_cast<int32_t>(i)).Name, values[i]);
    }
    return row;
}

}  // namespace adodb
