#include "league/PlayerList.h"

#include "league/ByteOrder.h"
#include "league/FileAccess.h"

#include <algorithm>

PlayerList::PlayerList(short nextPlayerID, int handle, int recordSize)
    : handle_(handle), nextPlayerID_(nextPlayerID), recordSize_(recordSize) {
    if (nextPlayerID > 0)
        recordOf_.assign(static_cast<std::size_t>(nextPlayerID), 0);
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
    if (handle_ <= 0 || recordOf_.empty() || recordSize_ < 2 || recordSize_ > Player::kRecordSize)
        return;
    const std::int64_t size = tolvik::FileSize(handle_);
    if (size <= recordSize_ || tolvik::FileSeek(handle_, recordSize_) < 0)
        return;
    // Only whole records count: one cut short by the end of the file is not used. The file
    // size is only a hint; what the read returns decides.
    const std::int64_t wanted =
        std::min<std::int64_t>((size - recordSize_) / recordSize_ * recordSize_, std::int64_t{1} << 30);
    records_ = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(wanted));
    if (recordSize_ > Player::kGeneralOffset)
        generalOf_.assign(recordOf_.size(), 0);

    // Read in pieces of whole records and take each piece's identifiers and positions while
    // its bytes are still in the cache; a short read ends the file. Only the identifier and
    // the general position are deciphered now, the rest of a record when it is first asked for.
    const std::int64_t piece = std::int64_t{recordSize_} * 4096;
    // Locals, so that the byte stores do not make the compiler fetch the members anew.
    std::int32_t* const slots = recordOf_.data();
    const std::size_t ids = recordOf_.size();
    std::int8_t* const general = generalOf_.empty() ? nullptr : generalOf_.data();
    const Encryption& cipher = encryption_;
    std::int64_t k = 0;
    for (std::int64_t at = 0; at < wanted;) {
        const int asked = static_cast<int>(std::min(piece, wanted - at));
        const int got = tolvik::FileRead(handle_, records_.get() + at, asked);
        if (got <= 0)
            break;
        at += got;
        const std::uint8_t* record = records_.get() + k * recordSize_;
        for (const std::int64_t whole = at / recordSize_; k < whole; ++k, record += recordSize_) {
            const std::uint8_t id[2] = {cipher.DecryptByte(record[0]), cipher.DecryptByte(record[1])};
            const std::size_t pid = tolvik::readU16le(id);
            if (pid >= ids)
                continue;
            slots[pid] = static_cast<std::int32_t>(k + 1);
            if (general)
                general[pid] = static_cast<std::int8_t>(cipher.DecryptByte(record[Player::kGeneralOffset]));
        }
        if (got < asked)
            break;
    }
}

std::uint8_t* PlayerList::RecordOf(short id, std::int32_t*& slot) const {
    if (id < 100 || id >= nextPlayerID_ || static_cast<std::size_t>(id) >= recordOf_.size())
        return nullptr;
    slot = &recordOf_[static_cast<std::size_t>(id)];
    if (*slot == 0)
        return nullptr;
    const std::size_t index = static_cast<std::size_t>(*slot > 0 ? *slot : -*slot) - 1;
    return records_.get() + index * static_cast<std::size_t>(recordSize_);
}

Player PlayerList::GetPlayer(short id) const {
    Player player;
    std::int32_t* slot = nullptr;
    std::uint8_t* record = RecordOf(id, slot);
    if (!record)
        return player;
    if (*slot > 0) {
        encryption_.Decrypt(record, static_cast<short>(recordSize_));
        *slot = -*slot;
    }
    player.SetPlayer(Player::Decode(record, recordSize_));
    return player;
}

Player::Pos PlayerList::GetPosGeneral(short id) const {
    std::int32_t* slot = nullptr;
    if (!RecordOf(id, slot))
        return Player().GetPosGeneral();
    // A record too short to hold the field decodes with it zero.
    return static_cast<Player::Pos>(generalOf_.empty() ? 0 : generalOf_[static_cast<std::size_t>(id)]);
}
