// The offer board window's load (offscreen): 30 clubs' offer files of 32 offers each on a
// league of 30 clubs and 32,000 players, read from their folder into the window's two tables
// and painted.
//
// ui_offer_board [runs]: prints the median and whether the target (50 ms) is met.

#include "bench/BenchSupport.h"
#include "bench/NoFileDialogs.h"
#include "bench/OfferBoardFiles.h"
#include "contracts/OpenLeagueState.h"
#include "contracts/ScriptedPrompt.h"
#include "ui/BrevaneApplication.h"
#include "ui/TOfferBoardForm.h"

#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kTargetMs = 50.0;

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    BrevaneApplication app(argc, argv);

    SampleLeagueOptions sample;
    sample.teams = bench::kBoardClubs;
    sample.players = 32000;
    bench::ScratchLeague scratch(sample);
    bench::WriteOfferFiles(scratch);

    ScriptedPrompt prompt;
    OpenLeagueState state;
    if (!state.Open(scratch.Result().leaguePath, prompt)) {
        std::fprintf(stderr, "ui_offer_board: %s\n", state.GetFailure().c_str());
        return 1;
    }
    bench::NoFileDialogs dialogs;
    TOfferBoardForm form(state.GetContracts(), prompt, dialogs, nullptr);
    form.show();
    QCoreApplication::processEvents();

    std::vector<double> times, cpuTimes;
    int shown = 0;
    for (int r = 0; r < runs; ++r) {
        const bench::Timing timing = bench::TimeBoth([&] {
            form.LoadFolder(QString::fromStdString(scratch.Folder()));
            form.repaint();
        });
        times.push_back(timing.wallMs);
        cpuTimes.push_back(timing.cpuMs);
        shown = form.playerTree->topLevelItemCount();
        // The next run starts from an empty board, as a newly chosen folder would.
        form.LoadFiles({});
    }
    const double median = bench::Median(times);
    std::printf("offer board window: %d files, %d players shown, load and paint median: %.2f ms "
                "(processor time %.2f ms)\n",
                bench::kBoardClubs, shown, median, bench::Median(cpuTimes));
    const bool ok = median < kTargetMs;
    std::printf("target:\n  load < %.0f ms: %s\n", kTargetMs, ok ? "met" : "MISSED");
    return ok ? 0 : 1;
}
