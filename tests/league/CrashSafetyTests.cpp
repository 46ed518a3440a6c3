// A program killed anywhere while its League changes a league must leave the league's files
// agreeing with each other: after the next open, wholly as they were or wholly as they were
// meant to become (or, after a first write-back, as that one left them), with every player
// on at most one roster or list, and nothing of the killed program left in the folder.
//
// The kills are exact, at every call that changes anything on disk, from the open to the end
// of the destructor, and again at every call of the recovering open. On the file layer's
// memory file system a kill is every call from the k-th on refused, then the process's
// files closed and its locks released; that sweeps every kill point of every scenario in
// little time. On the real file system a child process kills itself right before its k-th
// call, so that the system's own release of the lock and its page cache take part too.
#include "LeagueBytes.h"
#include "league/FolderLock.h"
#include "league/League.h"
#include "league/MemoryFiles.h"
#include "support/FaultyFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using namespace testleague;
using Names = std::vector<std::string>;

const char* const kLeagueFiles[] = {"my.lge", "my.pyr", "my.pyf", "my.pyc"};

// The league's files, a missing one as nullopt.
using FileSet = std::map<std::string, std::optional<Bytes>>;

#ifndef _WIN32
FileSet ReadSet(const TempDir& dir) {
    FileSet set;
    for (const char* name : kLeagueFiles)
        set[name] = dir.Exists(name) ? std::optional<Bytes>(dir.Read(name)) : std::nullopt;
    return set;
}

// The folder holds exactly the league's files, as given.
void RestoreSet(const TempDir& dir, const FileSet& set) {
    for (const auto& name : dir.List())
        std::filesystem::remove(dir.File(name));
    for (const auto& [name, bytes] : set)
        if (bytes)
            dir.Write(name, *bytes);
}

#endif

struct Scenario {
    const char* name;
    bool freeAgentFile;
    // The changes, written back by the destructor; a scenario may also write back half-way.
    std::function<bool(League&)> change;
};

bool Sign(League& league) {
    return league.MovePlayer(145, 0) && league.WriteLeague();
}
bool ReleaseAndMove(League& league) {
    return league.MakeFreeAgent(105) && league.MovePlayer(117, 2) && league.WriteLeague();
}

const Scenario kScenarios[] = {
    {"sign a free agent, release a player, move one between clubs", true,
     [](League& l) { return Sign(l) && ReleaseAndMove(l); }},
    {"release into a league without a free-agent file (a new .pyf)", false, ReleaseAndMove},
    {"two write-backs: CloseLeague after signing, the destructor after the rest", true,
     [](League& l) { return Sign(l) && l.CloseLeague() && ReleaseAndMove(l); }},
};

// Every identifier stands on at most one roster, free-agent or draft list.
void ExpectEachPlayerOnce(League& league, const std::string& context) {
    std::map<short, int> seen;
    for (int team = 0; team < league.GetNumTeams(); ++team)
        for (int slot = 0; slot < Roster::kSlots; ++slot)
            if (const short pid = league.GetRoster(team)[slot])
                ++seen[pid];
    for (int group = 0; group < PlayerGroups::kGroups; ++group) {
        for (int i = 0; i < league.GetNumFreeAgents(group); ++i)
            ++seen[league.GetFreeAgents(group)[i]];
        for (int i = 0; i < league.GetNumCollegeDraft(group); ++i)
            ++seen[league.GetCollegeDraft(group)[i]];
    }
    for (const auto& [pid, count] : seen)
        EXPECT_EQ(count, 1) << "player " << pid << " stands in " << count << " places, " << context;
}

// The sweep with real processes forks one for every kill point, which Windows cannot do; its
// own release of a dead program's lock and its renames are tested with single children in
// FolderLockTests and WriteBackTests, and the sweep on the memory file system below runs there.
#ifndef _WIN32
// Counts the calls that change the disk, from the open to the end of the League.
int CountCalls(const std::function<void()>& run) {
    int calls = 0;
    FaultyFilesInUse counting([&](FaultyFiles::Call, const std::string&) {
        ++calls;
        return tolvik::FileError::None;
    });
    run();
    return calls;
}

