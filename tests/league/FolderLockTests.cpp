// One open league per folder: the working copies have fixed names in the league's folder,
// so a second League there, in this process or another, must fail before it copies anything.
#include "LeagueBytes.h"
#include "league/FileAccess.h"
#include "league/League.h"
#include "support/ChildProcess.h"
#include "support/FaultyFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace {

using namespace testleague;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

class FolderLock : public ::testing::Test {
  protected:
    void SetUp() override { files.WriteTo(dir); }

    std::map<std::string, Bytes> Snapshot() const {
        std::map<std::string, Bytes> all;
        for (const auto& name : dir.List())
            all[name] = dir.Read(name);
        return all;
    }

    TempDir dir;
    LeagueFiles files = StandardLeague();
};

TEST_F(FolderLock, ASecondLeagueInTheSameFolderFailsAndTouchesNothingOfTheFirst) {
    // A second league file in the same folder shares the working-copy names as well; its
    // bytes differ, so a copy of it over the first one's working copy would show.
    LeagueFiles other = files;
    other.layout.name = "Other League";
    other.WriteTo(dir, "other");
    auto first = OpenAndRead(dir.File("my.lge"));
    ASSERT_TRUE(first->MovePlayer(145, 0));
    ASSERT_TRUE(first->WriteLeague());
    const auto during = Snapshot();

    for (const char* name : {"my.lge", "other.lge"}) {
        {
            League second;
            EXPECT_FALSE(second.OpenLeague(dir.File(name))) << name;
            EXPECT_FALSE(second.ReadLeagueData());
            EXPECT_FALSE(second.WriteLeague());
        }
        // Nothing was copied, and the second League's end wrote back and deleted nothing.
        EXPECT_EQ(Snapshot(), during) << name;
    }
    // The first League still owns its folder: its changes reach the league when it goes.
    EXPECT_EQ(first->GetRoster(0)[34], 145);
    first.reset();
    EXPECT_EQ(UnscrambleRoster(dir.Read("my.lge").data() + RosterBodyOffset(files.layout, 0)).pids[34], 145);
    EXPECT_EQ(dir.List(), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr", "other.lge", "other.pyc",
                                 "other.pyf", "other.pyr"}));

    // Once it is gone the folder is free again.
    auto next = OpenAndRead(dir.File("other.lge"));
    EXPECT_EQ(next->GetLeagueName(), "Other League");
}

TEST_F(FolderLock, LeaguesInDifferentFoldersOpenTogether) {
    TempDir otherDir;
    files.WriteTo(otherDir);
    auto first = OpenAndRead(dir.File("my.lge"));
    auto second = OpenAndRead(otherDir.File("my.lge"));
    EXPECT_EQ(second->GetTeamName(1), "Club 1");
}

