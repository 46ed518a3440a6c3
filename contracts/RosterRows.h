#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ContractList;
class League;
class ReleaseCalculator;

// A player's line in the lists of players with their money: who he is, his contract and
// what it adds to the club totals this season. For every club T, its current payroll is
// the sum of `base` over the players on T's roster and of `bonusCharge` over the players
// whose contracts T holds.
struct RosterRow {
    std::int16_t id = 0;
    std::string first, last; // as the league keeps them (single bytes)
    std::string pos;         // as the contract editor's "Pos:" box shows it
    int group = 0;           // the free-agent position group (QB, RB, R, OL, DL, LB, DB, K, P), 9 for none
    int experience = 0;
    int team = -1; // the club whose roster he is on, -1 for none
    int status = 0;
    int contractTeam = -1;
    int yrSigned = 0;
    int years = 0;
    int yearsLeft = 0; // seasons of his contract still to run, this one included
    std::uint32_t salary = 0;
    std::uint32_t bonus = 0;
    std::int64_t base = 0;          // his base share, charged to `team`
    std::int64_t bonusCharge = 0;   // charged to `contractTeam`
    std::int64_t estimatedOnly = 0; // his CGS, counted in `team`'s estimated payroll only
    std::uint32_t cgs = 0;
    // The chance that he accepts a one-year offer of his CGS without a bonus.
    std::int32_t chance = 0;
    // For a player on a roster: what releasing him saves his club this season and what his
    // contract still charges it (ReleaseCalculator).
    bool releasable = false;
    std::int64_t savings = 0;
    std::int64_t deadMoney = 0;
};

// Which players a list holds.
enum class RosterListing { Team, FreeAgents, Draft };

// The players of a list as the contract editor lists them: a club's roster in its display
// order (empty slots and identifiers that are no player's left out), or the free agents or
// the draft group by group in the nine groups' order, each in its list order. Empty for a
// club outside the league and for a list the league does not have.
std::vector<std::int16_t> ListedPlayers(League& league, RosterListing listing, int team);

// The rows of the given players (each a player of the list's league).
std::vector<RosterRow> BuildRosterRows(const ContractList& contracts, const ReleaseCalculator& release,
                                       const std::vector<std::int16_t>& ids);

// Seasons of a contract still to run in season `season`, this one included: its length less
// the seasons since it was signed, kept within 0 and its length.
int YearsLeft(int years, int yrSigned, int season);
