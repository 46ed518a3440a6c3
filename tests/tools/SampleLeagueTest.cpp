#include "support/TempDir.h"

#include "league/ByteOrder.h"
#include "league/Encryption.h"
#include "league/League.h"
#include "tools/SampleLeague.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

sample::Result WriteLeague(SampleLeagueOptions options) {
    sample::Result result;
    std::string error;
    EXPECT_TRUE(sample::WriteSampleLeague(options, result, error)) << error;
    return result;
}

SampleLeagueOptions Options(const TempDir& dir, std::uint32_t seed = 5) {
    SampleLeagueOptions options;
    options.folder = dir.Path();
    options.seed = seed;
    return options;
}

// Position of the first occurrence of a 4-character tag, or npos.
std::size_t FindTag(const std::vector<std::uint8_t>& bytes, const char* tag, std::size_t from = 0) {
    auto it = std::search(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(), tag, tag + 4);
    return it == bytes.end() ? std::string::npos : static_cast<std::size_t>(it - bytes.begin());
}

// Preferred roster slots [first, last] of a general position code.
std::pair<int, int> PreferredSlots(int general) {
    switch (general) {
    case 0:
        return {0, 1};
    case 15:
        return {2, 4};
    case 16:
        return {5, 9};
    case 17:
        return {10, 15};
    case 18:
        return {16, 19};
    case 10:
        return {20, 24};
    case 19:
        return {25, 31};
    case 14:
        return {32, 32};
    case 13:
        return {33, 33};
    default:
        return {-1, -1};
    }
}

bool JerseyAllowed(int general, int number) {
    auto in = [&](int lo, int hi) { return number >= lo && number <= hi; };
    switch (general) {
    case 0:
    case 13:
    case 14:
        return in(1, 19);
    case 15:
    case 19:
        return in(20, 49);
    case 16:
        return in(80, 89);
    case 17:
        return in(50, 69);
    case 18:
        return in(60, 79) || in(90, 99);
    case 10:
        return in(50, 59) || in(70, 79);
    default:
        return false;
    }
}

int GeneralOf(int specific) {
    static const int general[15] = {0, 15, 15, 16, 16, 17, 17, 17, 18, 18, 10, 19, 19, 13, 14};
    return general[specific];
}

TEST(SampleLeagueWriter, SameSeedGivesSameBytesAndAnotherSeedOthers) {
    TempDir a, b, c;
    WriteLeague(Options(a, 11));
    WriteLeague(Options(b, 11));
    WriteLeague(Options(c, 12));
    ASSERT_EQ(a.List(), b.List());
    for (const auto& name : a.List())
        EXPECT_EQ(a.Read(name), b.Read(name)) << name;
    for (const char* name : {"sample.lge", "sample.pyr", "sample.pyf", "sample.pyc"})
        EXPECT_NE(a.Read(name), c.Read(name)) << name;
}

// The first bytes of the league file, worked out from the layout: tag, 4 bytes (the writer
// stores the body size, 82), then the header with the size code at 0, conferences at 1,
// stage at 3, next identifier at 8..9 and the name at 15; the C chunk follows at 8 + 82.
TEST(SampleLeagueWriter, LeagueFileBeginsWithTheHeaderLaidOutByHand) {
    const std::pair<int, int> sizes[] = {{8, 0}, {10, 1}, {12, 2}, {18, 3}, {28, 4}, {30, 5}};
    for (auto [teams, code] : sizes) {
        TempDir dir;
        auto options = Options(dir);
        options.teams = teams;
        options.stage = 3;
        const auto result = WriteLeague(options);
        const auto lge = dir.Read("sample.lge");
        ASSERT_GT(lge.size(), 98u);
        EXPECT_EQ(std::string(lge.begin(), lge.begin() + 4), "L03:");
        EXPECT_EQ(tolvik::readU32le(&lge[4]), 82u);
        EXPECT_EQ(lge[8], code) << teams;
        EXPECT_EQ(lge[9], 2);
        EXPECT_EQ(lge[11], 3);
        // 60-byte records after a 60-byte key record.
        const auto records = static_cast<int>(dir.Read("sample.pyr").size() / 60 - 1);
        EXPECT_EQ(tolvik::readS16le(&lge[16]), 100 + records);
        EXPECT_EQ(result.nextPlayerID, 100 + records);
        EXPECT_EQ(tolvik::readS16le(&lge[18]) + static_cast<std::int8_t>(lge[20]), result.season);
        EXPECT_STREQ(reinterpret_cast<const char*>(&lge[8 + 15]), "Sample League");
        EXPECT_EQ(std::string(lge.begin() + 90, lge.begin() + 94), "C03:");
    }
}

