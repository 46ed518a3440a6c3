#include "stats/StatNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <locale>
#include <string>

namespace {

using tolvik::FormatFixed;
using tolvik::GuardedPercentage;
using tolvik::GuardedQuotient;

TEST(GuardedQuotient, ZeroDivisorGivesZero) {
    EXPECT_EQ(GuardedQuotient(5, 0), 0.0f);
    EXPECT_EQ(GuardedPercentage(5, 0), 0.0f);
    EXPECT_EQ(GuardedQuotient(-3, 2), -1.5f);
    // The percentage is rounded twice: 1/3 to single precision, then times 100.
    EXPECT_EQ(GuardedPercentage(1, 3), (1.0f / 3.0f) * 100.0f);
}

TEST(FormatFixed, RoundsHalfAwayOnTheExactValue) {
    EXPECT_EQ(FormatFixed(12.125f, 4, 2), "12.13");   // exactly halfway
    EXPECT_EQ(FormatFixed(-12.125f, 4, 2), "-12.13"); // away from zero both ways
    EXPECT_EQ(FormatFixed(0.125f, 4, 2), "0.13");
    EXPECT_EQ(FormatFixed(123.456f, 4, 2), "123.50"); // four significant digits win
    EXPECT_EQ(FormatFixed(60.0f, 3, 1), "60.0");
    // These look halfway in decimal but their floats lie just below the half.
    EXPECT_EQ(FormatFixed(0.005f, 4, 2), "0.00");
    EXPECT_EQ(FormatFixed(2.675f, 4, 2), "2.67");
    EXPECT_EQ(FormatFixed(99.95f, 3, 1), "99.9");
    // And this one just above it.
    EXPECT_EQ(FormatFixed(0.05f, 3, 1), "0.1");
}

TEST(FormatFixed, ZeroesSignsAndCarries) {
    EXPECT_EQ(FormatFixed(0.0f, 4, 2), "0.00");
    EXPECT_EQ(FormatFixed(-0.0f, 4, 2), "0.00");
    EXPECT_EQ(FormatFixed(-0.004f, 4, 2), "0.00"); // no minus on a value that rounds to zero
    EXPECT_EQ(FormatFixed(-0.04f, 3, 1), "0.0");
    EXPECT_EQ(FormatFixed(0.5f, 4, 2), "0.50");
    EXPECT_EQ(FormatFixed(9.999f, 4, 2), "10.00");
    EXPECT_EQ(FormatFixed(999.96f, 4, 2), "1000.00");
    EXPECT_EQ(FormatFixed(1234.5f, 4, 2), "1235.00");
    EXPECT_EQ(FormatFixed(9999.5f, 4, 2), "10000.00");
    EXPECT_EQ(FormatFixed(100.0f, 3, 1), "100.0");
}

TEST(FormatFixed, MoreIntegerDigitsThanThePrecisionGoScientific) {
    EXPECT_EQ(FormatFixed(12345.6f, 4, 2), "1.235E+04");
    EXPECT_EQ(FormatFixed(-32768.0f, 4, 2), "-3.277E+04");
    EXPECT_EQ(FormatFixed(6553500.0f, 3, 1), "6.55E+06");
    EXPECT_EQ(FormatFixed(99999.0f, 4, 2), "1.000E+05");
}

// A decimal comma in the program's locale must not reach the stat lines.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(FormatFixed, PointWhateverTheLocale) {
    std::locale saved = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    std::string text = FormatFixed(12.5f, 4, 2);
    std::locale::global(saved);
    EXPECT_EQ(text, "12.50");
}

// The reference: the float is m * 2^e exactly; its rounded value with d decimals is
// floor(|v| * 10^d + 1/2), computed on integers; the number of decimals comes from the
// leading digit found by exact comparison with powers of ten. It covers values between
// 2^-40 and 10^precision, which is all that quotients of 16-bit counts produce.
__extension__ typedef __int128 Wide;

