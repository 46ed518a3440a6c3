#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class League;

// One contract proposal of the managed club: 20 bytes, the same in memory and in the
// offer file (encoded field by field, little-endian; padding written as zeros).
struct Offer {
    static constexpr int kRecordSize = 20;

    enum Type : std::int8_t {
        SignFreeAgent = 0,
        OwnRestrictedOffer = 1,
        TenderOffer = 2,
        RestructureOffer = 3,
        FranchiseDesignation = 4,
        TransitionDesignation = 5,
        MatchOfferSheet = 6,
        OwnTenderedOffer = 7,
        GiveOfferSheet = 8,
        InvalidOffer = 10,
    };

    std::int16_t playerID = 0;
    std::int8_t team = 0;
    std::int8_t offerType = SignFreeAgent;
    std::int8_t years = 0;
    std::uint8_t padding5[3] = {};
    std::uint32_t salary = 0;
    std::uint32_t bonus = 0;
    std::int16_t acceptPct = 0;
    std::uint8_t flag = 0;
    std::uint8_t padding19 = 0;

    // Reads a record from the size bytes that arrived; fields beyond them keep their defaults.
    static Offer Decode(const std::uint8_t* bytes, std::size_t size);
    // Writes the named fields; the padding bytes are always written as zeros.
    void Encode(std::uint8_t* bytes20) const;

    // Whether the running payroll figures count this offer: tenders and designations do not.
    bool CountsInFigures() const;

    bool operator==(const Offer&) const = default;
};

static_assert(sizeof(Offer) == Offer::kRecordSize, "an offer record is 20 bytes");
static_assert(offsetof(Offer, years) == 4 && offsetof(Offer, salary) == 8 && offsetof(Offer, bonus) == 12 &&
                  offsetof(Offer, acceptPct) == 16 && offsetof(Offer, flag) == 18,
              "the record keeps the file's field offsets");

// An offer record for player id: type, length and money, offered by club `team`; no chance
// or flag yet.
Offer MakeOffer(std::int16_t id, int type, int years, std::uint32_t salary, std::uint32_t bonus, int team);

// The sentence the offer list shows for an offer: the offering club's name followed by the
// text of its type. A player the league does not have gives empty names.
std::string OfferSentence(const Offer& offer, const League& league);
// The same with the club now holding the player already known (-1 for none).
std::string OfferSentence(const Offer& offer, const League& league, int holder);

// The acceptance chance as the record's signed 16-bit field holds it: saturated, not wrapped.
std::int16_t SaturateToPercentField(std::int64_t chance);
