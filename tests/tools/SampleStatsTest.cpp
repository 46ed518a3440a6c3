#include "support/TempDir.h"

#include "tools/Commands.h"
#include "tools/SampleHooks.h"
#include "tools/SampleLeague.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using nlohmann::json;

namespace {

using Words = std::array<std::uint16_t, 10>;

// The records of a statistics file, read here byte by byte (low byte first).
std::vector<Words> Records(const std::vector<std::uint8_t>& bytes) {
    std::vector<Words> records;
    for (std::size_t at = 140; at + 20 <= bytes.size(); at += 20) {
        Words w{};
        for (std::size_t i = 0; i < 10; ++i)
            w[i] = static_cast<std::uint16_t>(bytes[at + 2 * i] | bytes[at + 2 * i + 1] << 8);
        records.push_back(w);
    }
    return records;
}

SamplePlayerInfo Info(std::int16_t id, Player::Pos pos, int years, int team, bool freeAgent = false,
                      bool draft = false) {
    SamplePlayerInfo info;
    info.id = id;
    info.specific = pos;
    info.years = years;
    info.team = team;
    info.freeAgent = freeAgent;
    info.draft = draft;
    return info;
}

const std::vector<SamplePlayerInfo> kPlayers = {
    Info(100, Player::QB, 6, 0),               // quarterback on a roster
    Info(101, Player::G, 9, 0),                // offensive lineman: no lines
    Info(102, Player::K, 3, -1, true),         // kicker among the free agents
    Info(103, Player::HB, 0, -1, false, true), // draft prospect: no lines yet
    Info(104, Player::P, 5, -1),               // retired punter: career only
    Info(105, Player::CB, 0, -1),              // never played: nothing
    Info(106, Player::LB, 2, 1),
    Info(107, Player::WR, 1, 1),
    Info(108, Player::FB, 4, 1),
};

std::map<int, std::set<int>> CodesByOwner(const std::vector<Words>& records) {
    std::map<int, std::set<int>> codes;
    for (const auto& w : records)
        codes[w[1]].insert(w[0]);
    return codes;
}

TEST(SampleStatistics, LinesFollowPositionAndCareer) {
    TempDir dir;
    ASSERT_TRUE(WriteSampleStatistics(dir.File("s.dat"), kPlayers, 8, 2001, 5));
    const auto bytes = dir.Read("s.dat");
    ASSERT_EQ((bytes.size() - 140) % 20, 0u);
    auto codes = CodesByOwner(Records(bytes));

    auto categories = [&](int owner) {
        std::set<int> out;
        for (int code : codes[owner])
            out.insert(code % 32);
        return out;
    };
    EXPECT_EQ(categories(100), (std::set<int>{2, 3, 9}));
    EXPECT_TRUE(codes[100].count(35) && codes[100].count(67)); // season and career passing
    EXPECT_EQ(categories(102), (std::set<int>{0, 1}));
    EXPECT_EQ(codes[104], (std::set<int>{70}));
    EXPECT_EQ(categories(106), (std::set<int>{5, 10, 11, 12, 13}));
    EXPECT_EQ(categories(107), (std::set<int>{4, 7}));
    EXPECT_EQ(categories(108), (std::set<int>{2, 4, 8}));
    for (int none : {101, 103, 105})
        EXPECT_EQ(codes.count(none), 0u) << none;
    // Team lines under 1..8, each with the rushing (132) and sack (209) lines.
    for (int team = 1; team <= 8; ++team) {
        EXPECT_TRUE(codes[team].count(132)) << team;
        EXPECT_TRUE(codes[team].count(209)) << team;
    }
    EXPECT_EQ(codes.count(0), 0u);
    EXPECT_EQ(codes.count(9), 0u);
}

TEST(SampleStatistics, ValuesAreConsistentAndTheOrderMixed) {
    TempDir dir;
    std::vector<SamplePlayerInfo> players = kPlayers;
    for (std::int16_t id = 200; id < 400; ++id)
        players.push_back(Info(id, static_cast<Player::Pos>(id % 15), id % 12, id % 8));
    ASSERT_TRUE(WriteSampleStatistics(dir.File("s.dat"), players, 8, 2001, 9));
    const auto records = Records(dir.Read("s.dat"));
    bool ascending = true;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Words& w = records[i];
        const int category = w[0] % 32;
        if (category == 1) { // field goals: made never above attempts in any band
            for (int b = 3; b <= 7; ++b)
                EXPECT_LE(w[static_cast<std::size_t>(b)] & 0xFF, w[static_cast<std::size_t>(b)] >> 8);
        }
        if (category == 3) { // passing: completions never above attempts
            EXPECT_LE(w[6], w[2]);
        }
        if (category == 0) { // extra points made never above attempts
            EXPECT_LE(w[3], w[2]);
        }
        if (i > 0 && records[i - 1][0] > w[0])
            ascending = false;
    }
    EXPECT_FALSE(ascending);
}

