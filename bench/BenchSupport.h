#pragma once

// What the timing programs share: medians, timing a call, and a sample league in a
// temporary folder that goes away with the program.

#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "contracts/ScriptedPrompt.h"
#include "league/League.h"
#include "tools/SampleLeague.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <time.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace bench {

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The time since it was made: for what is not one call (a child process until it says something).
class Stopwatch {
  public:
    double Ms() const { return Elapsed<std::milli>(); }
    double Micros() const { return Elapsed<std::micro>(); }

  private:
    template <typename Unit> double Elapsed() const {
        return std::chrono::duration<double, Unit>(std::chrono::steady_clock::now() - start_).count();
    }
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The time of one call in milliseconds.
template <typename F> double TimeMs(F&& f) {
    const Stopwatch watch;
    f();
    return watch.Ms();
}

// The process's processor time in milliseconds: on a busy machine the wall clock also counts
// the time other programs had the processor.
inline double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// One call's wall-clock and processor time in milliseconds.
struct Timing {
    double wallMs;
    double cpuMs;
};
template <typename F> Timing TimeBoth(F&& f) {
    const double cpuStart = CpuMs();
    const double wall = TimeMs(std::forward<F>(f));
    return {wall, CpuMs() - cpuStart};
}

// The median time of one call in microseconds, over `rounds` rounds of `calls` calls each;
// the call gets its number within the round.
template <typename Body> double MedianMicros(int rounds, int calls, Body&& body) {
    std::vector<double> perCall;
    for (int r = 0; r < rounds; ++r) {
        const Stopwatch watch;
        for (int i = 0; i < calls; ++i)
            body(i);
        perCall.push_back(watch.Micros() / calls);
    }
    return Median(perCall);
}

// A sample league written into a fresh temporary folder, removed with the object.
class ScratchLeague {
  public:
    explicit ScratchLeague(SampleLeagueOptions options) {
        folder_ = (std::filesystem::temp_directory_path() / "brevane-bench-XXXXXX").string();
        if (!::mkdtemp(folder_.data())) {
            std::fprintf(stderr, "cannot create a temporary folder\n");
            std::exit(1);
        }
        options.folder = folder_;
        std::string error;
        if (!sample::WriteSampleLeague(options, result_, error)) {
            std::fprintf(stderr, "cannot write the league: %s\n", error.c_str());
            std::exit(1);
        }
    }
    ~ScratchLeague() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    ScratchLeague(const ScratchLeague&) = delete;
    ScratchLeague& operator=(const ScratchLeague&) = delete;

    const sample::Result& Result() const { return result_; }
    const std::string& Folder() const { return folder_; }

  private:
    std::string folder_;
    sample::Result result_;
};

// The league of the timing programs called `NAME [folder] [runs]`: 30 clubs and `players`
// player records, written into folder/league. The folder given on the command line is
// kept; without one a new folder under the temporary folder is made and removed with the
// object.
class ArgumentLeague {
  public:
    ArgumentLeague(int argc, char** argv, const char* program, int players) : own_(argc < 2) {
        folder_ =
            own_ ? std::filesystem::temp_directory_path() / ("brevane-bench-" + std::to_string(::getpid()))
                 : std::filesystem::path(argv[1]);
        options.folder = (folder_ / "league").string();
        options.teams = 30;
        options.players = players;
        options.salary = false;
        std::string error;
        if (!sample::WriteSampleLeague(options, result, error)) {
            std::fprintf(stderr, "%s: %s\n", program, error.c_str());
            RemoveOwnFolder();
            std::exit(1);
        }
    }
    ~ArgumentLeague() { RemoveOwnFolder(); }
    ArgumentLeague(const ArgumentLeague&) = delete;
    ArgumentLeague& operator=(const ArgumentLeague&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }
    // The runs the command line asks for, else `fallback`.
    static int Runs(int argc, char** argv, int fallback) {
        return argc > 2 ? std::max(1, std::atoi(argv[2])) : fallback;
    }

    SampleLeagueOptions options;
    sample::Result result;

  private:
    void RemoveOwnFolder() const {
        std::error_code ec;
        if (own_)
            std::filesystem::remove_all(folder_, ec);
    }

    bool own_;
    std::filesystem::path folder_;
};

// The largest league the game keeps (30 clubs, 32,000 players), opened with its salary
// information built and contracts of up to seven years allowed, as the program holds it.
class LargeSalaryLeague {
  public:
    LargeSalaryLeague() : scratch_(LargestLeague()) {
        options.max_length = 7;
        if (!league.OpenLeague(scratch_.Result().leaguePath) || !league.ReadLeagueData()) {
            std::fprintf(stderr, "cannot open the league\n");
            std::exit(1);
        }
        list = std::make_unique<ContractList>(league, options);
        ScriptedPrompt prompt;
        prompt.AnswerCaption("Build Salary Info?", true);
        list->Load(prompt);
    }

    const sample::Result& Result() const { return scratch_.Result(); }

  private:
    static SampleLeagueOptions LargestLeague() {
        SampleLeagueOptions sample;
        sample.teams = 30;
        sample.players = 32000;
        return sample;
    }
    ScratchLeague scratch_; // first: the league's files outlive the League

  public:
    Options options;
    League league;
    std::unique_ptr<ContractList> list;
};

} // namespace bench
