#pragma once

#include <cstdint>

// The salary information of one club: two counters from the salary information file and
// the payroll totals recomputed after every load.
struct TeamInfo {
    std::uint8_t restructures = 0;     // restructures made this season
    std::uint8_t counter2 = 0;         // stored and carried (version 2 files only)
    std::int32_t bonusSpent = 0;       // "Bonus Money Spent"
    std::int32_t currentPayroll = 0;   // "Current Payroll"
    std::int32_t estimatedPayroll = 0; // "Estimated Payroll"

    bool operator==(const TeamInfo&) const = default;
};
