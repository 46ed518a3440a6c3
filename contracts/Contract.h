#pragma once

#include <cstddef>
#include <cstdint>

class Options;

// The contract record of one player: 36 bytes, the same in memory and in the salary
// information file (where it is encoded field by field, little-endian).
class Contract {
  public:
    static constexpr int kRecordSize = 36;
    static constexpr int kSiblingRecordSize = 30;

    enum Status : std::uint8_t {
        UnderContract = 0,
        RestrictedFA = 1,
        UnrestrictedFA = 2,
        TransitionPlayer = 3,
        FranchisePlayer = 4,
        ExclusiveFA = 5,
        Tendered = 6,
        OfferSheet = 7,
        Holdout = 8,
        Retired = 9,
    };

    // Parts of a year's charge (YearCharge).
    enum Part { BaseAndBonus = 0, BaseOnly = 1, BonusOnly = 2 };

    // The default record with yrSigned 0.
    Contract() = default;
    // The default record of a league whose current season is currentSeason.
    explicit Contract(int currentSeason);

    // A record made from a 30-byte record of the sibling salary file: player ID, season
    // signed, status, contract team (as stored, 1-based), CGS, years, bonus, salary and
    // declines; everything else keeps its default.
    // Both decoders read from the size bytes that arrived; fields beyond them keep their defaults.
    static Contract FromSibling(const std::uint8_t* raw, std::size_t size);

    static Contract Decode(const std::uint8_t* bytes, std::size_t size);
    void Encode(std::uint8_t* bytes36) const;

    // The free-agent kind of a player with the given years of experience.
    static Status FreeAgentKind(int experience, const Options& options);

    // The charge of this contract in one contract year, in whole dollars. yearSel 0 is
    // the current season, 1..7 contract years 1..7; part 0 base plus bonus share, 1 the
    // base share, 2 the bonus share. Years outside the contract's split row, contracts
    // longer than seven years and unknown selectors charge 0.
    std::int32_t YearCharge(int yearSel, int part, const Options& options, int currentSeason) const;
    // The same charge before it is held in 32 bits: what the views add and show, where a
    // charge above $2,147,483,647 (or one below zero, from negative splits) must neither
    // wrap nor change sign.
    std::int64_t FullYearCharge(int yearSel, int part, const Options& options, int currentSeason) const;

    std::int16_t playerID = 0;
    std::uint16_t yrSigned = 0;
    std::uint8_t status = UnrestrictedFA;
    std::int8_t contractTeam = -1; // stored 255: no team
    std::int8_t offerTeam = -1;    // stored 255: none
    std::uint8_t reserved7 = 0;
    std::uint32_t cgs = 0;
    std::int8_t years = 0;
    std::uint8_t reserved13[3] = {};
    std::uint32_t bonus = 0;
    std::uint32_t salary = 0;
    std::uint8_t declines = 0;
    std::uint8_t reserved25 = 0;
    std::uint8_t round = 0;
    std::uint8_t pick = 0;
    std::uint32_t reserved28 = 0;
    std::uint16_t reserved32 = 0;
    std::uint8_t reserved34[2] = {};

    bool operator==(const Contract&) const = default;
};

static_assert(sizeof(Contract) == Contract::kRecordSize, "a contract record is 36 bytes");
static_assert(offsetof(Contract, cgs) == 8 && offsetof(Contract, years) == 12 &&
                  offsetof(Contract, bonus) == 16 && offsetof(Contract, salary) == 20 &&
                  offsetof(Contract, declines) == 24 && offsetof(Contract, round) == 26 &&
                  offsetof(Contract, reserved28) == 28 && offsetof(Contract, reserved32) == 32,
              "the record keeps the file's field offsets");