// Runs body in a child that is killed right before its kill-th call that changes the disk.
// Returns true when the kill landed (false: the body ended before that call).
bool RunKilledAt(int kill, const std::function<void()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        int calls = 0;
        FaultyFilesInUse killing([&](FaultyFiles::Call, const std::string&) {
            if (calls++ == kill)
                ::raise(SIGKILL);
            return tolvik::FileError::None;
        });
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

class CrashSafety : public ::testing::Test {
  protected:
    // Opens the league (completing what a killed run left), checks it, and lets it go.
    void RecoverAndCheck(const std::string& context) {
        {
            League league;
            ASSERT_TRUE(league.OpenLeague(dir.File("my.lge"))) << context << ": " << league.GetLastError();
            ASSERT_TRUE(league.ReadLeagueData()) << context;
            ExpectEachPlayerOnce(league, context);
        }
        EXPECT_EQ(NonLeagueFiles(), Names{}) << context << ": something of the killed run was left";
    }

    Names NonLeagueFiles() const {
        Names extra;
        for (const auto& name : dir.List())
            if (std::find(std::begin(kLeagueFiles), std::end(kLeagueFiles), name) == std::end(kLeagueFiles))
                extra.push_back(name);
        return extra;
    }

    // Which of the whole states the folder holds (-1: none of them, a mix).
    int WholeState(const std::vector<FileSet>& states) const {
        const FileSet now = ReadSet(dir);
        for (std::size_t i = 0; i < states.size(); ++i)
            if (now == states[i])
                return static_cast<int>(i);
        return -1;
    }

    // Memory-backed where there is one: the kills are of the process, not of the machine,
    // and the many syncs would only cost time on a disk.
    TempDir dir{"/dev/shm"};
};

TEST_F(CrashSafety, AKilledProcessLeavesTheLeaguesFilesWhollyOldOrWhollyNew) {
    int kills = 0, recoveryKills = 0, mixedBeforeRecovery = 0;
    std::map<int, int> wholeStates; // index of the state after recovery -> runs
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        LeagueFiles files = StandardLeague();
        if (!scenario.freeAgentFile)
            files.freeAgents.reset();
        files.WriteTo(dir);
        const FileSet old = ReadSet(dir);
        const auto life = [&] {
            auto league = std::make_unique<League>();
            if (!league->OpenLeague(dir.File("my.lge")) || !league->ReadLeagueData() ||
                !scenario.change(*league))
                ::_exit(2);
        };

        // The whole states: as it was, after an undisturbed run, and (for two write-backs)
        // after the first one.
        std::vector<FileSet> states{old};
        const int calls = CountCalls(life);
        states.push_back(ReadSet(dir));
        ASSERT_NE(states[1], old);
        if (std::string(scenario.name).rfind("two", 0) == 0) {
            RestoreSet(dir, old);
            auto league = OpenAndRead(dir.File("my.lge"));
            ASSERT_TRUE(Sign(*league) && league->CloseLeague());
            states.push_back(ReadSet(dir));
            league.reset();
        }
        ASSERT_GT(calls, 20);

        for (int kill = 0; kill < calls; ++kill) {
            const std::string context =
                std::string(scenario.name) + ", killed before call " + std::to_string(kill);
            RestoreSet(dir, old);
            ASSERT_TRUE(RunKilledAt(kill, life)) << context;
            ++kills;
            // Each file on its own is whole at every moment.
            const FileSet killed = ReadSet(dir);
            for (const char* name : kLeagueFiles) {
                bool known = false;
                for (const FileSet& state : states)
                    known = known || killed.at(name) == state.at(name);
                ASSERT_TRUE(known) << name << " is torn, " << context;
            }
            mixedBeforeRecovery += WholeState(states) < 0 ? 1 : 0;

            // Kill the recovering open too, at each of its calls, when the killed run left the
            // files mixed; every later open must still complete the write-back. (The memory
            // sweep below kills every recovery.)
            const bool journal = dir.Exists("~saltmp.jnl") && WholeState(states) < 0;
            const FileSet left = ReadSet(dir);
            const auto leftFiles = dir.List();
            std::map<std::string, Bytes> leftovers;
            for (const auto& name : leftFiles)
                leftovers[name] = dir.Read(name);
            const auto recoveringOpen = [&] {
                League league;
                if (!league.OpenLeague(dir.File("my.lge")))
                    ::_exit(2);
            };
            const int recoveryCalls = journal ? CountCalls(recoveringOpen) : 0;
            // What an undisturbed recovery makes of it: a complete journal completed, one cut
            // short discarded.
            const int recovered = WholeState(states);
            ASSERT_TRUE(!journal || recovered >= 0) << context;
            for (int again = 0; again < recoveryCalls; ++again) {
                for (const auto& name : dir.List())
                    std::filesystem::remove(dir.File(name));
                for (const auto& [name, bytes] : leftovers)
                    dir.Write(name, bytes);
                ASSERT_TRUE(RunKilledAt(again, recoveringOpen))
                    << context << ", recovery killed at " << again;
                ++recoveryKills;
                RecoverAndCheck(context + ", recovery killed at " + std::to_string(again));
                ASSERT_EQ(WholeState(states), recovered) << context << ", recovery killed at " << again;
            }
            if (journal) {
                for (const auto& name : dir.List())
                    std::filesystem::remove(dir.File(name));
                for (const auto& [name, bytes] : leftovers)
                    dir.Write(name, bytes);
            }
            ASSERT_EQ(ReadSet(dir), left);

            RecoverAndCheck(context);
            const int whole = WholeState(states);
            ASSERT_GE(whole, 0) << "the league's files disagree after recovery, " << context;
            ++wholeStates[whole];
        }
        RestoreSet(dir, old);
    }
    std::cout << "crash-safety (processes): " << kills << " kills during runs, " << recoveryKills
              << " more during recovering opens; " << mixedBeforeRecovery
              << " runs left the files mixed until the next open completed them; after recovery "
              << wholeStates[0] << " wholly old, " << wholeStates[1] << " wholly new, " << wholeStates[2]
              << " as the first of two write-backs left them, 0 mixed\n";
    EXPECT_GT(mixedBeforeRecovery, 0) << "no kill landed between two renames";
    EXPECT_GT(recoveryKills, 0);
}

