#pragma once

#include "league/Encryption.h"
#include "league/Player.h"
#include "league/TolvikExport.h"

#include <cstdint>
#include <vector>

// All players of a league, indexed by player identifier.
class TOLVIK_EXPORT PlayerList {
  public:
    PlayerList() = default;
    // Reads the two key bytes at the handle's current position (offset 0) and builds
    // the substitution table; the array holds nextPlayerID default players.
    PlayerList(short nextPlayerID, int handle, int recordSize);

    // Reads every record of the player file into the array.
    void ReadData();
    // A copy of the player; a default Player outside 100 <= id < next player identifier.
    Player GetPlayer(short id) const;

    short GetNextPlayerID() const { return nextPlayerID_; }
    const Encryption& GetEncryption() const { return encryption_; }

  private:
    Encryption encryption_;
    std::vector<Player> players_;
    std::uint8_t keyA_ = 0;
    std::uint8_t keyB_ = 0;
    int handle_ = 0;
    short nextPlayerID_ = 0;
    int recordSize_ = Player::kRecordSize;
};
