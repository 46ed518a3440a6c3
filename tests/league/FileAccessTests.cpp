#include "LeagueBytes.h"
#include "league/FileAccess.h"
#include "support/FaultyFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    return bytes;
}

// Small reads are served from the handle's buffer, large ones go straight to the caller;
// both must see the same bytes, across buffer boundaries and after writes.
TEST(FileAccess, ReadsOfEverySizeSeeTheFileAndEarlierWrites) {
    TempDir dir;
    const std::vector<std::uint8_t> bytes = Pattern(300 * 1024 + 17);
    dir.Write("f.bin", bytes);
    const int h = tolvik::FileOpen(dir.File("f.bin"), tolvik::OpenHow::ReadWrite);
    ASSERT_GT(h, 0);

    std::vector<std::uint8_t> got(bytes.size());
    std::size_t at = 0;
    for (int count : {10, 70000, 3, 150000, 65536}) {
        ASSERT_EQ(tolvik::FileRead(h, got.data() + at, count), count);
        at += static_cast<std::size_t>(count);
    }
    // The rest: fewer bytes than asked for, then nothing.
    const int rest = static_cast<int>(bytes.size() - at);
    EXPECT_EQ(tolvik::FileRead(h, got.data() + at, rest + 1000), rest);
    EXPECT_EQ(tolvik::FileRead(h, got.data(), 10), 0);
    EXPECT_EQ(got, bytes);

    // A write in the middle is seen by a following large read that spans it.
    const std::uint8_t marker[4] = {0xDE, 0xAD, 0xBE, 0xEF};
    ASSERT_EQ(tolvik::FileSeek(h, 100000), 100000);
    ASSERT_EQ(tolvik::FileWrite(h, marker, 4), 4);
    ASSERT_EQ(tolvik::FileSeek(h, 0), 0);
    ASSERT_EQ(tolvik::FileRead(h, got.data(), static_cast<int>(got.size())), static_cast<int>(got.size()));
    EXPECT_EQ(got[100000], 0xDE);
    EXPECT_EQ(got[100003], 0xEF);
    EXPECT_EQ(got[99999], bytes[99999]);
    EXPECT_EQ(got[100004], bytes[100004]);
    EXPECT_TRUE(tolvik::FileClose(h));
    EXPECT_EQ(dir.Read("f.bin")[100001], 0xAD);
}

// A handle's window starts as small as the file it reads and grows with what is written or
// with the file: no byte may be lost or stale when it does.
TEST(FileAccess, AWindowSizedToASmallFileGrowsWithWritesAndWithTheFile) {
    TempDir dir;
    const std::vector<std::uint8_t> head = Pattern(100);
    dir.Write("f.bin", head);
    const int h = tolvik::FileOpen(dir.File("f.bin"), tolvik::OpenHow::ReadWrite);
    ASSERT_GT(h, 0);
    std::uint8_t first[10];
    ASSERT_EQ(tolvik::FileRead(h, first, 10), 10);

    // Small contiguous writes from the read position on, well past the largest window.
    std::vector<std::uint8_t> expected(head.begin(), head.begin() + 10);
    const std::vector<std::uint8_t> body = Pattern(90 * 1024 + 1);
    for (std::size_t at = 0; at < body.size(); at += 3) {
        const int n = static_cast<int>(std::min<std::size_t>(3, body.size() - at));
        ASSERT_EQ(tolvik::FileWrite(h, body.data() + at, n), n);
    }
    expected.insert(expected.end(), body.begin(), body.end());
    EXPECT_EQ(tolvik::FileSize(h), static_cast<std::int64_t>(expected.size()));
    EXPECT_TRUE(tolvik::FileClose(h));
    EXPECT_EQ(dir.Read("f.bin"), expected);

    // A reader whose window was sized while the file was small sees what was added since.
    dir.Write("g.bin", Pattern(20));
    const int reader = tolvik::FileOpen(dir.File("g.bin"), tolvik::OpenHow::Read);
    const int writer = tolvik::FileOpen(dir.File("g.bin"), tolvik::OpenHow::ReadWrite);
    ASSERT_GT(reader, 0);
    ASSERT_GT(writer, 0);
    std::uint8_t byte = 0;
    ASSERT_EQ(tolvik::FileRead(reader, &byte, 1), 1);
    const std::vector<std::uint8_t> grown = Pattern(80 * 1024);
    ASSERT_EQ(tolvik::FileWrite(writer, grown.data(), static_cast<int>(grown.size())),
              static_cast<int>(grown.size()));
    ASSERT_TRUE(tolvik::FileClose(writer));
    ASSERT_EQ(tolvik::FileSeek(reader, 30), 30);
    std::vector<std::uint8_t> got;
    for (std::uint8_t piece[700]; const int n = tolvik::FileRead(reader, piece, sizeof piece);)
        got.insert(got.end(), piece, piece + n);
    EXPECT_EQ(got, std::vector<std::uint8_t>(grown.begin() + 30, grown.end()));
    tolvik::FileClose(reader);
}

