#pragma once

#include "stats/StatisticSum.h"

// Kickoff returns: returns (word 2), total yards, longest return and touchdowns (words 3..5).
class TOLVIK_EXPORT StatisticKickRet final : public StatisticSum {
  public:
    explicit StatisticKickRet(const std::uint16_t* words) : StatisticSum(words) {}

    std::string StatLine() const override;
};
