#pragma once

#include "league/League.h"
#include "league/Player.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TempDir;

// A small league assembled from bytes in a test folder: the league file (header, team
// and roster chunks), the enciphered player file, the free-agent and draft lists and the
// statistics file, laid out as the game writes them.
struct TestPlayer {
    std::int16_t id = 0;
    Player::Pos specific = Player::QB;
    int years = 0;
    std::array<std::int8_t, 8> actual{}; // AC AG DI EN HA IN SP ST
    // The potential ratings; the actual ones when not given.
    std::optional<std::array<std::int8_t, 8>> potential;
    // Names of up to 12 bytes; "First" and "P" + the ID when not given.
    std::string first, last;
};

struct TestLeague {
    int sizeCode = 0; // 8 teams
    int stage = 5;    // past the draft: no draft file in use
    std::int16_t nextID = 200;
    std::int16_t baseSeason = 2000;
    std::int8_t seasonOffset = 0;
    std::string fileName = "test";
    std::vector<TestPlayer> players;
    std::vector<std::vector<std::int16_t>> rosters; // per team, up to 63 slots
    std::optional<std::vector<std::int16_t>> freeAgents;
    std::optional<std::vector<std::int16_t>> draft;
    // Records of the statistics file: type, owner, count, then words 3..9.
    std::vector<std::array<std::uint16_t, 10>> stats;

    int Teams() const;
    int Season() const { return baseSeason + seasonOffset; }
    TestPlayer& Add(std::int16_t id, Player::Pos specific, int years, std::array<std::int8_t, 8> actual = {});

    // Writes the files into the folder and returns the league file's path.
    std::string Write(const TempDir& dir) const;
    // Writes the files and opens the league as the program does.
    std::unique_ptr<League> Open(const TempDir& dir) const;
};
