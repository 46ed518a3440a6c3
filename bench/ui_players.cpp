// The Players window's share of its targets (offscreen), on a league of 30 clubs and 32,000
// players: the free agents filled into the table (their rows built, with the release figures)
// and painted; a sort by each column and the repaint; one key typed into the name search and
// the filtered table painted. The model's share alone is timed by cap_views.
//
// ui_players [runs]: prints the medians and whether the targets (50 ms to fill and to sort,
// 16 ms a key) are met.

#include "bench/BenchSupport.h"
#include "bench/NoFileDialogs.h"
#include "contracts/OpenLeagueState.h"
#include "contracts/PlayersTable.h"
#include "contracts/ScriptedPrompt.h"
#include "ui/BrevaneApplication.h"
#include "ui/PlayersTableModel.h"
#include "ui/TPlayersForm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    BrevaneApplication app(argc, argv);

    SampleLeagueOptions sample;
    sample.teams = 30;
    sample.players = 32000;
    bench::ScratchLeague scratch(sample);
    ScriptedPrompt prompt;
    OpenLeagueState state;
    if (!state.Open(scratch.Result().leaguePath, prompt)) {
        std::fprintf(stderr, "ui_players: %s\n", state.GetFailure().c_str());
        return 1;
    }
    bench::NoFileDialogs dialogs;
    TPlayersForm form(state.GetContracts(), prompt, dialogs, nullptr);
    form.resize(1060, 620);
    form.show();
    QCoreApplication::processEvents();
    const int freeAgents = form.listingBox->findData(TPlayersForm::kFreeAgentsEntry);

    // Filling: everything counted again (as after a change of club or options), then the
    // free agents chosen, their rows built and painted.
    std::vector<double> fill, fillCpu;
    for (int r = 0; r < runs; ++r) {
        form.listingBox->setCurrentIndex(0);
        const bench::Timing timing = bench::TimeBoth([&] {
            form.Refresh(0);
            form.listingBox->setCurrentIndex(freeAgents);
            form.repaint();
        });
        fill.push_back(timing.wallMs);
        fillCpu.push_back(timing.cpuMs);
    }
    const int rows = form.Model().rowCount();

    // Sorting by each column in turn, both ways.
    std::vector<double> sorts, sortsCpu;
    double slowest = 0;
    for (int r = 0; r < std::max(1, runs / 4); ++r)
        for (int c = 0; c < PlayersTable::kColumns; ++c)
            for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
                const bench::Timing timing = bench::TimeBoth([&] {
                    form.playerTable->sortByColumn(c, order);
                    form.repaint();
                });
                sorts.push_back(timing.wallMs);
                sortsCpu.push_back(timing.cpuMs);
                slowest = std::max(slowest, timing.wallMs);
            }

    // Typing a name: each key filters the whole league again. The first key of a refreshed
    // window also reads every name once.
    const QString typed = "brock f";
    std::vector<double> keys, keysCpu;
    double firstKey = 0;
    for (int r = 0; r < runs; ++r) {
        form.searchBox->clear();
        for (qsizetype k = 1; k <= typed.size(); ++k) {
            const bench::Timing timing = bench::TimeBoth([&] {
                form.searchBox->setText(typed.left(k));
                form.repaint();
            });
            if (r == 0 && k == 1) {
                firstKey = timing.wallMs;
            } else {
                keys.push_back(timing.wallMs);
                keysCpu.push_back(timing.cpuMs);
            }
        }
    }

    const double fillMs = bench::Median(fill), sortMs = bench::Median(sorts), keyMs = bench::Median(keys);
    std::printf("players window: %d free agents (wall clock; processor time in brackets)\n", rows);
    std::printf("  fill with the free agents and paint, median: %.2f ms (%.2f ms)\n", fillMs,
                bench::Median(fillCpu));
    std::printf("  sort by a column and paint, median: %.2f ms (%.2f ms), slowest %.2f ms\n", sortMs,
                bench::Median(sortsCpu), slowest);
    std::printf("  one key of the name search and paint, median: %.2f ms (%.2f ms), first key of the window "
                "%.2f ms\n",
                keyMs, bench::Median(keysCpu), firstKey);
    const bool fillOk = fillMs < 50.0, sortOk = sortMs < 50.0, keyOk = keyMs < 16.0;
    std::printf("targets:\n  fill < 50 ms: %s\n  sort < 50 ms: %s\n  key < 16 ms: %s\n",
                fillOk ? "met" : "MISSED", sortOk ? "met" : "MISSED", keyOk ? "met" : "MISSED");
    return fillOk && sortOk && keyOk ? 0 : 1;
}
