// Reading a large statistics file into the league's lists against reading its bytes once.
// The target is at most 4.5 times reading the file's bytes into memory once.
//
// stats_read [folder] [runs]: writes a league whose next player identifier is 32,100 and a
// statistics file of 1,000,000 records (owners spread over 32,000 players and 30 teams,
// codes in a mixed order) into folder (default: a new folder under the temporary folder),
// then times, alternating and with the caches flushed before each: reading the file's bytes
// into memory once, a plain read(2) of them, grouping the records by owner alone, and
// League::ReadStatData on them; then a first reading in a new League, and a reading whose
// lists are all asked for (what the statistics CGS does). Prints the medians and their
// ratios.

#include "bench/BenchSupport.h"
#include "league/ByteOrder.h"
#include "league/FileAccess.h"
#include "league/League.h"
#include "stats/StatList.h"
#include "tools/Rng.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kRecords = 1000000;
constexpr int kPlayers = 32000;
constexpr int kTeams = 30;
constexpr int kNextPlayerID = 32100;
constexpr double kTarget = 4.5;

bool WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// The categories a player of each kind has lines in (category numbers 0..13).
const std::vector<std::vector<int>> kKinds = {
    {3, 2, 9},             // quarterback
    {2, 4, 8, 9},          // back
    {4, 7, 9},             // receiver
    {13, 11, 5, 10, 12},   // defender
    {1, 0},                // kicker
    {6},                   // punter
    {13, 11, 5, 10, 7, 8}, // defender who also returns kicks
};

std::array<std::uint16_t, 10> Record(Rng& rng, int code, int owner) {
    std::array<std::uint16_t, 10> w{};
    w[0] = static_cast<std::uint16_t>(code);
    w[1] = static_cast<std::uint16_t>(owner);
    w[2] = static_cast<std::uint16_t>(rng.Range(0, 400));
    for (int i = 3; i < 10; ++i)
        w[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(rng.Range(-20, 3000));
    return w;
}

// Every player gets lines at the three scopes: first in his kind's categories, then in
// further categories until he has 31 distinct codes; the teams share what is left of the
// million, with rushing (132) and sack (209) lines among theirs. All records are then
// shuffled, as a file grown over many seasons would be.
std::vector<std::uint8_t> StatisticsFile(Rng& rng) {
    std::vector<std::array<std::uint16_t, 10>> records;
    records.reserve(kRecords);
    constexpr int kPerPlayer = 31;
    for (int p = 0; p < kPlayers; ++p) {
        const int owner = 100 + p;
        const auto& kind =
            kKinds[static_cast<std::size_t>(rng.Range(0, static_cast<int>(kKinds.size()) - 1))];
        std::vector<int> codes;
        for (int category : kind)
            for (int scope = 0; scope < 3; ++scope)
                codes.push_back(category + 32 * scope);
        std::vector<int> others;
        for (int code = 0; code < 78; ++code)
            if (code % 32 < 14 && std::find(codes.begin(), codes.end(), code) == codes.end())
                others.push_back(code);
        rng.Shuffle(others);
        codes.insert(codes.end(), others.begin(),
                     others.begin() + (kPerPlayer - static_cast<int>(codes.size())));
        for (int code : codes)
            records.push_back(Record(rng, code, owner));
    }
    const int teamCodes[] = {2, 3, 34, 35, 43, 66, 67, 132, 209};
    for (int team = 1; static_cast<int>(records.size()) < kRecords; team = team % kTeams + 1)
        records.push_back(Record(rng, teamCodes[rng.Range(0, 8)], team));
    rng.Shuffle(records);

    std::vector<std::uint8_t> bytes(140, 0);
    bytes.resize(140 + records.size() * 20);
    std::uint8_t* out = bytes.data() + 140;
    for (const auto& record : records)
        for (std::uint16_t word : record) {
            tolvik::writeU16le(out, word);
            out += 2;
        }
    return bytes;
}

// A league of 30 teams whose next player identifier is 32,100, with an empty player file.
bool WriteLeague(const fs::path& folder, bool withStatistics, const std::vector<std::uint8_t>& dat) {
    std::vector<std::uint8_t> lge = {'L', '0', '3', ':', 0, 0, 0, 0};
    std::vector<std::uint8_t> header(82, 0);
    header[0] = 5; // 30 teams
    tolvik::writeS16le(header.data() + 8, kNextPlayerID);
    tolvik::writeS16le(header.data() + 10, 2000);
    lge.insert(lge.end(), header.begin(), header.end());
    fs::create_directories(folder);
    if (!WriteFile(folder / "bench.lge", lge) ||
        !WriteFile(folder / "bench.pyr", std::vector<std::uint8_t>(60, 0)))
        return false;
    return !withStatistics || WriteFile(folder / "bench.dat", dat);
}

// Reads the file's bytes once, a megabyte at a time into the same buffer, as plainly as
// the system allows: the floor for anything that reads the file.
std::size_t PlainRead(const fs::path& path, std::vector<std::uint8_t>& buffer) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return 0;
    std::size_t total = 0;
    for (;;) {
        ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n <= 0)
            break;
        total += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return total;
}