// Team and roster bodies unscrambled here by hand: team key = seed * 77 + (offset - 1),
// roster key = low byte of (signed seed * 77) + (offset - 2).
TEST(SampleLeagueWriter, TeamAndRosterChunksUnscrambleByHand) {
    TempDir dir;
    auto options = Options(dir);
    options.teams = 8;
    WriteLeague(options);
    const auto lge = dir.Read("sample.lge");

    League league;
    ASSERT_TRUE(league.OpenLeague(dir.File("sample.lge")));
    ASSERT_TRUE(league.ReadLeagueData());

    std::size_t pos = 0;
    bool sawNegativeSeed = false;
    const char* names[] = {"Harbor City Gulls", "Granite Falls Rams"};
    const char* abbrs[] = {"HCG", "GFR"};
    for (int team = 0; team < 8; ++team) {
        pos = FindTag(lge, "T03:", pos);
        ASSERT_NE(pos, std::string::npos);
        std::vector<std::uint8_t> body(lge.begin() + static_cast<std::ptrdiff_t>(pos + 8),
                                       lge.begin() + static_cast<std::ptrdiff_t>(pos + 8 + 171));
        int key = body[0] * 77;
        for (std::size_t i = 1; i < body.size(); ++i)
            body[i] = static_cast<std::uint8_t>(body[i] ^ (key++ & 0xFF));
        if (team < 2) {
            EXPECT_STREQ(reinterpret_cast<const char*>(&body[55]), names[team]);
            EXPECT_STREQ(reinterpret_cast<const char*>(&body[89]), abbrs[team]);
        }
        EXPECT_EQ(league.GetTeamName(team), reinterpret_cast<const char*>(&body[55]));

        pos = FindTag(lge, "R03:", pos);
        ASSERT_NE(pos, std::string::npos);
        std::vector<std::uint8_t> roster(lge.begin() + static_cast<std::ptrdiff_t>(pos + 8),
                                         lge.begin() + static_cast<std::ptrdiff_t>(pos + 8 + 326));
        const int seed = tolvik::readS16le(roster.data());
        sawNegativeSeed |= seed < 0;
        int rosterKey = (seed * 77) & 0xFF;
        for (std::size_t i = 2; i < roster.size(); ++i)
            roster[i] = static_cast<std::uint8_t>(roster[i] ^ (rosterKey++ & 0xFF));
        const short* slots = league.GetRoster(team);
        for (int slot = 0; slot < 63; ++slot) {
            EXPECT_EQ(tolvik::readS16le(&roster[static_cast<std::size_t>(2 + 2 * slot)]), slots[slot]);
            EXPECT_EQ(roster[static_cast<std::size_t>(128 + slot)],
                      league.GetRosterRecord(team)->jerseys[slot]);
        }
    }
    EXPECT_TRUE(sawNegativeSeed);
}

// The list file as laid out: "PPD:", the byte count 2 + 2N, N, then N identifiers, which
// the library's rewrite orders by position group.
TEST(SampleLeagueWriter, ListFilesHaveTheListLayout) {
    TempDir dir;
    const auto result = WriteLeague(Options(dir));
    League league;
    ASSERT_TRUE(league.OpenLeague(dir.File("sample.lge")));
    ASSERT_TRUE(league.ReadLeagueData());
    for (const char* name : {"sample.pyf", "sample.pyc"}) {
        const auto list = dir.Read(name);
        ASSERT_GE(list.size(), 10u);
        EXPECT_EQ(std::string(list.begin(), list.begin() + 4), "PPD:");
        const int n = tolvik::readS16le(&list[8]);
        EXPECT_EQ(tolvik::readU32le(&list[4]), static_cast<std::uint32_t>(2 + 2 * n));
        ASSERT_EQ(list.size(), static_cast<std::size_t>(10 + 2 * n));
        std::set<int> ids;
        int lastGroup = 0;
        for (int i = 0; i < n; ++i) {
            const short id = tolvik::readS16le(&list[static_cast<std::size_t>(10 + 2 * i)]);
            ASSERT_GE(id, 100);
            ASSERT_LT(id, result.nextPlayerID);
            ids.insert(id);
            const int group = League::GenPos2FAPos(league.players.GetPlayer(id).GetPosGeneral());
            EXPECT_GE(group, lastGroup) << name << " entry " << i;
            lastGroup = group;
        }
        EXPECT_EQ(ids.size(), static_cast<std::size_t>(n)) << name;
    }
    EXPECT_EQ(tolvik::readS16le(&dir.Read("sample.pyc")[8]), 7 * 30);
}

class SampleLeagueVersions : public ::testing::TestWithParam<int> {};

