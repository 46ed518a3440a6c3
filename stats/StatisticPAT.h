#pragma once

#include "stats/Statistic.h"

// Extra points: attempts (word 2) and kicks made (word 3).
class TOLVIK_EXPORT StatisticPAT final : public Statistic {
  public:
    explicit StatisticPAT(const std::uint16_t* words) : Statistic(words), made(words[3]) {}

    std::string StatLine() const override;

    std::uint16_t made = 0;
};
