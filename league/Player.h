#pragma once

#include "league/TolvikExport.h"

#include <array>
#include <cstdint>
#include <string>

// One player record of the player file. The object is exactly the 60-byte record,
// so the program can keep copies of players in its own storage.
class TOLVIK_EXPORT Player {
  public:
    // Position codes: specific codes 0..14 and the general group codes 15..19.
    // General codes 0, 10, 13 and 14 share the numbers of QB, LB, K and P.
    enum Pos : std::int8_t { QB, FB, HB, TE, WR, C, G, T, DE, DT, LB, CB, S, K, P, RB, R, OL, DL, DB };

    // Eight one-byte ratings in the order AC, AG, DI, EN, HA, IN, SP, ST.
    using Ratings = std::array<std::int8_t, 8>;

    // The record as laid out in the file (offsets in comments).
    struct PlayerDiskData {
        std::int16_t pid;         // 0
        char firstName[13];       // 2, NUL-terminated
        char lastName[13];        // 15, NUL-terminated
        std::int8_t potential[8]; // 28
        std::uint8_t unknown1[4]; // 36, carried as read
        Pos posGeneral;           // 40
        Pos posSpecific;          // 41
        std::int8_t actual[8];    // 42
        std::int8_t years;        // 50
        std::uint8_t unknown2[9]; // 51, version-3 records only
    };

    static constexpr int kRecordSize = 60;
    static constexpr int kVersion2RecordSize = 51;
    // Where the general position lies in a record.
    static constexpr int kGeneralOffset = 40;

    Player();

    // Decodes a deciphered record of recordSize bytes (51 or 60, or fewer that arrived);
    // fields beyond them are zero.
    static PlayerDiskData Decode(const std::uint8_t* bytes, int recordSize);
    // Encodes the record into recordSize bytes (51 or 60).
    static void Encode(const PlayerDiskData& data, std::uint8_t* bytes, int recordSize);

    std::int16_t GetPID() const;
    std::string GetFirstName() const;
    std::string GetLastName() const;
    char GetYears() const;
    Ratings GetARatings() const;
    Ratings GetPRatings() const;
    Pos GetPosSpecific() const;
    Pos GetPosGeneral() const;
    // The general position group a specific position belongs to (FB and HB are RB, TE and WR
    // are R, C, G and T are OL, DE and DT are DL, CB and S are DB; QB, LB, K and P are their own).
    static Pos GeneralOf(Pos specific);
    std::string GetStringPos() const;
    void SetPlayer(PlayerDiskData data);
    const PlayerDiskData& GetData() const { return data_; }

  private:
    PlayerDiskData data_;
};

static_assert(sizeof(Player::PlayerDiskData) == 60, "a player record is 60 bytes");
static_assert(sizeof(Player) == 60, "Player is exactly its record");