TEST_P(SampleLeagueVersions, ReadsBackWithRostersPlacedBySlotAndJerseyRanges) {
    TempDir dir;
    auto options = Options(dir, 23);
    options.version = GetParam();
    const auto result = WriteLeague(options);
    const int recordSize = GetParam() == 2 ? 51 : 60;
    EXPECT_EQ(dir.Read("sample.pyr").size(),
              static_cast<std::size_t>(recordSize) * (1 + result.players.size()));

    League league;
    ASSERT_TRUE(league.OpenLeague(dir.File("sample.lge")));
    ASSERT_TRUE(league.ReadLeagueData());
    EXPECT_EQ(league.GetVersion(), GetParam());
    EXPECT_EQ(league.GetLeagueName(), "Sample League");
    ASSERT_EQ(league.GetNumTeams(), 30);
    const int next = league.GetNextPlayerID();

    std::vector<int> places(static_cast<std::size_t>(next), 0); // rosters, lists a player is on
    int rostered = 0;
    for (int team = 0; team < 30; ++team) {
        const short* slots = league.GetRoster(team);
        const Roster* record = league.GetRosterRecord(team);
        std::set<int> numbers;
        int size = 0;
        for (int slot = 0; slot < 63; ++slot) {
            const short id = slots[slot];
            if (id == 0)
                continue;
            ASSERT_LT(slot, 53) << "slots 53..62 stay empty";
            ASSERT_TRUE(id >= 100 && id < next);
            ++size;
            ++places[static_cast<std::size_t>(id)];
            const Player p = league.players.GetPlayer(id);
            ASSERT_EQ(p.GetPID(), id);
            const int general = p.GetPosGeneral();
            EXPECT_EQ(general, GeneralOf(p.GetPosSpecific()));
            const auto [first, last] = PreferredSlots(general);
            if (slot < first || slot > last) {
                // Only when his own slots are full, and only in the fallback slots, 34..45 first.
                EXPECT_GE(slot, 34);
                for (int own = first; own <= last; ++own)
                    EXPECT_NE(slots[own], 0) << "team " << team << " slot " << own;
                if (slot >= 46) {
                    for (int fallback = 34; fallback <= 45; ++fallback)
                        EXPECT_NE(slots[fallback], 0);
                }
            }
            const int number = record->jerseys[slot];
            EXPECT_TRUE(JerseyAllowed(general, number)) << "general " << general << " number " << number;
            EXPECT_TRUE(numbers.insert(number).second) << "number " << number << " twice on team " << team;
        }
        EXPECT_GE(size, 50);
        EXPECT_LE(size, 53);
        rostered += size;
    }

    auto countList = [&](bool freeAgents) {
        int count = 0;
        for (int g = 0; g < 9; ++g) {
            const int n = freeAgents ? league.GetNumFreeAgents(g) : league.GetNumCollegeDraft(g);
            const short* ids = freeAgents ? league.GetFreeAgents(g) : league.GetCollegeDraft(g);
            for (int i = 0; i < n; ++i) {
                ++places[static_cast<std::size_t>(ids[i])];
                const Player p = league.players.GetPlayer(ids[i]);
                EXPECT_EQ(League::GenPos2FAPos(p.GetPosGeneral()), g);
                if (!freeAgents) {
                    EXPECT_EQ(p.GetYears(), 0) << "draft prospects have no years";
                }
            }
            count += n;
        }
        return count;
    };
    ASSERT_TRUE(league.GetFAExists());
    ASSERT_TRUE(league.GetCDExists());
    const int freeAgents = countList(true);
    const int draft = countList(false);
    EXPECT_EQ(draft, 7 * 30);
    EXPECT_EQ(league.GetCollegeDraftTotal(), 7 * 30);
    EXPECT_EQ(league.GetFreeAgentTotal(), freeAgents);
    const int all = next - 100;
    EXPECT_EQ(rostered + freeAgents + draft, all);
    EXPECT_NEAR(static_cast<double>(freeAgents) / all, 0.10, 0.015);

    for (int id = 100; id < next; ++id) {
        EXPECT_EQ(places[static_cast<std::size_t>(id)], 1) << "player " << id << " is in exactly one place";
        const Player p = league.players.GetPlayer(static_cast<short>(id));
        ASSERT_EQ(p.GetPID(), id);
        EXPECT_GT(std::strlen(p.GetFirstName().c_str()), 0u);
        EXPECT_GE(p.GetYears(), 0);
        EXPECT_LE(p.GetYears(), 15);
        const auto actual = p.GetARatings();
        const auto potential = p.GetPRatings();
        for (int r = 0; r < 8; ++r) {
            EXPECT_TRUE(actual[r] >= 20 && actual[r] <= 99);
            EXPECT_TRUE(potential[r] >= actual[r] && potential[r] <= 99);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Version, SampleLeagueVersions, ::testing::Values(2, 3));

TEST(SampleLeagueWriter, LateStageWritesNoDraftAndRemovesAnOldOne) {
    TempDir dir;
    WriteLeague(Options(dir));
    ASSERT_TRUE(dir.Exists("sample.pyc"));
    dir.Write("SAMPLE.PYC", {'P', 'P', 'D', ':'}); // a stale companion in another case

    auto options = Options(dir);
    options.stage = 5;
    WriteLeague(options);
    EXPECT_FALSE(dir.Exists("sample.pyc"));
    EXPECT_FALSE(dir.Exists("SAMPLE.PYC"));
    EXPECT_EQ(dir.Read("sample.lge")[11], 5);

    League league;
    ASSERT_TRUE(league.OpenLeague(dir.File("sample.lge")));
    ASSERT_TRUE(league.ReadLeagueData());
    EXPECT_FALSE(league.GetCDExists());
    EXPECT_EQ(league.GetCollegeDraftTotal(), -1);
    EXPECT_TRUE(league.GetFAExists());
}

TEST(SampleLeagueWriter, AnOldFileThatCannotGoLeavesTheEarlierLeagueWhole) {
    // A folder where the statistics file was: no file of the earlier league may be removed
    // before the writer finds out that this one cannot be.
    TempDir dir;
    WriteLeague(Options(dir));
    std::filesystem::remove(dir.File("sample.dat"));
    std::filesystem::create_directory(dir.File("sample.dat"));
    const auto before = dir.Snapshot();
    ASSERT_GE(before.size(), 5u);

    auto options = Options(dir);
    options.seed = 2;
    sample::Result result;
    std::string error;
    EXPECT_FALSE(sample::WriteSampleLeague(options, result, error));
    EXPECT_EQ(error, "cannot remove " + dir.File("sample.dat") + ": not a regular file");
    EXPECT_EQ(dir.Snapshot(), before);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("sample.dat")));
}

