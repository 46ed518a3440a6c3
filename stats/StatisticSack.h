#pragma once

#include "stats/Statistic.h"

// Sacks: only the count (word 2).
class TOLVIK_EXPORT StatisticSack final : public Statistic {
  public:
    explicit StatisticSack(const std::uint16_t* words) : Statistic(words) {}

    std::string StatLine() const override;
};
