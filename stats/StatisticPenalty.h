#pragma once

#include "stats/Statistic.h"

// Penalties: only the count (word 2). No type code of the statistics file makes one, and
// its line is the empty base line.
class TOLVIK_EXPORT StatisticPenalty final : public Statistic {
  public:
    // Out of line, so that the class's table of virtual functions lives in the library (a
    // DLL's users cannot make it themselves).
    explicit StatisticPenalty(const std::uint16_t* words);
};