TEST(SampleStatistics, SameSeedSameBytes) {
    TempDir dir;
    ASSERT_TRUE(WriteSampleStatistics(dir.File("a.dat"), kPlayers, 8, 2001, 5));
    ASSERT_TRUE(WriteSampleStatistics(dir.File("b.dat"), kPlayers, 8, 2001, 5));
    ASSERT_TRUE(WriteSampleStatistics(dir.File("c.dat"), kPlayers, 8, 2001, 6));
    EXPECT_EQ(dir.Read("a.dat"), dir.Read("b.dat"));
    EXPECT_NE(dir.Read("a.dat"), dir.Read("c.dat"));
}

class StatsCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        SampleLeagueOptions options;
        options.folder = dir.Path();
        options.seed = 4;
        options.teams = 8;
        std::string error;
        ASSERT_TRUE(sample::WriteSampleLeague(options, result, error)) << error;
    }

    json Run(int id) {
        out.str("");
        EXPECT_EQ(RunStatsCommand(dir.File("sample.lge"), id, out, err), 0) << err.str();
        return json::parse(out.str());
    }

    TempDir dir;
    sample::Result result;
    std::ostringstream out, err;
};

TEST_F(StatsCommand, PrintsAPlayersLinesInListOrder) {
    const auto records = Records(dir.Read("sample.dat"));
    // A quarterback with a season passing line.
    int qb = 0;
    for (const auto& w : records)
        if (w[0] == 35 && w[1] >= 100)
            qb = w[1];
    ASSERT_NE(qb, 0);
    const auto before = dir.List();
    const json doc = Run(qb);
    EXPECT_EQ(doc["id"], qb);
    int previous = -1;
    bool passing = false;
    for (const auto& line : doc["lines"]) {
        const int type = line["type"];
        EXPECT_GE(type, previous);
        previous = type;
        if (type == 35) {
            passing = true;
            EXPECT_EQ(line["text"].get<std::string>().rfind("Passing Comp/Att: ", 0), 0u);
        }
    }
    EXPECT_TRUE(passing);
    std::size_t expected = 0;
    for (const auto& w : records)
        expected += w[1] == qb;
    EXPECT_EQ(doc["lines"].size(), expected);
    EXPECT_EQ(dir.List(), before) << "no working copy left behind";
}

TEST_F(StatsCommand, TeamsAndEmptyLookups) {
    const json team = Run(8);
    std::set<int> types;
    for (const auto& line : team["lines"])
        types.insert(line["type"].get<int>());
    EXPECT_TRUE(types.count(132) && types.count(209));
    for (int id : {50, 9, -1, 70000 /* does not wrap onto a 16-bit identifier */}) {
        const json doc = Run(id);
        EXPECT_EQ(doc["id"], id);
        EXPECT_TRUE(doc["lines"].is_array());
        EXPECT_TRUE(doc["lines"].empty()) << id;
    }
}

TEST_F(StatsCommand, FailsWithOneLineWhenTheLeagueCannotBeOpened) {
    EXPECT_NE(RunStatsCommand(dir.File("missing.lge"), 100, out, err), 0);
    EXPECT_TRUE(out.str().empty());
    const std::string message = err.str();
    ASSERT_FALSE(message.empty());
    EXPECT_EQ(message.find('\n'), message.size() - 1);
}

} // namespace
