#pragma once

#include "stats/Statistic.h"

// Fumbles: only the count (word 2).
class TOLVIK_EXPORT StatisticFumble final : public Statistic {
  public:
    explicit StatisticFumble(const std::uint16_t* words) : Statistic(words) {}

    std::string StatLine() const override;
};
