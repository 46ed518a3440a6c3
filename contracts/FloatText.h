#pragma once

#include <string>

// Floating-point numbers as the options window shows and reads them (starters, salaries).

// The shortest decimal text that reads back as exactly the same number, without an
// exponent for ordinary magnitudes: 2500000 gives "2500000", 2.5 gives "2.5", 7 gives "7".
std::string FloatToText(double value);

// The same text for the value rounded to the given number of significant digits, so that
// the rounding noise of a computed value does not show: 400000.00000000006 to 15 digits
// gives "400000".
std::string FloatToText(double value, int significantDigits);

// The value of a decimal number typed into an edit box: optional blanks around it, an
// optional sign, digits with an optional decimal point and exponent. Anything else, and
// values that are not finite, throw ConversionError ("'<text>' is not a valid floating
// point value").
double TextToFloat(const std::string& text);
