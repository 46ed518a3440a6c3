#include "LeagueBytes.h"
#include "league/FileAccess.h"
#include "league/PlayerList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace testleague;

TEST(Player, DefaultPlayerHasNoIdentityAndOnlyZeroBytesOtherwise) {
    Player p;
    EXPECT_EQ(p.GetPID(), 0);
    EXPECT_EQ(p.GetFirstName(), "");
    EXPECT_EQ(p.GetLastName(), "");
    EXPECT_EQ(p.GetPosGeneral(), -1);
    EXPECT_EQ(p.GetPosSpecific(), -1);
    EXPECT_EQ(p.GetYears(), -1);
    EXPECT_EQ(p.GetStringPos(), "??");
    for (auto r : p.GetARatings())
        EXPECT_EQ(r, 0);
    std::uint8_t bytes[60];
    Player::Encode(p.GetData(), bytes, 60);
    for (int i = 0; i < 60; ++i) {
        const int expected = (i == 40 || i == 41 || i == 50) ? 0xFF : 0;
        EXPECT_EQ(bytes[i], expected) << "byte " << i;
    }
}

// The general codes of the specific codes 0..14, as the game lists them: 0, RB 15 twice, R 16
// twice, OL 17 three times, DL 18 twice, LB 10, DB 19 twice, K 13, P 14.
TEST(Player, EverySpecificPositionBelongsToItsGeneralGroup) {
    const int general[15] = {0, 15, 15, 16, 16, 17, 17, 17, 18, 18, 10, 19, 19, 13, 14};
    for (int specific = 0; specific < 15; ++specific)
        EXPECT_EQ(Player::GeneralOf(static_cast<Player::Pos>(specific)), general[specific]) << specific;
}

