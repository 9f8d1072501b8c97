#pragma once
// The decimal form VB's rounding and formatting work on. A Double holds about 15 significant
// decimal digits; VB rounds and prints that 15-digit decimal, not the exact binary value, which is
// why Round(0.12345, 4) gives 0.1234 although 0.12345 is stored slightly above the tie.

#include <string>

namespace automation::detail {

struct DecimalDigits {
    bool negative = false;
    // Significant digits without leading or trailing zeros; empty for zero.
    std::string digits;
    // How many digits stand before the decimal point: 123.4 is {"1234", 3}, 0.05 is {"5", -1}.
    int pointPosition = 0;

    bool IsZero() const { return digits.empty(); }
    // The digits before the point ("" for a value below 1), zeros filled in for large values.
    std::string IntegerDigits() const;
    // Exactly `places` digits after the point, zeros filled in.
    std::string FractionDigits(int places) const;
};

// The value rounded to 15 significant digits (as printf's "%.14e" does). Not for NaN or infinity.
DecimalDigits ToDecimal15(double value);

enum class TieRule { HalfEven, HalfAwayFromZero };

// Rounds to `places` digits after the point; a tie goes by `rule`.
void RoundToPlaces(DecimalDigits& number, int places, TieRule rule);

// Back to a double (exact for every value that came from ToDecimal15).
double ToDouble(const DecimalDigits& number);

}  // namespace automation::detail
