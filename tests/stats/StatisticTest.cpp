#include "stats/StatisticFG.h"
#include "stats/StatisticFumble.h"
#include "stats/StatisticFumbleRec.h"
#include "stats/StatisticInt.h"
#include "stats/StatisticKickRet.h"
#include "stats/StatisticPAT.h"
#include "stats/StatisticPass.h"
#include "stats/StatisticPassRec.h"
#include "stats/StatisticPenalty.h"
#include "stats/StatisticPunt.h"
#include "stats/StatisticPuntRet.h"
#include "stats/StatisticRush.h"
#include "stats/StatisticSack.h"
#include "stats/StatisticSafety.h"
#include "stats/StatisticTackle.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

// Expected lines are worked out by hand from the record words; the averages and
// percentages in the comments are the exact quotients before rounding.
namespace {

using Words = std::array<std::uint16_t, 10>;

constexpr std::uint16_t Signed(int v) {
    return static_cast<std::uint16_t>(v);
}

TEST(FieldGoalLine, SplitsTheBandsAndSumsThePercentage) {
    // Bands 1 of 1, 2 of 3, 1 of 2, none, 0 of 1; longest 52. 4 made of 7 = 57.142...%.
    StatisticFG fg(Words{33, 150, 52, 0x0101, 0x0302, 0x0201, 0x0000, 0x0100, 0, 0}.data());
    EXPECT_EQ(fg.StatLine(),
              "Field Goals <20: 1/1 20-29: 2/3 30-39: 1/2 40-49: 0/0 50+: 0/1 Long: 52 FG%: 57.14");
    const Statistic& base = fg; // the program reaches these two through the base class
    EXPECT_NEAR(base.Accuracy(), 0.5714f, 1e-4f);
    EXPECT_EQ(base.Over50(), 0);
}

TEST(FieldGoalLine, FullBandsAndNoAttempts) {
    // 255 of 255 under 20 and 2 of 3 from 50+: 257 of 258 = 99.612...%.
    StatisticFG full(Words{65, 150, 55, 0xFFFF, 0, 0, 0, 0x0302, 0, 0}.data());
    EXPECT_EQ(full.StatLine(),
              "Field Goals <20: 255/255 20-29: 0/0 30-39: 0/0 40-49: 0/0 50+: 2/3 Long: 55 FG%: 99.61");
    EXPECT_EQ(full.Over50(), 2);
    EXPECT_FLOAT_EQ(full.Accuracy(), 257.0f / 258.0f);

    StatisticFG none(Words{1, 150, 0, 0, 0, 0, 0, 0, 0, 0}.data());
    EXPECT_EQ(none.StatLine(),
              "Field Goals <20: 0/0 20-29: 0/0 30-39: 0/0 40-49: 0/0 50+: 0/0 Long: 0 FG%: 0.00");
    EXPECT_EQ(none.Accuracy(), 0.0f);

    int attempts = -1;
    int made = -1;
    StatisticFG::Breakdown(0x0302, attempts, made);
    EXPECT_EQ(attempts, 3);
    EXPECT_EQ(made, 2);
}

TEST(PassingLine, PercentageAndYardsPerCompletion) {
    // 15 of 25 = 60%, 180 yards / 15 completions = 12.
    StatisticPass pass(Words{35, 150, 25, 180, 40, 2, 15, 7, 8, 9}.data());
    EXPECT_EQ(pass.StatLine(), "Passing Comp/Att: 15/25 Comp%: 60.0 TDs: 2 Total Yards: 180 Average: 12.00");
    // 1 of 3 = 33.33...% shows three digits.
    StatisticPass third(Words{3, 150, 3, 5, 5, 0, 1, 0, 0, 0}.data());
    EXPECT_EQ(third.StatLine(), "Passing Comp/Att: 1/3 Comp%: 33.3 TDs: 0 Total Yards: 5 Average: 5.00");
}

TEST(PassingLine, ZeroDivisorsPrintZero) {
    StatisticPass none(Words{3, 150, 0, 0, 0, 0, 0, 0, 0, 0}.data());
    EXPECT_EQ(none.StatLine(), "Passing Comp/Att: 0/0 Comp%: 0.0 TDs: 0 Total Yards: 0 Average: 0.00");
    StatisticPass incomplete(Words{3, 150, 10, 0, 0, 0, 0, 0, 0, 0}.data());
    EXPECT_EQ(incomplete.StatLine(), "Passing Comp/Att: 0/10 Comp%: 0.0 TDs: 0 Total Yards: 0 Average: 0.00");
}

TEST(YardsLines, RushingReceivingAndKickoffReturns) {
    // -3 yards over 2 rushes = -1.5; the longest run was a loss of 1.
    StatisticRush loss(Words{2, 150, 2, Signed(-3), Signed(-1), 0, 0, 0, 0, 0}.data());
    EXPECT_EQ(loss.StatLine(), "Rushes: 2 Long: -1 TDs: 0 Total Yards: -3 Average: -1.50");
    // 97 / 8 = 12.125 exactly: the half goes away from zero.
    StatisticRush tie(Words{132, 3, 8, 97, 30, 1, 0, 0, 0, 0}.data());
    EXPECT_EQ(tie.StatLine(), "Rushes: 8 Long: 30 TDs: 1 Total Yards: 97 Average: 12.13");
    // -1 / 300 = -0.0033 rounds to zero and shows no minus sign.
    StatisticRush tiny(Words{34, 150, 300, Signed(-1), 5, 0, 0, 0, 0, 0}.data());
    EXPECT_EQ(tiny.StatLine(), "Rushes: 300 Long: 5 TDs: 0 Total Yards: -1 Average: 0.00");
    // 15432 / 125 = 123.456: four significant digits leave one decimal.
    StatisticPassRec catches(Words{36, 150, 125, 15432, 80, 9, 0, 0, 0, 0}.data());
    EXPECT_EQ(catches.StatLine(), "Receptions: 125 Long: 80 TDs: 9 Total Yards: 15432 Average: 123.50");
    StatisticKickRet kicks(Words{8, 150, 3, 75, 40, 0, 0, 0, 0, 0}.data());
    EXPECT_EQ(kicks.StatLine(), "KickOff Returns: 3 Long: 40 TDs: 0 Total Yards: 75 Average: 25.00");
    StatisticRush none(Words{2, 150, 0, 0, 0, 0, 0, 0, 0, 0}.data());
    EXPECT_EQ(none.StatLine(), "Rushes: 0 Long: 0 TDs: 0 Total Yards: 0 Average: 0.00");
}

TEST(PuntingLine, AveragesNetAverageAndBlocked) {
    // 210 / 5 = 42; (210 - 40) / 5 = 34. Touchdowns (9) and word 7 are not printed.
    StatisticPunt punt(Words{38, 150, 5, 210, 55, 9, 1, 77, 40, 1}.data());
    EXPECT_EQ(punt.StatLine(),
              "Punts: 5 Long: 55 TouchBacks: 1 Total Yards: 210 Average: 42.00 Net Average: 34.00");
    EXPECT_FLOAT_EQ(punt.NetAvg(), 34.0f);
    EXPECT_EQ(punt.Blocked(), 1);

    StatisticPunt none(Words{6, 150, 0, 0, 0, 0, 0, 0, 0, 0}.data());
    EXPECT_EQ(none.StatLine(),
              "Punts: 0 Long: 0 TouchBacks: 0 Total Yards: 0 Average: 0.00 Net Average: 0.00");
    EXPECT_EQ(none.NetAvg(), 0.0f);
    // Negative return yards (a loss on the returns) raise the net average: (100 + 5) / 3 = 35.
    StatisticPunt lost(Words{6, 150, 3, 100, 40, 0, 0, 0, Signed(-5), 0}.data());
    EXPECT_FLOAT_EQ(lost.NetAvg(), 35.0f);
}

TEST(OtherLines, PrintTheirFieldsWithTheirLabels) {
    EXPECT_EQ(StatisticPAT(Words{0, 150, 3, 2, 0, 0, 0, 0, 0, 0}.data()).StatLine(),
              "Extra Point Made/Attempted: 2/3");
    EXPECT_EQ(StatisticPuntRet(Words{7, 150, 4, 60, 22, 1, 3, 0, 0, 0}.data()).StatLine(),
              "Returns: 4 Long: 22 TDs: 1 Total Yards: 60 Fair Catches: 3");
    EXPECT_EQ(StatisticInt(Words{37, 150, 2, 70, 45, 1, 0, 0, 0, 0}.data()).StatLine(),
              "Interceptions: 2 Long: 45 TDs: 1");
    EXPECT_EQ(StatisticFumbleRec(Words{74, 150, 1, Signed(-2), Signed(-2), 0, 0, 0, 0, 0}.data()).StatLine(),
              "Fumble Recoveries: 1 Long: -2 TDs: 0");
    EXPECT_EQ(StatisticFumble(Words{9, 150, 2, 0, 0, 0, 0, 0, 0, 0}.data()).StatLine(), "Fumbles: 2");
    EXPECT_EQ(StatisticSack(Words{209, 3, 3, 0, 0, 0, 0, 0, 0, 0}.data()).StatLine(), "Sacks: 3");
    EXPECT_EQ(StatisticSafety(Words{12, 150, 1, 0, 0, 0, 0, 0, 0, 0}.data()).StatLine(), "Safeties: 1");
    // count is unsigned: all ones is 65535, not -1.
    EXPECT_EQ(StatisticTackle(Words{45, 150, 0xFFFF, 0, 0, 0, 0, 0, 0, 0}.data()).StatLine(),
              "Tackles: 65535");
}

TEST(Statistic, PenaltyKeepsTheBasePlaceholders) {
    StatisticPenalty penalty(Words{14, 150, 4, 0, 0, 0, 0, 0, 0, 0}.data());
    const Statistic& base = penalty;
    EXPECT_EQ(base.StatLine(), "");
    EXPECT_EQ(base.Accuracy(), 0.0f);
    EXPECT_EQ(base.Over50(), 0);
    EXPECT_EQ(penalty.count, 4);
}

TEST(Statistic, ConstructorCopiesWordsWithTheirSignedness) {
    StatisticRush rush(Words{0xFFFF, 0xFFFE, 0xFFFD, 0xFFFC, 0x8000, 0xFFFF, 1, 2, 3, 4}.data());
    EXPECT_EQ(rush.type, 65535);
    EXPECT_EQ(rush.id, 65534);
    EXPECT_EQ(rush.count, 65533);
    EXPECT_EQ(rush.GetTotal(), -4);
    EXPECT_EQ(rush.GetBest(), -32768);
    EXPECT_EQ(rush.GetTD(), 65535);
    StatisticSum empty;
    EXPECT_EQ(empty.GetTotal(), 0);
    EXPECT_EQ(empty.type, 0);
}

TEST(Statistic, CompareOrdersByUnsignedCodeAndNeverReturnsZero) {
    StatisticTackle low(Words{2, 150, 1, 0, 0, 0, 0, 0, 0, 0}.data());
    StatisticTackle high(Words{0x8000, 150, 1, 0, 0, 0, 0, 0, 0, 0}.data());
    StatisticTackle same(Words{2, 151, 9, 0, 0, 0, 0, 0, 0, 0}.data());
    EXPECT_EQ(low.Compare(&high, &low), 1);
    EXPECT_EQ(low.Compare(&low, &high), -1);
    EXPECT_EQ(high.Compare(&low, &same), -1);
    EXPECT_EQ(high.Compare(&same, &low), -1);
}

} // namespace
