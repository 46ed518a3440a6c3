#include "league/Player.h"

#include "league/ByteOrder.h"

#include <algorithm>
#include <cstring>

namespace {

// Offsets of the fields in a player record.
constexpr int kPidOffset = 0;
constexpr int kFirstNameOffset = 2;
constexpr int kLastNameOffset = 15;
constexpr int kPotentialOffset = 28;
constexpr int kUnknown1Offset = 36;
constexpr int kGeneralOffset = Player::kGeneralOffset;
constexpr int kSpecificOffset = 41;
constexpr int kActualOffset = 42;
constexpr int kYearsOffset = 50;
constexpr int kUnknown2Offset = 51;

constexpr int kNameSize = 13;

std::string TextOf(const char* text, std::size_t capacity) {
    // A name without its NUL fills its field; never read past the field.
    return std::string(text, ::strnlen(text, capacity));
}

} // namespace

Player::Player() {
    // Every byte has a known value, including those no accessor reads.
    std::memset(static_cast<void*>(&data_), 0, sizeof data_);
    data_.pid = 0;
    data_.posGeneral = static_cast<Pos>(-1);
    data_.posSpecific = static_cast<Pos>(-1);
    data_.years = -1;
}

Player::PlayerDiskData Player::Decode(const std::uint8_t* bytes, int recordSize) {
    // The fields lie one after another in file order; those a short (version-2) record
    // does not hold stay zero.
    static_assert(kFirstNameOffset == kPidOffset + 2 && kLastNameOffset == kFirstNameOffset + kNameSize &&
                  kPotentialOffset == kLastNameOffset + kNameSize &&
                  kUnknown1Offset == kPotentialOffset + 8 && kGeneralOffset == kUnknown1Offset + 4 &&
                  kSpecificOffset == kGeneralOffset + 1 && kActualOffset == kSpecificOffset + 1 &&
                  kYearsOffset == kActualOffset + 8 && kUnknown2Offset == kYearsOffset + 1);
    tolvik::ByteReader in(bytes, static_cast<std::size_t>(std::clamp(recordSize, 0, kRecordSize)));
    PlayerDiskData data{};
    in.readS16le(data.pid);
    in.readBytes(data.firstName, kNameSize);
    in.readBytes(data.lastName, kNameSize);
    in.readBytes(data.potential, sizeof data.potential);
    in.readBytes(data.unknown1, sizeof data.unknown1);
    std::int8_t code = 0;
    if (in.readS8(code))
        data.posGeneral = static_cast<Pos>(code);
    if (in.readS8(code))
        data.posSpecific = static_cast<Pos>(code);
    in.readBytes(data.actual, sizeof data.actual);
    in.readS8(data.years);
    in.readBytes(data.unknown2, sizeof data.unknown2);
    return data;
}

void Player::Encode(const PlayerDiskData& data, std::uint8_t* bytes, int recordSize) {
    std::uint8_t full[kRecordSize] = {};
    tolvik::writeS16le(full + kPidOffset, data.pid);
    std::memcpy(full + kFirstNameOffset, data.firstName, kNameSize);
    std::memcpy(full + kLastNameOffset, data.lastName, kNameSize);
    for (int i = 0; i < 8; ++i) {
        full[kPotentialOffset + i] = static_cast<std::uint8_t>(data.potential[i]);
        full[kActualOffset + i] = static_cast<std::uint8_t>(data.actual[i]);
    }
    std::memcpy(full + kUnknown1Offset, data.unknown1, sizeof data.unknown1);
    full[kGeneralOffset] = static_cast<std::uint8_t>(data.posGeneral);
    full[kSpecificOffset] = static_cast<std::uint8_t>(data.posSpecific);
    full[kYearsOffset] = static_cast<std::uint8_t>(data.years);
    std::memcpy(full + kUnknown2Offset, data.unknown2, sizeof data.unknown2);
    std::memcpy(bytes, full, static_cast<std::size_t>(std::clamp(recordSize, 0, kRecordSize)));
}

std::int16_t Player::GetPID() const {
    return data_.pid;
}

std::string Player::GetFirstName() const {
    return TextOf(data_.firstName, sizeof data_.firstName);
}

std::string Player::GetLastName() const {
    return TextOf(data_.lastName, sizeof data_.lastName);
}

char Player::GetYears() const {
    return static_cast<char>(data_.years);
}

Player::Ratings Player::GetARatings() const {
    Ratings ratings;
    std::copy(std::begin(data_.actual), std::end(data_.actual), ratings.begin());
    return ratings;
}

Player::Ratings Player::GetPRatings() const {
    Ratings ratings;
    std::copy(std::begin(data_.potential), std::end(data_.potential), ratings.begin());
    return ratings;
}

Player::Pos Player::GetPosSpecific() const {
    return data_.posSpecific;
}

Player::Pos Player::GetPosGeneral() const {
    return data_.posGeneral;
}

Player::Pos Player::GeneralOf(Pos specific) {
    switch (specific) {
    case Player::FB:
    case Player::HB:
        return Player::RB;
    case Player::TE:
    case Player::WR:
        return Player::R;
    case Player::C:
    case Player::G:
    case Player::T:
        return Player::OL;
    case Player::DE:
    case Player::DT:
        return Player::DL;
    case Player::CB:
    case Player::S:
        return Player::DB;
    default:
        return specific; // QB, LB, K and P are their own groups
    }
}

std::string Player::GetStringPos() const {
    static const char* const kTexts[] = {"QB", "FB", "HB", "TE", "WR", "C", "G", "T",
                                         "DE", "DT", "LB", "CB", "S",  "K", "P"};
    int code = data_.posSpecific;
    if (code < 0 || code >= static_cast<int>(std::size(kTexts)))
        return "??";
    return kTexts[code];
}

void Player::SetPlayer(PlayerDiskData data) {
    data_ = data;
}
