#include "league/League.h"
#include "league/Roster.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Scramble, TeamSeedZeroUsesTheKeyStreamFromZero) {
    // 0 times any multiplier is 0: byte i (from 1) is XORed with i - 1.
    Bytes record(171, 0xFF);
    record[0] = 0;
    tolvik::ScrambleTeamRecord(record.data());
    EXPECT_EQ(record[0], 0);
    EXPECT_EQ(record[1], 0xFF);
    EXPECT_EQ(record[2], 0xFE);
    EXPECT_EQ(record[170], 0x56); // 0xFF ^ 169
}

TEST(Scramble, TeamSeedThreeUnscramblesANameByHand) {
    // 3 * 77 = 231: byte i holds key 231 + (i - 1) mod 256, so byte 26 has key 0 and
    // byte 55 has key 29, byte 56 key 30. 'A' (65) ^ 29 = 92 and 'B' (66) ^ 30 = 92.
    Bytes record(171);
    record[0] = 3;
    for (int i = 1; i < 171; ++i)
        record[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((231 + i - 1) % 256);
    record[55] = 92;
    record[56] = 92;
    tolvik::ScrambleTeamRecord(record.data());
    Bytes expected(171, 0);
    expected[0] = 3;
    expected[55] = 'A';
    expected[56] = 'B';
    EXPECT_EQ(record, expected);
    // The same operation scrambles again; the seed is never changed.
    tolvik::ScrambleTeamRecord(record.data());
    EXPECT_EQ(record[0], 3);
    EXPECT_EQ(record[55], 92);
    EXPECT_EQ(record[26], 0);
}

TEST(Scramble, RosterNegativeSeedKeepsTheLowByteOfTheProduct) {
    // Seed -3 (bytes FD FF): -3 * 77 = -231, and -231 + 256 = 25, so byte 2 has key 25,
    // byte 3 key 26 and byte 128 key 25 + 126 = 151. Identifier 100 (64 00) is stored as
    // 0x64 ^ 25 = 125, 0 ^ 26 = 26; jersey 12 as 151 ^ 12 = 155.
    Bytes record(326);
    record[0] = 0xFD;
    record[1] = 0xFF;
    for (int i = 2; i < 326; ++i)
        record[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((25 + i - 2) % 256);
    record[2] = 125;
    record[3] = 26;
    record[128] = 155;
    tolvik::ScrambleRosterRecord(record.data());
    Roster roster = Roster::Decode(record.data(), record.size());
    EXPECT_EQ(roster.seed, -3);
    EXPECT_EQ(roster.pids[0], 100);
    EXPECT_EQ(roster.jerseys[0], 12);
    for (int i = 1; i < Roster::kSlots; ++i) {
        EXPECT_EQ(roster.pids[i], 0) << i;
        EXPECT_EQ(roster.jerseys[i], 0) << i;
    }
    for (std::uint8_t b : roster.unknown)
        EXPECT_EQ(b, 0);
}

TEST(RosterRecord, DecodesFieldsAtTheirOffsetsAndEncodesTheSameBytes) {
    Bytes bytes(326);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 13 + 1);
    bytes[0] = 0x34, bytes[1] = 0x92;     // seed 0x9234
    bytes[2] = 0x65, bytes[3] = 0x00;     // slot 0: 101
    bytes[126] = 0x2C, bytes[127] = 0x01; // slot 62: 300
    Roster roster = Roster::Decode(bytes.data(), bytes.size());
    EXPECT_EQ(roster.seed, static_cast<std::int16_t>(0x9234));
    EXPECT_EQ(roster.GetPIDs()[0], 101);
    EXPECT_EQ(roster.GetPIDs()[62], 300);
    EXPECT_EQ(roster.jerseys[0], bytes[128]);
    EXPECT_EQ(roster.jerseys[62], bytes[190]);
    EXPECT_EQ(roster.unknown[0], bytes[191]);
    EXPECT_EQ(roster.unknown[134], bytes[325]);
    Bytes again(326);
    roster.Encode(again.data());
    EXPECT_EQ(again, bytes);
    EXPECT_TRUE(roster.IsOnRoster(300));
    EXPECT_FALSE(roster.IsOnRoster(302));

    // A body cut short after the identifiers: nothing is read past it (the sanitizers see a
    // buffer of exactly that size), and the fields it does not hold keep their defaults.
    const Bytes cut(bytes.begin(), bytes.begin() + 129);
    const Roster shortRoster = Roster::Decode(cut.data(), cut.size());
    EXPECT_EQ(shortRoster.GetPIDs()[62], 300);
    for (int i = 0; i < Roster::kSlots; ++i)
        EXPECT_EQ(shortRoster.jerseys[i], 0) << i;
    EXPECT_EQ(shortRoster.unknown[134], 0);
}

void Put(Roster& roster, int slot, int pid, int jersey) {
    roster.pids[slot] = static_cast<std::int16_t>(pid);
    roster.jerseys[slot] = static_cast<std::uint8_t>(jersey);
}

// A roster whose slots hold the given identifiers and jersey numbers.
Roster MakeRoster(std::initializer_list<std::array<int, 3>> slotPidJersey) {
    Roster roster;
    for (auto [slot, pid, jersey] : slotPidJersey)
        Put(roster, slot, pid, jersey);
    return roster;
}

TEST(Jersey, TakesTheLowestFreeNumberOfThePositionRanges) {
    EXPECT_EQ(MakeRoster({{0, 101, 1}, {1, 102, 2}, {2, 103, 3}}).FindJersey(150, Player::QB), 4);

    Roster linebackers;
    for (int n = 50; n <= 59; ++n)
        Put(linebackers, n - 50, 100 + n, n);
    EXPECT_EQ(linebackers.FindJersey(199, Player::LB), 70);

    Roster linemen; // 60..79 and 90..99 all taken: 30 players in slots 0..29
    for (int i = 0; i < 30; ++i)
        Put(linemen, i, 100 + i, i < 20 ? 60 + i : 70 + i);
    EXPECT_EQ(linemen.FindJersey(199, Player::DL), 0);

    // A code without ranges starts from 0.
    EXPECT_EQ(MakeRoster({{0, 101, 1}}).FindJersey(150, static_cast<Player::Pos>(7)), 0);
    EXPECT_EQ(MakeRoster({{0, 101, 0}}).FindJersey(150, static_cast<Player::Pos>(7)), 1);
}

TEST(Jersey, OnlyOtherPlayersOfTheActiveRosterTakeANumber) {
    // Slot 55 is beyond the active roster; slot 3 is empty; slot 0 is the player himself.
    Roster roster = MakeRoster({{55, 120, 1}, {3, 0, 2}, {0, 130, 12}, {1, 131, 3}});
    EXPECT_FALSE(roster.JerseyTaken(1, 150));
    EXPECT_FALSE(roster.JerseyTaken(2, 150));
    EXPECT_TRUE(roster.JerseyTaken(3, 150));
    EXPECT_FALSE(roster.JerseyTaken(3, 131));
    EXPECT_EQ(roster.FindJersey(150, Player::K), 1);
    // 1..11 taken by others: player 130 gets his own 12 back.
    for (int n = 1; n <= 11; ++n)
        Put(roster, n + 4, 160 + n, n);
    EXPECT_EQ(roster.FindJersey(130, Player::QB), 12);
    EXPECT_EQ(roster.FindJersey(150, Player::QB), 13);
}

TEST(Jersey, BoundsAndSetting) {
    Roster roster;
    char lower[2], upper[2];
    EXPECT_EQ(roster.SetJerseyBounds(Player::R, lower, upper), 1);
    EXPECT_EQ(lower[0], 80);
    EXPECT_EQ(upper[0], 89);
    EXPECT_EQ(lower[1], 80);
    EXPECT_EQ(upper[1], 89);
    EXPECT_EQ(roster.SetJerseyBounds(static_cast<Player::Pos>(-1), lower, upper), 1);
    EXPECT_EQ(lower[1], 0);
    EXPECT_EQ(upper[1], 99);
    EXPECT_EQ(roster.SetJerseyBounds(Player::DL, lower, upper), 2);
    EXPECT_EQ(lower[1], 90);
    EXPECT_EQ(upper[0], 79);
    EXPECT_EQ(roster.SetJerseyBounds(Player::DB, lower, upper), 1);
    EXPECT_EQ(lower[0], 20);
    EXPECT_EQ(upper[0], 49);
    EXPECT_EQ(roster.SetJerseyBounds(Player::OL, lower, upper), 1);
    EXPECT_EQ(lower[0], 50);
    EXPECT_EQ(upper[0], 69);

    roster.pids[4] = 140;
    roster.pids[60] = 140;
    roster.SetJerseyNumber(140, 33);
    EXPECT_EQ(roster.jerseys[4], 33);
    EXPECT_EQ(roster.jerseys[60], 33);
    EXPECT_EQ(roster.jerseys[5], 0);
}

TEST(FindSlot, FillsTheFirstEmptySlotOfTheRange) {
    short slots[63] = {};
    slots[34] = 101;
    slots[35] = 102;
    EXPECT_TRUE(League::FindSlot(150, 34, 12, slots));
    EXPECT_EQ(slots[36], 150);
    EXPECT_EQ(slots[37], 0);
    EXPECT_FALSE(League::FindSlot(151, 34, 2, slots));
    EXPECT_EQ(slots[34], 101);
}

} // namespace
