#pragma once

#include "stats/StatisticSum.h"

// Fumble recoveries: count (word 2), return yards, longest return and touchdowns (words 3..5).
class TOLVIK_EXPORT StatisticFumbleRec final : public StatisticSum {
  public:
    explicit StatisticFumbleRec(const std::uint16_t* words) : StatisticSum(words) {}

    std::string StatLine() const override;
};