#endif

// The league's files on a memory disk, in the folder "/league".
using Image = std::map<std::string, Bytes>;
const char* const kFolder = "/league";

std::unique_ptr<tolvik::MemoryFiles> DiskWith(const Image& image) {
    auto disk = std::make_unique<tolvik::MemoryFiles>();
    disk->MakeFolder(kFolder);
    for (const auto& [name, bytes] : image) {
        const auto file = disk->Open(std::string(kFolder) + "/" + name, tolvik::OpenHow::Create);
        disk->WriteAt(file, bytes.data(), bytes.size(), 0);
        disk->Close(file);
    }
    return disk;
}

Image ImageOf(tolvik::MemoryFiles& disk) {
    Image image;
    std::vector<std::string> names;
    disk.List(kFolder, names);
    for (const auto& name : names) {
        const auto file = disk.Open(std::string(kFolder) + "/" + name, tolvik::OpenHow::Read);
        Bytes bytes(static_cast<std::size_t>(disk.Size(file)));
        disk.ReadAt(file, bytes.data(), bytes.size(), 0);
        disk.Close(file);
        image[name] = bytes;
    }
    return image;
}

FileSet SetOf(const Image& image) {
    FileSet set;
    for (const char* name : kLeagueFiles) {
        const auto it = image.find(name);
        set[name] = it == image.end() ? std::nullopt : std::optional<Bytes>(it->second);
    }
    return set;
}

// Runs body on the disk; with kill >= 0 every call that changes the disk from the kill-th on
// is refused, as if the program had died right before it, and the process ends after body.
// Returns the number of calls that changed (or would have changed) the disk.
int RunOn(tolvik::MemoryFiles& disk, int kill, const std::function<void()>& body) {
    int calls = 0;
    {
        FaultyFilesInUse dying(
            [&](FaultyFiles::Call, const std::string&) {
                const int index = calls++;
                return kill >= 0 && index >= kill ? tolvik::FileError::Interrupted : tolvik::FileError::None;
            },
            disk);
        body();
    }
    disk.EndProcess();
    return calls;
}

const std::string kLeaguePath = std::string(kFolder) + "/my.lge";

// The program's life in one scenario; on a dying disk every step may fail, and the League
// must take that calmly.
std::function<void()> Life(const Scenario& scenario) {
    return [&scenario] {
        League league;
        if (league.OpenLeague(kLeaguePath) && league.ReadLeagueData())
            scenario.change(league);
    };
}

void RecoveringOpen() {
    League league;
    league.OpenLeague(kLeaguePath);
}

