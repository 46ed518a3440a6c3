#include "support/TempDir.h"

#include "league/ByteOrder.h"
#include "tools/Cli.h"
#include "tools/Commands.h"
#include "tools/SampleLeague.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <set>
#include <sstream>
#include <string>
#include <vector>

using nlohmann::json;

namespace {

class SalaryCommands : public ::testing::Test {
  protected:
    void Write(bool salary, bool sal = false) {
        SampleLeagueOptions options;
        options.folder = dir.Path();
        options.seed = 7;
        options.teams = 12;
        options.salary = salary;
        options.sal = sal;
        std::string error;
        ASSERT_TRUE(sample::WriteSampleLeague(options, result, error)) << error;
    }
    std::string Lge() const { return dir.File("sample.lge"); }
    json Salary(SalaryCreate create) {
        out.str("");
        err.str("");
        EXPECT_EQ(RunSalaryCommand(Lge(), create, out, err), 0) << err.str();
        return json::parse(out.str());
    }
    int Chance(int id, int years, std::uint32_t salary, std::uint32_t bonus) {
        out.str("");
        EXPECT_EQ(RunAcceptCommand(Lge(), id, years, salary, bonus, out, err), 0) << err.str();
        return json::parse(out.str())["chance"].get<int>();
    }
    int Cli(std::vector<const char*> args) {
        args.insert(args.begin(), "brevane-cli");
        out.str("");
        err.str("");
        return RunCli(static_cast<int>(args.size()), args.data(), out, err);
    }

    TempDir dir;
    sample::Result result;
    std::ostringstream out, err;
};

} // namespace

TEST_F(SalaryCommands, WithoutSalaryInformationNothingIsCreatedByDefault) {
    Write(false);
    const json doc = Salary(SalaryCreate::NoCreate);
    EXPECT_FALSE(doc["loaded"].get<bool>());
    EXPECT_FALSE(dir.Exists("sample.FRO"));
    ASSERT_EQ(doc["contracts"].size(), static_cast<std::size_t>(result.nextPlayerID - 100));
    EXPECT_EQ(doc["contracts"][0]["id"], 100);
    EXPECT_EQ(doc["contracts"][0]["contractTeam"], -1);
    EXPECT_EQ(doc["contracts"][0]["status"], 2);
    EXPECT_EQ(doc["teams"].size(), 12u);
    // The options were loaded first, from the league's folder.
    EXPECT_TRUE(dir.Exists("salreg"));

    // accept answers on the default records, and creates nothing either.
    out.str("");
    EXPECT_EQ(RunAcceptCommand(Lge(), 100, 1, 1000000, 0, out, err), 0);
    EXPECT_FALSE(json::parse(out.str())["loaded"].get<bool>());
    EXPECT_FALSE(dir.Exists("sample.FRO"));
}

TEST_F(SalaryCommands, BuildThenLoad) {
    Write(false);
    const json built = Salary(SalaryCreate::Build);
    ASSERT_TRUE(built["loaded"].get<bool>());
    ASSERT_TRUE(dir.Exists("sample.FRO"));
    std::set<int> statuses;
    for (const auto& c : built["contracts"]) {
        statuses.insert(c["status"].get<int>());
        EXPECT_EQ(c["years"], 0);
        EXPECT_EQ(c["yrSigned"], result.season);
    }
    EXPECT_EQ(statuses, (std::set<int>{1, 2, 5}));
    for (const auto& p : result.players) {
        if (p.team < 0)
            continue;
        EXPECT_GE(built["contracts"][p.id - 100]["cgs"].get<int>(), 220000) << p.id;
    }
    // Loaded again, the same.
    EXPECT_EQ(Salary(SalaryCreate::NoCreate), built);
}

TEST_F(SalaryCommands, SampleSalaryInformationHasRealisticContracts) {
    Write(true);
    const json doc = Salary(SalaryCreate::NoCreate);
    ASSERT_TRUE(doc["loaded"].get<bool>());
    int contracts = 0;
    int endingNow = 0;
    int tags = 0;
    int tenders = 0;
    int rookies = 0;
    for (const auto& c : doc["contracts"]) {
        const int years = c["years"];
        const int status = c["status"];
        tags += status == 3 || status == 4;
        tenders += status == 6;
        rookies += c["round"].get<int>() > 0;
        if (years < 1)
            continue;
        ++contracts;
        const int year = result.season - c["yrSigned"].get<int>();
        ASSERT_GE(year, 0);
        if (year >= years)
            continue; // a cut player's old deal
        endingNow += year == years - 1;
        // This season's charge is the cap hit of the contract year it is in.
        EXPECT_EQ(c["currentBase"].get<int>() + c["currentBonus"].get<int>(), c["capHits"][year].get<int>());
        if (status == 0 && c["round"].get<int>() == 0) {
            const double bonus = c["bonus"].get<double>() / c["salary"].get<double>();
            EXPECT_GE(bonus, 0.19);
            EXPECT_LE(bonus, 1.01);
        }
    }
    EXPECT_GT(contracts, 400);
    EXPECT_GT(endingNow, 50);
    EXPECT_GT(tags, 0);
    EXPECT_GT(tenders, 0);
    EXPECT_GT(rookies, 0);
    long long payroll = 0;
    for (const auto& t : doc["teams"])
        payroll += t["currentPayroll"].get<long long>();
    // Around the default cap of 45 million a club.
    EXPECT_GT(payroll / 12, 30000000);
    EXPECT_LT(payroll / 12, 60000000);
}

