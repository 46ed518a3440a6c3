#pragma once

#include "league/TolvikExport.h"

#include <string>

// The numbers of stat lines: quotients of counts and their fixed-notation text.
namespace tolvik {

// numerator / divisor rounded to single precision; 0 when the divisor is 0.
TOLVIK_EXPORT float GuardedQuotient(int numerator, int divisor);
// The guarded quotient times 100, rounded to single precision again.
TOLVIK_EXPORT float GuardedPercentage(int numerator, int divisor);

// The value rounded to `precision` significant digits or to `decimals` decimals, whichever
// keeps fewer digits, half away from zero on the exact decimal value of the float, then
// written with exactly `decimals` decimals and a point as separator. A value that rounds
// to zero has no minus sign. A value with more integer digits than `precision` is written
// as a mantissa of `precision` significant digits and a power of ten, as 1.235E+04.
TOLVIK_EXPORT std::string FormatFixed(float value, int precision, int decimals);

} // namespace tolvik
