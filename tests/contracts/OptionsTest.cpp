#include "contracts/Options.h"
#include "contracts/ScriptedPrompt.h"
#include "league/ByteOrder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

namespace fs = std::filesystem;

std::int32_t S32At(const std::vector<std::uint8_t>& b, std::size_t offset) {
    return tolvik::readS32le(&b[offset]);
}
double F64At(const std::vector<std::uint8_t>& b, std::size_t offset) {
    return tolvik::readF64le(&b[offset]);
}
void PutS32(std::vector<std::uint8_t>& b, std::size_t offset, std::int32_t v) {
    tolvik::writeS32le(&b[offset], v);
}

// A hand-made options file of the given version, holding values that differ from every
// default in each section of the layout.
std::vector<std::uint8_t> HandMadeFile(std::int32_t version) {
    std::vector<std::uint8_t> b(2404, 0);
    PutS32(b, 0, version);
    PutS32(b, 4, 6);           // max_length
    PutS32(b, 8, 50000000);    // salarycap
    b[16] = 0;                 // add_retired
    b[17] = 0;                 // ly_restruct
    PutS32(b, 20, 2);          // agerfa
    PutS32(b, 28, 15);         // min
    PutS32(b, 60, 30);         // restructDecline
    PutS32(b, 64 + 4 * 7, 50); // splits row 1: 50/50
    PutS32(b, 64 + 4 * 8, 50);
    PutS32(b, 260 + 4 * (9 * 8 + 2), 9);        // weights K DI
    tolvik::writeF64le(&b[580 + 8 * 2], 8.0);   // starters OL
    tolvik::writeF64le(&b[660 + 8 * 2], 0.3);   // curve QB minimum
    PutS32(b, 900, 40);                         // penalty
    b[904] = 1;                                 // hid_pote
    b[905] = 1;                                 // lim_attempts
    PutS32(b, 908, 9);                          // res_attempts
    PutS32(b, 912 + 4 * (1 * 31 + 30), 500000); // rookie round 1 pick 30
    PutS32(b, 912 + 4 * (0 * 31 + 5), 111);     // row 0 is not used
    PutS32(b, 912 + 4 * (3 * 31 + 0), 222);     // column 0 is not used
    b[2276] = 1;                                // includerookie
    b[2277] = 1;                                // useStats
    PutS32(b, 2280 + 4 * 18, 55);               // fgbase
    b[2396] = 1;                                // holdouts
    PutS32(b, 2400, 30);                        // ho_base
    return b;
}

Options LoadFile(const TempDir& dir, const std::vector<std::uint8_t>& bytes, ScriptedPrompt& prompt) {
    dir.Write("salreg", bytes);
    Options options;
    options.Load(dir.Path(), prompt);
    return options;
}

} // namespace

