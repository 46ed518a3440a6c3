#pragma once

#include "league/TolvikExport.h"

#include <stdexcept>
#include <string>

// Raised by RemoveCommas when the text holds no digit or the digits stand for a value
// above 2,147,483,647. It is the only error the library reports by exception.
class TOLVIK_EXPORT ConversionError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

// "$" followed by the amount with comma groups: 1500000 gives "$1,500,000".
TOLVIK_EXPORT std::string FormatMoney(unsigned int amount);
// The number with comma groups: 1234567 gives "1,234,567".
TOLVIK_EXPORT std::string FormatCommas(unsigned int number);
// The value of the decimal digits of the text, all else dropped. Throws ConversionError.
TOLVIK_EXPORT int RemoveCommas(std::string text);
