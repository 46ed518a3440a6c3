// The file layer on Windows: UTF-8 names that become UTF-16 at the system call, the forms of
// paths Windows knows, names that differ only in case, and files another program holds open.
#ifdef _WIN32

#include "LeagueBytes.h"
#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/League.h"
#include "support/FaultyFiles.h"
#include "support/WideText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#undef DeleteFile // a macro of windows.h; the library has a function of that name

namespace {

using namespace testleague;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

// A file another program has open for reading and writing, sharing only what share allows
// (0: nothing, as an editor that locks its file does).
class HeldOpen {
  public:
    HeldOpen(const std::string& path, DWORD share)
        : handle_(::CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldOpen() { Release(); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;

    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held())
            ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE handle_;
};

// A release and a signing: the league file and the free-agent file both change.
bool Change(League& league) {
    return league.MakeFreeAgent(105) && league.MovePlayer(145, 0) && league.WriteLeague();
}

class WindowsFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        files.WriteTo(dir);
        for (const auto& name : dir.List())
            old[name] = dir.Read(name);
    }

    void ExpectNothingOfTheWriteBackLeft() const {
        for (const auto& name : dir.List())
            EXPECT_FALSE(tolvik::IsTemporaryName(name) || name == "~saltmp.jnl") << name << " left behind";
    }

    TempDir dir;
    LeagueFiles files = StandardLeague();
    std::map<std::string, Bytes> old;
};

TEST_F(WindowsFiles, AFileHeldOpenWithoutSharingFailsTheWriteBackWithItsReasonAndChangesNothing) {
    // No sharing at all, and sharing that leaves out deletion (which a replacement needs).
    for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
        SCOPED_TRACE(share);
        auto league = OpenAndRead(dir.File("my.lge"));
        ASSERT_TRUE(Change(*league));
        HeldOpen editor(dir.File("my.pyf"), share);
        ASSERT_TRUE(editor.Held());
        EXPECT_FALSE(league->CloseLeague());
        EXPECT_EQ(
            league->GetLastError(),
            "cannot write back my.pyf: in use by another program; the league's files were left as they were");
        EXPECT_EQ(dir.Read("my.lge"), old.at("my.lge"));
        editor.Release();
        EXPECT_EQ(dir.Read("my.pyf"), old.at("my.pyf"));
        ExpectNothingOfTheWriteBackLeft();

        // Once the other program lets go, the same changes go through.
        ASSERT_TRUE(league->CloseLeague()) << league->GetLastError();
        EXPECT_NE(dir.Read("my.lge"), old.at("my.lge"));
        EXPECT_NE(dir.Read("my.pyf"), old.at("my.pyf"));
        league.reset();
        files.WriteTo(dir);
    }
}

