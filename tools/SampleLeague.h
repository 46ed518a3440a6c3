#pragma once

#include "tools/Commands.h"
#include "tools/SampleHooks.h"

#include <string>
#include <vector>

// The sample league writer: a complete, realistic league made from a seed.
namespace sample {

// The files are <folder>/sample.lge, .pyr, .pyf, .pyc and .dat.
inline constexpr const char* kFileName = "sample";
inline constexpr const char* kLeagueName = "Sample League";
// Draft class: one pick per team in each round.
inline constexpr int kDraftRounds = 7;
// Players the writer can give identifiers to (identifiers are signed 16-bit, from 100).
inline constexpr int kMaxPlayers = 32767 - 100;

struct Result {
    std::string leaguePath; // <folder>/sample.lge
    int numTeams = 0;
    int version = 0;
    int stage = 0;
    int season = 0;
    int nextPlayerID = 0;
    int rosterPlayers = 0;
    int freeAgents = 0;
    int draftProspects = 0;
    int unlisted = 0; // on no roster and in no list (retired)
    // Every player record written, ordered by identifier.
    std::vector<SamplePlayerInfo> players;
};

// The league size code of a team count (8, 10, 12, 18, 28, 30 give 0..5), or -1.
int LeagueSizeCode(int teams);

// Writes the league that options describe; false with a one-line reason in error.
// The same options give the same bytes.
bool WriteSampleLeague(const SampleLeagueOptions& options, Result& result, std::string& error);

} // namespace sample
