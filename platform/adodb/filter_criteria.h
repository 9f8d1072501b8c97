#pragma once
// The criteria text of Recordset.Filter, read once and then tested against rows.
//
// Grammar: clauses `Field Op Value` joined by AND / OR, grouped with parentheses. Op is one of
// = <> < > <= >= LIKE; Value is 'text' (a quote doubled inside), #text or date#, a number, or Null.
// As in ADO there is no precedence between AND and OR: mixing them at one level, or using a group
// that holds OR as an operand of AND, is error 3001 (write the criteria as an OR of AND-groups).
// Decisions where ADO leaves room:
//   - `Field = Null` selects the rows whose field is Null, `Field <> Null` the others; any other
//     operator with Null is 3001. An ordinary comparison never matches a Null field.
//   - A quoted value against a numeric field compares as a number (" FID = '-52' "); a quoted
//     value that is not a number there is 3001. A number against a text field compares as a
//     number when the field's text reads as one; a text that does not is unequal to the number
//     and neither less nor greater.
//   - Text comparisons ignore ASCII letter case.
//   - LIKE takes * or % at the end, or at both ends, of the pattern; elsewhere it is 3001.
//   - A field that the record set does not have is 3265.
//   - Groups nest at most 100 deep; deeper is 3001.

#include <platform/adodb/recordset.h>
#include <platform/automation/variant.h>

#include <memory>
#include <string>
#include <vector>

namespace adodb::internal {

class FilterCriteria {
  public:
    // Reads `criteria` against `fields`; a text that cannot be read raises 3001 or 3265.
    FilterCriteria(const std::string& criteria, const std::vector<FieldInfo>& fields);
    ~FilterCriteria();
    FilterCriteria(FilterCriteria&&) noexcept;
    FilterCriteria& operator=(FilterCriteria&&) noexcept;

    bool Matches(const std::vector<automation::Variant>& row) const;

    struct Node;

  private:
    std::unique_ptr<Node> root_;
};

}  // namespace adodb::internal
