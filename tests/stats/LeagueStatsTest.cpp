#include "league/League.h"
#include "stats/StatList.h"
#include "stats/StatisticFG.h"
#include "stats/StatisticTackle.h"

#include "support/FaultyFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Words = std::array<std::uint16_t, 10>;

// A record: code, owner, count and the category's words. The count names the line in
// the checks below.
Words Rec(std::uint16_t code, std::uint16_t owner, std::uint16_t count, std::uint16_t w3 = 0,
          std::uint16_t w4 = 0) {
    return Words{code, owner, count, w3, w4, 0, 0, 0, 0, 0};
}

std::vector<std::uint8_t> StatFile(const std::vector<Words>& records) {
    std::vector<std::uint8_t> bytes(140, 0xAB); // the header is never looked at
    for (const auto& words : records)
        for (std::uint16_t w : words) {
            bytes.push_back(static_cast<std::uint8_t>(w & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(w >> 8));
        }
    return bytes;
}

struct ExpectedList final : StatList {};

// What inserting each owner's records one by one in file order gives, for owners 0..ids-1;
// the records of codes the reader does not know are left out, as it leaves them out.
struct InsertedLists {
    std::deque<StatisticTackle> items;
    std::vector<std::unique_ptr<ExpectedList>> lists;

    InsertedLists(const std::vector<Words>& records, std::size_t ids) : lists(ids) {
        for (auto& list : lists)
            list = std::make_unique<ExpectedList>();
        for (const auto& words : records) {
            const bool known = (words[0] < 96 && words[0] % 32 < 14) || words[0] == 132 || words[0] == 209;
            if (words[1] < ids && known)
                lists[words[1]]->insert(&items.emplace_back(words.data()), &Statistic::Compare);
        }
    }
};

// A league of 8 teams (size code 0) whose next player identifier is 200 unless given, with
// an empty player file and, when given, the statistics file bytes.
class LeagueStatsTest : public ::testing::Test {
  protected:
    void Open(const std::vector<std::uint8_t>* dat, std::uint16_t nextPlayer = 200) {
        std::vector<std::uint8_t> lge = {'L', '0', '3', ':', 0, 0, 0, 0};
        std::array<std::uint8_t, 82> header{};
        header[0] = 0; // 8 teams
        header[8] = static_cast<std::uint8_t>(nextPlayer & 0xFF);
        header[9] = static_cast<std::uint8_t>(nextPlayer >> 8);
        header[10] = 0xCF; // base season 1999
        header[11] = 0x07;
        lge.insert(lge.end(), header.begin(), header.end());
        dir.Write("lg.lge", lge);
        dir.Write("lg.pyr", std::vector<std::uint8_t>(60, 0));
        if (dat)
            dir.Write("lg.dat", *dat);
        league = std::make_unique<League>();
        ASSERT_TRUE(league->OpenLeague(dir.File("lg.lge")));
        ASSERT_TRUE(league->ReadLeagueData());
        ASSERT_EQ(league->GetNumTeams(), 8);
        ASSERT_EQ(league->GetNextPlayerID(), nextPlayer);
    }
    void Open(const std::vector<std::uint8_t>& dat, std::uint16_t nextPlayer = 200) {
        Open(&dat, nextPlayer);
    }

    // (type, count) of every line from first to last, or nothing for a null list.
    std::vector<std::pair<int, int>> Lines(short id) {
        std::vector<std::pair<int, int>> out;
        StatList* list = league->GetStats(id);
        if (!list)
            return out;
        list->reset();
        do
            out.emplace_back(list->value()->type, list->value()->count);
        while (list->next() == 1);
        return out;
    }

    // The league's list of id equals the inserted one: its lines in order, and its cursor.
    // Teams 0..8 and players 100 and up have lists; the numbers between never do.
    void ExpectAsInserted(short id, InsertedLists& inserted) {
        StatList* got = league->GetStats(id);
        StatList& want = *inserted.lists[static_cast<std::size_t>(id)];
        if (want.empty() || (id > 8 && id < 100)) {
            EXPECT_EQ(got, nullptr) << id;
            return;
        }
        ASSERT_NE(got, nullptr) << id;
        EXPECT_EQ(got->value()->count, want.value()->count) << "cursor of " << id;
        std::vector<std::pair<int, int>> wantLines;
        want.reset();
        do
            wantLines.emplace_back(want.value()->type, want.value()->count);
        while (want.next() == 1);
        EXPECT_EQ(Lines(id), wantLines) << id;
    }

    TempDir dir;
    std::unique_ptr<League> league;
};

using Pairs = std::vector<std::pair<int, int>>;

TEST_F(LeagueStatsTest, FilesLinesUnderTheirOwnerInCodeOrderStably) {
    Open(StatFile({Rec(66, 150, 1), Rec(2, 150, 2), Rec(34, 150, 3), Rec(34, 150, 4), Rec(13, 150, 5),
                   Rec(35, 151, 6)}));
    EXPECT_EQ(Lines(150), (Pairs{{2, 2}, {13, 5}, {34, 3}, {34, 4}, {66, 1}}));
    EXPECT_EQ(Lines(151), (Pairs{{35, 6}}));
}

TEST_F(LeagueStatsTest, CursorIsWhereTheLastInsertionLeftIt) {
    // 66, then 2 (new first, cursor stays on 66), 34 and 34 (in between, cursor on the 66
    // that follows), then 13 (in between, cursor on the first 34 that follows it).
    Open(StatFile({Rec(66, 150, 1), Rec(2, 150, 2), Rec(34, 150, 3), Rec(34, 150, 4), Rec(13, 150, 5),
                   Rec(70, 151, 6), Rec(1, 151, 7)}));
    EXPECT_EQ(league->GetStats(150)->value()->count, 3);
    EXPECT_EQ(league->GetStats(151)->value()->count, 6);
}

TEST_F(LeagueStatsTest, UnknownCodesAreSkippedAnd132And209Kept) {
    std::vector<Words> records;
    for (int code : {14, 31, 46, 78, 131, 133, 208, 210, 255, 256, 0xFFFF})
        records.push_back(Rec(static_cast<std::uint16_t>(code), 3, 1));
    records.push_back(Rec(132, 3, 4, 12, 9)); // a team's rushing line: 4 rushes, 12 yards
    records.push_back(Rec(209, 3, 2));        // a team's sack line
    Open(StatFile(records));
    EXPECT_EQ(Lines(3), (Pairs{{132, 4}, {209, 2}}));
    StatList* team = league->GetStats(3);
    team->reset();
    EXPECT_EQ(team->value()->StatLine(), "Rushes: 4 Long: 9 TDs: 0 Total Yards: 12 Average: 3.00");
    team->next();
    EXPECT_EQ(team->value()->StatLine(), "Sacks: 2");
}

TEST_F(LeagueStatsTest, RecordsAreReadLittleEndianIntoTheirClasses) {
    // Field goals with bands 0x0302 (2 of 3) and 0xFFFF, written low byte first: 257 of 258.
    Open(StatFile(
        {Words{65, 150, 48, 0x0302, 0, 0, 0, 0xFFFF, 0, 0}, Words{77, 150, 0x0102, 0, 0, 0, 0, 0, 0, 0}}));
    StatList* list = league->GetStats(150);
    ASSERT_NE(list, nullptr);
    list->reset();
    EXPECT_EQ(list->value()->StatLine(),
              "Field Goals <20: 2/3 20-29: 0/0 30-39: 0/0 40-49: 0/0 50+: 255/255 Long: 48 FG%: 99.61");
    EXPECT_EQ(list->value()->Over50(), 255);
    list->next();
    EXPECT_EQ(list->value()->StatLine(), "Tackles: 258");
}

// Only owners with lines have lists; a list handed out stays where it is while the
// others are looked up.
TEST_F(LeagueStatsTest, EveryOwnerWithLinesHasHisListAndOnlyThey) {
    std::vector<Words> records;
    for (std::uint16_t owner = 0; owner < 200; owner += 3)
        records.push_back(Rec(13, owner, owner));
    Open(StatFile(records));
    StatList* first = league->GetStats(102);
    ASSERT_NE(first, nullptr);
    for (int id = 0; id < 200; ++id) {
        if (id > 8 && id < 100) {
            EXPECT_EQ(league->GetStats(static_cast<short>(id)), nullptr) << id; // neither team nor player
            continue;
        }
        if (id % 3 != 0) {
            EXPECT_EQ(league->GetStats(static_cast<short>(id)), nullptr) << id;
            continue;
        }
        EXPECT_EQ(Lines(static_cast<short>(id)), (Pairs{{13, id}})) << id;
    }
    EXPECT_EQ(league->GetStats(102), first);
    EXPECT_EQ(Lines(102), (Pairs{{13, 102}}));
}

TEST_F(LeagueStatsTest, OwnersAtOrBeyondTheNextIdentifierAreSkipped) {
    Open(StatFile(
        {Rec(13, 199, 1), Rec(13, 200, 2), Rec(13, 201, 3), Rec(13, 0xFFFF, 4), Rec(13, 0x8000, 5)}));
    EXPECT_EQ(Lines(199), (Pairs{{13, 1}}));
    EXPECT_EQ(league->GetStats(200), nullptr);
    EXPECT_EQ(league->GetStats(-1), nullptr);
    EXPECT_EQ(league->GetStats(-32768), nullptr);
}

TEST_F(LeagueStatsTest, LookupAcceptsPlayersAndTeamsUpToTheNumberOfTeams) {
    Open(StatFile({Rec(45, 0, 1), Rec(45, 8, 2), Rec(45, 9, 3), Rec(45, 99, 4), Rec(45, 100, 5)}));
    EXPECT_EQ(Lines(0), (Pairs{{45, 1}}));
    EXPECT_EQ(Lines(8), (Pairs{{45, 2}}));   // the number of teams itself
    EXPECT_EQ(league->GetStats(9), nullptr); // between the teams and the players
    EXPECT_EQ(league->GetStats(99), nullptr);
    EXPECT_EQ(Lines(100), (Pairs{{45, 5}}));
    EXPECT_EQ(league->GetStats(101), nullptr); // a player without lines: null, not empty
    EXPECT_EQ(league->GetStats(7), nullptr);
}

TEST_F(LeagueStatsTest, HeaderOnlyShortAndMissingFilesGiveNoLists) {
    Open(StatFile({}));
    for (int id : {0, 1, 8, 100, 150, 199})
        EXPECT_EQ(league->GetStats(static_cast<short>(id)), nullptr) << id;
}

TEST_F(LeagueStatsTest, FileShorterThanItsHeaderGivesNoLists) {
    auto bytes = StatFile({Rec(13, 150, 1)});
    bytes.resize(100);
    Open(bytes);
    EXPECT_EQ(league->GetStats(150), nullptr);
}

TEST_F(LeagueStatsTest, MissingStatisticsFileIsNoError) {
    Open(nullptr);
    EXPECT_EQ(league->GetStats(150), nullptr);
    EXPECT_EQ(league->GetStats(1), nullptr);
}

TEST_F(LeagueStatsTest, TrailingPartialRecordIsIgnored) {
    auto bytes = StatFile({Rec(13, 150, 1), Rec(13, 150, 2)});
    bytes.resize(bytes.size() - 1); // the second record lacks its last byte
    Open(bytes);
    EXPECT_EQ(Lines(150), (Pairs{{13, 1}}));
}

// The file is read a stretch of a mebibyte at a time. A read that fails after the first
// stretch leaves the whole records that arrived: the record cut at the stretch's end is not
// one of them, and nothing after it is read.
TEST_F(LeagueStatsTest, AReadThatFailsHalfWayKeepsTheWholeRecordsThatArrived) {
    constexpr std::size_t kWholeInFirstStretch = ((std::size_t{1} << 20) - 140) / 20; // 52,421
    std::vector<Words> records(kWholeInFirstStretch, Rec(2, 150, 1));
    records.push_back(Rec(2, 152, 2)); // bytes 1,048,560 to 1,048,579: cut by the stretch's end
    records.insert(records.end(), 1000, Rec(2, 151, 3));
    bool armed = false;
    int reads = 0;
    FaultyFilesInUse faulty([&](FaultyFiles::Call call, const std::string& path) {
        const bool statistics = path.find("~saltmp.dat") != std::string::npos;
        if (armed && statistics && call == FaultyFiles::Call::Read && ++reads > 1)
            return tolvik::FileError::Other;
        return tolvik::FileError::None;
    });
    Open(StatFile(records));
    armed = true;
    EXPECT_EQ(Lines(150).size(), kWholeInFirstStretch);
    EXPECT_EQ(Lines(152), Pairs{});
    EXPECT_EQ(Lines(151), Pairs{});
    EXPECT_EQ(reads, 2);
}

TEST_F(LeagueStatsTest, ReadingAgainReplacesTheLists) {
    Open(StatFile({Rec(13, 150, 1), Rec(2, 150, 2), Rec(45, 3, 3)}));
    league->ReadStatData();
    league->ReadStatData();
    EXPECT_EQ(Lines(150), (Pairs{{2, 2}, {13, 1}}));
    EXPECT_EQ(Lines(3), (Pairs{{45, 3}}));
}

// A reading made in the memory of the reading before gives exactly the new file's lists:
// nothing of the earlier, larger file shows through, however far its lines reached.
TEST_F(LeagueStatsTest, ReadingASmallerFileAfterALargerGivesOnlyItsLines) {
    // Records of an unknown code make each file larger than the file layer's read buffer,
    // so the League reads what the test wrote into its working copy.
    auto file = [](std::vector<Words> records) {
        records.insert(records.end(), 4000, Rec(300, 150, 99));
        return StatFile(records);
    };
    Open(file(
        {Rec(13, 150, 1), Rec(2, 150, 2), Rec(45, 150, 3), Rec(0, 151, 4), Rec(1, 151, 5), Rec(45, 3, 6)}));
    ASSERT_EQ(Lines(151), (Pairs{{0, 4}, {1, 5}}));

    dir.Write("~saltmp.dat",
              file({Rec(34, 150, 20), Rec(2, 150, 21), Rec(13, 152, 22), Rec(0, 152, 23), Rec(132, 4, 24)}));
    league->ReadStatData();
    EXPECT_EQ(Lines(150), (Pairs{{2, 21}, {34, 20}}));
    EXPECT_EQ(Lines(151), Pairs{});
    EXPECT_EQ(Lines(152), (Pairs{{0, 23}, {13, 22}}));
    EXPECT_EQ(Lines(3), Pairs{});
    EXPECT_EQ(Lines(4), (Pairs{{132, 24}}));

    dir.Write("~saltmp.dat", file({Rec(5, 199, 30)}));
    league->ReadStatData();
    EXPECT_EQ(Lines(150), Pairs{});
    EXPECT_EQ(Lines(152), Pairs{});
    EXPECT_EQ(Lines(199), (Pairs{{5, 30}}));
}

TEST_F(LeagueStatsTest, StatisticsWorkingCopyIsRemovedAndTheFileKept) {
    auto bytes = StatFile({Rec(13, 150, 1)});
    Open(bytes);
    league.reset();
    EXPECT_FALSE(dir.Exists("~saltmp.dat"));
    EXPECT_EQ(dir.Read("lg.dat"), bytes);
}

// Many owners with codes in random order: every list must equal the one built by
// inserting that owner's lines one by one in file order, cursor included.
TEST_F(LeagueStatsTest, MatchesInsertionInFileOrder) {
    const std::uint16_t codes[] = {0, 1, 2, 5, 13, 32, 34, 36, 45, 64, 66, 77, 132, 209};
    std::uint64_t state = 12345;
    auto next = [&state] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state >> 33);
    };
    std::vector<Words> records;
    // Orders worth a look of their own: falling codes (every line goes first), rising
    // codes (every line is appended), one code throughout, and a zigzag.
    const std::vector<std::vector<std::uint16_t>> patterns = {{209, 132, 77, 66, 45, 34, 13, 2, 0},
                                                              {0, 2, 13, 34, 45, 66, 77, 132, 209},
                                                              {34, 34, 34, 34},
                                                              {45, 2, 66, 1, 77, 0, 209, 13}};
    std::uint16_t name = 10000;
    for (std::size_t p = 0; p < patterns.size(); ++p)
        for (std::uint16_t code : patterns[p])
            records.push_back(Rec(code, static_cast<std::uint16_t>(190 + p), name++));
    for (std::uint16_t i = 0; i < 3000; ++i) {
        // Long lists for a few players and the teams, short ones for many players.
        const std::uint32_t kind = next() % 3;
        const std::uint32_t owner32 = kind == 0   ? 100 + next() % 40
                                      : kind == 1 ? next() % 9
                                                  : 140 + next() % 50;
        const auto owner = static_cast<std::uint16_t>(owner32);
        records.push_back(Rec(codes[next() % std::size(codes)], owner, i));
    }
    Open(StatFile(records));
    InsertedLists inserted(records, 200);
    for (short id = 0; id < 200; ++id)
        ExpectAsInserted(id, inserted);
}

