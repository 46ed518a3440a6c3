// The journaled write-back of a large league after a roster change, against the write-back
// it replaced: each changed file copied to a temporary file, flushed and renamed over its
// target on its own (no journal, so a kill between two files left them disagreeing). The
// target is at most 1.5 times the old cost.
//
// writeback [folder] [runs]: writes a 30-team league with 32,000 player records into folder
// (default: a new folder under the temporary folder, on the disk the league would lie on),
// then in each run opens it, signs a free agent and releases a player (the league file and
// the free-agent file change), and times League::CloseLeague (the journaled write-back) and
// the old procedure on the same working copies. Prints the medians and their ratio.

#include "bench/BenchSupport.h"
#include "league/FileAccess.h"
#include "league/League.h"
#include "tools/SampleLeague.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kPlayers = 32000;
constexpr double kTarget = 1.5;

// The old write-back of one changed working copy: left alone when the target already holds
// its bytes, else copied to a temporary file, flushed and renamed over the target by itself.
bool OldWriteBack(const std::string& work, const std::string& target) {
    return tolvik::SameFileBytes(work, target) || tolvik::ReplaceFileAtomically(work, target);
}

// A free agent and a rostered player of the league.
bool ChangeRosters(League& league) {
    short freeAgent = 0;
    for (int group = 0; group < PlayerGroups::kGroups && freeAgent == 0; ++group)
        if (league.GetNumFreeAgents(group) > 0)
            freeAgent = league.GetFreeAgents(group)[0];
    const short rostered = league.GetRoster(1)[0];
    return freeAgent != 0 && rostered != 0 && league.MovePlayer(freeAgent, 0) &&
           league.MakeFreeAgent(rostered) && league.WriteLeague();
}

} // namespace

int main(int argc, char** argv) {
    const bench::ArgumentLeague written(argc, argv, "writeback", kPlayers);
    const int runs = bench::ArgumentLeague::Runs(argc, argv, 15);
    const SampleLeagueOptions& options = written.options;
    const sample::Result& result = written.result;
    const fs::path leagueFolder = options.folder;
    std::map<std::string, std::vector<std::uint8_t>> pristine;
    for (const char* ext : {".lge", ".pyr", ".pyf", ".pyc", ".dat"}) {
        const std::string name = std::string(sample::kFileName) + ext;
        if (fs::exists(leagueFolder / name))
            tolvik::ReadWholeFile((leagueFolder / name).string(), pristine[name]);
    }
    auto restore = [&] {
        for (const auto& [name, bytes] : pristine)
            tolvik::WriteFileAtomically((leagueFolder / name).string(), bytes.data(), bytes.size());
    };
    const std::string lge = (leagueFolder / "sample.lge").string();
    const std::string pyf = (leagueFolder / "sample.pyf").string();
    const std::string lgeWork = (leagueFolder / "~saltmp.lge").string();
    const std::string pyfWork = (leagueFolder / "~saltmp.pyf").string();

    int failures = 0;
    std::vector<double> journaledMs, oldMs;
    for (int run = 0; run < runs; ++run) {
        restore();
        auto league = std::make_unique<League>();
        if (!league->OpenLeague(lge) || !league->ReadLeagueData() || !ChangeRosters(*league)) {
            ++failures;
            continue;
        }
        journaledMs.push_back(bench::TimeMs([&] { failures += !league->CloseLeague(); }));
        // The same changes once more, the old way: the working copies still hold them.
        restore();
        oldMs.push_back(
            bench::TimeMs([&] { failures += !OldWriteBack(lgeWork, lge) || !OldWriteBack(pyfWork, pyf); }));
        league.reset();
    }
    restore();
    if (failures > 0) {
        std::fprintf(stderr, "writeback: %d failures\n", failures);
        return 1;
    }

    const double journaled = bench::Median(journaledMs);
    const double old = bench::Median(oldMs);
    const double ratio = journaled / old;
    std::printf("league: %d teams, %d player records (next player identifier %d), in %s\n", result.numTeams,
                static_cast<int>(result.players.size()), result.nextPlayerID, leagueFolder.string().c_str());
    std::printf(
        "write-back of the league file and the free-agent file after a roster change, medians of %d runs:\n",
        runs);
    std::printf("  old (each file replaced on its own): %8.3f ms\n", old);
    std::printf("  journaled (all or nothing):          %8.3f ms\n", journaled);
    std::printf("ratio: %.2f (target <= %.1f) %s\n", ratio, kTarget, ratio <= kTarget ? "ok" : "OVER TARGET");
    return 0;
}
