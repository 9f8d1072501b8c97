#pragma once
// The text of Recordset.Sort read into sort keys: "FKey", "  FKey", "FKey DESC", "A, B DESC".
// Blanks around names and keywords are ignored, ASC/DESC ignore letter case, a bracketed name
// may hold blanks. An unknown field is 3265; anything else unreadable (an empty key, a word
// after the direction) is 3001.

#include <platform/adodb/recordset.h>
#include <platform/adodb/value_rules.h>

#include <memory>
#include <string>
#include <vector>

namespace adodb::internal {

struct SortKey {
    int32_t field = 0;
    bool descending = false;
};

std::vector<SortKey> ParseSortOrder(const std::string& order, const std::vector<FieldInfo>& fields);

// Whether row `a` goes before row `b` under the keys (Null first ascending, last descending).
// Used with a stable sort, so rows with equal keys keep their order.
bool RowGoesBefore(const std::vector<automation::Variant>& a,
                   const std::vector<automation::Variant>& b, const std::vector<SortKey>& keys);

}  // namespace adodb::internal
