#include "contracts/Contract.h"
#include "contracts/Options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kSeason = 2000;

Contract ThreeYearDeal() {
    Contract c(kSeason);
    c.years = 3;
    c.salary = 3000000;
    c.bonus = 900000;
    return c;
}

} // namespace

TEST(ContractRecord, DefaultRecordIsAnUnsignedFreeAgentOfTheCurrentSeason) {
    const Contract c(kSeason);
    EXPECT_EQ(c.playerID, 0);
    EXPECT_EQ(c.yrSigned, kSeason);
    EXPECT_EQ(c.status, Contract::UnrestrictedFA);
    EXPECT_EQ(c.contractTeam, -1);
    EXPECT_EQ(c.offerTeam, -1);
    EXPECT_EQ(c.cgs, 0u);
    EXPECT_EQ(c.years, 0);
    EXPECT_EQ(c.bonus + c.salary + c.declines + c.round + c.pick + c.reserved25 + c.reserved28 + c.reserved32,
              0u);

    // In the file the two "no team" bytes are 255 and every reserved byte is 0.
    std::uint8_t bytes[Contract::kRecordSize];
    c.Encode(bytes);
    const std::vector<std::uint8_t> expected = {0, 0, 0xD0, 0x07, 2, 0xFF, 0xFF, 0, 0, 0, 0, 0,
                                                0, 0, 0,    0,    0, 0,    0,    0, 0, 0, 0, 0,
                                                0, 0, 0,    0,    0, 0,    0,    0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 36), expected);
}

TEST(ContractRecord, EncodesEveryFieldAtItsOffsetAndDecodesBack) {
    Contract c;
    c.playerID = 0x0123;
    c.yrSigned = 2003;
    c.status = Contract::Tendered;
    c.contractTeam = -1;
    c.offerTeam = 4;
    c.cgs = 0x01020304;
    c.years = 5;
    c.bonus = 0x0A0B0C0D;
    c.salary = 0x11223344;
    c.declines = 2;
    c.reserved25 = 0x55;
    c.round = 3;
    c.pick = 17;
    c.reserved28 = 0xDEADBEEF;
    c.reserved32 = 0xCAFE;
    std::uint8_t bytes[Contract::kRecordSize];
    c.Encode(bytes);
    const std::vector<std::uint8_t> expected = {0x23, 0x01, 0xD3, 0x07, 6,    0xFF, 4,    0,    0x04,
                                                0x03, 0x02, 0x01, 5,    0,    0,    0,    0x0D, 0x0C,
                                                0x0B, 0x0A, 0x44, 0x33, 0x22, 0x11, 2,    0x55, 3,
                                                17,   0xEF, 0xBE, 0xAD, 0xDE, 0xFE, 0xCA, 0,    0};
    EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 36), expected);

    // Reserved bytes that nothing sets are carried through a decode.
    bytes[7] = 0x77;
    bytes[14] = 0x66;
    bytes[35] = 0x99;
    const Contract back = Contract::Decode(bytes, sizeof bytes);
    std::uint8_t again[Contract::kRecordSize];
    back.Encode(again);
    EXPECT_EQ(std::vector<std::uint8_t>(again, again + 36), std::vector<std::uint8_t>(bytes, bytes + 36));
    EXPECT_EQ(back.contractTeam, -1);
    EXPECT_EQ(back.salary, 0x11223344u);
}

TEST(ContractRecord, SiblingRecordFillsOnlyItsFields) {
    // ID 150, season 1999, status 4, team 3 (1-based), CGS 1,234,567, 2 years, bonus
    // 500,000, salary 2,000,000, 3 declines; 0xEE marks the bytes that are not read.
    const std::uint8_t raw[Contract::kSiblingRecordSize] = {
        0x96, 0x00, 0xEE, 0xCF, 0x07, 4,    3,    0x87, 0xD6, 0x12, 0xEE, 2,    0x20, 0xA1, 0x07,
        0xEE, 0x80, 0x84, 0x1E, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 3};
    const Contract c = Contract::FromSibling(raw, sizeof raw);
    EXPECT_EQ(c.playerID, 150);
    EXPECT_EQ(c.yrSigned, 1999);
    EXPECT_EQ(c.status, Contract::FranchisePlayer);
    EXPECT_EQ(c.contractTeam, 3);
    EXPECT_EQ(c.cgs, 1234567u);
    EXPECT_EQ(c.years, 2);
    EXPECT_EQ(c.bonus, 500000u);
    EXPECT_EQ(c.salary, 2000000u);
    EXPECT_EQ(c.declines, 3);
    EXPECT_EQ(c.offerTeam, -1);
    EXPECT_EQ(c.round + c.pick + c.reserved7 + c.reserved25 + c.reserved28 + c.reserved32, 0u);

    // A record cut short inside the salary: the bytes that arrived are read, nothing past them.
    const std::vector<std::uint8_t> cut(raw, raw + 18);
    const Contract part = Contract::FromSibling(cut.data(), cut.size());
    EXPECT_EQ(part.bonus, 500000u);
    EXPECT_EQ(part.salary, 0u);
    EXPECT_EQ(part.declines, 0);
}

