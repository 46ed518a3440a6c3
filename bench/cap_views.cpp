// The model's share of the Players window and of `release` in a league of 30 clubs and 32,000
// players: what a release saves (all club totals counted once, then the one player), the rows
// of every free agent with their money and release figures, and one key typed into the name
// search. The window's own share is timed by ui_players.
#include "bench/BenchSupport.h"
#include "contracts/ContractList.h"
#include "contracts/PlayerSearch.h"
#include "contracts/Release.h"
#include "contracts/RosterRows.h"
#include "league/League.h"

#include <cstdio>
#include <string>
#include <vector>

int main() {
    int status = 0;
    {
        bench::LargeSalaryLeague large;
        const sample::Result& result = large.Result();
        ContractList& list = *large.list;

        const std::vector<std::int16_t> roster = ListedPlayers(large.league, RosterListing::Team, 0);
        std::int64_t savings = 0;
        const double release = bench::MedianMicros(11, 20, [&](int i) {
            const ReleaseCalculator calculator(list);
            savings += calculator.Release(roster[static_cast<std::size_t>(i) % roster.size()])->savings;
        });

        std::size_t rows = 0;
        const double freeAgents = bench::MedianMicros(11, 5, [&](int) {
            const ReleaseCalculator calculator(list);
            rows =
                BuildRosterRows(list, calculator, ListedPlayers(large.league, RosterListing::FreeAgents, 0))
                    .size();
        });

        double buildIndex = 0;
        std::unique_ptr<PlayerSearch> search;
        buildIndex = bench::TimeMs([&] { search = std::make_unique<PlayerSearch>(large.league); });
        const std::string typed[] = {"b", "br", "bro", "broc", "brock", "brock f"};
        std::size_t found = 0;
        const double key =
            bench::MedianMicros(11, 60, [&](int i) { found += search->Find(typed[i % 6]).size(); });

        std::printf("league: %d teams, %zu players\n", result.numTeams, result.players.size());
        std::printf("  release (every club's totals, then one player), median: %.1f us\n", release);
        std::printf("  rows of the %zu free agents with release figures, median: %.1f us\n", rows,
                    freeAgents);
        std::printf("  name index of the league, once: %.1f ms\n", buildIndex);
        std::printf("  one key of the name search, median: %.1f us\n", key);
        const bool releaseOk = release < 10000.0;
        const bool rowsOk = freeAgents < 25000.0;
        const bool keyOk = key < 8000.0;
        std::printf("targets:\n  release < 10 ms: %s\n  free-agent rows < 25 ms (half the table's 50): %s\n"
                    "  search key < 8 ms (half the 16 ms to the table): %s\n",
                    releaseOk ? "met" : "MISSED", rowsOk ? "met" : "MISSED", keyOk ? "met" : "MISSED");
        status = releaseOk && rowsOk && keyOk ? 0 : 1;
    }
    return status;
}
