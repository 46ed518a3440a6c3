#include "contracts/OptionsEditor.h"
#include "contracts/ScriptedPrompt.h"
#include "league/ByteOrder.h"
#include "league/MoneyText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Row = Options::SplitRow;
using Texts = std::array<std::string, 7>;

std::int32_t S32At(const std::vector<std::uint8_t>& b, std::size_t offset) {
    return tolvik::readS32le(&b[offset]);
}

// The editor on default options (max_length 4, the split table of the defaults).
class OptionsEditorTest : public ::testing::Test {
  protected:
    OptionsEditor& Editor() {
        if (!editor)
            editor = std::make_unique<OptionsEditor>(options, prompt, "MainForm");
        return *editor;
    }
    OptionsEditor::Controls& C() { return Editor().GetControls(); }
    // Types a length into conlength, as the window does before EnableSplits.
    void Length(const std::string& text) {
        C().conlength = text;
        Editor().EnableSplits();
    }
    void Set(int round, int pick, const std::string& text) {
        C().rndBox = round;
        C().pckBox = pick;
        C().rCGS = text;
        ASSERT_TRUE(Editor().rCGSChange());
    }

    Options options;
    ScriptedPrompt prompt;
    std::unique_ptr<OptionsEditor> editor;
};

} // namespace

TEST_F(OptionsEditorTest, LoadsTheTextsOfEveryPage) {
    options.salarycap = -1; // shown unsigned
    options.basechance = -5;
    options.hid_pote = 1;
    options.ly_restruct = 0;
    options.declines = 7;
    options.ho_base = 70;
    options.catches = 1234567;
    const auto& c = C();
    EXPECT_EQ(c.salarycap, "4294967295");
    EXPECT_EQ(c.basechance, "-5");
    EXPECT_EQ(c.max_length, "4");
    EXPECT_TRUE(c.hid_pote);
    EXPECT_FALSE(c.ly_restruct);
    EXPECT_EQ(c.ho_base, 50); // a track bar stops at its end
    // Stat values with thousands separators.
    EXPECT_EQ(c.statValues[0], "75,000");    // tdthrown
    EXPECT_EQ(c.statValues[6], "1,234,567"); // catches
    EXPECT_EQ(c.statValues[28], "100,000");  // ratebonus3
    // Designed texts until the user acts.
    EXPECT_EQ(c.declines, "3");
    EXPECT_EQ(c.conlength, "1");
    EXPECT_EQ(c.split, (Texts{"100", "0", "0", "0", "0", "0", "0"}));
}

TEST_F(OptionsEditorTest, HidePotentialsOnlyForTheFrontOffice) {
    EXPECT_FALSE(Editor().HidPoteShown());
    EXPECT_TRUE(OptionsEditor(options, prompt, "FrontOffice").HidPoteShown());
    EXPECT_FALSE(OptionsEditor(options, prompt, "frontoffice").HidPoteShown());
}

