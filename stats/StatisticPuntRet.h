#pragma once

#include "stats/StatisticSum.h"

// Punt returns: returns (word 2), total yards, longest return, touchdowns (words 3..5)
// and fair catches (word 6).
class TOLVIK_EXPORT StatisticPuntRet final : public StatisticSum {
  public:
    explicit StatisticPuntRet(const std::uint16_t* words) : StatisticSum(words), fairCatches(words[6]) {}

    std::string StatLine() const override;

    std::uint16_t fairCatches = 0;
};
