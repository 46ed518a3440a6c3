// One open league per folder: the working copies have fixed names in the league's folder,
// so a second League there, in this process or another, must fail before it copies anything.
#include "LeagueBytes.h"
#include "league/League.h"

#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace testleague;
using Names = std::vector<std::string>;

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

// A child process that opens the league, reports through a pipe, and then either waits to
// be killed or exits at the parent's word.
struct Child {
    pid_t pid = -1;
    int fromChild = -1;
    int toChild = -1;

    static Child Start(const std::string& path) {
        int up[2], down[2];
        if (::pipe(up) != 0 || ::pipe(down) != 0)
            return {};
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(up[0]);
            ::close(down[1]);
            char status = 0;
            {
                League league;
                status = league.OpenLeague(path) && league.ReadLeagueData() && league.MovePlayer(145, 0) &&
                                 league.WriteLeague()
                             ? 1
                             : 2;
                (void)!::write(up[1], &status, 1);
                char go;
                (void)!::read(down[0], &go, 1);
            }
            ::_exit(status == 1 ? 0 : 1);
        }
        ::close(up[1]);
        ::close(down[0]);
        return {pid, up[0], down[1]};
    }
    // The child's report: 1 when its league is open.
    char Report() const {
        char status = 0;
        return ::read(fromChild, &status, 1) == 1 ? status : 0;
    }
    // Lets the child's League go and waits for its exit status.
    int Finish() const {
        ::close(toChild);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ::close(fromChild);
        return status;
    }
    int Kill() const {
        ::kill(pid, SIGKILL);
        return Finish();
    }
};

TEST_F(FolderLock, ALeagueOpenInAnotherProcessBlocksTheFolderUntilItCloses) {
    const auto before = Snapshot();
    const Child child = Child::Start(dir.File("my.lge"));
    ASSERT_GT(child.pid, 0);
    ASSERT_EQ(child.Report(), 1);
    const auto during = Snapshot();
    {
        League here;
        EXPECT_FALSE(here.OpenLeague(dir.File("my.lge")));
    }
    EXPECT_EQ(Snapshot(), during);

    const int status = child.Finish();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(dir.Read("my.lge"), before.at("my.lge")) << "the child's change was written back";
    auto league = OpenAndRead(dir.File("my.lge"));
    EXPECT_EQ(league->GetRoster(0)[34], 145);
}

TEST_F(FolderLock, TheLockOfAKilledProcessIsReleasedAndItsLeftoversAreNeverCopiedBack) {
    const auto before = Snapshot();
    const Child child = Child::Start(dir.File("my.lge"));
    ASSERT_GT(child.pid, 0);
    ASSERT_EQ(child.Report(), 1);
    const int status = child.Kill();
    EXPECT_TRUE(WIFSIGNALED(status));
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
