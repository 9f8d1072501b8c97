#pragma once
// VB's comparison operators on Variants (=, <, > and the others), for code that compares record
// set values with literals: a number against a numeric text compares as numbers, Null makes the
// result Null, Empty stands for 0 or "" as the other side needs.

#include <platform/automation/strings.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <optional>

namespace automation {

// -1, 0 or 1 as `a` is less than, equal to or greater than `b`; nothing (Null) when either side is
// Null. A number against a text that is not a number is error 13, as are objects.
std::optional<int32_t> VbCompare(const Variant& a, const Variant& b,
                                 CompareMethod compare = vbBinaryCompare);

// `a = b` as an If statement sees it: a Null result counts as False.
bool VbEquals(const Variant& a, const Variant& b, CompareMethod compare = vbBinaryCompare);

}  // namespace automation
