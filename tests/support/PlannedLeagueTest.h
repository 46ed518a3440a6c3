#pragma once

// The starting point of most tests of the contract model: a league made from a plan in a
// folder of its own, opened, with a contract list over the fixture's options.

#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "league/League.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include <gtest/gtest.h>

#include <memory>

class PlannedLeagueTest : public ::testing::Test {
  protected:
    // Writes the plan, opens it and makes the contract list (every contract empty).
    void OpenPlan() {
        league = plan.Open(dir);
        list = std::make_unique<ContractList>(*league, options);
    }

    TempDir dir;
    TestLeague plan;
    Options options;
    std::unique_ptr<League> league;
    std::unique_ptr<ContractList> list;
};