TEST(Player, DecodesEveryFieldAtItsOffset) {
    PlayerFields layout{
        123, "Joe", "Tolliver", 17, 6, 4, {1, 2, 3, 4, 5, 6, 7, 8}, {11, 12, 13, 14, 15, 16, 17, -1}};
    const Bytes rec = PlayerRecord(layout, 60);
    Player p;
    p.SetPlayer(Player::Decode(rec.data(), 60));
    EXPECT_EQ(p.GetPID(), 123);
    EXPECT_EQ(p.GetFirstName(), "Joe");
    EXPECT_EQ(p.GetLastName(), "Tolliver");
    EXPECT_EQ(p.GetPosGeneral(), Player::OL);
    EXPECT_EQ(p.GetPosSpecific(), Player::G);
    EXPECT_EQ(p.GetStringPos(), "G");
    EXPECT_EQ(p.GetYears(), 4);
    EXPECT_EQ(p.GetARatings(), (Player::Ratings{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(p.GetPRatings(), (Player::Ratings{11, 12, 13, 14, 15, 16, 17, -1}));
    // Bytes nobody interprets are carried as read.
    std::uint8_t again[60];
    Player::Encode(p.GetData(), again, 60);
    EXPECT_EQ(0, std::memcmp(again, rec.data(), 60));
    // A version-2 record has no bytes 51..59; they are zero.
    p.SetPlayer(Player::Decode(rec.data(), 51));
    Player::Encode(p.GetData(), again, 60);
    EXPECT_EQ(0, std::memcmp(again, rec.data(), 51));
    for (int i = 51; i < 60; ++i)
        EXPECT_EQ(again[i], 0);
}

TEST(Player, NamesFillingTheirFieldStopAtTheField) {
    Bytes rec = PlayerRecord({101, "ABCDEFGHIJKLM", "NOPQRSTUVWXYZ"}, 60);
    rec[28] = 'x'; // the byte after the last name must not be taken
    Player p;
    p.SetPlayer(Player::Decode(rec.data(), 60));
    EXPECT_EQ(p.GetFirstName(), "ABCDEFGHIJKLM");
    EXPECT_EQ(p.GetLastName(), "NOPQRSTUVWXYZ");
}

TEST(Player, PositionTexts) {
    const char* texts[] = {"QB", "FB", "HB", "TE", "WR", "C", "G", "T",
                           "DE", "DT", "LB", "CB", "S",  "K", "P"};
    for (int code = -1; code <= 20; ++code) {
        Bytes rec = PlayerRecord({101, "A", "B", 0, static_cast<std::int8_t>(code)}, 60);
        Player p;
        p.SetPlayer(Player::Decode(rec.data(), 60));
        EXPECT_EQ(p.GetStringPos(), code >= 0 && code <= 14 ? texts[code] : "??") << code;
    }
}

class PlayerFileReading : public ::testing::Test {
  protected:
    // Opens the bytes as a player file and reads it into a list.
    PlayerList Read(const Bytes& bytes, short next, int recordSize) {
        dir.Write("p.pyr", bytes);
        handle = tolvik::FileOpen(dir.File("p.pyr"), tolvik::OpenHow::ReadWrite);
        PlayerList list(next, handle, recordSize);
        list.ReadData();
        return list;
    }
    void TearDown() override { tolvik::FileClose(handle); }

    TempDir dir;
    int handle = 0;
};

TEST_F(PlayerFileReading, Version3ReadsSixtyByteRecordsAfterTheHeaderRecord) {
    const PlayerList list =
        Read(testleague::PlayerFile({{150, "Ann", "Bee", 0, 0, 3}, {101, "Cy", "Dee", 13, 13}}, 60), 200, 60);
    EXPECT_EQ(list.GetPlayer(150).GetFirstName(), "Ann");
    EXPECT_EQ(list.GetPlayer(150).GetYears(), 3);
    EXPECT_EQ(list.GetPlayer(101).GetLastName(), "Dee");
    EXPECT_EQ(list.GetPlayer(101).GetStringPos(), "K");
    EXPECT_EQ(list.GetPlayer(102).GetPID(), 0); // no record: default
}

TEST_F(PlayerFileReading, Version2ReadsFiftyOneByteRecordsFromOffsetFiftyOne) {
    const PlayerList list = Read(testleague::PlayerFile({{120, "Vee", "Two", 19, 12, 9}}, 51), 200, 51);
    const Player p = list.GetPlayer(120);
    EXPECT_EQ(p.GetFirstName(), "Vee");
    EXPECT_EQ(p.GetPosGeneral(), Player::DB);
    EXPECT_EQ(p.GetStringPos(), "S");
    EXPECT_EQ(p.GetYears(), 9);
}

// The position alone is read from the enciphered record, or from the record GetPlayer has
// deciphered in place; both give what the whole record gives.
TEST_F(PlayerFileReading, GeneralPositionAloneMatchesTheWholeRecord) {
    for (int size : {51, 60}) {
        const PlayerList list = Read(testleague::PlayerFile({{150, "Ann", "Bee", Player::DB, Player::CB},
                                                             {151, "Cy", "Dee", Player::R, Player::WR}},
                                                            size),
                                     200, size);
        EXPECT_EQ(list.GetPosGeneral(150), Player::DB) << size;
        EXPECT_EQ(list.GetPlayer(150).GetPosGeneral(), Player::DB) << size;
        EXPECT_EQ(list.GetPosGeneral(150), Player::DB) << size;
        EXPECT_EQ(list.GetPosGeneral(151), Player::R) << size;
        EXPECT_EQ(list.GetPosGeneral(152), -1) << size; // no record: the default player's
        EXPECT_EQ(list.GetPosGeneral(99), -1) << size;
        tolvik::FileClose(handle);
        handle = 0;
    }
}

TEST_F(PlayerFileReading, SkipsIdentifiersAtOrAboveNextAndLaterRecordsReplaceEarlier) {
    const Bytes bytes = testleague::PlayerFile({{static_cast<std::int16_t>(40000), "Big", "Id"},
                                                {200, "At", "Next"},
                                                {199, "First", "One"},
                                                {199, "Second", "One"},
                                                {50, "Low", "Id"}},
                                               60);
    const PlayerList list = Read(bytes, 200, 60);
    EXPECT_EQ(list.GetPlayer(199).GetFirstName(), "Second");
    // Outside 100..next-1 nothing is handed out, whatever was stored.
    EXPECT_EQ(list.GetPlayer(50).GetPID(), 0);
    EXPECT_EQ(list.GetPlayer(200).GetPID(), 0);
    EXPECT_EQ(list.GetPlayer(-5).GetPID(), 0);
    EXPECT_EQ(list.GetPlayer(32767).GetPID(), 0);
}

// A file of more records than one piece of the reading: the records on both sides of each
// piece's end, a later record replacing one of an earlier piece, and a last record cut short.
TEST_F(PlayerFileReading, LargeFilesReadWholeAcrossPieces) {
    std::vector<PlayerFields> players;
    for (int k = 0; k < 9000; ++k) {
        const auto general = static_cast<std::int8_t>(k % 2 ? Player::DB : Player::OL);
        players.push_back({static_cast<std::int16_t>(100 + k), "F" + std::to_string(k), "L", general, 0, 1});
    }
    players.push_back({100, "Again", "L", Player::K, 13, 1});
    players.push_back({9099, "Cut", "L", Player::P, 14, 1});
    Bytes bytes = testleague::PlayerFile(players, 60);
    bytes.resize(bytes.size() - 1);
    const PlayerList list = Read(bytes, 9200, 60);
    for (int k : {1, 4094, 4095, 4096, 4097, 8191, 8192, 8998}) {
        EXPECT_EQ(list.GetPlayer(static_cast<short>(100 + k)).GetFirstName(), "F" + std::to_string(k)) << k;
        EXPECT_EQ(list.GetPosGeneral(static_cast<short>(100 + k)), k % 2 ? Player::DB : Player::OL) << k;
    }
    EXPECT_EQ(list.GetPlayer(100).GetFirstName(), "Again");
    EXPECT_EQ(list.GetPosGeneral(100), Player::K);
    EXPECT_EQ(list.GetPlayer(9099).GetFirstName(), "F8999");
    EXPECT_EQ(list.GetPosGeneral(9099), Player::DB);
}

TEST_F(PlayerFileReading, RecordCutShortIsNotUsedAndShortFilesYieldNoPlayers) {
    Bytes bytes = testleague::PlayerFile({{110, "Whole", "One"}, {111, "Cut", "Short"}}, 60);
    bytes.resize(bytes.size() - 1);
    const PlayerList list = Read(bytes, 200, 60);
    EXPECT_EQ(list.GetPlayer(110).GetFirstName(), "Whole");
    EXPECT_EQ(list.GetPlayer(111).GetPID(), 0);

    for (std::size_t size : {0, 1, 2, 59}) {
        Bytes shortFile = testleague::PlayerFile({{110, "Whole", "One"}}, 60);
        shortFile.resize(size);
        tolvik::FileClose(handle);
        const PlayerList none = Read(shortFile, 200, 60);
        EXPECT_EQ(none.GetPlayer(110).GetPID(), 0) << size;
    }
}

TEST(PlayerListDefault, AnswersDefaultPlayers) {
    PlayerList list;
    EXPECT_EQ(list.GetPlayer(100).GetPID(), 0);
    PlayerList unopened(200, -1, 60);
    unopened.ReadData();
    EXPECT_EQ(unopened.GetPlayer(150).GetYears(), -1);
}

} // namespace
