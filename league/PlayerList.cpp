#include "league/PlayerList.h"

#include "league/ByteOrder.h"
#include "league/FileAccess.h"

#include <vector>

PlayerList::PlayerList(short nextPlayerID, int handle, int recordSize)
    : handle_(handle), nextPlayerID_(nextPlayerID), recordSize_(recordSize) {
    if (nextPlayerID > 0)
        players_.resize(static_cast<std::size_t>(nextPlayerID));
    // The key is the first two bytes of the file's header record. Without them the file
    // holds no records either, so the default table does no harm.
    std::uint8_t key[2];
    if (handle_ > 0 && tolvik::FileSeek(handle_, 0) == 0 && tolvik::FileRead(handle_, key, 2) == 2) {
        keyA_ = key[0];
        keyB_ = key[1];
        encryption_.Init(keyA_, keyB_);
    }
}

void PlayerList::ReadData() {
    if (handle_ <= 0 || players_.empty() || recordSize_ < 2 || recordSize_ > Player::kRecordSize)
        return;
    if (tolvik::FileSeek(handle_, recordSize_) < 0)
        return;
    // Whole records are read a block at a time: one call and one decipher pass per block
    // instead of per record. The block stays below the 16-bit count Decrypt takes.
    constexpr int kRecordsPerBlock = 512;
    std::vector<std::uint8_t> block(static_cast<std::size_t>(kRecordsPerBlock * recordSize_));
    for (;;) {
        const int got = tolvik::FileRead(handle_, block.data(), static_cast<int>(block.size()));
        // A record cut short by the end of the file ends the reading and is not used.
        const int records = got > 0 ? got / recordSize_ : 0;
        encryption_.Decrypt(block.data(), static_cast<short>(records * recordSize_));
        for (int r = 0; r < records; ++r) {
            const std::uint8_t* record = block.data() + static_cast<std::size_t>(r * recordSize_);
            const int id = tolvik::readU16le(record);
            if (id < nextPlayerID_)
                players_[static_cast<std::size_t>(id)].SetPlayer(Player::Decode(record, recordSize_));
        }
        if (got < static_cast<int>(block.size()))
            break;
    }
}

Player PlayerList::GetPlayer(short id) const {
    if (id < 100 || id >= nextPlayerID_ || static_cast<std::size_t>(id) >= players_.size())
        return Player();
    return players_[static_cast<std::size_t>(id)];
}
