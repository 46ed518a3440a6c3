// One key typed into the contract editor's salary box of the shown program (offscreen),
// through the application's real event delivery, until accept_percent and caphit hold the
// new chance and cap lines; and the same with the repaint that shows them. The largest league
// the game keeps (30 clubs, 32,000 players), a seven-year offer, keys alternating between a
// digit typed before the salary and Backspace, so that every key changes the salary and the
// chance.
//
// ui_keystroke [keys]: prints the medians and whether the target (1 ms) is met.

#include "bench/BenchSupport.h"
#include "bench/NoFileDialogs.h"
#include "contracts/ScriptedPrompt.h"
#include "league/League.h"
#include "tools/SampleLeague.h"
#include "ui/BrevaneApplication.h"
#include "ui/BrevaneProgram.h"
#include "ui/TContractEdit.h"
#include "ui/TContractManagerForm.h"

#include "contracts/Options.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr double kTargetMicros = 1000.0;

// No file dialog is wanted: the league is opened directly.
} // namespace

int main(int argc, char** argv) {
    const int keys = argc > 1 ? std::max(10, std::atoi(argv[1])) : 4000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    std::string folder = (std::filesystem::temp_directory_path() / "brevane-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::fprintf(stderr, "ui_keystroke: cannot create a temporary folder\n");
        return 1;
    }
    SampleLeagueOptions sampleOptions;
    sampleOptions.folder = folder;
    sampleOptions.teams = 30;
    sampleOptions.players = 32000;
    sample::Result result;
    std::string error;
    if (!sample::WriteSampleLeague(sampleOptions, result, error)) {
        std::fprintf(stderr, "ui_keystroke: cannot write the league: %s\n", error.c_str());
        return 1;
    }

    int status = 0;
    {
        BrevaneApplication app(argc, argv);
        ScriptedPrompt prompt;
        bench::NoFileDialogs dialogs;
        BrevaneProgram program(BrevaneProgram::kClubRole, prompt, dialogs);
        TContractManagerForm& main = program.MainWindow();
        main.SetStartTeam(0);
        main.OpenLeagueFile(QString::fromStdString(result.leaguePath));
        if (!main.IsLeagueLoaded()) {
            std::fprintf(stderr, "ui_keystroke: the league did not open\n");
            return 1;
        }
        main.GetOptions()->max_length = 7;
        main.show();
        main.activateWindow();
        if (!QTest::qWaitForWindowExposed(&main)) {
            std::fprintf(stderr, "ui_keystroke: the window was not shown\n");
            return 1;
        }
        TContractEdit& editor = *main.GetEditor();
        const QRect first = editor.PlayerListBox->visualItemRect(editor.PlayerListBox->item(0));
        QTest::mouseClick(editor.PlayerListBox->viewport(), Qt::LeftButton, {}, first.center());
        for (auto [box, text] : {std::pair{editor.years, "7"}, std::pair{editor.bonus, "4,000,000"},
                                 std::pair{editor.salary, "7,000,000"}}) {
            box->clear();
            QTest::keyClicks(box, text);
        }
        QTest::keyClick(editor.salary, Qt::Key_Home);
        QCoreApplication::processEvents();

        // A digit, then Backspace: 17,000,000 and 7,000,000 in turn (bonus 24 % and 57 %).
        auto typeKey = [&](int i) {
            if (i % 2 == 0)
                QTest::keyClick(editor.salary, '1');
            else
                QTest::keyClick(editor.salary, Qt::Key_Backspace);
        };
        std::vector<double> delivered;
        std::vector<double> painted;
        QString chances[2];
        bool linesOk = true;
        for (int i = 0; i < 2 * keys; ++i) {
            const bool withPaint = i >= keys;
            const double micros = bench::TimeMs([&] {
                                      typeKey(i);
                                      if (withPaint)
                                          QCoreApplication::processEvents();
                                  }) *
                                  1000;
            (withPaint ? painted : delivered).push_back(micros);
            chances[i % 2] = editor.accept_percent->text();
            linesOk = linesOk && editor.caphit->count() == 7;
        }
        if (!prompt.History().empty() || !linesOk || chances[0] == chances[1]) {
            std::fprintf(
                stderr,
                "ui_keystroke: the keys did not update the chance and cap lines (%s / %s, %d lines%s%s)\n",
                qPrintable(chances[0]), qPrintable(chances[1]), editor.caphit->count(),
                prompt.History().empty() ? "" : ", message: ",
                prompt.History().empty() ? "" : prompt.History().back().text.c_str());
            return 1;
        }

        const double key = bench::Median(delivered);
        const double keyAndPaint = bench::Median(painted);
        std::printf("league: %d teams, %zu players; player %s, 7 years, salary 17,000,000 <-> 7,000,000\n",
                    result.numTeams, result.players.size(), qPrintable(editor.playerID->text()));
        std::printf("chance shown: %s and %s\n", qPrintable(chances[0]), qPrintable(chances[1]));
        std::printf("median of %d keys:\n", keys);
        std::printf("  key pressed and released, chance and cap lines in their controls: %8.1f us\n", key);
        std::printf("  the same and repainted:                                       %8.1f us\n",
                    keyAndPaint);
        const bool met = keyAndPaint < kTargetMicros;
        std::printf("target < %.0f us (with the repaint): %s\n", kTargetMicros, met ? "met" : "MISSED");
        status = met ? 0 : 1;
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return status;
}
