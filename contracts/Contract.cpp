#include "contracts/Contract.h"

#include "contracts/Options.h"
#include "league/ByteOrder.h"

#include <algorithm>
#include <cmath>
#include <cstring>

Contract::Contract(int currentSeason) : yrSigned(static_cast<std::uint16_t>(currentSeason)) {}

Contract Contract::FromSibling(const std::uint8_t* raw, std::size_t size) {
    // The sibling record: ID 0, season 3, status 5, team 6, CGS 7, years 11, bonus 12,
    // salary 16 and declines 29; the bytes in between are not ours.
    tolvik::ByteReader in(raw, std::min<std::size_t>(size, kSiblingRecordSize));
    Contract c;
    // Each field is read at its own offset, so that one cut short leaves the rest alone.
    auto at = [&in](std::size_t offset) { return in.Seek(offset); };
    at(0) && in.readS16le(c.playerID);
    at(3) && in.readU16le(c.yrSigned);
    at(5) && in.readU8(c.status);
    at(6) && in.readS8(c.contractTeam);
    at(7) && in.readU24le(c.cgs);
    at(11) && in.readS8(c.years);
    at(12) && in.readU24le(c.bonus);
    at(16) && in.readU24le(c.salary);
    at(29) && in.readU8(c.declines);
    return c;
}

Contract Contract::Decode(const std::uint8_t* bytes, std::size_t size) {
    tolvik::ByteReader in(bytes, std::min<std::size_t>(size, kRecordSize));
    Contract c;
    in.readS16le(c.playerID);
    in.readU16le(c.yrSigned);
    in.readU8(c.status);
    in.readS8(c.contractTeam);
    in.readS8(c.offerTeam);
    in.readU8(c.reserved7);
    in.readU32le(c.cgs);
    in.readS8(c.years);
    in.readBytes(c.reserved13, sizeof c.reserved13);
    in.readU32le(c.bonus);
    in.readU32le(c.salary);
    in.readU8(c.declines);
    in.readU8(c.reserved25);
    in.readU8(c.round);
    in.readU8(c.pick);
    in.readU32le(c.reserved28);
    in.readU16le(c.reserved32);
    in.readBytes(c.reserved34, sizeof c.reserved34);
    return c;
}

void Contract::Encode(std::uint8_t* b) const {
    tolvik::writeS16le(b + 0, playerID);
    tolvik::writeU16le(b + 2, yrSigned);
    b[4] = status;
    b[5] = static_cast<std::uint8_t>(contractTeam);
    b[6] = static_cast<std::uint8_t>(offerTeam);
    b[7] = reserved7;
    tolvik::writeU32le(b + 8, cgs);
    b[12] = static_cast<std::uint8_t>(years);
    std::memcpy(b + 13, reserved13, 3);
    tolvik::writeU32le(b + 16, bonus);
    tolvik::writeU32le(b + 20, salary);
    b[24] = declines;
    b[25] = reserved25;
    b[26] = round;
    b[27] = pick;
    tolvik::writeU32le(b + 28, reserved28);
    tolvik::writeU16le(b + 32, reserved32);
    std::memcpy(b + 34, reserved34, 2);
}

Contract::Status Contract::FreeAgentKind(int experience, const Options& options) {
    if (experience >= options.ageufa)
        return UnrestrictedFA;
    if (experience < options.agerfa)
        return ExclusiveFA;
    return RestrictedFA;
}

std::int32_t Contract::YearCharge(int yearSel, int part, const Options& options, int currentSeason) const {
    // Whole dollars in 32 bits, as every money figure of the program.
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(FullYearCharge(yearSel, part, options, currentSeason)));
}

std::int64_t Contract::FullYearCharge(int yearSel, int part, const Options& options,
                                      int currentSeason) const {
    if (years < 1 || years > Options::kSplitRows)
        return 0;
    int index;
    if (yearSel == 0)
        index = currentSeason - static_cast<int>(yrSigned);
    else if (yearSel >= 1 && yearSel <= 7)
        index = yearSel - 1;
    else
        return 0;
    if (index < 0 || index >= Options::kSplitRows)
        return 0;

    const std::int64_t bonusShare = bonus / static_cast<std::uint32_t>(years);
    // The percentage is held as a single-precision factor, as the charge tables always were.
    const float factor =
        static_cast<float>(static_cast<long double>(options.splits[years - 1][index]) * 0.01L);
    const long double base = std::floor(static_cast<long double>(salary) * factor + 0.5L);
    const std::int64_t baseShare = static_cast<std::int64_t>(base);

    std::int64_t charge;
    switch (part) {
    case BaseAndBonus:
        charge = baseShare + bonusShare;
        break;
    case BaseOnly:
        charge = baseShare;
        break;
    case BonusOnly:
        charge = bonusShare;
        break;
    default:
        return 0;
    }
    return charge;
}
