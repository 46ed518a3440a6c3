#pragma once

#include "stats/Statistic.h"

#include <array>

// Field goals: the longest kick (word 2) and five distance bands (words 3..7: under 20,
// 20-29, 30-39, 40-49, 50 and over), each with the attempts in its high byte and the
// kicks made in its low byte.
class TOLVIK_EXPORT StatisticFG final : public Statistic {
  public:
    static constexpr int kBands = 5;

    explicit StatisticFG(const std::uint16_t* words) : Statistic(words) {
        for (int i = 0; i < kBands; ++i)
            bands[static_cast<std::size_t>(i)] = words[3 + i];
    }

    std::string StatLine() const override;
    // Made over attempted kicks of all bands, as a fraction; 0 without attempts.
    float Accuracy() const override;
    // Kicks made from 50 yards and over.
    int Over50() const override;

    // Splits a band word into attempts (high byte) and kicks made (low byte).
    static void Breakdown(std::uint16_t band, int& attempts, int& made);

    std::array<std::uint16_t, kBands> bands{};

  private:
    void Totals(int& attempts, int& made) const;
};