TEST_F(WindowsFiles, AFileTakenRightBeforeItsRenameLeavesTheSetWholeOldOrCompletedLater) {
    // The other program opens the file without sharing after the temporary files were made:
    // before the first rename nothing has changed yet (and the League writes back later);
    // before the second, the journal stays and the next open completes the set once the
    // file is free.
    for (const int taken : {1, 2}) {
        SCOPED_TRACE(taken);
        auto league = OpenAndRead(dir.File("my.lge"));
        ASSERT_TRUE(Change(*league));
        std::unique_ptr<HeldOpen> editor;
        {
            int renames = 0;
            FaultyFilesInUse grabbing([&](FaultyFiles::Call call, const std::string& path) {
                if (call == FaultyFiles::Call::Rename && ++renames == taken)
                    editor = std::make_unique<HeldOpen>(path, 0);
                return tolvik::FileError::None;
            });
            EXPECT_FALSE(league->CloseLeague());
        }
        ASSERT_TRUE(editor && editor->Held());
        if (taken == 1) {
            EXPECT_EQ(league->GetLastError(), "cannot write back my.lge: in use by another program; the "
                                              "league's files were left as they were");
            editor->Release();
            EXPECT_EQ(dir.Read("my.lge"), old.at("my.lge"));
            EXPECT_EQ(dir.Read("my.pyf"), old.at("my.pyf"));
            ExpectNothingOfTheWriteBackLeft();
        } else {
            EXPECT_TRUE(Contains(league->GetLastError(),
                                 "the write-back stopped half-way (in use by another "
                                 "program); it is completed when the league is next opened"))
                << league->GetLastError();
            EXPECT_NE(dir.Read("my.lge"), old.at("my.lge"));
            EXPECT_TRUE(dir.Exists("~saltmp.jnl"));
            editor->Release();
            EXPECT_EQ(dir.Read("my.pyf"), old.at("my.pyf"));
        }
        // The League's end writes back (first case) or leaves it to the next open (second).
        league.reset();
        auto next = OpenAndRead(dir.File("my.lge"));
        EXPECT_TRUE(next->IsFreeAgent(105));
        EXPECT_EQ(next->FindTeam(145), 0);
        next.reset();
        EXPECT_EQ(dir.List(), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr"}));
        files.WriteTo(dir);
    }
}

TEST_F(WindowsFiles, ALeagueFileHeldOpenWithoutSharingIsNotOpenedAndSaysWhy) {
    HeldOpen editor(dir.File("my.pyr"), 0);
    ASSERT_TRUE(editor.Held());
    League league;
    EXPECT_FALSE(league.OpenLeague(dir.File("my.lge")));
    EXPECT_EQ(league.GetLastError(),
              "cannot copy the player file (.pyr) to ~saltmp.pyr: in use by another program");
}

TEST_F(WindowsFiles, TheLockFileCannotBeTakenAwayFromItsHolder) {
    auto league = OpenAndRead(dir.File("my.lge"));
    const std::wstring lock = Wide(dir.File(tolvik::FolderLock::kFileName));
    EXPECT_FALSE(::DeleteFileW(lock.c_str()));
    EXPECT_FALSE(::MoveFileExW(lock.c_str(), Wide(dir.File("moved.lck")).c_str(), 0));
    EXPECT_TRUE(dir.Exists(tolvik::FolderLock::kFileName));
    league.reset();
    EXPECT_FALSE(dir.Exists(tolvik::FolderLock::kFileName));
}

TEST_F(WindowsFiles, NamesInAnyScriptAreKeptThroughOpenAndWriteBack) {
    // UTF-8 inside the library, UTF-16 on the disk: "Liga Ü 日本" / "Över".
    const std::string folder = dir.File("Liga \xC3\x9C \xE6\x97\xA5\xE6\x9C\xAC");
    const std::string base = "\xC3\x96ver";
    fs::create_directory(fs::path(Wide(folder)));
    for (const char* ext : {".lge", ".pyr", ".pyf", ".pyc"})
        fs::copy_file(fs::path(Wide(dir.File(std::string("my") + ext))),
                      fs::path(Wide(folder + "\\" + base + ext)));
    {
        auto league = OpenAndRead(folder + "\\" + base + ".lge");
        EXPECT_EQ(league->GetLeagueFileName(), base);
        EXPECT_EQ(league->GetLeagueFolder(), folder);
        ASSERT_TRUE(Change(*league));
        ASSERT_TRUE(league->CloseLeague()) << league->GetLastError();
    }
    Names names;
    for (const auto& entry : fs::directory_iterator(fs::path(Wide(folder)))) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{base + ".lge", base + ".pyc", base + ".pyf", base + ".pyr"}));
    auto again = OpenAndRead(folder + "/" + base + ".lge");
    EXPECT_TRUE(again->IsFreeAgent(105));
}

TEST_F(WindowsFiles, TheFormsOfAPathNameTheSameLeague) {
    std::string slashes = dir.File("my.lge");
    std::replace(slashes.begin(), slashes.end(), '\\', '/');
    const std::string extended = "\\\\?\\" + dir.File("my.lge");
    for (const std::string& path : {slashes, extended}) {
        SCOPED_TRACE(path);
        auto league = OpenAndRead(path);
        EXPECT_EQ(league->GetLeagueFileName(), "my");
        EXPECT_TRUE(dir.Exists("~saltmp.lge"));
    }
    EXPECT_EQ(dir.List(), (Names{"my.lge", "my.pyc", "my.pyf", "my.pyr"}));

    // Folders of drives and of network shares, in the system's form and without a trailing
    // separator, except at the top of a drive or a share.
    EXPECT_EQ(tolvik::AbsoluteFolder("C:/leagues/ours/"), "C:\\leagues\\ours");
    EXPECT_EQ(tolvik::AbsoluteFolder("C:\\"), "C:\\");
    EXPECT_EQ(tolvik::AbsoluteFolder("//server/share/leagues/"), "\\\\server\\share\\leagues");
    EXPECT_EQ(tolvik::AbsoluteFolder("\\\\server\\share\\"), "\\\\server\\share\\");
    EXPECT_EQ(tolvik::PathJoin("\\\\server\\share\\leagues", "my.lge"), "\\\\server\\share\\leagues\\my.lge");
    EXPECT_EQ(tolvik::NativeFolder("\\\\server\\share\\leagues/my.lge"), "\\\\server\\share\\leagues");
}

TEST_F(WindowsFiles, ALeagueOpenedUnderAnotherCaseKeepsTheNamesItsFilesBear) {
    for (const char* name : {"my.lge", "my.pyr", "my.pyf", "my.pyc"})
        fs::remove(dir.File(name));
    const std::map<std::string, std::string> stored{
        {"my.lge", "OURS.LGE"}, {"my.pyr", "Ours.Pyr"}, {"my.pyf", "OURS.pyf"}, {"my.pyc", "ours.PYC"}};
    for (const auto& [from, to] : stored)
        dir.Write(to, old.at(from));
    {
        auto league = OpenAndRead(dir.File("ours.lge"));
        ASSERT_TRUE(Change(*league));
    }
    EXPECT_EQ(dir.List(), (Names{"OURS.LGE", "OURS.pyf", "Ours.Pyr", "ours.PYC"}));
    EXPECT_NE(dir.Read("OURS.LGE"), old.at("my.lge"));
    EXPECT_NE(dir.Read("OURS.pyf"), old.at("my.pyf"));
}

} // namespace

#endif
