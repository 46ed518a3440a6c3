// Opening and reading a large league against copying its files once. The League works on
// copies of the files, so one copy of them is the floor; the target is at most 1.8 times that.
//
// league_open [folder] [runs]: writes a 30-team league with 32,000 player records (next
// player identifier 32,100) into folder (default: a new folder under the temporary folder),
// then times both, alternating, and prints the medians and their ratio, with the three
// phases of the League (open, read, destructor) apart.

#include "bench/BenchSupport.h"
#include "league/League.h"
#include "tools/SampleLeague.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kPlayers = 32000;
constexpr double kTarget = 1.8;

// A copy through a 64 KiB buffer, as a program without the kernel's copy would make it.
void CopyThroughBuffer(const fs::path& source, const fs::path& target) {
    std::ifstream in(source, std::ios::binary);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    std::vector<char> buffer(64 * 1024);
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
        out.write(buffer.data(), in.gcount());
}

} // namespace

int main(int argc, char** argv) {
    const bench::ArgumentLeague written(argc, argv, "league_open", kPlayers);
    const fs::path& folder = written.Folder();
    const int runs = bench::ArgumentLeague::Runs(argc, argv, 15);
    const SampleLeagueOptions& options = written.options;
    const sample::Result& result = written.result;

    const fs::path copies = folder / "copies";
    fs::create_directories(copies);
    std::vector<fs::path> files;
    std::uintmax_t bytes = 0;
    for (const char* ext : {".lge", ".pyr", ".pyf", ".pyc", ".dat"}) {
        const fs::path file = fs::path(options.folder) / (std::string(sample::kFileName) + ext);
        if (fs::exists(file)) {
            files.push_back(file);
            bytes += fs::file_size(file);
        }
    }

    // The copies go to fresh files each time, as the League's working copies do.
    auto removeCopies = [&] {
        for (const auto& file : files)
            fs::remove(copies / file.filename());
    };
    int failures = 0;
    std::vector<double> copyMs, bufferedMs, openMs, readMs, closeMs, totalMs;
    for (int run = 0; run < runs; ++run) {
        removeCopies();
        copyMs.push_back(bench::TimeMs([&] {
            for (const auto& file : files)
                fs::copy_file(file, copies / file.filename(), fs::copy_options::overwrite_existing);
        }));
        removeCopies();
        bufferedMs.push_back(bench::TimeMs([&] {
            for (const auto& file : files)
                CopyThroughBuffer(file, copies / file.filename());
        }));
        // The three phases are timed apart, to show where the time goes.
        auto league = std::make_unique<League>();
        const double open = bench::TimeMs([&] { failures += !league->OpenLeague(result.leaguePath); });
        const double read = bench::TimeMs([&] { failures += !league->ReadLeagueData(); });
        const double close = bench::TimeMs([&] { league.reset(); });
        openMs.push_back(open);
        readMs.push_back(read);
        closeMs.push_back(close);
        totalMs.push_back(open + read + close);
    }
    removeCopies();
    if (failures > 0) {
        std::fprintf(stderr, "league_open: the league failed to open %d times\n", failures);
        return 1;
    }

    const double copy = bench::Median(copyMs);
    const double total = bench::Median(totalMs);
    const double ratio = total / copy;
    std::printf("league: %d teams, %d player records (next player identifier %d), %zu files, %ju bytes\n",
                result.numTeams, static_cast<int>(result.players.size()), result.nextPlayerID, files.size(),
                bytes);
    std::printf("medians of %d runs:\n", runs);
    std::printf("  copy the files once:               %8.3f ms\n", copy);
    std::printf("  (through a 64 KiB buffer:          %8.3f ms)\n", bench::Median(bufferedMs));
    std::printf("  open and read, destructor included: %8.3f ms\n", total);
    std::printf("    League::OpenLeague (copies):     %8.3f ms\n", bench::Median(openMs));
    std::printf("    League::ReadLeagueData:          %8.3f ms\n", bench::Median(readMs));
    std::printf("    destructor (write-back):         %8.3f ms\n", bench::Median(closeMs));
    std::printf("ratio: %.2f (target <= %.1f) %s\n", ratio, kTarget, ratio <= kTarget ? "ok" : "OVER TARGET");
    return 0;
}
