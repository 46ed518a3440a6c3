#pragma once

#include "league/Encryption.h"
#include "league/Player.h"
#include "league/TolvikExport.h"

#include <cstdint>
#include <memory>
#include <vector>

// All players of a league, indexed by player identifier.
//
// The player file is read whole, but a record is deciphered only when its player is first
// asked for: opening a league with tens of thousands of players then costs little more
// than reading the file, while a program that shows a few dozen players deciphers those.
// Not safe for concurrent use (the library is single-threaded).
class TOLVIK_EXPORT PlayerList {
  public:
    PlayerList() = default;
    // Reads the two key bytes at the handle's current position (offset 0) and builds
    // the substitution table; the list answers for nextPlayerID identifiers.
    PlayerList(short nextPlayerID, int handle, int recordSize);

    // Reads every record of the player file; a later record of an identifier replaces an
    // earlier one.
    void ReadData();
    // A copy of the player; a default Player outside 100 <= id < next player identifier
    // or when the file held no record of him.
    Player GetPlayer(short id) const;
    // GetPlayer(id).GetPosGeneral() without deciphering the rest of the record: the free-agent
    // and draft lists ask it of thousands of players.
    Player::Pos GetPosGeneral(short id) const;

    short GetNextPlayerID() const { return nextPlayerID_; }
    const Encryption& GetEncryption() const { return encryption_; }

  private:
    // The player's record, or null when there is none; slot is his entry in recordOf_.
    std::uint8_t* RecordOf(short id, std::int32_t*& slot) const;

    Encryption encryption_;
    // The records as read; each is deciphered in place when its player is first asked for.
    mutable std::unique_ptr<std::uint8_t[]> records_;
    // Per identifier: 0 for no record, k + 1 for record k still enciphered, -(k + 1) once
    // it is deciphered.
    mutable std::vector<std::int32_t> recordOf_;
    // Per identifier: the general position of his record, deciphered while the file is read
    // (the lists ask it of thousands of players spread over the whole file); empty when the
    // records are too short to hold it.
    std::vector<std::int8_t> generalOf_;
    std::uint8_t keyA_ = 0;
    std::uint8_t keyB_ = 0;
    int handle_ = 0;
    short nextPlayerID_ = 0;
    int recordSize_ = Player::kRecordSize;
};
