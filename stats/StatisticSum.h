#pragma once

#include "stats/Statistic.h"

// A line that adds up yards: total, longest play and touchdowns (words 3, 4 and 5).
class TOLVIK_EXPORT StatisticSum : public Statistic {
  public:
    StatisticSum() = default;

    std::int16_t GetTotal() const { return total; }
    std::int16_t GetBest() const { return best; }
    std::uint16_t GetTD() const { return td; }

    std::int16_t total = 0; // total yards
    std::int16_t best = 0;  // longest play
    std::uint16_t td = 0;   // touchdowns

  protected:
    explicit StatisticSum(const std::uint16_t* words)
        : Statistic(words), total(static_cast<std::int16_t>(words[3])),
          best(static_cast<std::int16_t>(words[4])), td(words[5]) {}
    // label count " Long: " best " TDs: " td " Total Yards: " total " Average: " total/count
    std::string YardsLine(const char* label) const;
    // label count " Long: " best " TDs: " td
    std::string PlaysLine(const char* label) const;
};
