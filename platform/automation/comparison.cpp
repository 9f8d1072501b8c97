#include <platform/automation/comparison.h>

#include <platform/automation/conversions.h>
#include <platform/automation/date_parts.h>
#include <platform/automation/errors.h>
#include <platform/automation/number_text.h>

#include <cmath>

namespace automation {

namespace {

int32_t Sign(double difference) { return difference < 0 ? -1 : difference > 0 ? 1 : 0; }

// The number a text stands for when it meets a number of `kind`: a Boolean reads "True" and
// "False" too, a Date reads date texts too. Anything else is a type mismatch.
double TextAsNumberFor(VarType kind, const std::string& text) {
    if (kind == VarType::Boolean) return CBool(text) ? -1.0 : 0.0;
    if (kind == VarType::Date)
        if (auto date = detail::ParseDateText(text)) return *date;
    auto number = detail::ParseNumber(text);
    if (!number || !std::isfinite(*number)) Raise(vberr::TypeMismatch);
    return *number;
}

bool IsNumberLike(const Variant& value) {
    return value.IsNumber() || value.Type() == VarType::Date;
}

}  // namespace

std::optional<int32_t> VbCompare(const Variant& a, const Variant& b, CompareMethod compare) {
    if (a.IsNull() || b.IsNull()) return std::nullopt;
    if (a.IsObject() || b.IsObject()) Raise(vberr::TypeMismatch);
    if (a.IsEmpty() && b.IsEmpty()) return 0;
    if (a.IsString() && b.IsString()) return StrComp(a.AsString(), b.AsString(), compare);
    // Empty takes the shape of the other side: "" against a text, 0 against a number.
    if (a.IsEmpty()) return b.IsString() ? StrComp("", b.AsString(), compare) : Sign(-CDbl(b));
    if (b.IsEmpty()) return a.IsString() ? StrComp(a.AsString(), "", compare) : Sign(CDbl(a));
    if (IsNumberLike(a) && IsNumberLike(b)) return Sign(CDbl(a) - CDbl(b));
    if (IsNumberLike(a)) return Sign(CDbl(a) - TextAsNumberFor(a.Type(), b.AsString()));
    return Sign(TextAsNumberFor(b.Type(), a.AsString()) - CDbl(b));
}

bool VbEquals(const Variant& a, const Variant& b, CompareMethod compare) {
    const auto order = VbCompare(a, b, compare);
    return order.has_value() && *order == 0;
}

}  // namespace automation
