#pragma once

#include "stats/StatisticSum.h"

// Interceptions: count (word 2), return yards, longest return and touchdowns (words 3..5).
class TOLVIK_EXPORT StatisticInt final : public StatisticSum {
  public:
    explicit StatisticInt(const std::uint16_t* words) : StatisticSum(words) {}

    std::string StatLine() const override;
};
