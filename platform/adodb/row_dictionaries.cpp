#include <platform/adodb/row_dictionaries.h>

namespace adodb {

RowDictionaries::RowDictionaries(RecordsetPtr rows) : rows_(std::move(rows)) {
    automation::Dictionary names;
    for (int32_t i = 0; i < rows_->FieldCount(); ++i) names.SetItem(rows_->FieldAt(i).Name, {});
    keys_ = names.SharedKeys();
    keyCount_ = static_cast<size_t>(names.Count());
    for (int32_t i = 0; i < rows_->FieldCount(); ++i) {
        positions_.push_back(static_cast<size_t>(
            automation::Dictionary::PositionIn(*keys_, rows_->FieldAt(i).Name)));
    }
}

automation::DictionaryPtr RowDictionaries::Current() const {
    const std::vector<automation::Variant>& values = rows_->CurrentValues();
    std::vector<automation::Variant> items(keyCount_);
    for (size_t i = 0; i < positions_.size(); ++i) items[positions_[i]] = values[i];
    return std::make_shared<automation::Dictionary>(keys_, std::move(items));
}

}  // namespace adodb
