// A league folder comes from someone else: a league office zips it and sends it round. Each
// test here is such a folder, crafted or careless, and checks that opening it touches
// nothing outside it, replaces and removes nothing because of what it claims, and says why
// it refuses.
#include "LeagueBytes.h"
#include "league/FileAccess.h"
#include "league/League.h"
#include "support/FaultyFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

using namespace testleague;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

// Paths are UTF-8 in the library; std::filesystem takes them as such only through char8_t.
fs::path FsPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// The journal "~saltmp.jnl" laid out by hand: "BRVJ", the version, the league file's name,
// the entry count, per entry three texts (the league file's name in the folder, the real
// file a link leads to or "", the temporary file's name) and two 64-bit numbers (size and
// hash of the new bytes), then the hash of everything before it and "DONE"; numbers
// little-endian, texts as a 32-bit length and the bytes. The hash is FNV-1a (prime
// 1099511628211) started from 1469598103934665603.
struct EntryFields {
    std::string name, linkedTo, temp;
    Bytes bytes; // the new bytes the entry promises
};

std::uint64_t Fnv1a(const Bytes& bytes) {
    std::uint64_t hash = 1469598103934665603ull;
    for (const std::uint8_t byte : bytes)
        hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

void Put(Bytes& out, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutText(Bytes& out, const std::string& text) {
    Put(out, text.size(), 4);
    out.insert(out.end(), text.begin(), text.end());
}

Bytes Sealed(Bytes out) {
    Put(out, Fnv1a(out), 8);
    out.insert(out.end(), {'D', 'O', 'N', 'E'});
    return out;
}

Bytes JournalBytes(const std::string& league, const std::vector<EntryFields>& entries) {
    Bytes out{'B', 'R', 'V', 'J'};
    Put(out, 2, 4);
    PutText(out, league);
    Put(out, entries.size(), 4);
    for (const EntryFields& e : entries) {
        PutText(out, e.name);
        PutText(out, e.linkedTo);
        PutText(out, e.temp);
        Put(out, e.bytes.size(), 8);
        Put(out, Fnv1a(e.bytes), 8);
    }
    return Sealed(out);
}

// The journal as the first release wrote it: absolute temporary and target paths, as any
// folder may carry them.
Bytes FirstReleaseJournal(const std::string& temp, const std::string& target, const Bytes& bytes) {
    Bytes out{'B', 'R', 'V', 'J'};
    Put(out, 1, 4);
    Put(out, 1, 4);
    PutText(out, temp);
    PutText(out, target);
    Put(out, bytes.size(), 8);
    Put(out, Fnv1a(bytes), 8);
    return Sealed(out);
}

// Changes the league file and the free-agent file.
bool Change(League& league) {
    return league.MakeFreeAgent(105) && league.MovePlayer(145, 0) && league.WriteLeague();
}

// A write-back stopped between its two renames: my.lge new, my.pyf old, the journal left.
void InterruptWriteBack(const std::string& path) {
    auto league = OpenAndRead(path);
    ASSERT_TRUE(Change(*league));
    int renames = 0;
    FaultyFilesInUse second([&](FaultyFiles::Call call, const std::string&) {
        return call == FaultyFiles::Call::Rename && ++renames == 2 ? tolvik::FileError::Other
                                                                   : tolvik::FileError::None;
    });
    ASSERT_FALSE(league->CloseLeague());
    league.reset();
}

class HostileFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        files.WriteTo(dir);
        old = dir.Snapshot();
        outside.Write("victim.pyf", victim);
        outside.Write("source.pyf", Bytes{'n', 'e', 'w'});
    }

    // Opening fails with a reason that contains why; the folder and the one beside it are
    // left byte for byte as they were, the journal included.
    void ExpectRefused(const std::string& why) {
        const auto inside = dir.Snapshot();
        const auto beside = outside.Snapshot();
        {
            League league;
            EXPECT_FALSE(league.OpenLeague(dir.File("my.lge")));
            EXPECT_TRUE(Contains(league.GetLastError(), why)) << league.GetLastError();
        }
        EXPECT_EQ(dir.Snapshot(), inside);
        EXPECT_EQ(outside.Snapshot(), beside);
    }

    TempDir dir;
    TempDir outside;
    LeagueFiles files = StandardLeague();
    std::map<std::string, Bytes> old;
    const Bytes victim{'k', 'e', 'e', 'p', ' ', 'm', 'e'};
};

