#pragma once

#include "stats/StatisticSum.h"

// Passing: attempts (word 2), total yards, longest pass, touchdowns (words 3..5) and
// completions (word 6).
class TOLVIK_EXPORT StatisticPass final : public StatisticSum {
  public:
    explicit StatisticPass(const std::uint16_t* words) : StatisticSum(words), completions(words[6]) {}

    std::string StatLine() const override;

    std::uint16_t completions = 0;
};