TEST_F(SalaryCommands, ConvertsTheSampleSiblingFile) {
    Write(false, true);
    ASSERT_TRUE(dir.Exists("sample.SAL"));
    const auto sal = dir.Read("sample.SAL");
    ASSERT_EQ(sal.size() % 30, 0u);
    EXPECT_EQ(tolvik::readU16le(sal.data()), 300);

    const json doc = Salary(SalaryCreate::Convert);
    ASSERT_TRUE(doc["loaded"].get<bool>());
    ASSERT_TRUE(dir.Exists("sample.FRO"));
    int converted = 0;
    for (std::size_t at = 30; at < sal.size(); at += 30) {
        const int id = tolvik::readU16le(&sal[at]);
        const json& c = doc["contracts"][id - 100];
        ++converted;
        EXPECT_EQ(c["cgs"].get<std::uint32_t>(), tolvik::readU24le(&sal[at + 7]));
        EXPECT_EQ(c["contractTeam"].get<int>(), sal[at + 6] - 1);
        if (sal[at + 11] > 1) {
            EXPECT_EQ(c["status"], 0);
        }
        if (c["status"] == 3 || c["status"] == 4) {
            EXPECT_EQ(c["years"], 1);
            EXPECT_EQ(c["salary"], c["cgs"]);
        }
    }
    EXPECT_GT(converted, 300);
}

TEST_F(SalaryCommands, AcceptChanceOfFreeAgents) {
    Write(true);
    const json doc = Salary(SalaryCreate::NoCreate);
    int checked = 0;
    for (const auto& p : result.players) {
        if (!p.freeAgent || checked == 3)
            continue;
        const auto cgs = doc["contracts"][p.id - 100]["cgs"].get<std::uint32_t>();
        if (cgs == 0)
            continue;
        // One year at the CGS: 62; with a 20 % bonus: 74.4.
        EXPECT_EQ(Chance(p.id, 1, cgs, 0), 62) << p.id;
        // A bonus of 20 %: 62 x 1.2 = 74.4, whatever the CGS is when it equals the salary.
        EXPECT_EQ(Chance(p.id, 1, cgs, cgs / 5), 74) << p.id;
        ++checked;
    }
    EXPECT_EQ(checked, 3);
    EXPECT_EQ(Chance(100, 0, 1000000, 200000), 0);
    EXPECT_EQ(RunAcceptCommand(Lge(), 99, 1, 1000000, 0, out, err), 1);
    EXPECT_EQ(RunAcceptCommand(Lge(), result.nextPlayerID, 1, 1000000, 0, out, err), 1);
}

TEST_F(SalaryCommands, PayrollBuildsOnFirstRunAndPrintsEveryClub) {
    Write(false);
    ASSERT_EQ(Cli({"payroll", Lge().c_str()}), 0) << err.str();
    EXPECT_TRUE(dir.Exists("sample.FRO"));
    const std::string text = out.str();
    EXPECT_NE(text.find("Bonus Money Spent"), std::string::npos);
    EXPECT_NE(text.find("Estimated Payroll"), std::string::npos);
    int lines = 0;
    for (char ch : text)
        lines += ch == '\n';
    EXPECT_EQ(lines, 3 + 12);
    EXPECT_NE(text.find("$"), std::string::npos);
}

TEST_F(SalaryCommands, CommandLineOfTheSalaryCommands) {
    Write(false);
    EXPECT_EQ(Cli({"salary", Lge().c_str(), "--convert", "--build"}), 2);
    EXPECT_EQ(Cli({"accept", Lge().c_str(), "100", "1"}), 2);
    EXPECT_EQ(Cli({"salary", Lge().c_str(), "--build"}), 0) << err.str();
    EXPECT_TRUE(json::parse(out.str())["loaded"].get<bool>());
    ASSERT_EQ(Cli({"accept", Lge().c_str(), "100", "1", "1000000", "0"}), 0) << err.str();
    EXPECT_TRUE(json::parse(out.str()).contains("chance"));
    EXPECT_EQ(Cli({"salary", dir.File("missing.lge").c_str()}), 1);
    EXPECT_TRUE(out.str().empty());
}

TEST(SampleSalaryFiles, SameSeedGivesSameBytes) {
    TempDir a;
    TempDir b;
    for (const TempDir* dir : {&a, &b}) {
        SampleLeagueOptions options;
        options.folder = dir->Path();
        options.seed = 11;
        options.teams = 8;
        options.sal = true;
        sample::Result result;
        std::string error;
        ASSERT_TRUE(sample::WriteSampleLeague(options, result, error)) << error;
    }
    EXPECT_EQ(a.Read("sample.FRO"), b.Read("sample.FRO"));
    EXPECT_EQ(a.Read("sample.SAL"), b.Read("sample.SAL"));
    EXPECT_EQ(a.List(), b.List());
}