// The form of NativePath that keeps its result in the caller's storage must mean what the
// copying form means, and hand back the path itself when there is nothing to change.
TEST(FileAccess, NativePathWithStorageMeansWhatTheCopyMeans) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("sub"));
    dir.Write("sub/c.bin", Pattern(3));
    const std::string native = tolvik::NativePath(dir.File("sub/c.bin"));
    std::string storage;
    EXPECT_EQ(&tolvik::NativePath(native, storage), &native);
    EXPECT_TRUE(storage.empty());

#ifdef _WIN32
    // The separator before the leaf in the other spelling.
    std::string foreign = native;
    foreign[native.size() - std::string("c.bin").size() - 1] = '/';
    EXPECT_EQ(tolvik::NativePath(foreign, storage), native);
    EXPECT_EQ(tolvik::NativePath(foreign), native);
    EXPECT_EQ(tolvik::StatPath(foreign, true).size, 3);
    EXPECT_FALSE(tolvik::StatPath(foreign + "x", true).exists);
#else
    // A path of the game's form, without '/', names what it names with '/' when nothing
    // bears its name as written.
    testleague::CurrentDirectory here(dir.Path());
    EXPECT_EQ(tolvik::NativePath("sub\\c.bin", storage), "sub/c.bin");
    EXPECT_EQ(tolvik::NativePath("sub\\c.bin"), "sub/c.bin");
    EXPECT_EQ(tolvik::StatPath("sub\\c.bin", true).size, 3);
    EXPECT_FALSE(tolvik::StatPath("sub\\c.binx", true).exists);
    // Here a backslash may be part of a name: a path with a '/' is taken as written, whether
    // its entry exists or is yet to be made.
    dir.Write("a\\b.bin", Pattern(5));
    EXPECT_EQ(tolvik::NativePath("a\\b.bin"), "a\\b.bin");
    EXPECT_EQ(tolvik::StatPath("a\\b.bin", false).size, 5);
    for (const std::string& literal :
         {dir.File("a\\b.bin"), dir.File("sub\\c.bin"), dir.File("sub\\new.bin")})
        EXPECT_EQ(tolvik::NativePath(literal, storage), literal);
#endif
}

TEST(FileAccess, ModifiedOnlyAfterAWriteOrForACreatedFile) {
    TempDir dir;
    dir.Write("old.bin", Pattern(100));
    const int opened = tolvik::FileOpen(dir.File("old.bin"), tolvik::OpenHow::ReadWrite);
    std::uint8_t buffer[10];
    ASSERT_EQ(tolvik::FileRead(opened, buffer, 10), 10);
    EXPECT_FALSE(tolvik::FileModified(opened));
    ASSERT_EQ(tolvik::FileWrite(opened, buffer, 0), 0);
    EXPECT_FALSE(tolvik::FileModified(opened));
    ASSERT_EQ(tolvik::FileWrite(opened, buffer, 1), 1);
    EXPECT_TRUE(tolvik::FileModified(opened));
    tolvik::FileClose(opened);

    const int created = tolvik::FileCreate(dir.File("new.bin"));
    EXPECT_TRUE(tolvik::FileModified(created));
    tolvik::FileClose(created);
    EXPECT_FALSE(tolvik::FileModified(created)); // closed handles are nothing
}

TEST(FileAccess, AtomicReplaceLeavesOnlyTheTarget) {
    TempDir dir;
    dir.Write("source.bin", Pattern(5000));
    dir.Write("target.bin", Pattern(10));
    ASSERT_TRUE(tolvik::ReplaceFileAtomically(dir.File("source.bin"), dir.File("target.bin")));
    EXPECT_EQ(dir.Read("target.bin"), Pattern(5000));
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"source.bin", "target.bin"}));
    // A missing source leaves the target as it was.
    EXPECT_FALSE(tolvik::ReplaceFileAtomically(dir.File("missing.bin"), dir.File("target.bin")));
    EXPECT_EQ(dir.Read("target.bin"), Pattern(5000));
    EXPECT_EQ(dir.List().size(), 2u);
}

