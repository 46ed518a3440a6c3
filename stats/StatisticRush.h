#pragma once

#include "stats/StatisticSum.h"

// Rushing: rushes (word 2), total yards, longest run and touchdowns (words 3..5).
class TOLVIK_EXPORT StatisticRush final : public StatisticSum {
  public:
    explicit StatisticRush(const std::uint16_t* words) : StatisticSum(words) {}

    std::string StatLine() const override;
};
