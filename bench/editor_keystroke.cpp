// The model's share of one keystroke in the contract editor (the chance and the cap lines of
// a seven-year offer), and the running figures of a full offer list of 32 ticked offers.
#include "bench/BenchSupport.h"
#include "contracts/ContractEditor.h"
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
        ContractList& list = *large.list;

        // A rostered player of club 0, as the editor shows him.
        ContractEditor editor(list, "ContractManagerForm");
        editor.ListTeams();
        editor.TeamListBoxChange(0);
        editor.ShowPlayerByID(editor.PlayerOfItem(0));
        EditorFields& f = editor.Fields();
        f.years = "7";
        f.bonus = "1,200,000";
        const std::string salaries[] = {"7,000,000", "7,500,000", "8,000,000", "8,500,000"};
        const double keystroke = bench::MedianMicros(21, 2000, [&](int i) {
            f.salary = salaries[i % 4];
            editor.CalcAccept();
        });

        // 32 ticked offers of every kind the figures count, for players of club 0 and free agents.
        OfferList offers(list);
        offers.SetBase(0, list.GetTeamInfo(0));
        for (int k = 0; k < OfferList::kMaxOffers; ++k) {
            Offer o;
            o.playerID = editor.PlayerOfItem(k % static_cast<int>(editor.PlayerItems().size()));
            o.offerType =
                static_cast<std::int8_t>(k % 2 == 0 ? Offer::RestructureOffer : Offer::SignFreeAgent);
            o.years = static_cast<std::int8_t>(1 + k % 7);
            o.salary = 1000000u + 10000u * static_cast<unsigned>(k);
            o.bonus = 200000;
            offers.AddOfferToList(o);
        }
        const double figures = bench::MedianMicros(21, 2000, [&](int) { offers.RecalcTotals(); });

        std::printf("league: %d teams, %zu players\n", result.numTeams, result.players.size());
        std::printf("  keystroke (chance and 7 cap lines), median: %.2f us\n", keystroke);
        std::printf("  running figures of 32 ticked offers, median: %.2f us\n", figures);
        const bool keyOk = keystroke < 20.0;
        const bool figuresOk = figures < 50.0;
        std::printf("targets:\n  keystroke < 20 us: %s\n  figures < 50 us:   %s\n", keyOk ? "met" : "MISSED",
                    figuresOk ? "met" : "MISSED");
        status = keyOk && figuresOk ? 0 : 1;
    }
    return status;
}
