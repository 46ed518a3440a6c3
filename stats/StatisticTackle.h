#pragma once

#include "stats/Statistic.h"

// Tackles: only the count (word 2).
class TOLVIK_EXPORT StatisticTackle final : public Statistic {
  public:
    explicit StatisticTackle(const std::uint16_t* words) : Statistic(words) {}

    std::string StatLine() const override;
};