TEST(SampleLeagueWriter, NoFreeAgentsMeansNoFreeAgentFile) {
    TempDir dir;
    auto options = Options(dir);
    options.freeAgents = false;
    const auto result = WriteLeague(options);
    EXPECT_FALSE(dir.Exists("sample.pyf"));
    EXPECT_EQ(result.freeAgents, 0);
    League league;
    ASSERT_TRUE(league.OpenLeague(dir.File("sample.lge")));
    ASSERT_TRUE(league.ReadLeagueData());
    EXPECT_FALSE(league.GetFAExists());
    EXPECT_EQ(league.GetFreeAgentTotal(), -1);
}

TEST(SampleLeagueWriter, PlayerCountFillsTheRestWithUnlistedPlayers) {
    TempDir dir;
    auto options = Options(dir);
    options.teams = 8;
    options.players = 2500;
    options.folder = dir.File("new/folder"); // created when missing
    const auto result = WriteLeague(options);
    EXPECT_EQ(result.nextPlayerID, 2600);
    EXPECT_EQ(result.freeAgents, 250);
    EXPECT_EQ(result.draftProspects, 56);
    EXPECT_EQ(result.rosterPlayers + result.freeAgents + result.draftProspects + result.unlisted, 2500);
    EXPECT_EQ(static_cast<int>(result.players.size()), 2500);
    EXPECT_TRUE(dir.Exists("new/folder/sample.lge"));
}

TEST(SampleLeagueWriter, BadOptionsFailWithOneLineAndWriteNothing) {
    auto run = [](void (*change)(SampleLeagueOptions&)) {
        TempDir dir;
        auto options = Options(dir);
        options.folder = dir.File("out");
        change(options);
        std::ostringstream out, err;
        const int status = RunSampleLeague(options, out, err);
        EXPECT_NE(status, 0);
        EXPECT_TRUE(out.str().empty());
        const std::string error = err.str();
        EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
        EXPECT_FALSE(dir.Exists("out"));
        return error;
    };
    EXPECT_NE(run([](SampleLeagueOptions& o) { o.teams = 9; }).find("--teams"), std::string::npos);
    EXPECT_NE(run([](SampleLeagueOptions& o) { o.version = 4; }).find("--version"), std::string::npos);
    EXPECT_NE(run([](SampleLeagueOptions& o) { o.stage = -1; }).find("--stage"), std::string::npos);
    EXPECT_NE(run([](SampleLeagueOptions& o) { o.players = 100; }).find("--players"), std::string::npos);
    EXPECT_NE(run([](SampleLeagueOptions& o) { o.players = 40000; }).find("--players"), std::string::npos);
}

} // namespace
