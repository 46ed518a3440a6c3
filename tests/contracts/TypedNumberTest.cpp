#include "contracts/FloatText.h"
#include "contracts/TextToInt.h"
#include "league/MoneyText.h"

#include <gtest/gtest.h>

#include <climits>

TEST(TextToInt, DecimalWithBlanksAndSign) {
    EXPECT_EQ(TextToInt("42"), 42);
    EXPECT_EQ(TextToInt("  42\t"), 42);
    EXPECT_EQ(TextToInt("+7"), 7);
    EXPECT_EQ(TextToInt("-0"), 0);
    EXPECT_EQ(TextToInt("007"), 7);
    EXPECT_EQ(TextToInt("2147483647"), INT_MAX);
    EXPECT_EQ(TextToInt("-2147483648"), INT_MIN);
    for (const char* bad : {"", "  ", "-", "+", "2147483648", "-2147483649", "99999999999999999999", "1,000",
                            "12 34", "0x10", "$5", "- 5", "+-5", "5-", "1.0", "1e3"})
        EXPECT_THROW(TextToInt(bad), ConversionError) << bad;
    try {
        TextToInt("abc");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
}

TEST(FloatText, ShortestTextWithoutExponentForOrdinaryValues) {
    EXPECT_EQ(FloatToText(2500000.0), "2500000");
    EXPECT_EQ(FloatToText(2.5), "2.5");
    EXPECT_EQ(FloatToText(7.0), "7");
    EXPECT_EQ(FloatToText(0.22), "0.22");
    EXPECT_EQ(FloatToText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(FloatToText(-1.5), "-1.5");
    EXPECT_EQ(FloatToText(1e30), "1e+30");
    // Rounded to 15 significant digits, the noise of a computation goes.
    EXPECT_EQ(FloatToText(0.1 + 0.2, 15), "0.3");
    EXPECT_EQ(FloatToText(1899999.9999999998, 15), "1900000");
    EXPECT_EQ(FloatToText(1234567.5, 15), "1234567.5");
}

TEST(FloatText, ReadsTypedNumbers) {
    EXPECT_EQ(TextToFloat("2.5"), 2.5);
    EXPECT_EQ(TextToFloat(" 2500000 "), 2500000.0);
    EXPECT_EQ(TextToFloat("+3"), 3.0);
    EXPECT_EQ(TextToFloat("-0.5"), -0.5);
    EXPECT_EQ(TextToFloat(".5"), 0.5);
    EXPECT_EQ(TextToFloat("1e3"), 1000.0);
    for (const char* bad : {"", " ", "abc", "1.2.3", "2,5", "+-1", "--1", "1e", "inf", "nan", "1e999", "5 5"})
        EXPECT_THROW(TextToFloat(bad), ConversionError) << bad;
    try {
        TextToFloat("x");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid floating point value");
    }
    // Every shown text reads back as the same number.
    for (double v : {0.22, 1.3, 2.6e6, 0.1 + 0.2, 1e-30, 123456.789})
        EXPECT_EQ(TextToFloat(FloatToText(v)), v) << v;
}
