#pragma once

#include "league/League.h"
#include "support/TempDir.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Hand-laid bytes of test leagues. Scrambling and enciphering here are written
// independently of the library, so that a mistake shared by both cannot pass.
namespace testleague {

using Bytes = std::vector<std::uint8_t>;

struct TeamFields {
    std::uint8_t seed = 0;
    std::string name;
    std::string abbr;
};

struct RosterFields {
    std::int16_t seed = 0;
    std::array<std::int16_t, 63> pids{};
    std::array<std::uint8_t, 63> jerseys{};
};

struct PlayerFields {
    std::int16_t id = 0;
    std::string first;
    std::string last;
    std::int8_t general = 0;
    std::int8_t specific = 0;
    std::int8_t years = 0;
    std::array<std::int8_t, 8> actual{};
    std::array<std::int8_t, 8> potential{};
};

struct LeagueFields {
    int version = 3;
    std::int8_t sizeCode = 0; // 8 teams
    std::int8_t conferences = 2;
    std::int8_t stage = 2;
    std::int16_t nextPlayerID = 200;
    std::int16_t baseSeason = 1999;
    std::int8_t seasonOffset = 0;
    std::string name = "Test League";
    std::vector<TeamFields> teams;
    std::vector<RosterFields> rosters;
};

// XORs n bytes with the key stream firstKey, firstKey + 1, ... (modulo 256).
void XorKeyStream(std::uint8_t* bytes, std::size_t n, int firstKey);

// The 171-byte team body, scrambled with its seed.
Bytes ScrambledTeam(const TeamFields& team);
// The 326-byte roster body, scrambled with its seed; and back from such a body.
Bytes ScrambledRoster(const RosterFields& roster, const Bytes& unknownTail = {});
RosterFields UnscrambleRoster(const std::uint8_t* body);

// League file: league chunk, C and D chunks, one team chunk per team, one roster chunk per roster.
Bytes LeagueFile(const LeagueFields& layout);
// File offsets of the k-th team and roster body in LeagueFile(layout).
std::size_t TeamBodyOffset(const LeagueFields& layout, int k);
std::size_t RosterBodyOffset(const LeagueFields& layout, int k);

// Player file with the key bytes (keyA, 1): with a step of one the substitution table
// is the rotation i -> keyA + i, so a record byte x is stored as x + 3 * keyA.
Bytes PlayerFile(const std::vector<PlayerFields>& players, int recordSize, std::uint8_t keyA = 7);
Bytes PlayerRecord(const PlayerFields& player, int recordSize); // plain bytes

// List file "PPD:", byte count, entry count, identifiers.
Bytes ListFile(const std::vector<std::int16_t>& ids);

// A complete league on disk: base.lge, base.pyr, and base.pyf / base.pyc when given.
struct LeagueFiles {
    LeagueFields layout;
    std::vector<PlayerFields> players;
    std::optional<std::vector<std::int16_t>> freeAgents;
    std::optional<std::vector<std::int16_t>> draft;

    void WriteTo(const TempDir& dir, const std::string& base = "my") const;
};

// Eight teams, players 100..159 cycling through the nine general codes
// (QB, RB, R, OL, DL, LB, DB, K, P); team k holds 100 + 5k .. 104 + 5k in slots 0..4
// with jerseys 10..14; free agents 140..149, draft 150..159; next identifier 200.
LeagueFiles StandardLeague();
// General and specific code of player id in StandardLeague.
std::int8_t StandardGeneral(int id);

// Opens and reads a league; the test fails when either step does.
std::unique_ptr<League> OpenAndRead(const std::string& path);

// Changes the current directory and restores it when it goes away.
class CurrentDirectory {
  public:
    explicit CurrentDirectory(const std::string& path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

  private:
    std::string saved_;
};

// Whether a message holds a phrase (failure reasons are checked by their telling part).
inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace testleague
