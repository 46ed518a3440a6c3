#pragma once

#include "stats/Statistic.h"

// Safeties: only the count (word 2).
class TOLVIK_EXPORT StatisticSafety final : public Statistic {
  public:
    explicit StatisticSafety(const std::uint16_t* words) : Statistic(words) {}

    std::string StatLine() const override;
};
