#pragma once

#include "contracts/CGSEntry.h"
#include "contracts/Contract.h"

#include <cstdint>
#include <vector>

class ContractList;
class Options;

// The terms that make an acceptance chance, so that a manager can see why an offer falls short.
struct AcceptTerms {
    // BeyondLongestContract is the contract editor's: it shows no chance at all for a length
    // beyond the options' longest contract, before the chance is computed.
    enum ZeroReason {
        None,
        NoLength,
        NoSalary,
        BeyondSplitTable,
        BonusBelowMinimum,
        BonusAboveMaximum,
        BeyondLongestContract
    };

    std::int32_t chance = 0;
    ZeroReason zeroReason = None; // why the offer counts for nothing, before any term
    double bonusPercent = 0;      // bonus as a percentage of the salary
    double offerValue = 0;        // 62 times the weighted value of the offer per dollar of CGS
    double declinesPenalty = 0;   // taken off for the player's declines
    std::int32_t baseChance = 0;  // the league's adjustment
    bool floored = false;         // the sum was below 0
};

// The CGS generator of a contract list, and the acceptance chance of an offer.
class Commissioner {
  public:
    // How the ratings method orders the entries before it marks the starters. Both give
    // the same CGS for every player (only the scores of the starters enter the group
    // figures, and equal scores are interchangeable); the exchange sort is the literal
    // quadratic procedure, kept to prove that.
    enum class StarterSort { Fast, Exchange };

    explicit Commissioner(ContractList& list);

    // Computes the CGS of every player of the list's league and stores it in the list;
    // players on no team who are not free agents are marked retired with CGS 0.
    void Generate();
    // Steps of Generate: fills entries with every player to be valued (with his ratings
    // score) and marks the retired players in the list.
    void CollectEntries();

    // The chance in percent that the player of the contract accepts the offer (no upper limit).
    std::int32_t AcceptChance(Contract contract, std::int32_t years, std::uint32_t salary,
                              std::uint32_t bonus) const;
    // The same chance with the terms that make it.
    AcceptTerms ExplainChance(const Contract& contract, std::int32_t years, std::uint32_t salary,
                              std::uint32_t bonus) const;
    // The same for a player already known to be a free agent or not (declines cost only
    // those who are not), for callers that ask about one player many times.
    AcceptTerms ExplainChance(const Contract& contract, bool freeAgent, std::int32_t years,
                              std::uint32_t salary, std::uint32_t bonus) const;
    bool IsFreeAgent(const Contract& contract) const;

    // The CGS position group (0-9) of a specific position code, -1 for none.
    static int GroupOf(int specificPosition);

    // The ratings method over a set of entries: sorts them by score (highest first), marks
    // the starters and sets every entry's value.
    void RatingsMethod(std::vector<CGSEntry>& items, int numTeams, const Options& options) const;
    // The statistics method's value of one entry (thousands of dollars).
    double StatisticsValue(const CGSEntry& entry) const;

    // Sorts by score, highest first, in O(n log n).
    static void SortByScore(std::vector<CGSEntry>& items);
    // The literal exchange sort: for each i, for each j from i on, swap when j's score is higher.
    static void ExchangeSort(std::vector<CGSEntry>& items);

    double base = 84.0;   // experience scaling base, percent
    double perYear = 2.0; // experience scaling step, percent per year
    double factor = 1.0;  // overall factor
    StarterSort starterSort = StarterSort::Fast;

    // Filled during one Generate and released after it.
    std::vector<CGSEntry> entries;
    std::int32_t numEntries = 0;

  private:
    ContractList& list_;
};
