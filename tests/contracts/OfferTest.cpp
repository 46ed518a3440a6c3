#include "contracts/Offer.h"
#include "contracts/Contract.h"
#include "contracts/OfferType.h"
#include "contracts/TextToInt.h"
#include "league/MoneyText.h"
#include "support/OfferFixtures.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

// The sentences' example: 3 years, $3,000,000 and $900,000.
Offer Example(std::int16_t id, int type) {
    return MakeOffer(id, type, 3, 3000000, 900000, 1);
}

} // namespace

TEST(OfferRecord, EncodesFieldByFieldLittleEndianWithZeroPadding) {
    Offer o = MakeOffer(0x0123, 3, 4, 3000000, 900000, 1);
    o.team = 2;
    o.acceptPct = -2;
    o.flag = 7;
    o.padding5[1] = 0xAA; // whatever memory holds, the file gets zeros
    o.padding19 = 0xBB;
    std::array<std::uint8_t, 20> bytes{};
    o.Encode(bytes.data());
    // 3,000,000 = 0x2DC6C0, 900,000 = 0x0DBBA0, -2 = 0xFFFE.
    const std::array<std::uint8_t, 20> expected{0x23, 0x01, 0x02, 0x03, 0x04, 0x00, 0x00, 0x00, 0xC0, 0xC6,
                                                0x2D, 0x00, 0xA0, 0xBB, 0x0D, 0x00, 0xFE, 0xFF, 0x07, 0x00};
    EXPECT_EQ(bytes, expected);

    const Offer back = Offer::Decode(expected.data(), expected.size());
    EXPECT_EQ(back.playerID, 0x0123);
    EXPECT_EQ(back.team, 2);
    EXPECT_EQ(back.offerType, 3);
    EXPECT_EQ(back.years, 4);
    EXPECT_EQ(back.salary, 3000000u);
    EXPECT_EQ(back.bonus, 900000u);
    EXPECT_EQ(back.acceptPct, -2);
    EXPECT_EQ(back.flag, 7);

    // Cut short inside the salary: what arrived is read, the rest keeps its defaults.
    const std::vector<std::uint8_t> cut(expected.begin(), expected.begin() + 10);
    const Offer part = Offer::Decode(cut.data(), cut.size());
    EXPECT_EQ(part.years, 4);
    EXPECT_EQ(part.salary, 0u);
    EXPECT_EQ(part.flag, 0);
}

TEST(OfferRecord, ChanceSaturatesInTheSixteenBitField) {
    EXPECT_EQ(SaturateToPercentField(74), 74);
    EXPECT_EQ(SaturateToPercentField(62000000), 32767);
    EXPECT_EQ(SaturateToPercentField(-70000), -32768);
}

TEST(OfferSentences, EveryTypeReadsAsTheListShowsIt) {
    TempDir dir;
    TestLeague plan;
    plan.Add(101, Player::QB, 3);
    plan.Add(102, Player::WR, 3);
    plan.Add(150, Player::K, 3);
    plan.rosters = {{102}, {101}};
    plan.freeAgents = std::vector<std::int16_t>{150};
    const auto league = plan.Open(dir);

    const std::string deal = " a 3 year deal for $3,000,000 with a $900,000 signing bonus";
    EXPECT_EQ(OfferSentence(Example(150, 0), *league), "Team 1 offers Free Agent K First P150" + deal);
    EXPECT_EQ(OfferSentence(Example(102, 0), *league), "Team 1 offers Team 0 WR First P102" + deal);
    EXPECT_EQ(OfferSentence(Example(101, 1), *league), "Team 1's XFA/RFA QB First P101 is offered" + deal);
    EXPECT_EQ(OfferSentence(Example(101, 2), *league),
              "Team 1 makes tender offer to QB First P101 for $3,000,000");
    EXPECT_EQ(
        OfferSentence(Example(101, 3), *league),
        "Team 1 offers QB First P101 a retructure for 3 deal for $3,000,000 with a $900,000 signing bonus");
    EXPECT_EQ(OfferSentence(Example(101, 4), *league), "Team 1 makes QB First P101 their Franchise Player");
    EXPECT_EQ(OfferSentence(Example(101, 5), *league), "Team 1 makes QB First P101 a Tranistion Player");
    EXPECT_EQ(OfferSentence(Example(101, 6), *league),
              "Team 1 matches QB First P101's offersheet with a 3 year deal for $3,000,000 with a $900,000 "
              "signing bonus");
    EXPECT_EQ(OfferSentence(Example(101, 7), *league), "Team 1 offers QB First P101" + deal);
    EXPECT_EQ(
        OfferSentence(Example(102, 8), *league),
        "Team 1 gives Team 0 WR First P102 an offersheet for 3 year deal for $3,000,000 with a $900,000 "
        "signing bonus");
    EXPECT_EQ(OfferSentence(Example(101, 9), *league), "Team 1");
    EXPECT_EQ(OfferSentence(Example(101, 10), *league), "Team 1 INVALID OFFER");
    EXPECT_EQ(OfferSentence(Example(101, 77), *league), "Team 1");
    // A negative length from a file is printed with its sign.
    EXPECT_EQ(OfferSentence(MakeOffer(101, 7, -2, 0, 0, 1), *league),
              "Team 1 offers QB First P101 a -2 year deal for $0 with a $0 signing bonus");
}