TEST(OptionsFile, WritesEveryFieldAtItsOffset) {
    TempDir dir;
    Options options;
    options.SetFolder(dir.Path());
    options.rookieCGS[2][5] = 777;
    options.useStats = 1;
    options.hid_pote = 1;
    options.ly_restruct = 0;
    options.ho_base = 45;
    ASSERT_TRUE(options.Write());

    const auto b = dir.Read("salreg");
    ASSERT_EQ(b.size(), 2404u);
    EXPECT_EQ(S32At(b, 0), 5);
    EXPECT_EQ(S32At(b, 4), 4);                      // max_length
    EXPECT_EQ(S32At(b, 8), 45000000);               // salarycap
    EXPECT_EQ(S32At(b, 12), 20000000);              // bonuslimit
    EXPECT_EQ(b[16], 1);                            // add_retired
    EXPECT_EQ(b[17], 0);                            // ly_restruct
    EXPECT_EQ(S32At(b, 20), 3);                     // agerfa
    EXPECT_EQ(S32At(b, 24), 4);                     // ageufa
    EXPECT_EQ(S32At(b, 32), 120);                   // max
    EXPECT_EQ(S32At(b, 56), 5);                     // xfaDecline
    EXPECT_EQ(S32At(b, 60), 25);                    // restructDecline
    EXPECT_EQ(S32At(b, 64), 100);                   // splits row 0, year 1
    EXPECT_EQ(S32At(b, 64 + 4 * (2 * 7 + 2)), 40);  // row 2, year 3
    EXPECT_EQ(S32At(b, 64 + 4 * (6 * 7 + 6)), 24);  // row 6, year 7
    EXPECT_EQ(S32At(b, 260), 2);                    // weights QB AC
    EXPECT_EQ(S32At(b, 260 + 4 * (9 * 8 + 2)), 7);  // weights K DI
    EXPECT_EQ(S32At(b, 260 + 4 * (8 * 8 + 7)), 12); // weights P ST
    EXPECT_EQ(F64At(b, 580), 2.5);                  // starters QB
    EXPECT_EQ(F64At(b, 580 + 8 * 7), 7.0);          // starters DB
    // 2.5 is 0x4004000000000000, least significant byte first.
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 580, b.begin() + 588),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0x04, 0x40}));
    EXPECT_EQ(F64At(b, 660 + 8 * 3), 1.3);   // curve RB element 0
    EXPECT_EQ(F64At(b, 660 + 8 * 29), 0.22); // curve K element 2
    EXPECT_EQ(S32At(b, 900), 35);            // penalty
    EXPECT_EQ(b[904], 1);                    // hid_pote
    EXPECT_EQ(b[905], 0);                    // lim_attempts
    EXPECT_EQ(S32At(b, 908), 6);             // res_attempts
    EXPECT_EQ(S32At(b, 912 + 4 * (2 * 31 + 5)), 777);
    EXPECT_EQ(b[2276], 0);                      // includerookie
    EXPECT_EQ(b[2277], 1);                      // useStats
    EXPECT_EQ(S32At(b, 2280), 75000);           // tdthrown
    EXPECT_EQ(S32At(b, 2280 + 4 * 13), 60);     // olsackallowed
    EXPECT_EQ(S32At(b, 2280 + 4 * 28), 100000); // ratebonus3
    EXPECT_EQ(b[2396], 0);                      // holdouts
    EXPECT_EQ(S32At(b, 2400), 45);              // ho_base
    // Padding is written as zeros.
    for (std::size_t pad : {18u, 19u, 906u, 907u, 2278u, 2279u, 2397u, 2398u, 2399u})
        EXPECT_EQ(b[pad], 0) << pad;
}

