#include "league/MoneyText.h"

#include <gtest/gtest.h>

namespace {

TEST(MoneyText, FormatCommasGroupsDigitsByThree) {
    EXPECT_EQ(FormatCommas(0), "0");
    EXPECT_EQ(FormatCommas(999), "999");
    EXPECT_EQ(FormatCommas(1000), "1,000");
    EXPECT_EQ(FormatCommas(123456), "123,456");
    EXPECT_EQ(FormatCommas(1234567), "1,234,567");
    EXPECT_EQ(FormatCommas(4294967295u), "4,294,967,295");
}

TEST(MoneyText, FormatMoneyPutsADollarSignInFront) {
    EXPECT_EQ(FormatMoney(0), "$0");
    EXPECT_EQ(FormatMoney(500), "$500");
    EXPECT_EQ(FormatMoney(100000), "$100,000");
    EXPECT_EQ(FormatMoney(1500000), "$1,500,000");
}

TEST(MoneyText, RemoveCommasKeepsOnlyTheDigits) {
    EXPECT_EQ(RemoveCommas("$1,500,000"), 1500000);
    EXPECT_EQ(RemoveCommas("1,000"), 1000);
    EXPECT_EQ(RemoveCommas("-250"), 250);
    EXPECT_EQ(RemoveCommas("12 34"), 1234);
    EXPECT_EQ(RemoveCommas("007"), 7);
    EXPECT_EQ(RemoveCommas("2,147,483,647"), 2147483647);
    EXPECT_EQ(RemoveCommas("\xE9"
                           "5x\x80"),
              5); // characters above 127 are dropped
}

TEST(MoneyText, RemoveCommasFailsWithoutDigitsOrAboveTheSignedRange) {
    EXPECT_THROW(RemoveCommas(""), ConversionError);
    EXPECT_THROW(RemoveCommas("$"), ConversionError);
    EXPECT_THROW(RemoveCommas("abc, -"), ConversionError);
    EXPECT_THROW(RemoveCommas("3,000,000,000"), ConversionError);
    EXPECT_THROW(RemoveCommas("2147483648"), ConversionError);
    EXPECT_THROW(RemoveCommas("99999999999999999999999"), ConversionError);
    // Callers that catch the standard conversion error see it too.
    EXPECT_THROW(RemoveCommas("$"), std::invalid_argument);
}

TEST(MoneyText, RemoveCommasReadsFormatMoneyBack) {
    for (unsigned int amount : {0u, 7u, 999u, 1000u, 65536u, 1000000u, 2147483647u})
        EXPECT_EQ(RemoveCommas(FormatMoney(amount)), static_cast<int>(amount));
}

} // namespace
