// Building the salary information of a large league: CGS generation by ratings, statuses,
// Save and RecomputeTotals for 30 teams and 32,000 players, against the literal quadratic
// exchange sort of the same entries alone.
#include "bench/BenchSupport.h"
#include "contracts/Commissioner.h"
#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "league/ByteOrder.h"
#include "league/FileAccess.h"
#include "league/League.h"
#include "tools/SampleLeague.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Lists every player who is on no roster and in no draft class as a free agent, so that
// every player of the league is valued.
bool ListEveryoneElse(const std::string& path, const std::vector<SamplePlayerInfo>& players) {
    std::vector<std::uint8_t> bytes;
    tolvik::ByteWriter w(bytes);
    std::vector<std::int16_t> ids;
    for (const auto& p : players)
        if (p.team < 0 && !p.draft)
            ids.push_back(p.id);
    w.writeBytes("PPD:", 4);
    w.writeU32le(static_cast<std::uint32_t>(2 + 2 * ids.size()));
    w.writeS16le(static_cast<std::int16_t>(ids.size()));
    for (auto id : ids)
        w.writeS16le(id);
    return tolvik::WriteFileAtomically(path, bytes.data(), bytes.size());
}

struct Timing {
    std::size_t entries = 0;
    double build = 0;
    double fastest = 0;
    double slowest = 0;
    double save = 0;
    double sort = 0;
    double exchange = 0;
};

bool Measure(const std::string& leaguePath, int runs, Timing& t) {
    League league;
    if (!league.OpenLeague(leaguePath) || !league.ReadLeagueData()) {
        std::fprintf(stderr, "cannot open the league\n");
        return false;
    }
    Options options;
    options.SetFolder(league.GetLeagueFolder());

    // The build as the program runs it on a league without salary information.
    std::vector<double> builds;
    for (int run = 0; run < runs; ++run) {
        ContractList list(league, options);
        std::filesystem::remove(list.SalaryInfoPath());
        bool saved = false;
        builds.push_back(bench::TimeMs([&] {
                             saved = list.Build();
                             list.RecomputeTotals();
                         }) /
                         1000);
        if (!saved) {
            std::fprintf(stderr, "the salary information file could not be written\n");
            return false;
        }
    }
    std::sort(builds.begin(), builds.end());
    t.build = builds[builds.size() / 2];
    t.fastest = builds.front();
    t.slowest = builds.back();

    // Save alone: the new file written beside, flushed to disk and renamed.
    ContractList list(league, options);
    std::vector<double> saves;
    for (int run = 0; run < runs; ++run) {
        std::filesystem::remove(list.SalaryInfoPath());
        saves.push_back(bench::TimeMs([&] { list.Save(); }) / 1000);
    }
    t.save = bench::Median(saves);

    // The sorts alone on the same entries.
    list.GetCommissioner().CollectEntries();
    const std::vector<CGSEntry> entries = list.GetCommissioner().entries;
    t.entries = entries.size();
    auto exchange = entries;
    t.exchange = bench::TimeMs([&] { Commissioner::ExchangeSort(exchange); }) / 1000;
    auto fast = entries;
    t.sort = bench::TimeMs([&] { Commissioner::SortByScore(fast); }) / 1000;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (exchange[i].score != fast[i].score) {
            std::fprintf(stderr, "the two sorts disagree at %zu\n", i);
            return false;
        }
    return true;
}

void Print(const char* title, const Timing& t, int runs) {
    std::printf("%s\n", title);
    std::printf("  valued entries:          %zu\n", t.entries);
    std::printf("  build (median of %d):     %.4f s  (CGS by ratings, statuses, Save, RecomputeTotals)\n",
                runs, t.build);
    std::printf("  fastest / slowest build: %.4f s / %.4f s\n", t.fastest, t.slowest);
    std::printf("  of it Save (median):     %.4f s  (writing, flushing to disk, renaming)\n", t.save);
    std::printf("  sort by score alone:     %.4f s\n", t.sort);
    std::printf("  exchange sort alone:     %.4f s\n", t.exchange);
    std::printf("  build / exchange sort:   %.4f\n", t.build / t.exchange);
}

} // namespace

int main() {
    constexpr int kTeams = 30;
    constexpr int kPlayers = 32000;
    constexpr int kRuns = 5;

    std::string folder = (std::filesystem::temp_directory_path() / "brevane-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    SampleLeagueOptions sampleOptions;
    sampleOptions.folder = folder;
    sampleOptions.teams = kTeams;
    sampleOptions.players = kPlayers;
    sampleOptions.salary = false;
    sample::Result result;
    std::string error;
    if (!sample::WriteSampleLeague(sampleOptions, result, error)) {
        std::fprintf(stderr, "cannot write the league: %s\n", error.c_str());
        return 1;
    }
    std::printf("league: %d teams, %zu players, next player ID %d, %d on rosters, %d in the draft class\n\n",
                result.numTeams, result.players.size(), result.nextPlayerID, result.rosterPlayers,
                result.draftProspects);

    // As the sample writer makes it: a tenth free agents, most players retired (not valued).
    Timing asWritten;
    if (!Measure(result.leaguePath, kRuns, asWritten))
        return 1;
    // Every player valued: all who are not on a roster or in the draft are free agents.
    const std::string pyf = tolvik::PathJoin(folder, std::string(sample::kFileName) + ".pyf");
    Timing everyone;
    if (!ListEveryoneElse(pyf, result.players) || !Measure(result.leaguePath, kRuns, everyone))
        return 1;

    Print("every player valued (all players not on a roster listed as free agents):", everyone, kRuns);
    Print("as written (a tenth free agents, the rest retired and not valued):", asWritten, kRuns);

    const bool timeOk = everyone.build <= 0.25;
    const bool ratioOk = everyone.build / everyone.exchange <= 0.1;
    std::printf("\ntargets, every player valued:\n");
    std::printf("  build <= 0.25 s:             %s (%.4f s)\n", timeOk ? "met" : "MISSED", everyone.build);
    std::printf("  build <= 1/10 exchange sort: %s (%.4f)\n", ratioOk ? "met" : "MISSED",
                everyone.build / everyone.exchange);

    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return timeOk && ratioOk ? 0 : 1;
}
