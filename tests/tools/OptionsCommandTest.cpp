#include "support/TempDir.h"

#include "league/ByteOrder.h"
#include "tools/Cli.h"
#include "tools/SampleLeague.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using nlohmann::json;

namespace {

class OptionsCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        SampleLeagueOptions options;
        options.folder = dir.Path();
        options.seed = 5;
        options.teams = 8;
        sample::Result result;
        std::string error;
        ASSERT_TRUE(sample::WriteSampleLeague(options, result, error)) << error;
    }
    int Cli(std::vector<const char*> args) {
        args.insert(args.begin(), "brevane-cli");
        out.str("");
        err.str("");
        return RunCli(static_cast<int>(args.size()), args.data(), out, err);
    }
    std::string Lge() const { return dir.File("sample.lge"); }

    TempDir dir;
    std::ostringstream out, err;
};

// A version 5 options file made by hand: the defaults' file would need our writer, so
// only the fields the test looks at are set and the rest stay 0.
std::vector<std::uint8_t> HandMadeOptions() {
    std::vector<std::uint8_t> b(2404, 0);
    tolvik::writeS32le(&b[0], 5);
    tolvik::writeS32le(&b[4], 6);                            // max_length
    tolvik::writeS32le(&b[8], 52000000);                     // salarycap
    b[17] = 1;                                               // ly_restruct
    tolvik::writeS32le(&b[52], -4);                          // basechance
    tolvik::writeS32le(&b[64 + 4 * 7], 50);                  // splits row 1: 50/50
    tolvik::writeS32le(&b[64 + 4 * 8], 50);                  //
    tolvik::writeS32le(&b[260 + 4 * (9 * 8 + 7)], 11);       // weights K ST
    tolvik::writeF64le(&b[580 + 8 * 2], 7.5);                // starters OL
    tolvik::writeF64le(&b[660 + 8 * 29], 0.3);               // curve K minimum
    tolvik::writeS32le(&b[912 + 4 * (1 * 31 + 1)], 1000000); // rookie round 1 pick 1
    tolvik::writeS32le(&b[912 + 4 * (1 * 31 + 10)], 800000); // rookie round 1 pick 10
    tolvik::writeS32le(&b[2280 + 4 * 6], 2500);              // catches
    tolvik::writeS32le(&b[2400], 40);                        // ho_base
    return b;
}

} // namespace

TEST_F(OptionsCommand, PrintsEveryFieldAndTheRookieMemo) {
    dir.Write("salreg", HandMadeOptions());
    const auto before = dir.Snapshot();
    ASSERT_EQ(Cli({"options", Lge().c_str()}), 0) << err.str();
    EXPECT_EQ(dir.Snapshot(), before);
    const json doc = json::parse(out.str());

    EXPECT_EQ(doc["max_length"], 6);
    EXPECT_EQ(doc["salarycap"], 52000000);
    EXPECT_EQ(doc["ly_restruct"], true);
    EXPECT_EQ(doc["basechance"], -4);
    ASSERT_EQ(doc["splits"].size(), 7u);
    EXPECT_EQ(doc["splits"][1], json({50, 50, 0, 0, 0, 0, 0}));
    ASSERT_EQ(doc["weights"][9].size(), 8u);
    EXPECT_EQ(doc["weights"][9][7], 11);
    EXPECT_EQ(doc["starters"][2], 7.5);
    EXPECT_EQ(doc["curve"][9], json({0.0, 0.0, 0.3}));
    ASSERT_EQ(doc["rookieCGS"].size(), 10u);
    ASSERT_EQ(doc["rookieCGS"][0].size(), 30u);
    EXPECT_EQ(doc["rookieCGS"][0][0], 1000000);
    EXPECT_EQ(doc["rookieCGS"][0][9], 800000);
    EXPECT_EQ(doc["rookieCGS"][0][10], 0); // the stored table, not the looked-up value
    EXPECT_EQ(doc["catches"], 2500);
    EXPECT_EQ(doc["ho_base"], 40);

    json memo = {"Round 1 Pick 1-9: $1,000,000", "Round 1 Picks 10-30: $800,000"};
    for (int r = 2; r <= 10; ++r)
        memo.push_back("Round " + std::to_string(r) + ": $800,000");
    EXPECT_EQ(doc["rookieSummary"], memo);
}

TEST_F(OptionsCommand, MissingOptionsAreTheDefaultsAndAFailureIsOneLine) {
    ASSERT_EQ(Cli({"options", Lge().c_str()}), 0) << err.str();
    EXPECT_TRUE(dir.Exists("salreg"));
    const json doc = json::parse(out.str());
    EXPECT_EQ(doc["salarycap"], 45000000);
    EXPECT_EQ(doc["splits"][6], json({7, 9, 11, 13, 16, 20, 24}));
    EXPECT_EQ(doc["tdthrown"], 75000);
    EXPECT_EQ(doc["rookieSummary"].size(), 10u);
    EXPECT_EQ(doc["rookieSummary"][9], "Round 10: $0");

    EXPECT_EQ(Cli({"options", dir.File("missing.lge").c_str()}), 1);
    EXPECT_TRUE(out.str().empty());
    const std::string error = err.str();
    EXPECT_EQ(error.rfind("brevane-cli options: ", 0), 0u);
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1);
    EXPECT_EQ(Cli({"options"}), 2);
}
