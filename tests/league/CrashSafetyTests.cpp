// A program killed while its League writes back must leave every league file either wholly
// as it was or wholly as it was meant to become, and the next open must work.
#include "LeagueBytes.h"
#include "league/League.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace testleague;
using Clock = std::chrono::steady_clock;

const char* const kLeagueFiles[] = {"my.lge", "my.pyr", "my.pyf", "my.pyc"};

// The changes every run makes: a free-agent quarterback signs with team 0, team 1's first
// player is released, team 3's third player moves to team 2.
bool ChangeRosters(League& league) {
    return league.MovePlayer(145, 0) && league.MakeFreeAgent(105) && league.MovePlayer(117, 2) &&
           league.WriteLeague();
}

// Forks a child that opens the league, changes and writes its rosters, tells the parent
// through the pipe that its League is about to go, and then destroys it and exits.
pid_t StartWriter(const std::string& path, int& signal) {
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        auto league = std::make_unique<League>();
        if (!league->OpenLeague(path) || !league->ReadLeagueData() || !ChangeRosters(*league))
            ::_exit(2);
        const char go = 1;
        if (::write(fds[1], &go, 1) != 1)
            ::_exit(3);
        league.reset(); // the write-back the parent tries to interrupt
        ::_exit(0);
    }
    ::close(fds[1]);
    signal = fds[0];
    return pid;
}

// Waits until the child is about to destroy its League; false when it failed before.
bool AwaitDestruction(int signal) {
    char go = 0;
    const bool ok = ::read(signal, &go, 1) == 1 && go == 1;
    ::close(signal);
    return ok;
}

TEST(CrashSafety, AKillDuringWriteBackLeavesEachLeagueFileWhollyOldOrWhollyNew) {
    TempDir dir;
    const LeagueFiles files = StandardLeague();
    files.WriteTo(dir);
    std::map<std::string, Bytes> oldBytes, newBytes;
    for (const char* name : kLeagueFiles)
        oldBytes[name] = dir.Read(name);

    // The new content, from an uninterrupted run on a copy.
    {
        TempDir copy;
        files.WriteTo(copy);
        {
            auto league = OpenAndRead(copy.File("my.lge"));
            ASSERT_TRUE(ChangeRosters(*league));
        }
        for (const char* name : kLeagueFiles)
            newBytes[name] = copy.Read(name);
    }
    ASSERT_NE(newBytes["my.lge"], oldBytes["my.lge"]);
    ASSERT_NE(newBytes["my.pyf"], oldBytes["my.pyf"]);

    // How long an undisturbed destruction takes here, so that the kills spread over it.
    auto destroyOnce = [&] {
        files.WriteTo(dir);
        int signal = -1;
        const pid_t pid = StartWriter(dir.File("my.lge"), signal);
        EXPECT_GT(pid, 0);
        EXPECT_TRUE(AwaitDestruction(signal));
        const auto start = Clock::now();
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
    };
    long long longest = 1;
    for (int i = 0; i < 3; ++i)
        longest = std::max<long long>(longest, destroyOnce());
    for (const char* name : kLeagueFiles)
        ASSERT_EQ(dir.Read(name), newBytes[name]) << name << " after an undisturbed run";

    std::mt19937 random(20240607);
    std::uniform_int_distribution<long long> delay(0, longest + longest / 2);
    int runs = 0, killed = 0, mixed = 0, wholeNew = 0;
    const auto begin = Clock::now();
    // Many runs, bounded in time on a slow disk.
    while (runs < 150 && (runs < 20 || Clock::now() - begin < std::chrono::seconds(20))) {
        ++runs;
        // Start from the old league, with whatever a previous killed run left beside it.
        for (const char* name : kLeagueFiles)
            dir.Write(name, oldBytes[name]);
        int signal = -1;
        const pid_t pid = StartWriter(dir.File("my.lge"), signal);
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(AwaitDestruction(signal)) << "run " << runs;
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        killed += WIFSIGNALED(status) ? 1 : 0;

        int newFiles = 0;
        for (const char* name : kLeagueFiles) {
            const Bytes now = dir.Read(name);
            ASSERT_TRUE(now == oldBytes[name] || now == newBytes[name]) << name << " is torn in run " << runs;
            newFiles += now == newBytes[name] && now != oldBytes[name] ? 1 : 0;
        }
        mixed += newFiles == 1 ? 1 : 0;
        wholeNew += newFiles == 2 ? 1 : 0;

        // The next open works: the lock died with the child, and the child's leftover
        // working copies are not copied over the league.
        std::map<std::string, Bytes> before;
        for (const char* name : kLeagueFiles)
            before[name] = dir.Read(name);
        {
            auto league = OpenAndRead(dir.File("my.lge"));
            ASSERT_EQ(league->GetTeamName(3), "Club 3") << "run " << runs;
        }
        for (const char* name : kLeagueFiles)
            ASSERT_EQ(dir.Read(name), before[name]) << name << " changed by a clean open in run " << runs;
    }
    std::cout << "crash-safety: " << runs << " runs, " << killed << " killed during destruction, " << mixed
              << " with one file new and one old, " << wholeNew << " with both new (destruction takes about "
              << longest << " us)\n";
    EXPECT_GT(killed, 0) << "no kill landed inside the destruction";
}

} // namespace
