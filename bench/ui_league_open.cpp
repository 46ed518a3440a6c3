// Opening a league in the program's main window (OpenLeagueFile: options, league, salary
// information, totals, the editor on the managed club, the status panels) against the
// command `brevane-cli salary` on the same league, which opens it and its salary information
// and prints every contract. A league of 30 clubs and 32,000 players with its salary
// information beside it; the target is at most 1.5 times the command.
//
// ui_league_open [runs]: prints the medians, the ratio and whether the target is met. The
// command is timed as a process (as a user runs it) and, for comparison, in this process; most
// of its time goes to printing 32,000 contracts, so `brevane-cli accept`, which opens the same
// and prints one line, is timed too.

#include "bench/BenchSupport.h"
#include "bench/NoFileDialogs.h"
#include "contracts/ScriptedPrompt.h"
#include "tools/Commands.h"
#include "tools/SampleLeague.h"
#include "ui/BrevaneApplication.h"
#include "ui/BrevaneProgram.h"
#include "ui/TContractManagerForm.h"

#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

constexpr double kTarget = 1.5;

// brevane-cli with these arguments, its output thrown away; false when it failed.
bool RunCli(std::vector<std::string> args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    args.insert(args.begin(), BREVANE_CLI);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, BREVANE_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    std::string folder = (std::filesystem::temp_directory_path() / "brevane-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::fprintf(stderr, "ui_league_open: cannot create a temporary folder\n");
        return 1;
    }
    SampleLeagueOptions sampleOptions;
    sampleOptions.folder = folder;
    sampleOptions.teams = 30;
    sampleOptions.players = 32000;
    sampleOptions.salary = true;
    sample::Result result;
    std::string error;
    if (!sample::WriteSampleLeague(sampleOptions, result, error)) {
        std::fprintf(stderr, "ui_league_open: cannot write the league: %s\n", error.c_str());
        return 1;
    }

    BrevaneApplication app(argc, argv);
    ScriptedPrompt prompt;
    bench::NoFileDialogs dialogs;
    const QString path = QString::fromStdString(result.leaguePath);
    const std::string player = std::to_string(result.players.front().id);
    std::vector<double> windowMs, cliMs, inProcessMs, acceptMs;
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        // The command, as a process and in this one, then the window, each from a closed league.
        cliMs.push_back(bench::TimeMs([&] {
            failures += !RunCli({"salary", result.leaguePath, "--no-create"});
        }));
        acceptMs.push_back(bench::TimeMs([&] {
            failures += !RunCli({"accept", result.leaguePath, player, "3", "3000000", "900000"});
        }));
        inProcessMs.push_back(bench::TimeMs([&] {
            std::ostringstream out, err;
            failures += RunSalaryCommand(result.leaguePath, SalaryCreate::NoCreate, out, err) != 0;
        }));
        auto program = std::make_unique<BrevaneProgram>(BrevaneProgram::kClubRole, prompt, dialogs);
        TContractManagerForm& main = program->MainWindow();
        main.show();
        failures += !QTest::qWaitForWindowExposed(&main);
        main.SetStartTeam(0);
        windowMs.push_back(bench::TimeMs([&] { main.OpenLeagueFile(path); }));
        failures += !main.IsLeagueLoaded() || main.GetStatusText() != "Data Loaded";
        // Closing the league (writing its files back) is not part of opening it.
        program.reset();
        QCoreApplication::processEvents();
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    if (failures > 0) {
        std::fprintf(stderr, "ui_league_open: %d opens failed\n", failures);
        return 1;
    }

    const double window = bench::Median(windowMs);
    const double cli = bench::Median(cliMs);
    const double ratio = window / cli;
    std::printf("league: %d teams, %zu players, salary information present\n", result.numTeams,
                result.players.size());
    std::printf("medians of %d runs:\n", runs);
    std::printf("  brevane-cli salary (process):           %8.1f ms\n", cli);
    std::printf("  (the same command in this process:      %8.1f ms)\n", bench::Median(inProcessMs));
    std::printf("  (brevane-cli accept, one line printed:  %8.1f ms)\n", bench::Median(acceptMs));
    std::printf("  OpenLeagueFile in the main window:      %8.1f ms\n", window);
    std::printf("ratio: %.2f (target <= %.1f): %s\n", ratio, kTarget, ratio <= kTarget ? "met" : "MISSED");
    return ratio <= kTarget ? 0 : 1;
}