#ifndef _WIN32
// A folder from someone else may hold a link under the very name a program writes (its
// options, its offers): the replacement refuses it, and neither the link nor where it leads
// changes, whether that is outside the folder, a file of the folder or nothing.
TEST(FileAccess, AtomicReplaceNeverWritesWhereALinkOfTheTargetsNameLeads) {
    TempDir dir;
    TempDir outside;
    outside.Write("theirs.bin", Pattern(7));
    dir.Write("league.bin", Pattern(9));
    std::filesystem::create_symlink(outside.File("theirs.bin"), dir.File("out.bin"));
    std::filesystem::create_symlink(dir.File("league.bin"), dir.File("in.bin"));
    std::filesystem::create_symlink(outside.File("missing.bin"), dir.File("gone.bin"));
    const std::vector<std::uint8_t> bytes = Pattern(20);
    for (const char* link : {"out.bin", "in.bin", "gone.bin"}) {
        SCOPED_TRACE(link);
        tolvik::FileError error = tolvik::FileError::None;
        EXPECT_FALSE(tolvik::WriteFileAtomically(dir.File(link), bytes.data(), bytes.size(), &error));
        EXPECT_EQ(error, tolvik::FileError::NotRegular);
        EXPECT_TRUE(std::filesystem::is_symlink(dir.File(link)));
    }
    EXPECT_EQ(outside.Read("theirs.bin"), Pattern(7));
    EXPECT_EQ(dir.Read("league.bin"), Pattern(9));
    EXPECT_EQ(outside.List(), std::vector<std::string>{"theirs.bin"});
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"in.bin", "league.bin", "out.bin"})); // no temporary
}
#endif

// Each failure gives its own reason with its result, and a handle keeps the reason of its
// own failure whatever fails after it: nothing is lost to, or taken from, another call.
TEST(FileAccess, EveryFailureGivesItsOwnReason) {
    TempDir dir;
    dir.Write("f.bin", Pattern(10));
    std::filesystem::create_directory(dir.File("folder"));
    FaultyFilesInUse faulty([](FaultyFiles::Call call, const std::string& path) {
        const bool ours = path.find("f.bin") != std::string::npos;
        if (call == FaultyFiles::Call::Write && ours)
            return tolvik::FileError::DiskFull;
        if (call == FaultyFiles::Call::Sync && path.find("~salnew.") != std::string::npos)
            return tolvik::FileError::Interrupted;
        return tolvik::FileError::None;
    });

    const int h = tolvik::FileOpen(dir.File("f.bin"), tolvik::OpenHow::ReadWrite);
    ASSERT_GT(h, 0);
    const std::vector<std::uint8_t> big = Pattern(200 * 1024);
    EXPECT_EQ(tolvik::FileWrite(h, big.data(), static_cast<int>(big.size())), -1);
    EXPECT_EQ(tolvik::FileHandleError(h), tolvik::FileError::DiskFull);

    tolvik::FileError error = tolvik::FileError::None;
    EXPECT_EQ(tolvik::FileOpen(dir.File("missing.bin"), tolvik::OpenHow::Read, &error), -1);
    EXPECT_EQ(error, tolvik::FileError::NotFound);
    EXPECT_EQ(tolvik::FileOpen(dir.File("folder"), tolvik::OpenHow::ReadWrite, &error), -1);
    EXPECT_EQ(error, tolvik::FileError::NotRegular);
    EXPECT_FALSE(tolvik::CopyToNewFile(dir.File("missing.bin"), dir.File("copy.bin"), &error));
    EXPECT_EQ(error, tolvik::FileError::NotFound);
    EXPECT_FALSE(tolvik::WriteFileAtomically(dir.File("g.bin"), big.data(), big.size(), &error));
    EXPECT_EQ(error, tolvik::FileError::Interrupted);
    EXPECT_EQ(tolvik::FileHandleError(h), tolvik::FileError::DiskFull);
    EXPECT_EQ(tolvik::FileHandleError(h + 1000), tolvik::FileError::Other);

    // A close that cannot write what the handle still buffers says so, then the handle is gone.
    ASSERT_EQ(tolvik::FileWrite(h, big.data(), 100), 100);
    EXPECT_FALSE(tolvik::FileClose(h, &error));
    EXPECT_EQ(error, tolvik::FileError::DiskFull);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"f.bin"}); // no copy, no temporary file left
}

