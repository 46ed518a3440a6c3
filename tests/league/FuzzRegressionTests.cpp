// Inputs the fuzz targets of the league library once crashed on, replayed through the very
// harness functions the fuzz targets call (a broken promise aborts, as it does there).
#include "fuzz/LeagueHarness.h"
#include "fuzz/RecoveryHarness.h"

#include "support/FuzzReplay.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using fuzzreplay::Replay;

TEST(FuzzRegressions, SavedInputsOfTheLeagueReadersRunCleanly) {
    Replay("league", fuzzing::FuzzLeague);
    Replay("players", fuzzing::FuzzPlayers);
    Replay("list", fuzzing::FuzzList);
    Replay("stats", fuzzing::FuzzStats);
    Replay("money", fuzzing::FuzzMoney);
    Replay("recovery", fuzzing::FuzzRecovery);
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
    // Sign free agent 460 with team 0, release player 101.
    static_assert(fuzzing::MinimalLeague::kFirstFreeAgent == 460);
    input.moves = {1, 460 & 0xFF, 460 >> 8, 0, 101, 0};
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

// Files that claim more than they hold, or hold what no writer would, go through the same
// harnesses: headers, counts and lengths are wishes, the bytes that arrived decide.
TEST(FuzzHarnesses, FilesThatClaimMoreThanTheyHoldAreReadSafely) {
    using fuzzing::Bytes;
    const auto& minimal = fuzzing::MinimalLeague::Get();
    auto league = [&](Bytes lge, Bytes pyr, Bytes pyf, Bytes pyc, Bytes dat, Bytes moves) {
        fuzzing::LeagueInput input;
        Bytes* parts[] = {&lge, &pyr, &pyf, &pyc, &dat};
        for (int k = 0; k < fuzzing::kLeaguePartCount; ++k) {
            input.present[k] = !parts[k]->empty();
            input.files[k] = *parts[k];
        }
        input.moves = moves;
        const Bytes packed = fuzzing::PackLeagueInput(input);
        EXPECT_EQ(fuzzing::FuzzLeague(packed.data(), packed.size()), 0);
    };

    // Thirty teams and 32767 players claimed over eight team chunks and a player file that is
    // only its key; a free-agent list claiming 32767 entries with three; a draft file that is
    // only its tag; a statistics file shorter than its header. Then moves to teams that do
    // not exist and of identifiers beyond every list.
    Bytes lge = minimal.lge;
    lge[8] = 5;
    tolvik::writeS16le(lge.data() + 16, 32767);
    Bytes pyf = fuzzing::MinimalLeague::ListFile(148, 3);
    tolvik::writeS16le(pyf.data() + 8, 32767);
    const Bytes moves = {0, 100, 0, 59, 148, 0, 1, 0xFF, 0x7F, 0xFF, 149, 0, 2, 0, 0x80};
    league(lge, Bytes(minimal.pyr.begin(), minimal.pyr.begin() + 2), pyf, Bytes{'P', 'P', 'D', ':'},
           Bytes(139, 0xFF), moves);

    // The league file cut inside its tag, its header, a team chunk and the last roster chunk.
    for (std::size_t cut : {std::size_t{3}, std::size_t{50}, std::size_t{300}, minimal.lge.size() - 100})
        league(Bytes(minimal.lge.begin(), minimal.lge.begin() + static_cast<std::ptrdiff_t>(cut)),
               minimal.pyr, minimal.pyf, minimal.pyc, minimal.dat, moves);

    // A player file read with a next identifier below 100, of 0, negative and the largest,
    // and version-2 records over a version-3 file.
    for (int next : {-5, 0, 99, 100, 32767})
        for (int size : {0, 1}) {
            Bytes players = {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(next & 0xFF),
                             static_cast<std::uint8_t>((next >> 8) & 0xFF)};
            players.insert(players.end(), minimal.pyr.begin(), minimal.pyr.end());
            EXPECT_EQ(fuzzing::FuzzPlayers(players.data(), players.size()), 0);
        }

    // Lists with a negative count, a count of 32767 and no identifiers, an odd byte at the
    // end, identifiers 0, -1, 32767 and 599 (a player without position), and a bare tag.
    auto list = [](int flags, Bytes file) {
        file.insert(file.begin(), static_cast<std::uint8_t>(flags));
        EXPECT_EQ(fuzzing::FuzzList(file.data(), file.size()), 0);
    };
    for (int flags : {0, 3}) {
        Bytes negative = fuzzing::MinimalLeague::ListFile(148, 4);
        tolvik::writeS16le(negative.data() + 8, -1);
        list(flags, negative);
        Bytes claims = fuzzing::MinimalLeague::ListFile(148, 0);
        tolvik::writeS16le(claims.data() + 8, 32767);
        list(flags, claims);
        Bytes odd = fuzzing::MinimalLeague::ListFile(148, 5);
        odd.pop_back();
        list(flags, odd);
        Bytes strange = {'P', 'P', 'D', ':', 0, 0, 0, 0, 4, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0x57, 0x02};
        list(flags, strange);
        list(flags, Bytes{'P', 'P', 'D'});
    }

    // Statistics records of owner 65535, of an unknown code, of the number of teams (which
    // is asked for), the two team codes, and a partial record at the end.
    Bytes dat(140, 0);
    auto record = [&](std::uint16_t code, std::uint16_t owner) {
        Bytes r(20, 0x7F);
        tolvik::writeU16le(r.data(), code);
        tolvik::writeU16le(r.data() + 2, owner);
        dat.insert(dat.end(), r.begin(), r.end());
    };
    record(34, 65535);
    record(65535, 120);
    record(132, 8);
    record(209, 8);
    record(33, 599);
    record(70, 599);
    dat.insert(dat.end(), {35, 0, 120, 0, 1});
    EXPECT_EQ(fuzzing::FuzzStats(dat.data(), dat.size()), 0);

    for (const std::string text : {"3,000,000,000", "", "0000000000000000000002147483647", "$-0", "\xd9\xa3"})
        EXPECT_EQ(fuzzing::FuzzMoney(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), 0);
}

} // namespace
