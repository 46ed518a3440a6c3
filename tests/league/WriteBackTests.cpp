// How changes reach a league's files: all of them or none, only through the files' real
// paths, never over a file that may not be written or that another program changed, and
// with a reason whenever they do not.
#include "LeagueBytes.h"
#include "league/FileAccess.h"
#include "league/League.h"
#include "league/MemoryFiles.h"
#include "support/ChildProcess.h"
#include "support/FaultyFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace {

using namespace testleague;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

// A release and a signing: the league file and the free-agent file both change.
bool Change(League& league) {
    return league.MakeFreeAgent(105) && league.MovePlayer(145, 0) && league.WriteLeague();
}

// A program killed right before its n-th rename of a write-back (n from 1).
const bool kKilledAtRenameRole =
    RegisterChildRole("write back, killed at a rename", [](const std::vector<std::string>& arguments) {
        const int killAt = std::stoi(arguments.at(1));
        int renames = 0;
        FaultyFilesInUse killing([&](FaultyFiles::Call call, const std::string&) {
            if (call == FaultyFiles::Call::Rename && ++renames == killAt)
                DieNow();
            return tolvik::FileError::None;
        });
        auto league = OpenAndRead(arguments.at(0));
        Change(*league);
        league->CloseLeague();
        return 0;
    });

// A program that is refused the folder and then dies, leaving its lock file and its notes.
const bool kRefusedRole =
    RegisterChildRole("refused, then killed", [](const std::vector<std::string>& arguments) {
        League refused;
        if (refused.OpenLeague(arguments.at(0)))
            return 1;
        DieNow();
    });

class WriteBack : public ::testing::Test {
  protected:
    void SetUp() override {
        files.WriteTo(dir);
        old = dir.Snapshot();
        // The changed files, from an undisturbed run on a copy.
        TempDir copy;
        files.WriteTo(copy);
        {
            auto league = OpenAndRead(copy.File("my.lge"));
            EXPECT_TRUE(Change(*league));
        }
        changedLge = copy.Read("my.lge");
        changedPyf = copy.Read("my.pyf");
        ASSERT_NE(changedLge, old.at("my.lge"));
        ASSERT_NE(changedPyf, old.at("my.pyf"));
    }

    std::unique_ptr<League> OpenAndChange(const std::string& path) {
        auto league = OpenAndRead(path);
        EXPECT_TRUE(Change(*league));
        return league;
    }

    // The league and list files as they were before the change, and nothing of a
    // write-back (temporary files, journal) left in the folder.
    void ExpectLeftAsTheyWere() const {
        EXPECT_EQ(dir.Read("my.lge"), old.at("my.lge"));
        EXPECT_EQ(dir.Read("my.pyf"), old.at("my.pyf"));
        for (const auto& name : dir.List())
            EXPECT_FALSE(tolvik::IsTemporaryName(name) || name == "~saltmp.jnl") << name << " left behind";
    }
    void ExpectChanged() const {
        EXPECT_EQ(dir.Read("my.lge"), changedLge);
        EXPECT_EQ(dir.Read("my.pyf"), changedPyf);
    }

    TempDir dir;
    LeagueFiles files = StandardLeague();
    std::map<std::string, Bytes> old;
    Bytes changedLge, changedPyf;
};

TEST_F(WriteBack, CloseLeagueWritesTheChangesAndTheLeagueStaysOpen) {
    auto league = OpenAndChange(dir.File("my.lge"));
    ASSERT_TRUE(league->CloseLeague()) << league->GetLastError();
    ExpectChanged();
    EXPECT_EQ(dir.Read("my.pyc"), old.at("my.pyc"));
    // Still open: a later change goes back with the destructor.
    ASSERT_TRUE(league->MovePlayer(117, 2) && league->WriteLeague());
    EXPECT_TRUE(league->CloseLeague());
    league.reset();
    auto again = OpenAndRead(dir.File("my.lge"));
    EXPECT_EQ(again->FindTeam(117), 2);
    EXPECT_EQ(again->FindTeam(105), -1);
    EXPECT_TRUE(again->IsFreeAgent(105));
}

// Writes to the n-th temporary file of a write-back (0: the league file's, 1: the free-agent
// file's), to the journal, or to a working copy fail as on a full disk.
struct FullDisk {
    std::string victim; // "temp0", "temp1", "journal" or a working copy's name
    bool armed = true;
    int temps = 0;
    std::map<std::string, int> tempIndex{};

