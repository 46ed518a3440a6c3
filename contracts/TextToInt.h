#pragma once

#include <string>

// The integer value of a text the user typed: optional blanks around an optional sign and
// decimal digits, within the signed 32-bit range. Anything else throws ConversionError with
// the message "'<text>' is not a valid integer value".
int TextToInt(const std::string& text);
