#pragma once

#include "contracts/RosterRows.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// The commands of brevane-cli. Each prints its result to out, a one-line error to err,
// and returns the process exit status (0 on success).

struct SampleLeagueOptions {
    std::string folder;
    int teams = 30;
    std::uint32_t seed = 1;
    int version = 3;
    int stage = 2;
    bool freeAgents = true;
    bool sal = false;   // also write a sibling .SAL file
    bool salary = true; // also write the league's salary information file
    int players = 0;    // total player records; 0 lets the writer choose (rosters, draft, ~10 % free agents)
};

int RunSampleLeague(const SampleLeagueOptions& options, std::ostream& out, std::ostream& err);
int RunLeagueCommand(const std::string& path, std::ostream& out, std::ostream& err);
int RunPlayersCommand(const std::string& path, std::ostream& out, std::ostream& err);
int RunSummaryCommand(const std::string& path, std::ostream& out, std::ostream& err);
// id: any number; one beyond 16 bits has no list.
int RunStatsCommand(const std::string& path, std::int64_t id, std::ostream& out, std::ostream& err);

enum class SalaryCreate { Convert, Build, NoCreate };
int RunSalaryCommand(const std::string& path, SalaryCreate create, std::ostream& out, std::ostream& err);
int RunAcceptCommand(const std::string& path, std::int64_t id, int years, std::uint32_t salary,
                     std::uint32_t bonus, std::ostream& out, std::ostream& err);
int RunPayrollCommand(const std::string& path, std::ostream& out, std::ostream& err);

// The commands of the contract editor and the offer list (tools/EditorCommands.cpp).
int RunPlayerCommand(const std::string& path, std::int64_t id, std::ostream& out, std::ostream& err);

struct OfferCommandOptions {
    enum class Tag { None, Franchise, Transition, Tender };
    int userTeam = 0;
    int team = -1;           // team box index of the club listing
    bool freeAgents = false; // the free-agent listing instead
    std::int64_t id = 0;
    bool typed = false; // years, salary and bonus typed as texts
    std::string years, salary, bonus;
    bool noTags = false;
    Tag tag = Tag::None;
};
int RunOfferCommand(const std::string& path, const OfferCommandOptions& options, std::ostream& out,
                    std::ostream& err);

struct OffersCommandOptions {
    int team = 0;
    std::vector<int> untick;
    std::vector<std::string> files;
    std::string write; // empty: write nothing
    bool csv = false;
};
int RunOffersCommand(const std::string& path, const OffersCommandOptions& options, std::ostream& out,
                     std::ostream& err);

// The club's cap table and the cheapest offers (tools/AdviceCommands.cpp).
int RunCapTableCommand(const std::string& path, int team, const std::vector<std::string>& files, bool csv,
                       std::ostream& out, std::ostream& err);
// chance: an extra target beside 60, 75 and 90 (0 for none).
int RunCheapestCommand(const std::string& path, std::int64_t id, int chance, std::ostream& out,
                       std::ostream& err);
// Every club's offer files side by side, per player ranked by today's chance (tools/BoardCommand.cpp).
int RunBoardCommand(const std::string& path, const std::vector<std::string>& files, std::ostream& out,
                    std::ostream& err);
int RunOptionsCommand(const std::string& path, std::ostream& out, std::ostream& err);

// The players with their money and what a release would do (tools/CapViewCommands.cpp).
struct RosterCommandOptions {
    RosterListing listing = RosterListing::Team;
    int team = 0;
    bool csv = false;
};
int RunRosterCommand(const std::string& path, const RosterCommandOptions& options, std::ostream& out,
                     std::ostream& err);
int RunReleaseCommand(const std::string& path, std::int64_t id, std::ostream& out, std::ostream& err);