    tolvik::FileError operator()(FaultyFiles::Call call, const std::string& path) {
        if (!armed)
            return tolvik::FileError::None;
        const std::string leaf = fs::path(path).filename().string();
        if (call == FaultyFiles::Call::Create && tolvik::IsTemporaryName(leaf))
            tempIndex[path] = temps++;
        if (call != FaultyFiles::Call::Write)
            return tolvik::FileError::None;
        const auto temp = tempIndex.find(path);
        const bool hit = (temp != tempIndex.end() && victim == "temp" + std::to_string(temp->second)) ||
                         (victim == "journal" && leaf == "~saltmp.jnl") || victim == leaf;
        return hit ? tolvik::FileError::DiskFull : tolvik::FileError::None;
    }
};

TEST_F(WriteBack, AFullDiskAtAnyFileOfTheSetChangesNoneAndSaysSo) {
    for (const char* victim : {"temp0", "temp1", "journal"}) {
        SCOPED_TRACE(victim);
        auto league = OpenAndChange(dir.File("my.lge"));
        {
            FullDisk disk{victim};
            FaultyFilesInUse full(
                [&](FaultyFiles::Call call, const std::string& path) { return disk(call, path); });
            EXPECT_FALSE(league->CloseLeague());
            EXPECT_TRUE(Contains(league->GetLastError(), "disk full")) << league->GetLastError();
            EXPECT_TRUE(Contains(league->GetLastError(), "left as they were")) << league->GetLastError();
        }
        ExpectLeftAsTheyWere();
        // Once there is room again, the same changes go through.
        ASSERT_TRUE(league->CloseLeague()) << league->GetLastError();
        ExpectChanged();
        league.reset();
        files.WriteTo(dir);
    }
}

TEST_F(WriteBack, AWorkingCopyThatCouldNotBeWrittenIsNeverWrittenBackAndIsKept) {
    for (const char* victim : {"~saltmp.lge", "~saltmp.pyf"}) {
        SCOPED_TRACE(victim);
        {
            // In front from the open on, so that the working copies' writes are seen.
            FullDisk disk{victim, false};
            FaultyFilesInUse full(
                [&](FaultyFiles::Call call, const std::string& path) { return disk(call, path); });
            auto league = OpenAndRead(dir.File("my.lge"));
            disk.armed = true;
            Change(*league);
            EXPECT_FALSE(league->CloseLeague());
            EXPECT_TRUE(
                Contains(league->GetLastError(), std::string("cannot write the working copy ") + victim))
                << league->GetLastError();
        }
        // Neither file took a change; the copies that hold the changes stay for a person to
        // look at, and the next open says so instead of replacing them.
        EXPECT_EQ(dir.Read("my.lge"), old.at("my.lge"));
        EXPECT_EQ(dir.Read("my.pyf"), old.at("my.pyf"));
        EXPECT_TRUE(dir.Exists("~saltmp.lge"));
        const Bytes kept = dir.Read("~saltmp.lge");
        {
            League next;
            EXPECT_FALSE(next.OpenLeague(dir.File("my.lge")));
            EXPECT_TRUE(Contains(next.GetLastError(), "~saltmp.lge")) << next.GetLastError();
        }
        EXPECT_EQ(dir.Read("~saltmp.lge"), kept);
        for (const auto& name : dir.List())
            if (name[0] == '~')
                fs::remove(dir.File(name));
        files.WriteTo(dir);
    }
}

TEST_F(WriteBack, AWorkingCopyThatCannotBeReadBackFailsTheWholeSetAndKeepsTheChanges) {
    // The write-back reads the copies through the handles the league keeps open; a read that
    // fails there must not pass for an empty or equal file.
    bool failing = false;
    int refused = 0;
    FaultyFilesInUse faulty([&](FaultyFiles::Call call, const std::string& path) {
        if (!failing || call != FaultyFiles::Call::Read || fs::path(path).filename() != "~saltmp.lge")
            return tolvik::FileError::None;
        ++refused;
        return tolvik::FileError::Interrupted;
    });
    auto league = OpenAndChange(dir.File("my.lge"));
    failing = true;
    EXPECT_FALSE(league->CloseLeague());
    EXPECT_GT(refused, 0);
    EXPECT_TRUE(Contains(league->GetLastError(), "my.lge")) << league->GetLastError();
    EXPECT_TRUE(Contains(league->GetLastError(), "left as they were")) << league->GetLastError();
    ExpectLeftAsTheyWere();
    failing = false;
    ASSERT_TRUE(league->CloseLeague()) << league->GetLastError();
    ExpectChanged();
}