TEST(OptionsFile, ReadsAHandMadeVersion5File) {
    TempDir dir;
    ScriptedPrompt prompt;
    const Options o = LoadFile(dir, HandMadeFile(5), prompt);
    EXPECT_TRUE(prompt.History().empty());
    EXPECT_EQ(o.version, 5);
    EXPECT_EQ(o.max_length, 6);
    EXPECT_EQ(o.salarycap, 50000000);
    EXPECT_EQ(o.add_retired, 0);
    EXPECT_EQ(o.agerfa, 2);
    EXPECT_EQ(o.min, 15);
    EXPECT_EQ(o.restructDecline, 30);
    EXPECT_EQ(o.GetSplits(1), (Options::SplitRow{50, 50, 0, 0, 0, 0, 0}));
    EXPECT_EQ(o.GetSplits(0), (Options::SplitRow{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(o.GetWeights(9)[2], 9);
    EXPECT_EQ(o.starters[2], 8.0);
    EXPECT_EQ(o.GetCurve(0)[2], 0.3);
    EXPECT_EQ(o.penalty, 40);
    EXPECT_EQ(o.hid_pote, 1);
    EXPECT_EQ(o.lim_attempts, 1);
    EXPECT_EQ(o.res_attempts, 9);
    EXPECT_EQ(o.rookieCGS[1][30], 500000);
    // Row 0 and column 0 of the rookie table are never taken from the file.
    EXPECT_EQ(o.rookieCGS[0][5], 0);
    EXPECT_EQ(o.rookieCGS[3][0], 0);
    EXPECT_EQ(o.includerookie, 1);
    EXPECT_EQ(o.useStats, 1);
    EXPECT_EQ(o.fgbase, 55);
    EXPECT_EQ(o.holdouts, 1);
    EXPECT_EQ(o.ho_base, 30);
}

TEST(OptionsFile, Version4KeepsRookieTableAndGetsDefaultStatValues) {
    TempDir dir;
    ScriptedPrompt prompt;
    const auto file = HandMadeFile(4);
    const Options o = LoadFile(dir, file, prompt);
    EXPECT_TRUE(prompt.History().empty());
    EXPECT_EQ(o.version, 4);
    EXPECT_EQ(o.rookieCGS[1][30], 500000);
    EXPECT_EQ(o.penalty, 40);
    EXPECT_EQ(o.includerookie, 1);
    EXPECT_EQ(o.res_attempts, 9);
    EXPECT_EQ(o.useStats, 0);
    EXPECT_EQ(o.fgbase, 60);
    EXPECT_EQ(o.tdthrown, 75000);
    EXPECT_EQ(o.holdouts, 0);
    EXPECT_EQ(o.ho_base, 25);
    EXPECT_EQ(o.max_length, 6);
    // Upgrading happens in memory; the file is rewritten only when the options are saved.
    EXPECT_EQ(dir.Read("salreg"), file);
}

TEST(OptionsFile, Version3AlsoLosesRookieTableAndOneYearPenalty) {
    TempDir dir;
    ScriptedPrompt prompt;
    const Options o = LoadFile(dir, HandMadeFile(3), prompt);
    EXPECT_EQ(o.version, 3);
    EXPECT_EQ(o.penalty, 0);
    EXPECT_EQ(o.hid_pote, 0);
    EXPECT_EQ(o.lim_attempts, 0);
    EXPECT_EQ(o.res_attempts, 0);
    EXPECT_EQ(o.rookieCGS[1][30], 0);
    EXPECT_EQ(o.includerookie, 0);
    EXPECT_EQ(o.useStats, 0);
    EXPECT_EQ(o.fgbase, 60);
    EXPECT_EQ(o.ho_base, 25);
    EXPECT_EQ(o.min, 15);
    EXPECT_EQ(o.starters[2], 8.0);
}

TEST(OptionsFile, OlderVersionsTakeDefaultsForFieldsAddedLater) {
    TempDir dir;
    ScriptedPrompt prompt;
    const Options o = LoadFile(dir, HandMadeFile(2), prompt);
    EXPECT_EQ(o.version, 2);
    EXPECT_EQ(o.penalty, 35);
    EXPECT_EQ(o.res_attempts, 6);
    EXPECT_EQ(o.rookieCGS[1][30], 0);
    EXPECT_EQ(o.includerookie, 0);
    EXPECT_EQ(o.useStats, 0);
    EXPECT_EQ(o.ho_base, 25);
    EXPECT_EQ(o.max_length, 6);
}

TEST(OptionsFile, ANewerVersionGivesTheDefaultsAndIsNeverWrittenOver) {
    TempDir dir;
    ScriptedPrompt prompt;
    const Options o = LoadFile(dir, HandMadeFile(6), prompt);
    ASSERT_EQ(prompt.History().size(), 1u);
    EXPECT_EQ(prompt.History()[0].kind, ScriptedPrompt::Kind::Message);
    EXPECT_EQ(prompt.History()[0].text,
              "Newer version of program options found.  Please upgrade to the latest version");
    EXPECT_EQ(o.GetFileState(), Options::FileState::Newer);
    EXPECT_EQ(o.version, 5);
    EXPECT_EQ(o.max_length, 4);
    EXPECT_EQ(o.min, 20);
    EXPECT_EQ(o.rookieCGS[1][30], 0);

    // The newer program's file stays: nothing is due, and a save (the options window's) is
    // refused with its reason.
    Options due = o;
    EXPECT_FALSE(due.HasPendingWrite());
    EXPECT_TRUE(due.WritePending());
    std::string why;
    EXPECT_FALSE(due.Write(&why));
    EXPECT_EQ(why, "it holds the options of a newer version of the program, and is left as it is");
    EXPECT_EQ(dir.Read("salreg"), HandMadeFile(6));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"salreg"}); // no temporary left behind
}

#ifndef _WIN32
// Links need a privilege on Windows that users lack, and it has no pipes in folders.
TEST(OptionsFile, ASalregThatCannotBeReadGivesTheDefaultsAndIsKeptWhateverItIs) {
    TempDir dir;
    TempDir outside;
    outside.Write("theirs", HandMadeFile(6));
    const struct {
        const char* what;
        std::function<void()> make;
        const char* reason;
    } cases[] = {
        {"a pipe", [&] { ::mkfifo(dir.File("salreg").c_str(), 0644); }, "not a regular file"},
        {"a folder", [&] { fs::create_directory(dir.File("salreg")); }, "not a regular file"},
        {"a link to a missing file", [&] { fs::create_symlink(outside.File("missing"), dir.File("salreg")); },
         "no such file or folder"},
        {"a link to a newer file outside",
         [&] { fs::create_symlink(outside.File("theirs"), dir.File("salreg")); }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        ScriptedPrompt prompt;
        Options options;
        options.max_length = 7;
        options.Load(dir.Path(), prompt);
        EXPECT_EQ(options.max_length, 4);
        ASSERT_EQ(prompt.History().size(), 1u) << "said once";
        if (*c.reason) {
            EXPECT_EQ(options.GetFileState(), Options::FileState::Unreadable);
            EXPECT_EQ(prompt.History()[0].text,
                      "The options file " + dir.File("salreg") + " cannot be read (" + c.reason +
                          "). The league opens with the default options; the file is left as it is.");
        } else {
            EXPECT_EQ(options.GetFileState(), Options::FileState::Newer);
        }
        EXPECT_TRUE(options.WritePending());
        EXPECT_FALSE(options.Write());
        EXPECT_EQ(outside.Read("theirs"), HandMadeFile(6));
        EXPECT_FALSE(outside.Exists("missing"));
        const auto kept = fs::symlink_status(dir.File("salreg")).type();
        EXPECT_NE(kept, fs::file_type::regular) << "replaced by a file";
        fs::remove(dir.File("salreg"));
    }
}
#endif

TEST(OptionsFile, MissingFileIsCreatedWithDefaultsSilently) {
    TempDir dir;
    ScriptedPrompt prompt;
    Options options;
    options.max_length = 7;
    options.Load(dir.Path(), prompt);
    EXPECT_TRUE(prompt.History().empty());
    EXPECT_EQ(options.max_length, 4);
    // Nothing is written before the caller knows the folder is its league's.
    EXPECT_FALSE(dir.Exists("salreg"));
    ASSERT_TRUE(options.WritePending());
    ASSERT_TRUE(dir.Exists("salreg"));
    Options defaults;
    const auto expected = defaults.Encode();
    EXPECT_EQ(dir.Read("salreg"), std::vector<std::uint8_t>(expected.begin(), expected.end()));
}

TEST(OptionsFile, ShortFileKeepsDefaultsForFieldsNotPresent) {
    TempDir dir;
    ScriptedPrompt prompt;
    auto file = HandMadeFile(5);
    file.resize(30); // through min's first two bytes
    const Options o = LoadFile(dir, file, prompt);
    EXPECT_EQ(o.max_length, 6);
    EXPECT_EQ(o.agerfa, 2);
    EXPECT_EQ(o.min, 20); // cut in the middle: default
    EXPECT_EQ(o.max, 120);
    EXPECT_EQ(o.GetSplits(2), (Options::SplitRow{27, 33, 40, 0, 0, 0, 0}));
    EXPECT_EQ(o.starters[0], 2.5);
    EXPECT_EQ(o.penalty, 35);
    EXPECT_EQ(o.ho_base, 25);
}

TEST(OptionsFile, WriteThenReadGivesTheSameOptions) {
    TempDir dir;
    ScriptedPrompt prompt;
    Options written;
    written.SetFolder(dir.Path());
    written.SetCurve(3, {1.5, 1.25, 0.3});
    written.SetWeights(6, {1, 2, 3, 4, 5, 6, 7, 8});
    written.SetRookieCGS(10, 30, 123456);
    written.starters[9] = 1.5;
    written.puntblck = 1234;
    ASSERT_TRUE(written.Write());
    Options read;
    read.Load(dir.Path(), prompt);
    EXPECT_EQ(read.Encode(), written.Encode());
}

TEST(RookieTable, ZeroRoundOrPickGivesTheMinimum) {
    Options o;
    o.SetRookieCGS(3, 1, 900000);
    EXPECT_EQ(o.RookieCGS(3, 0), 220000);
    EXPECT_EQ(o.RookieCGS(0, 3), 220000);
}

TEST(RookieTable, UnsetEntrySearchesBackToTheNearestSetOne) {
    Options o;
    EXPECT_EQ(o.RookieCGS(2, 5), 0); // nothing set
    o.SetRookieCGS(1, 30, 500000);
    EXPECT_EQ(o.RookieCGS(2, 5), 500000);
    EXPECT_EQ(o.RookieCGS(1, 29), 0); // nothing before (1, 29)
    o.SetRookieCGS(2, 3, 250000);
    o.SetRookieCGS(2, 5, 300000);
    EXPECT_EQ(o.RookieCGS(2, 5), 300000);
    EXPECT_EQ(o.RookieCGS(2, 4), 250000);
    EXPECT_EQ(o.RookieCGS(2, 2), 500000);
    EXPECT_EQ(o.RookieCGS(3, 1), 300000);
    EXPECT_EQ(o.RookieCGS(10, 30), 300000);
    // Beyond the table nothing is set, so the search starts from its last entry.
    EXPECT_EQ(o.RookieCGS(12, 3), 300000);
    EXPECT_EQ(o.RookieCGS(2, 40), 300000);
    // Row 0 and column 0 cannot be set.
    o.SetRookieCGS(0, 4, 1);
    o.SetRookieCGS(4, 0, 1);
    EXPECT_EQ(o.rookieCGS[0][4], 0);
    EXPECT_EQ(o.rookieCGS[4][0], 0);
}