// Opens the league on the disk (completing what a killed run left) and checks it; returns
// which of the whole states the league's files are in (-1: a mix), or -2 when it does not
// open or leaves something behind.
int RecoverOnDisk(tolvik::MemoryFiles& disk, const std::vector<FileSet>& states, const std::string& context) {
    tolvik::SystemFiles* previous = tolvik::UseFiles(&disk);
    bool opened = false;
    {
        League league;
        opened = league.OpenLeague(kLeaguePath) && league.ReadLeagueData();
        EXPECT_TRUE(opened) << context << ": " << league.GetLastError();
        if (opened)
            ExpectEachPlayerOnce(league, context);
    }
    tolvik::UseFiles(previous == &tolvik::SystemDefaultFiles() ? nullptr : previous);
    const Image image = ImageOf(disk);
    for (const auto& [name, bytes] : image)
        if (std::find(std::begin(kLeagueFiles), std::end(kLeagueFiles), name) == std::end(kLeagueFiles))
            return -2;
    if (!opened)
        return -2;
    const FileSet now = SetOf(image);
    for (std::size_t i = 0; i < states.size(); ++i)
        if (now == states[i])
            return static_cast<int>(i);
    return -1;
}

// The calls with which an open completes or clears what a killed run left: those before it
// notes its first working copy in the lock file.
int RecoveryCalls(const Image& left) {
    auto disk = DiskWith(left);
    int calls = 0;
    bool noting = false;
    {
        FaultyFilesInUse counting(
            [&](FaultyFiles::Call call, const std::string& path) {
                noting = noting ||
                         (call == FaultyFiles::Call::Write && path.ends_with(tolvik::FolderLock::kFileName));
                calls += noting ? 0 : 1;
                return tolvik::FileError::None;
            },
            *disk);
        RecoveringOpen();
    }
    return calls;
}

TEST(CrashSafetyOnMemory, AKillAtAnyCallOfTheRunOrOfTheRecoveryLeavesTheFilesWhole) {
    int kills = 0, recoveryKills = 0, mixed = 0;
    std::map<int, int> wholeStates;
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        LeagueFiles files = StandardLeague();
        if (!scenario.freeAgentFile)
            files.freeAgents.reset();
        TempDir source;
        files.WriteTo(source);
        Image old;
        for (const auto& name : source.List())
            old[name] = source.Read(name);

        std::vector<FileSet> states{SetOf(old)};
        auto undisturbed = DiskWith(old);
        const int calls = RunOn(*undisturbed, -1, Life(scenario));
        states.push_back(SetOf(ImageOf(*undisturbed)));
        ASSERT_NE(states[1], states[0]);
        if (std::string(scenario.name).rfind("two", 0) == 0) {
            auto half = DiskWith(old);
            RunOn(*half, -1, [] {
                League league;
                ASSERT_TRUE(league.OpenLeague(kLeaguePath) && league.ReadLeagueData());
                ASSERT_TRUE(Sign(league) && league.CloseLeague());
            });
            states.push_back(SetOf(ImageOf(*half)));
        }

        for (int kill = 0; kill < calls; ++kill) {
            const std::string context =
                std::string(scenario.name) + ", killed before call " + std::to_string(kill);
            auto disk = DiskWith(old);
            RunOn(*disk, kill, Life(scenario));
            ++kills;
            const Image left = ImageOf(*disk);
            const FileSet killed = SetOf(left);
            for (const char* name : kLeagueFiles) {
                bool known = false;
                for (const FileSet& state : states)
                    known = known || killed.at(name) == state.at(name);
                ASSERT_TRUE(known) << name << " is torn, " << context;
            }
            bool whole = false;
            for (const FileSet& state : states)
                whole = whole || killed == state;
            mixed += whole ? 0 : 1;

            const int recoveryCalls = RecoveryCalls(left);
            auto once = DiskWith(left);
            const int recovered = RecoverOnDisk(*once, states, context);
            ASSERT_GE(recovered, 0) << "the league's files disagree after recovery, " << context;
            ++wholeStates[recovered];
            for (int again = 0; again < recoveryCalls; ++again) {
                const std::string where = context + ", recovery killed before call " + std::to_string(again);
                auto twice = DiskWith(left);
                RunOn(*twice, again, RecoveringOpen);
                ++recoveryKills;
                ASSERT_EQ(RecoverOnDisk(*twice, states, where), recovered) << where;
            }
        }
    }
    std::cout << "crash-safety (memory): " << kills << " kills during runs, " << recoveryKills
              << " more during recovering opens; " << mixed
              << " runs left the files mixed until the next open completed them; after recovery "
              << wholeStates[0] << " wholly old, " << wholeStates[1] << " wholly new, " << wholeStates[2]
              << " as the first of two write-backs left them, 0 mixed\n";
    EXPECT_GT(mixed, 0) << "no kill landed between two renames";
    EXPECT_GE(kills + recoveryKills, 1000);
}

} // namespace
