#pragma once

#include "stats/StatisticSum.h"

// Receiving: receptions (word 2), total yards, longest catch and touchdowns (words 3..5).
class TOLVIK_EXPORT StatisticPassRec final : public StatisticSum {
  public:
    explicit StatisticPassRec(const std::uint16_t* words) : StatisticSum(words) {}

    std::string StatLine() const override;
};