TEST_F(OptionsEditorTest, EnableSplitsPicksTheRowOfTheLength) {
    Length("2");
    EXPECT_EQ(C().conlength, "2");
    EXPECT_EQ(C().split, (Texts{"45", "55", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(C().splitEnabled, (std::array<bool, 7>{true, true, false, false, false, false, false}));

    // 0 takes max_length (4) and shows it.
    Length("0");
    EXPECT_EQ(C().conlength, "4");
    EXPECT_EQ(C().split, (Texts{"18", "22", "27", "33", "0", "0", "0"}));
    EXPECT_EQ(C().splitEnabled, (std::array<bool, 7>{true, true, true, true, false, false, false}));

    // Above max_length: 1.
    Length("6");
    EXPECT_EQ(C().conlength, "1");
    EXPECT_EQ(C().split[0], "100");

    // The up-down reaches 8 and max_length may allow it: the last row, 7.
    C().max_length = "8";
    Length("8");
    EXPECT_EQ(C().conlength, "7");
    EXPECT_EQ(C().split, (Texts{"7", "9", "11", "13", "16", "20", "24"}));
    EXPECT_EQ(C().splitEnabled, (std::array<bool, 7>{true, true, true, true, true, true, true}));
    C().max_length = "12";
    Length("0");
    EXPECT_EQ(C().conlength, "7");

    // Negative lengths, and 0 with a max_length of 0: 1.
    Length("-3");
    EXPECT_EQ(C().conlength, "1");
    C().max_length = "0";
    Length("0");
    EXPECT_EQ(C().conlength, "1");

    // A text that is no number is the conversion error, with nothing shown.
    C().max_length = "4";
    Length("3");
    C().conlength = "three";
    EXPECT_THROW(Editor().EnableSplits(), ConversionError);
    EXPECT_EQ(C().split, (Texts{"27", "33", "40", "0", "0", "0", "0"}));
}

TEST_F(OptionsEditorTest, SaveSplitsNeedsATotalOf100) {
    options.SetSplits(1, {50, 50, 0, 0, 0, 0, 0});
    Length("2");
    C().split[0] = "45";
    C().split[1] = "55";
    EXPECT_TRUE(Editor().SaveSplits());
    EXPECT_EQ(options.GetSplits(1), (Row{45, 55, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(prompt.History().empty());

    C().split[1] = "50";
    EXPECT_FALSE(Editor().SaveSplits());
    EXPECT_EQ(options.GetSplits(1), (Row{45, 55, 0, 0, 0, 0, 0}));
    ASSERT_EQ(prompt.History().size(), 1u);
    EXPECT_EQ(prompt.History()[0].kind, ScriptedPrompt::Kind::Message);
    EXPECT_EQ(prompt.History()[0].text, "Contract Percentages must total 100%");
    EXPECT_EQ(prompt.History()[0].caption, "Split Error");

    // Only the first n count, but all seven are stored.
    C().split = {"40", "60", "5", "0", "0", "0", "0"};
    EXPECT_TRUE(Editor().SaveSplits());
    EXPECT_EQ(options.GetSplits(1), (Row{40, 60, 5, 0, 0, 0, 0}));

    // A length no EnableSplits has seen is kept within the table: 9 is the row of 7.
    C().conlength = "9";
    C().split = {"10", "10", "10", "10", "10", "10", "40"};
    EXPECT_TRUE(Editor().SaveSplits());
    EXPECT_EQ(options.GetSplits(6), (Row{10, 10, 10, 10, 10, 10, 40}));

    // Huge percentages do not wrap into a total of 100.
    C().conlength = "2";
    C().split = {"2147483647", "2147483647", "0", "0", "0", "0", "0"};
    EXPECT_FALSE(Editor().SaveSplits());
    // Nor do negative ones that total 100: a year paying -50 % is no split.
    C().split = {"150", "-50", "0", "0", "0", "0", "0"};
    EXPECT_FALSE(Editor().SaveSplits());
    EXPECT_EQ(prompt.History().back().text, "Contract Percentages must not be negative");
    C().split[1] = "5 5";
    EXPECT_THROW(Editor().SaveSplits(), ConversionError);
    EXPECT_EQ(options.GetSplits(1), (Row{40, 60, 5, 0, 0, 0, 0}));
}

TEST_F(OptionsEditorTest, CgsPageShowsAndUpdatesTheChosenGroup) {
    // "Reset" and "Update" with no group chosen change nothing, whatever the edits hold.
    C().maxsal = "junk";
    Editor().UpdateFields();
    Editor().SaveCGSData();
    EXPECT_EQ(C().maxsal, "junk");
    EXPECT_TRUE(C().starters.empty());
    EXPECT_EQ(options.GetCurve(0), (Options::CurveRow{1.25, 1.25, 0.22}));

    C().posSelector = 0; // QB
    Editor().UpdateFields();
    EXPECT_EQ(C().maxsal, "2500000");
    EXPECT_EQ(C().minsal, "220000");
    EXPECT_EQ(C().starters, "2.5");
    EXPECT_EQ(C().weights, (std::array<std::string, 8>{"2", "2", "5", "2", "5", "5", "2", "5"}));
    C().posSelector = 4; // TE: 0.95 + 0.95 millions
    Editor().UpdateFields();
    EXPECT_EQ(C().maxsal, "1900000");
    EXPECT_EQ(C().starters, "2");

    // Update without edits, then Reset: the same texts for every group.
    for (int g = 0; g < Options::kGroups; ++g) {
        C().posSelector = g;
        Editor().UpdateFields();
        const auto before = C();
        Editor().SaveCGSData();
        Editor().UpdateFields();
        EXPECT_EQ(C().maxsal, before.maxsal) << g;
        EXPECT_EQ(C().minsal, before.minsal) << g;
        EXPECT_EQ(C().starters, before.starters) << g;
        EXPECT_DOUBLE_EQ(options.GetCurve(g)[1], Options().GetCurve(g)[1]) << g;
    }

    C().posSelector = 8; // P
    C().maxsal = "3000000";
    C().minsal = " 250000";
    C().starters = "1.5";
    C().weights = {"1", "2", "3", "4", "5", "6", "7", "8"};
    Editor().SaveCGSData();
    EXPECT_DOUBLE_EQ(options.GetCurve(8)[0], 1.5);
    EXPECT_DOUBLE_EQ(options.GetCurve(8)[1], 1.5);
    EXPECT_DOUBLE_EQ(options.GetCurve(8)[2], 0.25);
    EXPECT_EQ(options.starters[8], 1.5);
    EXPECT_EQ(options.GetWeights(8), (Options::WeightRow{1, 2, 3, 4, 5, 6, 7, 8}));

    // One bad edit stores nothing of the group.
    C().maxsal = "4000000";
    C().weights[7] = "x";
    EXPECT_THROW(Editor().SaveCGSData(), ConversionError);
    EXPECT_DOUBLE_EQ(options.GetCurve(8)[0], 1.5);
}

TEST_F(OptionsEditorTest, RookieTableByItemIndex) {
    C().rCGS = "kept";
    Editor().rook_cgsShow();
    EXPECT_EQ(C().rndBox, 1);
    EXPECT_EQ(C().pckBox, 1);
    EXPECT_EQ(C().rCGS, "kept");
    // The empty table: one line a round, each $0.
    ASSERT_EQ(C().RookieCGSs.size(), 10u);
    for (int r = 1; r <= 10; ++r)
        EXPECT_EQ(C().RookieCGSs[r - 1], "Round " + std::to_string(r) + ": $0");

    // Round 3 with the empty pick item: the rookie minimum.
    C().rndBox = 3;
    C().pckBox = 0;
    Editor().pckBoxChange();
    EXPECT_EQ(C().rCGS, "$220,000");
    // No item chosen: nothing shown, and Set does nothing.
    C().rndBox = OptionsEditor::kNoItem;
    Editor().rndBoxChange();
    EXPECT_EQ(C().rCGS, "");
    C().rCGS = "500000";
    EXPECT_FALSE(Editor().rCGSChange());
    C().rndBox = 2;
    C().pckBox = OptionsEditor::kNoItem;
    EXPECT_FALSE(Editor().rCGSChange());
    EXPECT_EQ(options.RookieCGS(2, 30), 0);

    // The memo example: (1, 1) = 1,000,000 and (1, 10) = 800,000.
    Set(1, 1, "$1,000,000");
    Set(1, 10, "800,000");
    std::vector<std::string> expected = {"Round 1 Pick 1-9: $1,000,000", "Round 1 Picks 10-30: $800,000"};
    for (int r = 2; r <= 10; ++r)
        expected.push_back("Round " + std::to_string(r) + ": $800,000");
    EXPECT_EQ(C().RookieCGSs, expected);
    C().rndBox = 2;
    C().pckBox = 5;
    Editor().rndBoxChange();
    EXPECT_EQ(C().rCGS, "$800,000");

    // A text without digits: the conversion error, nothing set.
    C().rCGS = "$";
    EXPECT_THROW(Editor().rCGSChange(), ConversionError);
    EXPECT_EQ(options.rookieCGS[2][5], 0);
}

TEST_F(OptionsEditorTest, RookieSummaryOfSinglePicks) {
    options.SetRookieCGS(1, 1, 1000000);
    options.SetRookieCGS(1, 2, 500000);
    options.SetRookieCGS(1, 3, 1000000);
    options.SetRookieCGS(1, 10, 800000);
    options.SetRookieCGS(2, 30, 900000);
    const auto lines = OptionsEditor::RookieSummary(options);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "Round 1 Pick 1: $1,000,000");
    EXPECT_EQ(lines[1], "Round 1 Pick 2: $500,000");
    EXPECT_EQ(lines[2], "Round 1 Pick 3-9: $1,000,000");
    EXPECT_EQ(lines[3], "Round 1 Picks 10-30: $800,000");
    EXPECT_EQ(lines[4], "Round 2 Pick 1-29: $800,000");
    EXPECT_EQ(lines[5], "Round 2 Picks 30-30: $900,000");
    EXPECT_EQ(lines[6], "Round 3: $900,000");
    EXPECT_EQ(lines[13], "Round 10: $900,000");
}

TEST_F(OptionsEditorTest, SaveWritesEveryFieldAtItsOffset) {
    TempDir dir;
    options.SetFolder(dir.Path());
    options.declines = 7;
    Length("2");
    C().split[0] = "40";
    C().split[1] = "60";
    ASSERT_TRUE(Editor().SaveSplits());
    Set(1, 1, "650,000");
    C().salarycap = " 50000000 ";
    C().max_length = "+5";
    C().basechance = "-5";
    C().agerfa = "2";
    C().hid_pote = true;
    C().add_retired = false;
    C().ho_base = 35;
    C().statValues[0] = "80,000";    // tdthrown
    C().statValues[28] = "$120,000"; // ratebonus3
    ASSERT_TRUE(Editor().saveBtnClick());

    const auto b = dir.Read("salreg");
    ASSERT_EQ(b.size(), 2404u);
    EXPECT_EQ(S32At(b, 0), 5);
    EXPECT_EQ(S32At(b, 4), 5);                  // max_length
    EXPECT_EQ(S32At(b, 8), 50000000);           // salarycap
    EXPECT_EQ(S32At(b, 12), 20000000);          // bonuslimit, as loaded
    EXPECT_EQ(b[16], 0);                        // add_retired
    EXPECT_EQ(S32At(b, 20), 2);                 // agerfa
    EXPECT_EQ(S32At(b, 48), 3);                 // declines: the hidden edit's "3"
    EXPECT_EQ(S32At(b, 52), -5);                // basechance
    EXPECT_EQ(S32At(b, 64 + 4 * 7), 40);        // splits row 1, year 1
    EXPECT_EQ(S32At(b, 64 + 4 * 8), 60);        // year 2
    EXPECT_EQ(b[904], 1);                       // hid_pote
    EXPECT_EQ(S32At(b, 912 + 4 * 32), 650000);  // rookie round 1 pick 1
    EXPECT_EQ(S32At(b, 2280), 80000);           // tdthrown
    EXPECT_EQ(S32At(b, 2280 + 4 * 28), 120000); // ratebonus3
    EXPECT_EQ(S32At(b, 2400), 35);              // ho_base
    // The program's options hold what was written.
    const auto held = options.Encode();
    EXPECT_EQ(std::vector<std::uint8_t>(held.begin(), held.end()), b);
}

TEST_F(OptionsEditorTest, SaveWithAFieldThatIsNoNumberChangesNothing) {
    TempDir dir;
    options.SetFolder(dir.Path());
    C().max_length = "6";
    C().salarycap = "45 million";
    try {
        Editor().saveBtnClick();
        FAIL() << "no conversion error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'45 million' is not a valid integer value");
    }
    // The last field read, a stat value, fails as well: still nothing.
    C().salarycap = "45000000";
    C().statValues[28] = "";
    EXPECT_THROW(Editor().saveBtnClick(), ConversionError);
    EXPECT_FALSE(dir.Exists("salreg"));
    EXPECT_EQ(options.max_length, 4);

    // A folder that cannot be written: false, and the options as they were.
    C().statValues[28] = "100,000";
    options.SetFolder(dir.File("missing"));
    EXPECT_FALSE(Editor().saveBtnClick());
    EXPECT_EQ(options.max_length, 4);
}

TEST_F(OptionsEditorTest, CancelPutsBackWhatTheButtonsChanged) {
    options.SetRookieCGS(4, 4, 300000);
    const auto before = options.Encode();
    Editor();
    Length("2");
    C().split = {"30", "70", "0", "0", "0", "0", "0"};
    ASSERT_TRUE(Editor().SaveSplits());
    C().posSelector = 1;
    Editor().UpdateFields();
    C().starters = "9";
    Editor().SaveCGSData();
    Set(4, 4, "1");
    ASSERT_NE(options.Encode(), before);

    Editor().cxlBtnClick();
    EXPECT_EQ(options.Encode(), before);
}