TEST_F(WriteBack, AFailedWriteLeagueIsFollowedByNoWriteBack) {
    {
        // The free-agent list cannot be written anew; the rosters were written.
        bool refusing = false;
        FaultyFilesInUse refuse([&](FaultyFiles::Call call, const std::string& path) {
            return refusing && call == FaultyFiles::Call::Write && fs::path(path).filename() == "~saltmp.pyf"
                       ? tolvik::FileError::DiskFull
                       : tolvik::FileError::None;
        });
        auto league = OpenAndRead(dir.File("my.lge"));
        ASSERT_TRUE(league->MakeFreeAgent(105) && league->MovePlayer(145, 0));
        refusing = true;
        EXPECT_FALSE(league->WriteLeague());
        EXPECT_FALSE(league->CloseLeague());
        EXPECT_TRUE(Contains(league->GetLastError(), "~saltmp.pyf")) << league->GetLastError();
    }
    EXPECT_EQ(dir.Read("my.lge"), old.at("my.lge"));
    EXPECT_EQ(dir.Read("my.pyf"), old.at("my.pyf"));
}

#ifndef _WIN32
// Not on Windows: making a symbolic link there takes a privilege that users do not have by
// default, and Windows keeps no permission bits but the read-only attribute (tested below).
TEST_F(WriteBack, SymbolicLinksAreFollowedAndStayLinksAndModesAreKept) {
    TempDir real;
    files.WriteTo(real);
    fs::permissions(real.File("my.lge"), fs::perms(0640));
    fs::permissions(real.File("my.pyf"), fs::perms(0604));
    for (const char* name : {"my.lge", "my.pyr", "my.pyf", "my.pyc"}) {
        fs::remove(dir.File(name));
        fs::create_symlink(real.File(name), dir.File(name));
    }
    OpenAndChange(dir.File("my.lge")).reset();

    EXPECT_EQ(real.Read("my.lge"), changedLge);
    EXPECT_EQ(real.Read("my.pyf"), changedPyf);
    for (const char* name : {"my.lge", "my.pyf"})
        EXPECT_TRUE(fs::is_symlink(dir.File(name))) << name << " was replaced by a plain file";
    EXPECT_EQ(fs::status(real.File("my.lge")).permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status(real.File("my.pyf")).permissions(), fs::perms(0604));
    EXPECT_EQ(real.List(), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr"}));
}
#endif

TEST_F(WriteBack, AWriteProtectedFileFailsTheWriteBackOfTheWholeSet) {
    // Read-only for everyone (on Windows: the read-only attribute); the league file's own bits
    // are to be kept by its replacement.
    fs::permissions(dir.File("my.pyf"), fs::perms(0444));
    fs::permissions(dir.File("my.lge"), fs::perms(0600));
    const fs::perms lgeMode = fs::status(dir.File("my.lge")).permissions();
    auto league = OpenAndChange(dir.File("my.lge"));
    EXPECT_FALSE(league->CloseLeague());
    EXPECT_EQ(
        league->GetLastError(),
        "cannot write back my.pyf: the file is write-protected; the league's files were left as they were");
    EXPECT_EQ(dir.Read("my.lge"), old.at("my.lge"));
    EXPECT_EQ(dir.Read("my.pyf"), old.at("my.pyf"));

    fs::permissions(dir.File("my.pyf"), fs::perms(0644));
    EXPECT_TRUE(league->CloseLeague()) << league->GetLastError();
    EXPECT_EQ(dir.Read("my.pyf"), changedPyf);
    EXPECT_EQ(fs::status(dir.File("my.lge")).permissions(), lgeMode);
}

TEST_F(WriteBack, ATargetThatCannotBeReplacedAtTheFirstRenameLeavesEveryFileAsItWas) {
    // Another program took the league file between the making of the temporary files and the
    // renames (on Windows: opened it without sharing); nothing has been replaced yet.
    auto league = OpenAndChange(dir.File("my.lge"));
    {
        FaultyFilesInUse taken([](FaultyFiles::Call call, const std::string&) {
            return call == FaultyFiles::Call::Rename ? tolvik::FileError::InUse : tolvik::FileError::None;
        });
        EXPECT_FALSE(league->CloseLeague());
    }
    EXPECT_EQ(
        league->GetLastError(),
        "cannot write back my.lge: in use by another program; the league's files were left as they were");
    ExpectLeftAsTheyWere();
    // Not an interrupted write-back: the same changes go through once the file is free.
    ASSERT_TRUE(league->CloseLeague()) << league->GetLastError();
    ExpectChanged();
}

TEST_F(WriteBack, ARenameThatFailsHalfWayIsCompletedByTheNextOpenAsPromised) {
    auto league = OpenAndChange(dir.File("my.lge"));
    {
        int renames = 0;
        FaultyFilesInUse second([&](FaultyFiles::Call call, const std::string&) {
            return call == FaultyFiles::Call::Rename && ++renames == 2 ? tolvik::FileError::Other
                                                                       : tolvik::FileError::None;
        });
        EXPECT_FALSE(league->CloseLeague());
    }
    EXPECT_EQ(league->GetLastError(),
              "the write-back stopped half-way (input/output error); it is completed when "
              "the league is next opened");
    EXPECT_EQ(dir.Read("my.lge"), changedLge);
    EXPECT_EQ(dir.Read("my.pyf"), old.at("my.pyf"));
    league.reset();
    // The working copies are not kept: the journal holds their bytes, and they would only
    // make the next open refuse the folder.
    auto next = OpenAndRead(dir.File("my.lge"));
    EXPECT_EQ(dir.Read("my.pyf"), changedPyf);
    EXPECT_TRUE(next->IsFreeAgent(105));
    next.reset();
    EXPECT_EQ(dir.List(), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr"}));
}

TEST_F(WriteBack, ALeagueFileChangedByAnotherProgramIsNotOverwritten) {
    auto league = OpenAndChange(dir.File("my.lge"));
    Bytes theirs = old.at("my.lge");
    theirs.push_back(0);
    dir.Write("my.lge", theirs);
    EXPECT_FALSE(league->CloseLeague());
    EXPECT_TRUE(Contains(league->GetLastError(), "my.lge was changed by another program"))
        << league->GetLastError();
    EXPECT_EQ(dir.Read("my.lge"), theirs);
    EXPECT_EQ(dir.Read("my.pyf"), old.at("my.pyf"));
}

TEST_F(WriteBack, ALongLeagueNameIsWrittenBackWithShortTemporaryNames) {
    const std::string base(246, 'n'); // 250 characters with ".lge"
    files.WriteTo(dir, base);
    OpenAndChange(dir.File(base + ".lge")).reset();
    EXPECT_EQ(dir.Read(base + ".pyf"), changedPyf);
    EXPECT_EQ(dir.Read(base + ".lge"), changedLge);
}

TEST_F(WriteBack, AnInterruptedWriteBackIsCompletedByTheNextOpen) {
    // A child killed right after the first of the two renames.
    ChildProcess child("write back, killed at a rename", {dir.File("my.lge"), "2"});
    ASSERT_TRUE(child.Started());
    ASSERT_EQ(child.Wait(), ChildProcess::kKilled);
    EXPECT_EQ(dir.Read("my.lge"), changedLge);
    EXPECT_EQ(dir.Read("my.pyf"), old.at("my.pyf")) << "killed between the renames";
    EXPECT_TRUE(dir.Exists("~saltmp.jnl"));

    auto league = OpenAndRead(dir.File("my.lge"));
    EXPECT_EQ(dir.Read("my.pyf"), changedPyf);
    EXPECT_TRUE(league->IsFreeAgent(105));
    league.reset();
    EXPECT_EQ(dir.List(), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr"}));
}

TEST_F(WriteBack, AJournalWhoseTemporaryFilesDidNotReachTheDiskWholeIsDropped) {
    // Killed right before the first rename, with the journal complete; then one temporary
    // file is found torn, as a power cut before the flush would leave it.
    ChildProcess child("write back, killed at a rename", {dir.File("my.lge"), "1"});
    ASSERT_TRUE(child.Started());
    ASSERT_EQ(child.Wait(), ChildProcess::kKilled);
    Names temps;
    for (const auto& name : dir.List())
        if (tolvik::IsTemporaryName(name))
            temps.push_back(name);
    ASSERT_EQ(temps.size(), 2u);
    Bytes torn = dir.Read(temps[1]);
    torn.resize(torn.size() / 2);
    dir.Write(temps[1], torn);

    OpenAndRead(dir.File("my.lge")).reset();
    EXPECT_EQ(dir.Snapshot(), old) << "every file as it was, the journal and the temporary files gone";
}

TEST_F(WriteBack, OnASmallMemoryDiskTheFullDiskLeavesTheLeagueAsItWas) {
    std::size_t total = 0;
    for (const auto& [name, bytes] : old)
        total += bytes.size();
    tolvik::MemoryFiles small(total * 2 + 200);
    small.MakeFolder("/league");
    for (const char* name : {"my.lge", "my.pyr", "my.pyf", "my.pyc"}) {
        const Bytes& bytes = old.at(name);
        const auto file = small.Open(std::string("/league/") + name, tolvik::OpenHow::Create);
        ASSERT_TRUE(small.WriteAt(file, bytes.data(), bytes.size(), 0) && small.Close(file));
    }
    tolvik::SystemFiles* previous = tolvik::UseFiles(&small);
    {
        auto league = OpenAndChange("/league/my.lge");
        EXPECT_FALSE(league->CloseLeague());
        EXPECT_TRUE(Contains(league->GetLastError(), "disk full")) << league->GetLastError();
    }
    tolvik::UseFiles(previous == &tolvik::SystemDefaultFiles() ? nullptr : previous);
    for (const char* name : {"my.lge", "my.pyf"}) {
        const auto file = small.Open(std::string("/league/") + name, tolvik::OpenHow::Read);
        Bytes now(static_cast<std::size_t>(small.Size(file)));
        small.ReadAt(file, now.data(), now.size(), 0);
        small.Close(file);
        EXPECT_EQ(now, old.at(name)) << name;
    }
    std::vector<std::string> names;
    ASSERT_TRUE(small.List("/league", names));
    std::sort(names.begin(), names.end());
    // The working copies that hold the changes stay; nothing else of the write-back does.
    EXPECT_EQ(names, (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr", "~saltmp.lge", "~saltmp.pyf"}));
}

TEST_F(WriteBack, AKeptWorkingCopySurvivesAProgramThatDiedAfterItRefusedTheFolder) {
    dir.Write("~saltmp.pyr", Bytes{7, 7, 7}); // kept by an earlier write-back that failed
    ChildProcess child("refused, then killed", {dir.File("my.lge")});
    ASSERT_TRUE(child.Started());
    ASSERT_EQ(child.Wait(), ChildProcess::kKilled);
    {
        League next;
        EXPECT_FALSE(next.OpenLeague(dir.File("my.lge")));
        EXPECT_TRUE(Contains(next.GetLastError(), "~saltmp.pyr")) << next.GetLastError();
    }
    EXPECT_EQ(dir.Read("~saltmp.pyr"), (Bytes{7, 7, 7}));
}

TEST_F(WriteBack, StaleTemporaryFilesAndACutShortJournalAreClearedByTheNextOpen) {
    dir.Write("~salnew.AbCd1234.tmp", Bytes{1, 2, 3});
    dir.Write("~salnew.keep.txt", Bytes{4});                      // not a name of ours
    dir.Write("~saltmp.jnl", Bytes{'B', 'R', 'V', 'J', 1, 0, 0}); // cut short: nothing was renamed
    {
        auto league = OpenAndRead(dir.File("my.lge"));
        EXPECT_EQ(league->GetNumTeams(), 8);
    }
    EXPECT_EQ(dir.List(), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr", "~salnew.keep.txt"}));
    for (const char* name : {"my.lge", "my.pyf"})
        EXPECT_EQ(dir.Read(name), old.at(name));
}

TEST_F(WriteBack, EveryFailureToOpenHasItsReason) {
    struct Case {
        const char* file;
        Bytes bytes;
        const char* reason;
    };
    Bytes badHeader = old.at("my.lge");
    badHeader[8] = 9; // league size code 9
    const Case cases[] = {
        {"tag.lge", Bytes{'X', '0', '3', ':', 0, 0, 0, 0}, "not a league file of version 2 or 3"},
        {"empty.lge", Bytes{}, "not a league file of version 2 or 3"},
        {"header.lge", badHeader, "bad league header"},
        {"lonely.lge", old.at("my.lge"), "player file (.pyr) missing"},
        {"~saltmp.lge", old.at("my.lge"), "has the name of a working copy"},
        {"~SALTEMP.LGE", old.at("my.lge"), "has the name of a working copy"},
    };
    for (const Case& c : cases) {
        dir.Write(c.file, c.bytes);
        {
            League league;
            EXPECT_FALSE(league.OpenLeague(dir.File(c.file)));
            EXPECT_TRUE(Contains(league.GetLastError(), c.reason)) << c.file << ": " << league.GetLastError();
        }
        EXPECT_EQ(dir.Read(c.file), c.bytes) << c.file;
        fs::remove(dir.File(c.file));
    }
    EXPECT_EQ(dir.Snapshot(), old);

    // A folder where a file should be is named as what it is, not as missing; so is a lock
    // file this user may not open.
    fs::create_directory(dir.File("folder.lge"));
    fs::rename(dir.File("my.pyr"), dir.File("kept.pyr"));
    fs::create_directory(dir.File("my.pyr"));
    struct Odd {
        const char* file;
        tolvik::FileError lockError;
        const char* reason;
    };
    const Odd odd[] = {
        {"folder.lge", tolvik::FileError::None, "league file is not a regular file"},
        {"my.lge", tolvik::FileError::None, "player file (.pyr) is not a regular file"},
        {"my.lge", tolvik::FileError::AccessDenied,
         "cannot lock the folder: its lock file ~saltmp.lck cannot be opened (permission denied; another "
         "user's?)"},
    };
    for (const Odd& c : odd) {
        dir.Write("~saltmp.lck", Bytes{}); // a league that opened took its lock file away
        FaultyFilesInUse denied([&](FaultyFiles::Call call, const std::string&) {
            return call == FaultyFiles::Call::Lock ? c.lockError : tolvik::FileError::None;
        });
        League league;
        EXPECT_FALSE(league.OpenLeague(dir.File(c.file)));
        EXPECT_EQ(league.GetLastError(), c.reason);
    }
    fs::remove(dir.File("folder.lge"));
    fs::remove(dir.File("my.pyr"));
    fs::rename(dir.File("kept.pyr"), dir.File("my.pyr"));
    fs::remove(dir.File("~saltmp.lck"));
    EXPECT_EQ(dir.Snapshot(), old);

    // Statistics the league has but that cannot be copied would show, and value, its players
    // without them.
    dir.Write("my.dat", Bytes(60, 0x42));
    {
        FaultyFilesInUse full([](FaultyFiles::Call call, const std::string& path) {
            return call == FaultyFiles::Call::Create && fs::path(path).filename() == "~saltmp.dat"
                       ? tolvik::FileError::DiskFull
                       : tolvik::FileError::None;
        });
        League league;
        EXPECT_FALSE(league.OpenLeague(dir.File("my.lge")));
        EXPECT_EQ(league.GetLastError(), "cannot copy the statistics file (.dat) to ~saltmp.dat: disk full");
    }
    fs::remove(dir.File("my.dat"));
    EXPECT_EQ(dir.Snapshot(), old);

    auto holder = OpenAndRead(dir.File("my.lge"));
    League second;
    EXPECT_FALSE(second.OpenLeague(dir.File("my.lge")));
    EXPECT_EQ(second.GetLastError(), "the folder is in use by another program");
}

TEST_F(WriteBack, ABackslashIsAFolderSeparatorOnlyWhereTheLiteralPathDoesNotExist) {
#ifndef _WIN32
    // A league whose file names hold a backslash, as this system allows (Windows does not).
    files.WriteTo(dir, "a\\b");
    {
        auto league = OpenAndRead(dir.File("a\\b.lge"));
        EXPECT_EQ(league->GetLeagueFileName(), "a\\b");
        EXPECT_EQ(league->GetLeagueFolder(), fs::path(dir.Path()).string());
    }
#endif
    // A path in the game's own form, with a folder that exists only under '/'.
    fs::create_directory(dir.File("sub"));
    files.WriteTo(dir, "sub/c");
    CurrentDirectory here(dir.Path());
    auto league = OpenAndRead("sub\\c.lge");
    EXPECT_EQ(league->GetLeagueFileName(), "c");
    EXPECT_EQ(league->GetLeagueFolder(), (fs::path(dir.Path()) / "sub").string());
}

TEST(MovePlayer, TakesThePlayerOffTheRosterFindTeamNamesEvenWhenTheTargetListsHimToo) {
    TempDir dir;
    LeagueFiles files = StandardLeague();
    files.layout.rosters[2].pids[10] = 105; // 105 stands on team 1 (slot 0) and on team 2
    files.WriteTo(dir);
    auto league = OpenAndRead(dir.File("my.lge"));
    ASSERT_EQ(league->FindTeam(105), 1);
    EXPECT_TRUE(league->MovePlayer(105, 2));
    EXPECT_EQ(league->GetRoster(1)[0], 0);
    int onTarget = 0;
    for (int slot = 0; slot < Roster::kSlots; ++slot)
        onTarget += league->GetRoster(2)[slot] == 105 ? 1 : 0;
    EXPECT_EQ(onTarget, 1);
    EXPECT_EQ(league->FindTeam(105), 2);
}

} // namespace
