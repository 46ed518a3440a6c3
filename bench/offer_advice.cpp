// The cheapest-offer table (seven lengths, four targets) for one player, and the cap table of
// a club charged by 63 contracts with 32 ticked offers, in a league of 30 teams and 32,000 players.
#include "bench/BenchSupport.h"
#include "contracts/CapTable.h"
#include "contracts/CheapestOffer.h"
#include "contracts/ContractList.h"
#include "contracts/OfferList.h"
#include "contracts/Options.h"
#include "contracts/ScriptedPrompt.h"
#include "league/League.h"

#include <cstdio>
#include <string>
#include <vector>

int main() {
    // The largest league the game keeps: the free-agent lists the chance looks through are long.
    int status = 0;
    {
        bench::LargeSalaryLeague large;
        const sample::Result& result = large.Result();
        Options& options = large.options;
        ContractList& list = *large.list;

        // Club 0's roster, and contracts of club 0 for enough others to make 63 charges.
        const ContractList::Places places = list.LookUpPlaces();
        int charged = 0;
        for (int id = ContractList::kFirstID; id < list.Count(); ++id)
            if (places.team[static_cast<std::size_t>(id)] == 0)
                ++charged;
        for (int id = ContractList::kFirstID; id < list.Count() && charged < 63; ++id) {
            Contract& c = *list.GetRecord(id);
            if (places.team[static_cast<std::size_t>(id)] == 0 || c.contractTeam == 0)
                continue;
            c.contractTeam = 0;
            c.years = 3;
            c.yrSigned = static_cast<std::uint16_t>(list.GetCurrentSeason() - 1);
            c.salary = 3000000;
            c.bonus = 600000;
            c.status = Contract::UnderContract;
            ++charged;
        }
        OfferList offers(list);
        offers.SetBase(0, list.GetTeamInfo(0));
        for (int k = 0; k < OfferList::kMaxOffers; ++k) {
            Offer o;
            o.playerID = static_cast<std::int16_t>(ContractList::kFirstID + k);
            o.offerType =
                static_cast<std::int8_t>(k % 2 == 0 ? Offer::RestructureOffer : Offer::SignFreeAgent);
            o.years = static_cast<std::int8_t>(1 + k % 7);
            o.salary = 1000000u + 10000u * static_cast<unsigned>(k);
            o.bonus = 200000;
            offers.AddOfferToList(o);
        }
        std::size_t rows = 0;
        const double capTable = bench::MedianMicros(11, 200, [&](int) {
            const CapTable table = BuildCapTable(list, 0, &offers);
            rows = table.players.size() + table.offers.size();
        });

        const Contract star = list.GetContract(ContractList::kFirstID);
        const std::vector<int> targets{60, 75, 90, 97};
        std::size_t answers = 0;
        const double cheapest = bench::MedianMicros(11, 50, [&](int) {
            answers = FindCheapestOffers(list.GetCommissioner(), star, options, targets).size();
        });

        std::printf("league: %d teams, %zu players\n", result.numTeams, result.players.size());
        std::printf("  cap table of club 0 (%zu rows, 63 contracts and 32 offers), median: %.1f us\n", rows,
                    capTable);
        std::printf("  cheapest offers (%zu answers: 7 lengths, 4 targets), median: %.1f us\n", answers,
                    cheapest);
        const bool capOk = capTable < 1000.0;
        const bool cheapestOk = cheapest < 2000.0;
        std::printf("targets:\n  cap table < 1 ms: %s\n  cheapest < 2 ms:  %s\n", capOk ? "met" : "MISSED",
                    cheapestOk ? "met" : "MISSED");
        status = capOk && cheapestOk ? 0 : 1;
    }
    return status;
}
