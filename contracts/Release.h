#pragma once

#include "contracts/ContractList.h"

#include <cstdint>
#include <optional>
#include <vector>

// What releasing a player into the free agents would do to the club totals: he leaves
// every roster and is listed as a free agent, his contract record stays as it is. Nothing
// is changed; the totals are counted as RecomputeTotals counts them.
struct ReleaseEffect {
    // A club's three totals as the status bar shows them.
    struct Figures {
        std::int32_t bonusSpent = 0;
        std::int32_t currentPayroll = 0;
        std::int32_t estimatedPayroll = 0;
        bool operator==(const Figures&) const = default;
    };
    struct OtherClub {
        int team = 0;
        Figures before, after;
    };

    int id = 0;
    int team = -1; // the club whose roster he leaves
    Figures before, after;
    // What the club's current payroll drops by, and what his contract still charges it.
    std::int64_t savings = 0;
    std::int64_t deadMoney = 0;
    // The other clubs whose totals change, in team order (the club holding his contract,
    // when that is another: a free agent's one-year contract is charged differently).
    std::vector<OtherClub> otherClubs;
};

// The totals of every club are counted once; each release is then worked out from the one
// player's charges, so a column of a whole roster costs little more than one.
class ReleaseCalculator {
  public:
    explicit ReleaseCalculator(const ContractList& contracts);

    // None when id is not a player on a roster.
    std::optional<ReleaseEffect> Release(int id) const;

    const ContractList::Places& GetPlaces() const { return places_; }

  private:
    const ContractList& contracts_;
    ContractList::Places places_;
    std::vector<ContractList::Sums> sums_;
};
