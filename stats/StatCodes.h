#pragma once

// Type codes of the statistics file: a line's category plus 32 times its scope (game,
// season, career), and the two further team lines read as rushing and sacks.
namespace statcode {

enum Category : int {
    kExtraPoints,
    kFieldGoals,
    kRushing,
    kPassing,
    kReceiving,
    kInterceptions,
    kPunting,
    kPuntReturns,
    kKickReturns,
    kFumbles,
    kFumbleRecoveries,
    kSacks,
    kSafeties,
    kTackles,
    kCategories
};

constexpr int kGame = 0;
constexpr int kSeason = 32;
constexpr int kCareer = 64;
constexpr int kTeamRushing = 132; // the team's rushing line
constexpr int kTeamSacks = 209;   // the sacks the team allowed

} // namespace statcode
