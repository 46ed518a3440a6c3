// Inputs the fuzz targets of the league library once crashed on, replayed through the very
// harness functions the fuzz targets call (a broken promise aborts, as it does there).
#include "fuzz/LeagueHarness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Harness = int (*)(const std::uint8_t*, std::size_t);

// tests/regressions/<target>/, found from this file's place in the source tree.
std::string RegressionFolder(const std::string& target) {
    return (std::filesystem::path(__FILE__).parent_path().parent_path() / "regressions" / target).string();
}

void Replay(const std::string& target, Harness harness) {
    for (const std::string& path : fuzzing::FilesIn(RegressionFolder(target))) {
        SCOPED_TRACE(path);
        fuzzing::Bytes input;
        ASSERT_TRUE(fuzzing::ReadWholeFile(path, input));
        EXPECT_EQ(harness(input.data(), input.size()), 0);
    }
}

TEST(FuzzRegressions, SavedInputsOfTheLeagueReadersRunCleanly) {
    Replay("league", fuzzing::FuzzLeague);
    Replay("players", fuzzing::FuzzPlayers);
    Replay("list", fuzzing::FuzzList);
    Replay("stats", fuzzing::FuzzStats);
    Replay("money", fuzzing::FuzzMoney);
}

// The harnesses themselves hold on a sound league: every property they check is true of it.
TEST(FuzzHarnesses, ASoundLeaguePassesEveryLeagueHarness) {
    const auto& minimal = fuzzing::MinimalLeague::Get();
    fuzzing::LeagueInput input;
    const fuzzing::Bytes* parts[] = {&minimal.lge, &minimal.pyr, &minimal.pyf, &minimal.pyc, &minimal.dat};
    for (int k = 0; k < fuzzing::kLeaguePartCount; ++k) {
        input.present[k] = true;
        input.files[k] = *parts[k];
    }
    // Sign free agent 148 with team 0, release player 101.
    input.moves = {1, 148, 0, 0, 101, 0};
    const fuzzing::Bytes packed = fuzzing::PackLeagueInput(input);
    EXPECT_EQ(fuzzing::FuzzLeague(packed.data(), packed.size()), 0);

    for (int flags : {0, 1, 2, 3}) {
        fuzzing::Bytes list = {static_cast<std::uint8_t>(flags)};
        const fuzzing::Bytes& file = flags & 1 ? minimal.pyc : minimal.pyf;
        list.insert(list.end(), file.begin(), file.end());
        EXPECT_EQ(fuzzing::FuzzList(list.data(), list.size()), 0);
    }
    EXPECT_EQ(fuzzing::FuzzStats(minimal.dat.data(), minimal.dat.size()), 0);

    constexpr auto next = static_cast<std::uint16_t>(fuzzing::MinimalLeague::kNextID);
    fuzzing::Bytes players = {0, static_cast<std::uint8_t>(next & 0xFF),
                              static_cast<std::uint8_t>(next >> 8)};
    players.insert(players.end(), minimal.pyr.begin(), minimal.pyr.end());
    EXPECT_EQ(fuzzing::FuzzPlayers(players.data(), players.size()), 0);

    const std::string money = "$2,147,483,647";
    EXPECT_EQ(fuzzing::FuzzMoney(reinterpret_cast<const std::uint8_t*>(money.data()), money.size()), 0);
}

} // namespace
