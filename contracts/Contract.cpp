#include "contracts/Contract.h"

#include "contracts/Options.h"
#include "league/ByteOrder.h"

#include <cmath>
#include <cstring>

Contract::Contract(int currentSeason) : yrSigned(static_cast<std::uint16_t>(currentSeason)) {}

Contract Contract::FromSibling(const std::uint8_t* raw) {
    Contract c;
    c.playerID = static_cast<std::int16_t>(tolvik::readU16le(raw + 0));
    c.yrSigned = tolvik::readU16le(raw + 3);
    c.status = raw[5];
    c.contractTeam = static_cast<std::int8_t>(raw[6]);
    c.cgs = tolvik::readU24le(raw + 7);
    c.years = static_cast<std::int8_t>(raw[11]);
    c.bonus = tolvik::readU24le(raw + 12);
    c.salary = tolvik::readU24le(raw + 16);
    c.declines = raw[29];
    return c;
}

Contract Contract::Decode(const std::uint8_t* b) {
    Contract c;
    c.playerID = tolvik::readS16le(b + 0);
    c.yrSigned = tolvik::readU16le(b + 2);
    c.status = b[4];
    c.contractTeam = static_cast<std::int8_t>(b[5]);
    c.offerTeam = static_cast<std::int8_t>(b[6]);
    c.reserved7 = b[7];
    c.cgs = tolvik::readU32le(b + 8);
    c.years = static_cast<std::int8_t>(b[12]);
    std::memcpy(c.reserved13, b + 13, 3);
    c.bonus = tolvik::readU32le(b + 16);
    c.salary = tolvik::readU32le(b + 20);
    c.declines = b[24];
    c.reserved25 = b[25];
    c.round = b[26];
    c.pick = b[27];
    c.reserved28 = tolvik::readU32le(b + 28);
    c.reserved32 = tolvik::readU16le(b + 32);
    std::memcpy(c.reserved34, b + 34, 2);
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
    // Whole dollars in 32 bits, as every money figure of the program.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(charge));
}
