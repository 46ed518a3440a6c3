#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

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
int RunStatsCommand(const std::string& path, int id, std::ostream& out, std::ostream& err);

enum class SalaryCreate { Convert, Build, NoCreate };
int RunSalaryCommand(const std::string& path, SalaryCreate create, std::ostream& out, std::ostream& err);
int RunAcceptCommand(const std::string& path, int id, int years, std::uint32_t salary, std::uint32_t bonus,
                     std::ostream& out, std::ostream& err);
int RunPayrollCommand(const std::string& path, std::ostream& out, std::ostream& err);
int RunOptionsCommand(const std::string& path, std::ostream& out, std::ostream& err);
