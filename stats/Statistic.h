#pragma once

#include "league/TolvikExport.h"

#include <cstdint>
#include <string>

// One line of a league's statistics, built from a 20-byte record of the statistics file
// (ten 16-bit words: type code, owner, count and up to seven words of the category).
// The type code is the category plus 32 times the scope (game, season, career), so one
// class serves all three scopes.
class TOLVIK_EXPORT Statistic {
  public:
    static constexpr int kRecordWords = 10;
    static constexpr int kRecordSize = 20;

    // The line as shown on the statistics tabs. Empty here.
    virtual std::string StatLine() const;
    // Field-goal accuracy as a fraction; 0 here.
    virtual float Accuracy() const;
    // Field goals made from 50 yards and over; 0 here.
    virtual int Over50() const;

    // 1 when a's type code is higher than b's, otherwise -1 (never 0, so lines of equal
    // code keep their order of insertion). Does not look at this object.
    int Compare(Statistic* a, Statistic* b);

    std::uint16_t type = 0;  // category + 32 * scope
    std::uint16_t id = 0;    // player identifier or team number
    std::uint16_t count = 0; // attempts, rushes, punts, tackles ... by category

  protected:
    Statistic() = default;
    // Takes type, owner and count from words 0..2 of a record.
    explicit Statistic(const std::uint16_t* words) : type(words[0]), id(words[1]), count(words[2]) {}
    Statistic(const Statistic&) = default;
    Statistic& operator=(const Statistic&) = default;
    // Lines live in storage owned by the league and are never deleted through this class.
    ~Statistic() = default;
};