TEST(YearCharge, ThreeYearExampleSplitsBaseAndSpreadsBonus) {
    const Options options;
    const Contract c = ThreeYearDeal();
    // Default split 27/33/40 of 3,000,000 plus 900,000 / 3 a year.
    EXPECT_EQ(c.YearCharge(1, 0, options, kSeason), 1110000);
    EXPECT_EQ(c.YearCharge(2, 0, options, kSeason), 1290000);
    EXPECT_EQ(c.YearCharge(3, 0, options, kSeason), 1500000);
    EXPECT_EQ(c.YearCharge(1, 1, options, kSeason), 810000);
    EXPECT_EQ(c.YearCharge(3, 1, options, kSeason), 1200000);
    EXPECT_EQ(c.YearCharge(2, 2, options, kSeason), 300000);
    // Beyond the contract but within seven years the split row holds 0: the bonus share stays.
    EXPECT_EQ(c.YearCharge(4, 0, options, kSeason), 300000);
    EXPECT_EQ(c.YearCharge(7, 1, options, kSeason), 0);
    EXPECT_EQ(c.YearCharge(7, 2, options, kSeason), 300000);
}

TEST(YearCharge, CurrentSeasonCountsFromTheSeasonSigned) {
    const Options options;
    Contract c = ThreeYearDeal();
    c.yrSigned = kSeason - 1; // second contract year now
    EXPECT_EQ(c.YearCharge(0, 0, options, kSeason), 1290000);
    EXPECT_EQ(c.YearCharge(0, 1, options, kSeason), 990000);
    EXPECT_EQ(c.YearCharge(0, 2, options, kSeason), 300000);
    // Signed seven or more seasons ago, or in a later season: outside the split row, no charge.
    c.yrSigned = kSeason - 7;
    EXPECT_EQ(c.YearCharge(0, 0, options, kSeason), 0);
    c.yrSigned = kSeason + 1;
    EXPECT_EQ(c.YearCharge(0, 2, options, kSeason), 0);
}

TEST(YearCharge, UnknownSelectorsPartsAndLengthsChargeNothing) {
    const Options options;
    const Contract c = ThreeYearDeal();
    for (int sel : {8, 9, -1, 100})
        EXPECT_EQ(c.YearCharge(sel, 0, options, kSeason), 0) << sel;
    EXPECT_EQ(c.YearCharge(1, 3, options, kSeason), 0);
    EXPECT_EQ(c.YearCharge(1, -1, options, kSeason), 0);

    Contract none = c;
    none.years = 0;
    Contract negative = c;
    negative.years = -2;
    Contract eightYears = c; // only a converted sibling file can hold one
    eightYears.years = 8;
    for (int sel = 0; sel <= 7; ++sel)
        for (int part = 0; part <= 2; ++part) {
            EXPECT_EQ(none.YearCharge(sel, part, options, kSeason), 0);
            EXPECT_EQ(negative.YearCharge(sel, part, options, kSeason), 0);
            EXPECT_EQ(eightYears.YearCharge(sel, part, options, kSeason), 0);
        }
}

TEST(YearCharge, BonusRemainderIsDroppedAndBaseIsRoundedToTheDollar) {
    const Options options;
    Contract c(kSeason);
    c.years = 3;
    c.bonus = 1000000;
    EXPECT_EQ(c.YearCharge(1, 2, options, kSeason), 333333);
    EXPECT_EQ(c.YearCharge(3, 2, options, kSeason), 333333);

    // 45 % and 55 % of 1,000,001 are 450,000.45 and 550,000.55: rounded, not truncated.
    Contract two(kSeason);
    two.years = 2;
    two.salary = 1000001;
    EXPECT_EQ(two.YearCharge(1, 1, options, kSeason), 450000);
    EXPECT_EQ(two.YearCharge(2, 1, options, kSeason), 550001);

    // Salaries above 2^31 are unsigned: 100 % of 3,000,000,000 in a one-year deal.
    Contract big(kSeason);
    big.years = 1;
    big.salary = 3000000000u;
    EXPECT_EQ(static_cast<std::uint32_t>(big.YearCharge(1, 1, options, kSeason)), 3000000000u);
    EXPECT_EQ(big.FullYearCharge(1, 1, options, kSeason), 3000000000);
    // Beyond 32 bits the full charge stays whole; the 32-bit one keeps its low bits.
    Contract huge(kSeason);
    huge.years = 3;
    huge.salary = 4294967295u;
    huge.bonus = 4294967295u;
    EXPECT_EQ(huge.FullYearCharge(1, 0, options, kSeason), std::int64_t{1159641216} + 1431655765);
    EXPECT_EQ(huge.YearCharge(1, 0, options, kSeason), std::int64_t{1159641216} + 1431655765 - 4294967296);
}

TEST(YearCharge, UsesTheOptionsSplitRow) {
    Options options;
    options.SetSplits(2, {10, 20, 70, 0, 0, 0, 0});
    const Contract c = ThreeYearDeal();
    EXPECT_EQ(c.YearCharge(3, 1, options, kSeason), 2100000);
    EXPECT_EQ(c.YearCharge(1, 0, options, kSeason), 600000);
}

TEST(ContractRecord, FreeAgentKindByExperience) {
    const Options options; // RFA at 3, UFA at 4
    EXPECT_EQ(Contract::FreeAgentKind(0, options), Contract::ExclusiveFA);
    EXPECT_EQ(Contract::FreeAgentKind(2, options), Contract::ExclusiveFA);
    EXPECT_EQ(Contract::FreeAgentKind(3, options), Contract::RestrictedFA);
    EXPECT_EQ(Contract::FreeAgentKind(4, options), Contract::UnrestrictedFA);
    EXPECT_EQ(Contract::FreeAgentKind(12, options), Contract::UnrestrictedFA);
}