TEST_F(HostileFolder, AJournalLaidOutByHandIsCompletedByTheNextOpen) {
    // The reader against bytes the library did not write: the free-agent file's new bytes
    // wait in a temporary file, and the league file's were renamed already.
    const Bytes newList = ListFile({141, 142});
    dir.Write("~salnew.AbCd1234.tmp", newList);
    dir.Write("~saltmp.jnl", JournalBytes("my.lge", {{"my.lge", "", "~salnew.Gone0000.tmp", old.at("my.lge")},
                                                     {"my.pyf", "", "~salnew.AbCd1234.tmp", newList}}));
    {
        auto league = OpenAndRead(dir.File("my.lge"));
        EXPECT_EQ(league->GetFreeAgentTotal(), 2);
    }
    EXPECT_EQ(dir.Read("my.pyf"), newList);
    EXPECT_EQ(dir.List(), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr"}));
}

TEST_F(HostileFolder, AJournalThatNamesAnythingButTheFoldersOwnFilesIsRefusedAndLeftAsItIs) {
    const Bytes mine = Bytes{'n', 'e', 'w'};
    dir.Write("~salnew.AbCd1234.tmp", mine);
    const std::string victimPath = outside.File("victim.pyf");
    const std::string sourcePath = outside.File("source.pyf");
    const struct {
        const char* what;
        Bytes journal;
        const char* why;
    } cases[] = {
        // The first release's layout: a copy of a file beside over another one there.
        {"absolute paths of the first release", FirstReleaseJournal(sourcePath, victimPath, {'n', 'e', 'w'}),
         "not of this program's layout"},
        {"an absolute target", JournalBytes("my.lge", {{victimPath, "", "~salnew.AbCd1234.tmp", mine}}),
         "which is not a file of the league my.lge"},
        {"a target in the folder beside",
         JournalBytes("my.lge", {{"../" + fs::path(outside.Path()).filename().string() + "/victim.pyf", "",
                                  "~salnew.AbCd1234.tmp", mine}}),
         "which is not a file of the league my.lge"},
        {"a file of the folder that is not the league's",
         JournalBytes("my.lge", {{"notes.txt", "", "~salnew.AbCd1234.tmp", mine}}),
         "which is not a file of the league my.lge"},
        {"a league file that is a path", JournalBytes("../my.lge", {}), "as the league file"},
        {"a link the folder does not have",
         JournalBytes("my.lge", {{"my.pyf", victimPath, "~salnew.AbCd1234.tmp", mine}}),
         "does not lead where the journal says"},
        {"a temporary file outside", JournalBytes("my.lge", {{"my.pyf", "", sourcePath, mine}}),
         "as a temporary file"},
        {"a temporary file of another name", JournalBytes("my.lge", {{"my.pyf", "", "my.pyc", mine}}),
         "as a temporary file"},
        // Torn: every temporary file there and one not whole would drop the set and remove
        // them all, which must not reach a file outside.
        {"a torn set naming a file outside",
         JournalBytes("my.lge",
                      {{"my.pyf", "", "~salnew.AbCd1234.tmp", {'x'}}, {"my.pyr", "", victimPath, {'x'}}}),
         "as a temporary file"},
        {"one file twice",
         JournalBytes("my.lge", {{"my.pyf", "", "~salnew.AbCd1234.tmp", mine},
                                 {"MY.PYF", "", "~salnew.AbCd1234.tmp", mine}}),
#ifdef _WIN32
         // A file system that ignores case sees MY.PYF as my.pyf under another spelling and
         // refuses the name for that before it sees the file twice.
         "does not lead where the journal says"},
#else
         "twice"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir.Write("~saltmp.jnl", c.journal);
        ExpectRefused(c.why);
        EXPECT_EQ(outside.Read("victim.pyf"), victim);
        EXPECT_EQ(dir.Read("my.pyf"), old.at("my.pyf"));
    }
}

TEST_F(HostileFolder, ACopiedFolderCompletesItsOwnWriteBackAndAMovedOneStillCan) {
    InterruptWriteBack(dir.File("my.lge"));
    const auto interrupted = dir.Snapshot();
    ASSERT_TRUE(interrupted.count("~saltmp.jnl"));
    ASSERT_EQ(interrupted.at("my.pyf"), old.at("my.pyf"));

    TempDir copy;
    for (const auto& [name, bytes] : interrupted)
        copy.Write(name, bytes);
    OpenAndRead(copy.File("my.lge")).reset();
    EXPECT_NE(copy.Read("my.pyf"), old.at("my.pyf")) << "the copy's own set was completed";
    EXPECT_FALSE(copy.Exists("~saltmp.jnl"));
    EXPECT_EQ(dir.Snapshot(), interrupted) << "the original folder was not touched";

    TempDir moved;
    for (const auto& name : dir.List())
        fs::rename(FsPath(dir.File(name)), FsPath(moved.File(name)));
    OpenAndRead(moved.File("my.lge")).reset();
    EXPECT_EQ(moved.Read("my.pyf"), copy.Read("my.pyf"));
    EXPECT_EQ(moved.Read("my.lge"), copy.Read("my.lge"));
    EXPECT_EQ(moved.List(), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr"}));
}

#ifndef _WIN32
// Links need a privilege on Windows that users lack, and it has no pipes or devices in folders.
TEST_F(HostileFolder, ALockFileThatIsALinkOrHasASecondNameRefusesTheOpen) {
    const struct {
        const char* what;
        std::function<void()> make;
    } cases[] = {
        {"a link to a file outside",
         [&] { fs::create_symlink(outside.File("victim.pyf"), dir.File("~saltmp.lck")); }},
        {"a link to a missing file",
         [&] { fs::create_symlink(outside.File("missing"), dir.File("~saltmp.lck")); }},
        {"a second name of a file outside",
         [&] { fs::create_hard_link(outside.File("victim.pyf"), dir.File("~saltmp.lck")); }},
        {"a folder", [&] { fs::create_directory(dir.File("~saltmp.lck")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        ExpectRefused("its lock file ~saltmp.lck is not a regular file of the folder");
        EXPECT_EQ(outside.Read("victim.pyf"), victim);
        EXPECT_FALSE(outside.Exists("missing"));
        fs::remove(dir.File("~saltmp.lck"));
    }
}

// A folder of links to another folder's files: one set of real files, two ways to them.
class LinkedFolder : public HostileFolder {
  protected:
    void SetUp() override {
        HostileFolder::SetUp();
        for (const char* name : {"my.lge", "my.pyr", "my.pyf", "my.pyc"})
            fs::create_symlink(dir.File(name), links.File(name));
    }
    TempDir links;
};

TEST_F(LinkedFolder, TwoProgramsNeverHoldOneSetOfRealFilesAtOnce) {
    {
        auto throughLinks = OpenAndRead(links.File("my.lge"));
        const auto during = dir.Snapshot();
        League direct;
        EXPECT_FALSE(direct.OpenLeague(dir.File("my.lge")));
        EXPECT_EQ(direct.GetLastError(), "the folder is in use by another program");
        EXPECT_EQ(dir.Snapshot(), during) << "nothing of the first program's was removed";
    }
    {
        auto direct = OpenAndRead(dir.File("my.lge"));
        ASSERT_TRUE(Change(*direct));
        League throughLinks;
        EXPECT_FALSE(throughLinks.OpenLeague(links.File("my.lge")));
        EXPECT_EQ(throughLinks.GetLastError(), "my.lge lies in " + fs::canonical(dir.Path()).string() +
                                                   ": the folder is in use by another program");
    }
    auto after = OpenAndRead(links.File("my.lge"));
    EXPECT_TRUE(after->IsFreeAgent(105));
    EXPECT_EQ(after->GetRoster(0)[34], 145);
}

TEST_F(LinkedFolder, AWriteBackThroughLinksIsCompletedAndItsDroppedTemporariesGoFromTheRealFolder) {
    // Interrupted through the links: the temporary files lie beside the real files.
    InterruptWriteBack(links.File("my.lge"));
    ASSERT_TRUE(links.Exists("~saltmp.jnl"));
    OpenAndRead(links.File("my.lge")).reset();
    EXPECT_NE(dir.Read("my.pyf"), old.at("my.pyf"));
    EXPECT_EQ(dir.List(), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr"}));

    // A journal cut short: its temporary files beside the real files are stale.
    dir.Write("~salnew.AbCd1234.tmp", Bytes{1, 2, 3});
    links.Write("~saltmp.jnl", Bytes{'B', 'R', 'V', 'J', 2, 0});
    OpenAndRead(links.File("my.lge")).reset();
    EXPECT_EQ(dir.List(), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr"}));
    EXPECT_FALSE(fs::exists(links.File("~saltmp.jnl")));
}

TEST_F(HostileFolder, AJournalThroughALinkMustAgreeWithTheLinkAndMayNotReachFurther) {
    // my.pyf leads into the folder beside; the journal says it leads to another file there,
    // whose temporary file is "not whole", which would drop and remove it.
    fs::remove(dir.File("my.pyf"));
    outside.Write("my.pyf", old.at("my.pyf"));
    fs::create_symlink(outside.File("my.pyf"), dir.File("my.pyf"));
    dir.Write(
        "~saltmp.jnl",
        JournalBytes("my.lge", {{"my.pyf", outside.File("victim.pyf"), "~salnew.Outside1.tmp", {'x'}}}));
    outside.Write("~salnew.Outside1.tmp", victim);
    ExpectRefused("does not lead where the journal says");
    EXPECT_TRUE(outside.Exists("~salnew.Outside1.tmp"));
}

TEST_F(HostileFolder, AWorkingCopySwappedForALinkIsNeitherWrittenThroughNorReadBack) {
    // What the league reads when nobody interferes.
    int freeAgents = 0;
    {
        auto league = OpenAndRead(dir.File("my.lge"));
        freeAgents = league->GetFreeAgentTotal();
    }
    // Another program puts a link to its own file in the free-agent copy's place the moment
    // the copy is made: the league reads and writes the copy it made, and writes back what
    // it wrote there, not what the name now leads to.
    bool swapped = false;
    FaultyFilesInUse thief([&](FaultyFiles::Call call, const std::string& path) {
        if (!swapped && call == FaultyFiles::Call::Close && fs::path(path).filename() == "my.pyf" &&
            fs::exists(dir.File("~saltmp.pyf"))) {
            swapped = true;
            fs::rename(dir.File("~saltmp.pyf"), dir.File("taken.pyf"));
            fs::create_symlink(outside.File("victim.pyf"), dir.File("~saltmp.pyf"));
        }
        return tolvik::FileError::None;
    });
    const auto beside = outside.Snapshot();
    {
        auto league = OpenAndRead(dir.File("my.lge"));
        ASSERT_TRUE(swapped);
        EXPECT_EQ(league->GetFreeAgentTotal(), freeAgents);
        ASSERT_TRUE(Change(*league));
        EXPECT_TRUE(league->CloseLeague()) << league->GetLastError();
    }
    EXPECT_EQ(outside.Snapshot(), beside);
    // The renamed copy is the one the league kept open and wrote.
    EXPECT_EQ(dir.Read("my.pyf"), dir.Read("taken.pyf"));
    EXPECT_NE(dir.Read("my.pyf"), old.at("my.pyf"));
    EXPECT_NE(dir.Read("my.lge"), old.at("my.lge"));
    auto reopened = OpenAndRead(dir.File("my.lge"));
    EXPECT_EQ(reopened->FindTeam(105), -1);
    EXPECT_EQ(reopened->FindTeam(145), 0);
}

// The names in a folder, sorted.
Names FilesIn(const std::string& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(FsPath(folder)))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Where '\' may be part of a name, the paths the library makes in a folder whose name, or
// whose league's file names, hold one stay in that folder: read in the game's form, they
// would lead through a link named like the part before the backslash, out of the folder.
TEST_F(HostileFolder, ABackslashInTheFolderOrFileNamesNeverLeadsOutOfTheFolder) {
    // "a\b" holds the league; "a" leads outside, where "b" holds a file of a working copy's
    // name that the lock notes of a League "that died" claim.
    fs::create_directory(outside.File("b"));
    outside.Write("b/~saltmp.pyr", victim);
    fs::create_symlink(outside.Path(), dir.File("a"));
    fs::create_directory(dir.File("a\\b"));
    files.WriteTo(dir, "a\\b/my");
    const std::string note = "made ~saltmp.pyr\n";
    dir.Write("a\\b/~saltmp.lck", Bytes(note.begin(), note.end()));
    {
        auto league = OpenAndRead(dir.File("a\\b/my.lge"));
        ASSERT_TRUE(Change(*league));
        EXPECT_TRUE(dir.Exists("a\\b/~saltmp.pyr"));
    }
    EXPECT_EQ(FilesIn(outside.File("b")), Names{"~saltmp.pyr"});
    EXPECT_EQ(outside.Read("b/~saltmp.pyr"), victim);
    EXPECT_EQ(FilesIn(dir.File("a\\b")), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr"}));
    EXPECT_TRUE(OpenAndRead(dir.File("a\\b/my.lge"))->IsFreeAgent(105));

    // The league's files named "x\my.*" beside a link "x" to the outside, without a
    // free-agent file: the one a release makes goes back as "x\my.pyf", in the folder.
    fs::create_symlink(outside.Path(), dir.File("x"));
    files.WriteTo(dir, "x\\my");
    fs::remove(dir.File("x\\my.pyf"));
    {
        auto league = OpenAndRead(dir.File("x\\my.lge"));
        ASSERT_TRUE(league->MakeFreeAgent(105) && league->WriteLeague());
    }
    EXPECT_TRUE(dir.Exists("x\\my.pyf"));
    EXPECT_EQ(FilesIn(outside.Path()), (Names{"b", "source.pyf", "victim.pyf"}));
}

TEST_F(HostileFolder, PipesAndDevicesAreNeverReplacedByAWriteBack) {
    // A pipe named as the free-agent file is no free-agent file: the league has none, and the
    // new one it makes on a release cannot take the pipe's place.
    fs::remove(dir.File("my.pyf"));
    ASSERT_EQ(::mkfifo(dir.File("my.pyf").c_str(), 0644), 0);
    {
        auto league = OpenAndRead(dir.File("my.lge"));
        EXPECT_EQ(league->GetFreeAgentTotal(), -1);
        ASSERT_TRUE(Change(*league));
        EXPECT_FALSE(league->CloseLeague());
        EXPECT_TRUE(Contains(league->GetLastError(), "cannot write back my.pyf: not a regular file"))
            << league->GetLastError();
    }
    EXPECT_TRUE(fs::is_fifo(dir.File("my.pyf")));
    EXPECT_EQ(dir.Read("my.lge"), old.at("my.lge"));

    // The changes stayed in their working copies; a device through a link fares the same.
    for (const char* kept : {"~saltmp.lge", "~saltemp.pyf", "my.pyf"})
        fs::remove(dir.File(kept));
    fs::create_symlink("/dev/null", dir.File("my.pyf"));
    {
        auto league = OpenAndRead(dir.File("my.lge"));
        ASSERT_TRUE(Change(*league));
        EXPECT_FALSE(league->CloseLeague());
        EXPECT_TRUE(Contains(league->GetLastError(), "my.pyf")) << league->GetLastError();
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(dir.Read("my.lge"), old.at("my.lge"));
}
#endif

} // namespace
