// VB's conversions and Format on outside text. The first line of the input is a value, the rest a
// Format pattern. The value goes through every conversion as text, and, where it reads as one, as
// the number, the date and the Boolean it stands for; each of them is then formatted.

#include "fuzz_input.h"

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/format.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>

namespace {

using automation::Variant;

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "vb_conversions_fuzzer: %s\n", what);
    std::abort();
}

// Runs a conversion; a run-time error (6, 13, 94, 5, ...) is its documented way to refuse a value.
template <class Call>
auto Try(Call call) -> std::optional<decltype(call())> {
    try {
        return call();
    } catch (const automation::RuntimeError&) {
        return std::nullopt;
    }
}

void Convert(const Variant& value, const std::string& pattern) {
    Try([&] { return automation::CBool(value); });
    Try([&] { return automation::CInt(value); });
    Try([&] { return automation::CLng(value); });
    Try([&] { return automation::CSng(value); });
    const auto number = Try([&] { return automation::CDbl(value); });
    // VB's IsNumeric is False for a Date, which CDbl still converts.
    if (value.Type() != automation::VarType::Date) {
        Check(automation::IsNumeric(value) == number.has_value(), "IsNumeric disagrees with CDbl");
    }
    Try([&] { return automation::CDate(value); });
    Try([&] { return automation::IsDate(value); });
    Try([&] { return automation::CStr(value); });
    Try([&] { return automation::Str(value); });
    Try([&] { return automation::TextOrEmpty(value); });
    Try([&] { return automation::CLngOr(value, -1); });
    Try([&] { return automation::Format(value); });
    Try([&] { return automation::Format(value, pattern); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto pieces = fuzz::Pieces(fuzz::Text(data, size), 2);
    const std::string& text = pieces[0];
    const std::string& pattern = pieces[1];

    Convert(Variant(text), pattern);
    Convert(Variant(automation::Null), pattern);
    Convert(Variant(), pattern);
    if (const auto number = Try([&] { return automation::Val(text); })) {
        Convert(Variant(*number), pattern);
        Convert(Variant(static_cast<float>(*number)), pattern);
        Convert(Variant(*number < 0), pattern);
        for (int32_t digits : {0, 2, 10, 15}) {
            Try([&] { return automation::Round(*number, digits); });
        }
        // A Date holds a day of VB's calendar, 100-01-01 to 9999-12-31; no value of the program
        // holds one outside it.
        if (std::isfinite(*number) && *number >= -657434.0 && *number < 2958466.0) {
            Convert(Variant(automation::DateValue{*number}), pattern);
        }
    }
    if (const auto date = Try([&] { return automation::CDate(Variant(text)); })) {
        Convert(Variant(*date), pattern);
    }
    if (const auto whole = Try([&] { return automation::CLng(Variant(text)); })) {
        Convert(Variant(*whole), pattern);
    }
    return 0;
}
