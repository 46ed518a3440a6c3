#include "stats/StatNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace tolvik {
namespace {

// A non-negative integer as decimal digits, least significant first, no leading zeros
// (zero is the empty vector).
using Digits = std::vector<std::uint8_t>;

Digits ToDigits(std::uint64_t v) {
    Digits d;
    d.reserve(64); // room for the exact digits of most values, so the products rarely grow it
    for (; v != 0; v /= 10)
        d.push_back(static_cast<std::uint8_t>(v % 10));
    return d;
}

void MultiplySmall(Digits& d, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (auto& digit : d) {
        std::uint64_t x = std::uint64_t{digit} * factor + carry;
        digit = static_cast<std::uint8_t>(x % 10);
        carry = x / 10;
    }
    for (; carry != 0; carry /= 10)
        d.push_back(static_cast<std::uint8_t>(carry % 10));
}

// Multiplies by base^exponent, in steps that keep each factor within 32 bits.
void MultiplyPower(Digits& d, std::uint32_t base, int exponent, int maxStep) {
    while (exponent > 0) {
        int step = std::min(exponent, maxStep);
        std::uint32_t factor = 1;
        for (int i = 0; i < step; ++i)
            factor *= base;
        MultiplySmall(d, factor);
        exponent -= step;
    }
}

// Drops the lowest `count` digits, rounding half away from zero: only the first dropped
// digit decides, since the digits are the exact value.
void DropRounded(Digits& d, int count) {
    if (count <= 0)
        return;
    if (static_cast<std::size_t>(count) > d.size()) {
        d.clear();
        return;
    }
    bool up = d[static_cast<std::size_t>(count) - 1] >= 5;
    d.erase(d.begin(), d.begin() + count);
    if (!up)
        return;
    for (auto& digit : d) {
        if (digit < 9) {
            ++digit;
            return;
        }
        digit = 0;
    }
    d.push_back(1);
}

std::string Text(const Digits& d, std::size_t from, std::size_t to) {
    // Digits [from, to) from most significant down, or "0" for nothing.
    std::string out;
    for (std::size_t i = to; i > from; --i)
        out.push_back(static_cast<char>('0' + d[i - 1]));
    return out;
}

} // namespace

float GuardedQuotient(int numerator, int divisor) {
    if (divisor == 0)
        return 0.0f;
    return static_cast<float>(static_cast<double>(numerator) / static_cast<double>(divisor));
}

float GuardedPercentage(int numerator, int divisor) {
    return GuardedQuotient(numerator, divisor) * 100.0f;
}

std::string FormatFixed(float value, int precision, int decimals) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    precision = std::max(precision, 1);
    decimals = std::max(decimals, 0);
    bool negative = std::signbit(value);

    // |value| = mantissa * 2^exponent exactly, then digits / 10^scale exactly.
    int exponent = 0;
    float fraction = std::frexp(std::fabs(value), &exponent);
    auto mantissa = static_cast<std::uint32_t>(std::ldexp(fraction, 24));
    exponent -= 24;
    while (mantissa != 0 && (mantissa & 1) == 0 && exponent < 0) {
        mantissa >>= 1;
        ++exponent;
    }
    Digits digits = ToDigits(mantissa);
    int scale = 0;
    if (mantissa == 0) {
        exponent = 0;
    } else if (exponent >= 0) {
        MultiplyPower(digits, 2, exponent, 31);
    } else {
        // m / 2^k = m * 5^k / 10^k
        scale = -exponent;
        MultiplyPower(digits, 5, scale, 13);
    }

    int used = decimals;
    if (!digits.empty()) {
        int lead = static_cast<int>(digits.size()) - 1 - scale; // power of ten of the leading digit
        if (lead >= precision) {
            // More integer digits than the precision holds: mantissa and power of ten.
            DropRounded(digits, static_cast<int>(digits.size()) - precision);
            if (static_cast<int>(digits.size()) > precision) {
                digits.erase(digits.begin()); // a carry gave 10...0
                ++lead;
            }
            std::string out = negative ? "-" : "";
            out += static_cast<char>('0' + digits.back());
            if (precision > 1) {
                out += '.';
                out += Text(digits, 0, digits.size() - 1);
            }
            out += "E+";
            if (lead < 10)
                out += '0';
            out += std::to_string(lead);
            return out;
        }
        used = std::min(decimals, precision - 1 - lead);
    }

    // Round to `used` decimals, then widen to exactly `decimals`.
    if (scale > used) {
        DropRounded(digits, scale - used);
    } else {
        digits.insert(digits.begin(), static_cast<std::size_t>(used - scale), 0);
    }
    digits.insert(digits.begin(), static_cast<std::size_t>(decimals - used), 0);
    while (!digits.empty() && digits.back() == 0)
        digits.pop_back();

    std::string out = negative && !digits.empty() ? "-" : "";
    auto fractionDigits = static_cast<std::size_t>(decimals);
    if (digits.size() < fractionDigits + 1)
        digits.resize(fractionDigits + 1, 0);
    out += Text(digits, fractionDigits, digits.size());
    if (decimals > 0) {
        out += '.';
        out += Text(digits, 0, fractionDigits);
    }
    return out;
}

} // namespace tolvik
