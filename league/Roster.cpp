#include "league/Roster.h"

#include "league/ByteOrder.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kPidsOffset = 2;
constexpr int kJerseysOffset = 128;
constexpr int kUnknownOffset = 191;
static_assert(kUnknownOffset + sizeof(Roster::unknown) == Roster::kRecordSize);
} // namespace

Roster Roster::Decode(const std::uint8_t* bytes, std::size_t size) {
    // The fields lie one after another: seed, identifiers, jerseys, the rest.
    static_assert(kPidsOffset == 2 && kJerseysOffset == kPidsOffset + 2 * kSlots &&
                  kUnknownOffset == kJerseysOffset + kSlots);
    tolvik::ByteReader in(bytes, std::min<std::size_t>(size, kRecordSize));
    Roster roster;
    in.readS16le(roster.seed);
    for (short& pid : roster.pids)
        in.readS16le(pid);
    in.readBytes(roster.jerseys, sizeof roster.jerseys);
    in.readBytes(roster.unknown, sizeof roster.unknown);
    return roster;
}

void Roster::Encode(std::uint8_t* bytes) const {
    tolvik::writeS16le(bytes, seed);
    for (int i = 0; i < kSlots; ++i)
        tolvik::writeS16le(bytes + kPidsOffset + 2 * i, pids[i]);
    std::memcpy(bytes + kJerseysOffset, jerseys, sizeof jerseys);
    std::memcpy(bytes + kUnknownOffset, unknown, sizeof unknown);
}

bool Roster::IsOnRoster(short pid) const {
    for (short slot : pids)
        if (slot == pid)
            return true;
    return false;
}

int Roster::SetJerseyBounds(Player::Pos general, char* lower, char* upper) const {
    int ranges = 1;
    switch (general) {
    case Player::QB:
    case Player::K:
    case Player::P:
        lower[0] = 1, upper[0] = 19;
        break;
    case Player::RB:
    case Player::DB:
        lower[0] = 20, upper[0] = 49;
        break;
    case Player::R:
        lower[0] = 80, upper[0] = 89;
        break;
    case Player::OL:
        lower[0] = 50, upper[0] = 69;
        break;
    case Player::DL:
        lower[0] = 60, upper[0] = 79;
        lower[1] = 90, upper[1] = 99;
        ranges = 2;
        break;
    case Player::LB:
        lower[0] = 50, upper[0] = 59;
        lower[1] = 70, upper[1] = 79;
        ranges = 2;
        break;
    default:
        lower[0] = 0, upper[0] = 99;
        break;
    }
    if (ranges == 1) {
        lower[1] = lower[0];
        upper[1] = upper[0];
    }
    return ranges;
}

bool Roster::JerseyTaken(char number, short pid) const {
    // Only players of the active roster wear a number.
    for (int i = 0; i < kActiveSlots; ++i)
        if (jerseys[i] == static_cast<std::uint8_t>(number) && pids[i] != 0 && pids[i] != pid)
            return true;
    return false;
}

char Roster::FindJersey(short pid, Player::Pos general) const {
    char lower[2];
    char upper[2];
    const int ranges = SetJerseyBounds(general, lower, upper);
    for (int r = 0; r < ranges; ++r)
        for (int number = lower[r]; number <= upper[r]; ++number)
            if (!JerseyTaken(static_cast<char>(number), pid))
                return static_cast<char>(number);
    return 0;
}

void Roster::SetJerseyNumber(short pid, char number) {
    for (int i = 0; i < kSlots; ++i)
        if (pids[i] == pid)
            jerseys[i] = static_cast<std::uint8_t>(number);
}

namespace tolvik {

void ScrambleTeamRecord(std::uint8_t* record171) {
    // The key starts from the plain seed byte times the multiplier, modulo 256.
    std::uint8_t key = static_cast<std::uint8_t>(record171[0] * kScrambleMultiplier);
    for (int i = 1; i < 171; ++i)
        record171[i] ^= key++;
}

void ScrambleRosterRecord(std::uint8_t* record326) {
    // The seed is signed; only the low byte of the product matters, which two's
    // complement gives the same for the signed and the unsigned reading.
    const int seed = readS16le(record326);
    std::uint8_t key = static_cast<std::uint8_t>(seed * kScrambleMultiplier);
    for (int i = 2; i < Roster::kRecordSize; ++i)
        record326[i] ^= key++;
}

} // namespace tolvik
