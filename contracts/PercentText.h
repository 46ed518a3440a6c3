#pragma once

#include <cmath>
#include <cstdio>
#include <string>

// A percentage to a tenth, rounded away from the bound it breaks, so that 19.99 % never reads
// as the 20 % it falls short of, nor 120.01 % as the 120 % it exceeds.
inline std::string PercentBeyondBound(double value, bool belowBound) {
    const double tenths = belowBound ? std::floor(value * 10.0) : std::ceil(value * 10.0);
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", tenths / 10.0);
    return text;
}
