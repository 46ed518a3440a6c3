#pragma once

#include "stats/StatisticSum.h"

// Punting: punts (word 2), total yards, longest punt, touchdowns (words 3..5), blocked
// punts (word 6), the yards returned against the punts (word 8) and touchbacks (word 9).
class TOLVIK_EXPORT StatisticPunt final : public StatisticSum {
  public:
    explicit StatisticPunt(const std::uint16_t* words)
        : StatisticSum(words), blocked(words[6]), returnYards(static_cast<std::int16_t>(words[8])),
          touchbacks(words[9]) {}

    std::string StatLine() const override;
    // (total - returnYards) per punt; 0 without punts.
    float NetAvg() const;
    int Blocked() const { return blocked; }

    std::uint16_t blocked = 0;
    std::int16_t returnYards = 0;
    std::uint16_t touchbacks = 0;
};