// Working copies are compared with their originals to learn whether a write-back is due.
// The one whole-file read: from the start whatever the handle's position, whole or up to the
// limit, and including bytes still in the handle's buffer.
TEST(FileAccess, ReadFromStartTakesTheFileOrItsFirstBytes) {
    TempDir dir;
    const std::vector<std::uint8_t> bytes = Pattern(70 * 1024 + 5);
    dir.Write("f.bin", bytes);
    const int h = tolvik::FileOpen(dir.File("f.bin"), tolvik::OpenHow::ReadWrite);
    ASSERT_GT(h, 0);
    const std::uint8_t changed[2] = {0xAB, 0xCD};
    ASSERT_EQ(tolvik::FileSeek(h, 3), 3);
    ASSERT_EQ(tolvik::FileWrite(h, changed, 2), 2);
    std::vector<std::uint8_t> expected = bytes;
    expected[3] = 0xAB;
    expected[4] = 0xCD;

    std::vector<std::uint8_t> got{1, 2, 3};
    EXPECT_TRUE(tolvik::ReadFromStart(h, got));
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(tolvik::ReadFromStart(h, got, 10));
    EXPECT_EQ(got, std::vector<std::uint8_t>(expected.begin(), expected.begin() + 10));
    tolvik::FileClose(h);

    EXPECT_TRUE(tolvik::ReadFileStart(dir.File("f.bin"), got, 1u << 20));
    EXPECT_EQ(got, expected);
    EXPECT_FALSE(tolvik::ReadFileStart(dir.File("none.bin"), got, 10));
    EXPECT_TRUE(got.empty());
    // Of the four ways, only those that create make a file that is not there.
    EXPECT_EQ(tolvik::FileOpen(dir.File("none.bin"), tolvik::OpenHow::ReadWrite), -1);
    const int created = tolvik::FileOpen(dir.File("new.bin"), tolvik::OpenHow::CreateNew);
    EXPECT_GT(created, 0);
    tolvik::FileClose(created);
    EXPECT_EQ(tolvik::FileOpen(dir.File("new.bin"), tolvik::OpenHow::CreateNew), -1);
}

TEST(FileAccess, SameFileBytesComparesWholeFilesOfAnySize) {
    TempDir dir;
    const std::vector<std::uint8_t> big = Pattern(200 * 1024 + 3); // more than one buffer
    std::vector<std::uint8_t> bigChangedAtEnd = big;
    bigChangedAtEnd.back() ^= 1;
    dir.Write("a.bin", big);
    dir.Write("b.bin", big);
    dir.Write("c.bin", bigChangedAtEnd);
    dir.Write("short.bin", Pattern(200 * 1024));
    dir.Write("empty1.bin", {});
    dir.Write("empty2.bin", {});
    EXPECT_TRUE(tolvik::SameFileBytes(dir.File("a.bin"), dir.File("b.bin")));
    EXPECT_FALSE(tolvik::SameFileBytes(dir.File("a.bin"), dir.File("c.bin")));
    EXPECT_FALSE(tolvik::SameFileBytes(dir.File("a.bin"), dir.File("short.bin")));
    EXPECT_TRUE(tolvik::SameFileBytes(dir.File("empty1.bin"), dir.File("empty2.bin")));
    EXPECT_FALSE(tolvik::SameFileBytes(dir.File("empty1.bin"), dir.File("a.bin")));
    EXPECT_FALSE(tolvik::SameFileBytes(dir.File("a.bin"), dir.File("missing.bin")));
    EXPECT_FALSE(tolvik::SameFileBytes(dir.File("missing.bin"), dir.File("missing.bin")));
}

TEST(FileAccess, LookupsIgnoringCaseGiveTheNameTheFileBears) {
    // Where the file system ignores case itself, the name asked for would open the file too;
    // the name found must still be the one it bears, as the write-back keeps it.
    TempDir dir;
    dir.Write("Ours.Pyf", Pattern(3));
    dir.Write("other.pyr", Pattern(4));
    EXPECT_EQ(tolvik::FindFileIgnoringCase(dir.Path(), "OURS.pyf"), dir.File("Ours.Pyf"));
    EXPECT_EQ(tolvik::FindFileIgnoringCase(dir.Path(), "Ours.Pyf"), dir.File("Ours.Pyf"));
    EXPECT_EQ(tolvik::FindFileIgnoringCase(dir.Path(), "OTHER.PYR"), dir.File("other.pyr"));
    EXPECT_EQ(tolvik::FindFileIgnoringCase(dir.Path(), "ours.pyc"), "");
    EXPECT_EQ(tolvik::FileInFolder(dir.Path(), "ours.pyc"), dir.File("ours.pyc"));
    // Several names from one listing: each answer in its name's place, as one by one. Where
    // the file system ignores case, this write goes into "Ours.Pyf", the one file both names
    // open, and "ours.pyf" is found under the name that file bears.
    dir.Write("ours.pyf", Pattern(5));
    const auto entries =
        std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator());
    const std::string lowerCase = entries == 3 ? dir.File("ours.pyf") : dir.File("Ours.Pyf");
    EXPECT_EQ(tolvik::FindFilesIgnoringCase(dir.Path(), {"ours.pyc", "OTHER.PYR", "OURS.PYF", "ours.pyf"}),
              (std::vector<std::string>{"", dir.File("other.pyr"), dir.File("Ours.Pyf"), lowerCase}));
}

} // namespace
