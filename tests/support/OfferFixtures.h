#pragma once

// Offers and contracts that the tests of the model, the commands and the windows share.

#include "contracts/Contract.h"
#include "contracts/Offer.h"

#include <cstdint>
#include <vector>

// Gives player id a contract of club `team` (-1 for none).
inline Contract& SetContract(Contract& c, int id, int status, int team, int signedIn, int years,
                             std::uint32_t salary, std::uint32_t bonus) {
    c.playerID = static_cast<std::int16_t>(id);
    c.status = static_cast<std::uint8_t>(status);
    c.contractTeam = static_cast<std::int8_t>(team);
    c.yrSigned = static_cast<std::uint16_t>(signedIn);
    c.years = static_cast<std::int8_t>(years);
    c.salary = salary;
    c.bonus = bonus;
    return c;
}

// The contract the tests of season 2000 work out by hand: under contract with club 1,
// signed in 1998 for four years, $4,000,000 and $400,000, CGS 1,000,000. This season is its
// third year: 27 % of 4,000,000 = 1,080,000 and 400,000 / 4 = 100,000.
inline void SignFourYearsOf1998(Contract& c, std::int16_t id) {
    c.playerID = id;
    c.status = Contract::UnderContract;
    c.contractTeam = 1;
    c.yrSigned = 1998;
    c.years = 4;
    c.salary = 4000000;
    c.bonus = 400000;
    c.cgs = 1000000;
}

// The bytes of an offer file holding the offers, in order.
inline std::vector<std::uint8_t> OfferFileBytes(const std::vector<Offer>& offers) {
    std::vector<std::uint8_t> bytes(offers.size() * Offer::kRecordSize);
    for (std::size_t i = 0; i < offers.size(); ++i)
        offers[i].Encode(bytes.data() + i * Offer::kRecordSize);
    return bytes;
}