// Reads the whole file into memory through the library's file layer, as a reader that
// takes the file's bytes once would.
std::size_t WholeFileRead(const fs::path& path) {
    const int handle = tolvik::FileOpen(path.string(), tolvik::OpenHow::Read);
    if (handle <= 0)
        return 0;
    const auto size = static_cast<std::size_t>(std::max<std::int64_t>(tolvik::FileSize(handle), 0));
    auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    const int got = tolvik::FileRead(handle, bytes.get(), static_cast<int>(size));
    tolvik::FileClose(handle);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

// The records grouped by owner and nothing else, as a counting sort does it: the whole read
// above, one pass counting each owner's records and one copying each record's bytes to its
// owner's place. No line objects, no order within an owner: what any reading that hands out
// each owner's lines together spends before it makes a line. Returns the records placed.
std::size_t GroupByOwner(const fs::path& path, std::vector<std::uint32_t>& start,
                         std::vector<std::array<std::uint8_t, 20>>& grouped) {
    const int handle = tolvik::FileOpen(path.string(), tolvik::OpenHow::Read);
    tolvik::FileBytes file;
    const bool read = handle > 0 && tolvik::ReadFromStart(handle, file);
    tolvik::FileClose(handle);
    if (!read)
        return 0;
    auto ownerAt = [&](std::size_t at) { return std::size_t{tolvik::readU16le(file.data.get() + at + 2)}; };
    std::fill(start.begin(), start.end(), 0);
    for (std::size_t at = 140; at + 20 <= file.size; at += 20)
        if (ownerAt(at) + 1 < start.size())
            ++start[ownerAt(at) + 1];
    for (std::size_t id = 0; id + 1 < start.size(); ++id)
        start[id + 1] += start[id];
    std::size_t placed = 0;
    for (std::size_t at = 140; at + 20 <= file.size; at += 20) {
        const std::size_t owner = ownerAt(at);
        if (owner + 1 < start.size() && start[owner] < grouped.size()) {
            std::memcpy(grouped[start[owner]++].data(), file.data.get() + at, 20);
            ++placed;
        }
    }
    return placed;
}

// Writes over a buffer larger than the last-level cache, so that every timed run starts
// with the file's pages and the program's data out of the cache.
void EvictCaches(std::vector<std::uint8_t>& scratch) {
    for (std::size_t i = 0; i < scratch.size(); i += 64)
        scratch[i] = static_cast<std::uint8_t>(scratch[i] + 1);
}

std::size_t CountLines(League& league) {
    std::size_t lines = 0;
    for (int id = 0; id < kNextPlayerID; ++id) {
        StatList* list = league.GetStats(static_cast<short>(id));
        if (!list)
            continue;
        list->reset();
        do
            ++lines;
        while (list->next() == 1);
    }
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    const bool ownFolder = argc < 2;
    const fs::path folder = ownFolder
                                ? fs::temp_directory_path() / ("brevane-stats-" + std::to_string(::getpid()))
                                : fs::path(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;

    Rng rng(20240607);
    const std::vector<std::uint8_t> dat = StatisticsFile(rng);
    // One folder per open league: a folder holds one open league at a time.
    if (!WriteLeague(folder / "main", true, dat) || !WriteLeague(folder / "with", true, dat) ||
        !WriteLeague(folder / "without", false, dat)) {
        std::fprintf(stderr, "stats_read: cannot write into %s\n", folder.c_str());
        return 1;
    }

    League league;
    if (!league.OpenLeague((folder / "main" / "bench.lge").string()) || !league.ReadLeagueData()) {
        std::fprintf(stderr, "stats_read: cannot open the league\n");
        return 1;
    }
    const std::size_t lines = CountLines(league);

    // The three alternate, each after the caches were flushed, so that all see the same
    // state of the machine.
    std::vector<std::uint8_t> scratch(std::size_t{96} << 20, 1);
    std::vector<std::uint8_t> buffer(std::size_t{1} << 20);
    const fs::path datPath = folder / "main" / "bench.dat";
    std::vector<std::uint32_t> groupStart(kNextPlayerID + 1);
    std::vector<std::array<std::uint8_t, 20>> groupedRecords(kRecords);
    std::vector<double> plain, whole, reading, grouping;
    std::size_t plainBytes = 0, wholeBytes = 0, grouped = 0;
    for (int i = 0; i < runs; ++i) {
        EvictCaches(scratch);
        grouping.push_back(
            bench::TimeMs([&] { grouped = GroupByOwner(datPath, groupStart, groupedRecords); }));
        EvictCaches(scratch);
        plain.push_back(bench::TimeMs([&] { plainBytes = PlainRead(datPath, buffer); }));
        EvictCaches(scratch);
        whole.push_back(bench::TimeMs([&] { wholeBytes = WholeFileRead(datPath); }));
        EvictCaches(scratch);
        // The file is read when a list is first asked for, and a group of neighbouring
        // owners' lists when one of them is: ask for one, so the reading is timed with the
        // making of one group's lists (every list is timed below).
        reading.push_back(bench::TimeMs([&] {
            league.ReadStatData();
            league.GetStats(100);
        }));
    }

    // A first reading, as the program makes it: ReadLeagueData of a new League with the
    // statistics file, minus the same without it (the rest of the reading is the same).
    std::vector<double> readWith, readWithout;
    for (int i = 0; i < runs; ++i) {
        for (int with = 0; with < 2; ++with) {
            League fresh;
            if (!fresh.OpenLeague((folder / (with ? "with" : "without") / "bench.lge").string())) {
                std::fprintf(stderr, "stats_read: a timed open failed\n");
                return 1;
            }
            EvictCaches(scratch);
            (with ? readWith : readWithout).push_back(bench::TimeMs([&] {
                fresh.ReadLeagueData();
                fresh.GetStats(100);
            }));
        }
    }
    const double firstMs = bench::Median(readWith) - bench::Median(readWithout);

    // Every list made, as the statistics CGS asks for them: the reading and all the lines.
    std::vector<double> everyList;
    std::size_t everyLines = 0;
    for (int i = 0; i < runs; ++i) {
        EvictCaches(scratch);
        everyList.push_back(bench::TimeMs([&] {
            league.ReadStatData();
            everyLines = CountLines(league);
        }));
    }

    const double plainMs = bench::Median(plain);
    const double wholeMs = bench::Median(whole);
    const double readMs = bench::Median(reading);
    std::printf("statistics file: %zu bytes (%zu read whole), %d records, %zu lines in the lists\n",
                plainBytes, wholeBytes, kRecords, lines);
    std::printf(
        "read the file into memory once:       %8.2f ms (FileRead of all its bytes into one buffer)\n",
        wholeMs);
    std::printf(
        "plain read, 1 MiB at a time:          %8.2f ms (read(2) into one reused buffer: the floor)\n",
        plainMs);
    std::printf(
        "records grouped by owner:             %8.2f ms (read once, counted, %zu records copied to their "
        "owners: no lines)\n",
        bench::Median(grouping), grouped);
    std::printf("League::ReadStatData, reading again:  %8.2f ms (freeing the previous reading included)\n",
                readMs);
    std::printf(
        "first reading in a new League:        %8.2f ms (ReadLeagueData %.2f ms with the file, %.2f ms "
        "without)\n",
        firstMs, bench::Median(readWith), bench::Median(readWithout));
    std::printf("every list asked for once:            %8.2f ms (reading again, then the %zu lines of every "
                "identifier made and walked)\n",
                bench::Median(everyList), everyLines);
    std::printf("ratio, reading again / read once:     %8.2f (target <= %.1f)\n", readMs / wholeMs, kTarget);
    std::printf("ratio, first reading / read once:     %8.2f\n", firstMs / wholeMs);
    std::printf("ratio, records grouped / read once:   %8.2f\n", bench::Median(grouping) / wholeMs);
    std::printf("ratio, reading again / plain read:    %8.2f\n", readMs / plainMs);
    std::printf("(medians of %d runs; caches flushed before each)\n", runs);

    if (ownFolder) {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    std::printf("target %s\n", readMs / wholeMs <= kTarget ? "met" : "missed");
    return 0;
}
