#pragma once

#include "league/Player.h"
#include "league/TolvikExport.h"

#include <cstdint>

// One roster record of the league file, exactly its 326 bytes, kept unscrambled.
class TOLVIK_EXPORT Roster {
  public:
    static constexpr int kSlots = 63;
    static constexpr int kActiveSlots = 53;
    static constexpr int kRecordSize = 326;

    std::int16_t seed = 0;             // 0
    std::int16_t pids[kSlots] = {};    // 2
    std::uint8_t jerseys[kSlots] = {}; // 128
    std::uint8_t unknown[135] = {};    // 191, carried as read

    // Decodes an unscrambled 326-byte body from the size bytes that arrived (fields beyond
    // them keep their defaults); Encodes back to the same bytes.
    static Roster Decode(const std::uint8_t* bytes, std::size_t size);
    void Encode(std::uint8_t* bytes) const;

    short* GetPIDs() { return pids; }
    const short* GetPIDs() const { return pids; }
    bool IsOnRoster(short pid) const;

    // Jersey numbers.
    int SetJerseyBounds(Player::Pos general, char* lower, char* upper) const;
    bool JerseyTaken(char number, short pid) const;
    char FindJersey(short pid, Player::Pos general) const;
    void SetJerseyNumber(short pid, char number);
};

static_assert(sizeof(Roster) == 326, "Roster is exactly its record");

namespace tolvik {
// The record scrambling of team (171-byte) and roster (326-byte) bodies. The same
// operation scrambles and unscrambles; the seed bytes themselves are never changed.
inline constexpr int kScrambleMultiplier = 77;
TOLVIK_EXPORT void ScrambleTeamRecord(std::uint8_t* record171);
TOLVIK_EXPORT void ScrambleRosterRecord(std::uint8_t* record326);
} // namespace tolvik