TEST_F(FolderLock, ALockFileLeftBehindBlocksNobodyAndGoesWithTheLeague) {
    dir.Write("~saltmp.lck", Bytes{1, 2, 3});
    {
        auto league = OpenAndRead(dir.File("my.lge"));
        EXPECT_EQ(league->GetTeamName(0), "Club 0");
    }
    EXPECT_EQ(dir.List(), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr"}));
}

TEST_F(FolderLock, AFolderThatCannotBeLockedIsRefusedWithThatReasonAndLeftAlone) {
    // As on a network share whose file system has no locks: the league is not opened
    // without its lock, and nothing in the folder is made or changed.
    const auto before = Snapshot();
    for (const tolvik::FileError error :
         {tolvik::FileError::LockUnsupported, tolvik::FileError::AccessDenied}) {
        FaultyFilesInUse noLocks([&](FaultyFiles::Call call, const std::string&) {
            return call == FaultyFiles::Call::Lock ? error : tolvik::FileError::None;
        });
        League league;
        EXPECT_FALSE(league.OpenLeague(dir.File("my.lge")));
        EXPECT_EQ(
            league.GetLastError(),
            error == tolvik::FileError::LockUnsupported
                ? "cannot lock the folder: its file system does not support locks (a network share?); the "
                  "league is not opened without the lock"
                : "cannot lock the folder: the folder is not writable");
        EXPECT_FALSE(league.ReadLeagueData());
    }
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(FolderLock, AFailedOpenKeepsTheFolderUntilTheLeagueGoes) {
    dir.Write("bad.lge", Bytes{'X', '0', '3', ':'});
    auto failed = std::make_unique<League>();
    ASSERT_FALSE(failed->OpenLeague(dir.File("bad.lge")));
    // Its league working copy lies in the folder until the destructor removes it.
    League blocked;
    EXPECT_FALSE(blocked.OpenLeague(dir.File("my.lge")));
    failed.reset();
    auto league = OpenAndRead(dir.File("my.lge"));
    EXPECT_EQ(league->GetNextPlayerID(), 200);
}

// Another program with the league open: a child process that opens the league, changes it,
// reports through a file in the signal folder, and then either waits to be killed or lets
// its League go (writing the change back) at the parent's word.
const bool kHolderRole = RegisterChildRole("hold the league", [](const std::vector<std::string>& arguments) {
    const std::string& leaguePath = arguments.at(0);
    const std::string signals = arguments.at(1);
    const fs::path folder(std::u8string(signals.begin(), signals.end()));
    char status = 0;
    {
        League league;
        status = league.OpenLeague(leaguePath) && league.ReadLeagueData() && league.MovePlayer(145, 0) &&
                         league.WriteLeague()
                     ? 1
                     : 2;
        std::ofstream(folder / "report.tmp", std::ios::binary) << status;
        fs::rename(folder / "report.tmp", folder / "report");
        if (!WaitForFile(tolvik::PathJoin(signals, "go")))
            return 3;
    }
    return status == 1 ? 0 : 1;
});

struct Holder {
    explicit Holder(const std::string& leaguePath) : child("hold the league", {leaguePath, signals.Path()}) {}

    // The child's report: 1 when its league is open.
    char Report() const {
        if (!WaitForFile(signals.File("report")))
            return 0;
        const Bytes report = signals.Read("report");
        return report.size() == 1 ? static_cast<char>(report[0]) : 0;
    }
    // Lets the child's League go and returns its exit status.
    int Finish() {
        signals.Write("go", {});
        return child.Wait();
    }

    TempDir signals;
    ChildProcess child;
};

TEST_F(FolderLock, ALeagueOpenInAnotherProcessBlocksTheFolderUntilItCloses) {
    const auto before = Snapshot();
    Holder holder(dir.File("my.lge"));
    ASSERT_TRUE(holder.child.Started());
    ASSERT_EQ(holder.Report(), 1);
    const auto during = Snapshot();
    {
        League here;
        EXPECT_FALSE(here.OpenLeague(dir.File("my.lge")));
        EXPECT_EQ(here.GetLastError(), "the folder is in use by another program");
    }
    EXPECT_EQ(Snapshot(), during);

    EXPECT_EQ(holder.Finish(), 0);
    EXPECT_NE(dir.Read("my.lge"), before.at("my.lge")) << "the child's change was written back";
    auto league = OpenAndRead(dir.File("my.lge"));
    EXPECT_EQ(league->GetRoster(0)[34], 145);
}

TEST_F(FolderLock, TheLockOfAKilledProcessIsReleasedAndItsLeftoversAreNeverCopiedBack) {
    const auto before = Snapshot();
    Holder holder(dir.File("my.lge"));
    ASSERT_TRUE(holder.child.Started());
    ASSERT_EQ(holder.Report(), 1);
    EXPECT_EQ(holder.child.Kill(), ChildProcess::kKilled);
    // The killed child left its working copies and its lock file behind.
    EXPECT_TRUE(dir.Exists("~saltmp.lge"));
    EXPECT_TRUE(dir.Exists("~saltmp.lck"));
    {
        auto league = OpenAndRead(dir.File("my.lge"));
        EXPECT_EQ(league->GetRoster(0)[34], 0) << "the child's unsaved change is not seen";
    }
    EXPECT_EQ(Snapshot(), before) << "the league as it was, and nothing left behind";
}

} // namespace