// A large league whose lists are made only as they are asked for: in whatever order they
// are asked, each equals inserting its owner's lines one by one in file order, cursor
// included, and a list is made once (the cursor a caller moved stays where he left it).
// The file is larger than one read of it, one owner has hundreds of lines, and most owners
// share the making of their lists with their neighbours.
TEST_F(LeagueStatsTest, ListsMadeWhenAskedMatchInsertionInAnyOrder) {
    constexpr std::uint16_t kNext = 20000;
    const std::uint16_t codes[] = {0, 1, 2, 5, 13, 32, 34, 36, 45, 64, 66, 77, 132, 209, 14, 300};
    std::uint64_t state = 777;
    auto next = [&state] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state >> 33);
    };
    std::vector<Words> records;
    for (std::uint16_t i = 0; i < 60000; ++i) {
        const std::uint32_t kind = next() % 8;
        const std::uint32_t owner = kind == 0   ? 4321
                                    : kind == 1 ? next() % 9
                                    : kind == 2 ? 19990 + next() % 20
                                                : 100 + next() % 19900;
        records.push_back(Rec(codes[next() % std::size(codes)], static_cast<std::uint16_t>(owner), i));
    }
    Open(StatFile(records), kNext);

    InsertedLists inserted(records, kNext);
    auto check = [&](short id) { ExpectAsInserted(id, inserted); };
    // 4321 first (his neighbours' lists are not asked for yet), then the rest from the top
    // down.
    check(4321);
    EXPECT_GT(Lines(4321).size(), 1000u);
    for (int id = kNext - 1; id >= 0; --id)
        if (id != 4321)
            check(static_cast<short>(id));

    StatList* list = league->GetStats(4321);
    list->reset();
    list->next();
    const Statistic* second = list->value();
    EXPECT_EQ(league->GetStats(4321), list);
    EXPECT_EQ(league->GetStats(4321)->value(), second);
}

} // namespace