Wide Pow10(int n) {
    Wide p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

// |v| * 10^d rounded half up, for |v| = m * 2^e with e in [-64, 24] and d in [0, 6].
Wide ScaledRounded(std::uint32_t m, int e, int d) {
    if (e >= 0)
        return (Wide{m} << e) * Pow10(d);
    Wide numerator = Wide{m} * Pow10(d) * 2 + (Wide{1} << -e);
    return numerator >> (-e + 1);
}

// Largest t with 10^t <= |v|.
int Lead(std::uint32_t m, int e) {
    for (int t = 10; t >= -20; --t) {
        // m * 2^e >= 10^t  <=>  m * 2^max(e,0) * 10^max(-t,0) >= 10^max(t,0) * 2^max(-e,0)
        Wide left = (Wide{m} << std::max(e, 0)) * Pow10(std::max(-t, 0));
        Wide right = Pow10(std::max(t, 0)) << std::max(-e, 0);
        if (left >= right)
            return t;
    }
    return -21;
}

std::string Reference(float value, int precision, int decimals) {
    int e = 0;
    float fraction = std::frexp(std::fabs(value), &e);
    auto m = static_cast<std::uint32_t>(std::ldexp(fraction, 24));
    e -= 24;
    int used = decimals;
    if (m != 0)
        used = std::min(decimals, precision - 1 - Lead(m, e));
    Wide r = m == 0 ? 0 : ScaledRounded(m, e, used);
    std::string digits;
    for (Wide x = r; x > 0; x /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(x % 10)));
    digits.append(static_cast<std::size_t>(decimals - used), '0');
    if (digits.size() < static_cast<std::size_t>(decimals) + 1)
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    std::string text = (value < 0 && r != 0) ? "-" : "";
    text += digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    if (decimals > 0)
        text += "." + digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    return text;
}

// A small deterministic generator for the sample values.
struct SplitMix {
    std::uint64_t state;
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Range(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }
};

TEST(FormatFixed, AgreesWithExactReferenceOnQuotientsOfCounts) {
    SplitMix rng{20240601};
    int checked = 0;
    for (int i = 0; i < 60000; ++i) {
        // Averages of signed yards over counts, and percentages of counts.
        int yards = rng.Range(-32768, 32767);
        int count = rng.Range(1, i % 3 == 0 ? 20 : 2000);
        float average = GuardedQuotient(yards, count);
        if (std::fabs(average) < 10000.0f) {
            ASSERT_EQ(FormatFixed(average, 4, 2), Reference(average, 4, 2)) << yards << "/" << count;
            ++checked;
        }
        int attempts = rng.Range(1, 700);
        float percentage = GuardedPercentage(rng.Range(0, attempts), attempts);
        ASSERT_EQ(FormatFixed(percentage, 3, 1), Reference(percentage, 3, 1));
        ASSERT_EQ(FormatFixed(percentage, 4, 2), Reference(percentage, 4, 2));
    }
    EXPECT_GT(checked, 50000);
}

TEST(FormatFixed, AgreesWithExactReferenceOnHalfwayValues) {
    // Multiples of 1/8 .. 1/1024 hold exact halves at the second and third decimal.
    for (int shift = 3; shift <= 10; ++shift) {
        for (int k = -3000; k <= 3000; ++k) {
            float value = std::ldexp(static_cast<float>(k), -shift);
            ASSERT_EQ(FormatFixed(value, 4, 2), Reference(value, 4, 2)) << value;
            ASSERT_EQ(FormatFixed(value, 3, 1), Reference(value, 3, 1)) << value;
        }
    }
    // Neighbours of decimal halves: one float step either side.
    SplitMix rng{7};
    for (int i = 0; i < 20000; ++i) {
        float half = static_cast<float>(rng.Range(-99999, 99999)) / 100.0f + 0.005f;
        for (float value : {std::nextafter(half, -1e9f), half, std::nextafter(half, 1e9f)})
            ASSERT_EQ(FormatFixed(value, 4, 2), Reference(value, 4, 2)) << value;
    }
}

} // namespace
