#pragma once

#include <string>

// The value of a decimal integer typed into an edit box: optional blanks around it, an
// optional sign, then digits only, within the 32-bit signed range. Anything else throws
// ConversionError ("'<text>' is not a valid integer value").
int TextToInt(const std::string& text);

// An amount of money typed into a box: like TextToInt, but the digits may carry comma groups
// and a "$" before them ("2,000,000", "-$5"). Anything else throws ConversionError.
int MoneyTextToInt(const std::string& text);
