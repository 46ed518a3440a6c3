#pragma once

#include <cstdint>

// One valued player during a CGS generation run.
struct CGSEntry {
    std::int16_t playerID = 0;
    std::int8_t years = 0; // years of experience
    std::int8_t group = 0; // position group 0-9: QB, RB, OL, WR, TE, DL, LB, DB, P, K
    double score = 0.0;    // weighted ratings sum
    bool starter = false;  // counted among the group's starters
    double value = 0.0;    // the result in thousands of dollars
};
