#pragma once

#include "league/Player.h"
#include "league/SystemFiles.h"

#include <cstdint>
#include <string>
#include <vector>

// What the sample league writer knows of each player, handed to the writers of the
// statistics file and of the salary files.
struct SamplePlayerInfo {
    std::int16_t id = 0;
    Player::Pos specific = Player::QB;
    Player::Pos general = Player::QB;
    int years = 0;
    int team = -1;          // 0-based roster team, -1 for none
    bool freeAgent = false; // listed in the free-agent file
    bool draft = false;     // listed in the college-draft file
};

// Writes a statistics file for the players and teams 1..numTeams (stats/ writer); error,
// when given, says why it could not be written.
bool WriteSampleStatistics(const std::string& path, const std::vector<SamplePlayerInfo>& players,
                           int numTeams, int season, std::uint32_t seed, tolvik::FileError* error = nullptr);