TEST(OfferSentences, APlayerTheLeagueDoesNotHaveGivesEmptyNames) {
    TempDir dir;
    TestLeague plan;
    plan.Add(101, Player::QB, 3);
    const auto league = plan.Open(dir);
    EXPECT_EQ(OfferSentence(Example(9999, 0), *league),
              "Team 1 offers Free Agent    a 3 year deal for $3,000,000 with a $900,000 signing bonus");
    EXPECT_EQ(OfferSentence(Example(-5, 4), *league), "Team 1 makes    their Franchise Player");
}

namespace {

struct TypeRow {
    int status;
    int ownType;
    int otherType;
};

// The two tables for an untagged offer from the club listing: own club, another club.
const TypeRow kUntagged[] = {
    {Contract::UnderContract, 3, 10},   {Contract::RestrictedFA, 1, 8},    {Contract::UnrestrictedFA, 0, 0},
    {Contract::TransitionPlayer, 3, 8}, {Contract::FranchisePlayer, 3, 8}, {Contract::ExclusiveFA, 1, 10},
    {Contract::Tendered, 7, 8},         {Contract::OfferSheet, 6, 10},     {Contract::Holdout, 3, 10},
};

} // namespace

TEST(OfferTypes, UntaggedOffersFromTheClubListing) {
    for (const TypeRow& row : kUntagged) {
        SCOPED_TRACE(row.status);
        EXPECT_EQ(DecideOfferType(false, {}, true, row.status, 2).type, row.ownType);
        EXPECT_EQ(DecideOfferType(false, {}, false, row.status, 2).type, row.otherType);
        EXPECT_FALSE(DecideOfferType(false, {}, true, row.status, 2).certain);
    }
    // A retired player: a restructure while he has a contract, else a new contract.
    EXPECT_EQ(DecideOfferType(false, {}, true, Contract::Retired, 1).type, 3);
    EXPECT_EQ(DecideOfferType(false, {}, true, Contract::Retired, 0).type, 0);
    EXPECT_EQ(DecideOfferType(false, {}, false, Contract::Retired, 1).type, 10);
    // Statuses no record should hold are invalid for either club.
    EXPECT_EQ(DecideOfferType(false, {}, true, 10, 1).type, 10);
    EXPECT_EQ(DecideOfferType(false, {}, true, 255, 0).type, 10);
    EXPECT_EQ(DecideOfferType(false, {}, false, 42, 0).type, 10);
}

TEST(OfferTypes, TagsOnlyForOnesOwnFreeAgentsAndThenCertain) {
    const OfferTags franchise{true, false, false};
    const OfferTags transition{false, true, false};
    const OfferTags tender{false, false, true};
    for (int status : {Contract::UnrestrictedFA, Contract::RestrictedFA}) {
        EXPECT_EQ(DecideOfferType(false, franchise, true, status, 0).type, 4);
        EXPECT_EQ(DecideOfferType(false, transition, true, status, 0).type, 5);
        EXPECT_EQ(DecideOfferType(false, tender, true, status, 0).type, 2);
        EXPECT_TRUE(DecideOfferType(false, tender, true, status, 0).certain);
        // Another club's player may not be tagged.
        EXPECT_EQ(DecideOfferType(false, franchise, false, status, 0).type, 10);
        EXPECT_FALSE(DecideOfferType(false, franchise, false, status, 0).certain);
    }
    // A later box overrides an earlier one.
    EXPECT_EQ(DecideOfferType(false, {true, true, false}, true, Contract::UnrestrictedFA, 0).type, 5);
    EXPECT_EQ(DecideOfferType(false, {true, true, true}, true, Contract::RestrictedFA, 0).type, 2);
    for (int status : {0, 3, 4, 5, 6, 7, 8, 9}) {
        EXPECT_EQ(DecideOfferType(false, franchise, true, status, 1).type, 10) << status;
        EXPECT_FALSE(DecideOfferType(false, franchise, true, status, 1).certain);
    }
}

TEST(OfferTypes, TheFreeAgentListingSignsOrRefusesTags) {
    for (int status = 0; status <= 9; ++status) {
        EXPECT_EQ(DecideOfferType(true, {}, false, status, 0).type, 0) << status;
        const bool tagged = status == 3 || status == 4 || status == 6;
        EXPECT_EQ(DecideOfferType(true, {false, false, true}, true, status, 0).type, tagged ? 0 : 10)
            << status;
        EXPECT_FALSE(DecideOfferType(true, {true, false, false}, true, status, 0).certain);
    }
}

TEST(TextToInt, ReadsWhatAUserTypesAsAWholeNumber) {
    EXPECT_EQ(TextToInt("42"), 42);
    EXPECT_EQ(TextToInt(" -7 "), -7);
    EXPECT_EQ(TextToInt("+3"), 3);
    EXPECT_EQ(TextToInt("00"), 0);
    EXPECT_EQ(TextToInt("2147483647"), 2147483647);
    EXPECT_EQ(TextToInt("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " ", "-", "1,000", "12a", "2147483648", "1 2", "$5"}) {
        try {
            TextToInt(bad);
            ADD_FAILURE() << "no failure for '" << bad << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}
