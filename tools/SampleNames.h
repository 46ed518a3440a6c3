#pragma once

#include <array>
#include <string_view>

// The built-in name lists of the sample league writer. All names are made up.
namespace sample {

struct TeamName {
    std::string_view name; // at most 33 characters (the team record's name field)
    std::string_view abbr; // at most 4 characters
};

inline constexpr int kMaxTeams = 30;

// First and last names of players, each at most 12 characters (the player record's fields).
const std::array<std::string_view, 96>& FirstNames();
const std::array<std::string_view, 160>& LastNames();
// Thirty clubs; a league of n teams takes the first n.
const std::array<TeamName, kMaxTeams>& TeamNames();
// Conference names; a league takes as many as it has conferences.
const std::array<std::string_view, 2>& ConferenceNames();

} // namespace sample
