#pragma once
// Rows of a record set as Dictionaries of field name and value, the form in which the bill
// lists and bill windows hand rows on. The dictionaries of one maker share their keys: a chosen
// list of 71,429 bills keeps one list of field names, not one per bill.

#include <platform/adodb/recordset.h>
#include <platform/automation/collections.h>

#include <cstdint>
#include <vector>

namespace adodb {

class RowDictionaries {
  public:
    explicit RowDictionaries(RecordsetPtr rows);

    // The current row's values by field name; a name that repeats keeps its last field's value,
    // as setting them one by one would. 3021 without a current row.
    automation::DictionaryPtr Current() const;

  private:
    RecordsetPtr rows_;
    automation::Dictionary::KeysPtr keys_;
    size_t keyCount_ = 0;
    // Each field's position among the keys.
    std::vector<size_t> positions_;
};

}  // namespace adodb
