// From the start of the process to the main window shown with the sample league open and the
// club chosen: the real Brevane, offscreen, started with `--team 0 --quit-when-shown LEAGUE`.
// The time runs until the program says on its output that the window is shown.
//
// ui_start [runs]: writes the sample league (as `brevane-cli sample-league` does), starts the
// program that many times and prints the first start, the median and whether the target (1 s)
// is met.

#include "bench/BenchSupport.h"
#include "tools/SampleLeague.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr double kTargetMs = 1000.0;

struct Start {
    double shownMs = 0; // until the program said the window is shown
    double exitMs = 0;  // until it had ended
    bool ok = false;
};

Start TimeOneStart(const std::string& league) {
    Start run;
    int out[2];
    if (::pipe(out) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args = {BREVANE_PROGRAM, "--team", "0", "--quit-when-shown", league};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const bench::Stopwatch watch;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, BREVANE_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return run;
    }
    std::string said;
    char buffer[256];
    ssize_t n;
    while ((n = ::read(out[0], buffer, sizeof buffer)) > 0) {
        said.append(buffer, static_cast<std::size_t>(n));
        if (said.find("shown with the league open\n") != std::string::npos && run.shownMs == 0)
            run.shownMs = watch.Ms();
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.exitMs = watch.Ms();
    run.ok = run.shownMs > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string folder = (std::filesystem::temp_directory_path() / "brevane-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::fprintf(stderr, "ui_start: cannot create a temporary folder\n");
        return 1;
    }
    SampleLeagueOptions options;
    options.folder = folder;
    sample::Result result;
    std::string error;
    if (!sample::WriteSampleLeague(options, result, error)) {
        std::fprintf(stderr, "ui_start: cannot write the sample league: %s\n", error.c_str());
        return 1;
    }

    std::vector<double> shown;
    std::vector<double> ended;
    double first = 0;
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        const Start start = TimeOneStart(result.leaguePath);
        if (!start.ok) {
            ++failures;
            continue;
        }
        if (run == 0)
            first = start.shownMs;
        shown.push_back(start.shownMs);
        ended.push_back(start.exitMs);
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    if (failures > 0 || shown.empty()) {
        std::fprintf(stderr, "ui_start: %d of %d starts did not show the league\n", failures, runs);
        return 1;
    }

    const double median = bench::Median(shown);
    std::printf("sample league: %d teams, %zu players; Brevane --team 0, offscreen\n", result.numTeams,
                result.players.size());
    std::printf("process start to the main window shown, league open, club chosen:\n");
    std::printf("  first start:       %8.1f ms\n", first);
    std::printf("  median of %2d:      %8.1f ms\n", runs, median);
    std::printf("  (to the end of the process, median: %.1f ms)\n", bench::Median(ended));
    const bool met = median < kTargetMs;
    std::printf("target < %.0f ms: %s\n", kTargetMs, met ? "met" : "MISSED");
    return met ? 0 : 1;
}
