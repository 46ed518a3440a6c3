#include "contracts/ContractList.h"
#include "contracts/KeptSalaryEdits.h"
#include "contracts/Options.h"
#include "contracts/ScriptedPrompt.h"
#include "league/ByteOrder.h"
#include "support/PlannedLeagueTest.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& b, std::initializer_list<int> values) {
    for (int v : values)
        b.push_back(static_cast<std::uint8_t>(v));
}

// Salary information files for a league of 8 teams and next ID 106 (records 100..105).
Bytes Version2File() {
    Bytes b;
    Append(b, {0xB0, 0x07, 2, 0, 0xAB, 0xCD});  // magic 1968, version 2, reserved
    Append(b, {1, 2, 3, 4, 5, 6, 7, 8});        // restructures
    Append(b, {9, 10, 11, 12, 13, 14, 15, 16}); // counter2
    // 100: signed 1999, under contract with team 2, CGS 1,000,000, 3 years, bonus 900,000,
    // salary 3,000,000, 1 decline, reserved 0x5A, 0x44332211, 0x6655.
    Append(b, {100, 0,    0xCF, 0x07, 0,    2,    0xFF, 0,    0x40, 0x42, 0x0F, 0,
               3,   0,    0,    0,    0xA0, 0xBB, 0x0D, 0,    0xC0, 0xC6, 0x2D, 0,
               1,   0x5A, 0,    0,    0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0,    0});
    // 101 stored as 555: signed 2000, exclusive free agent, round 2 pick 14.
    Append(b, {0x2B, 0x02, 0xD0, 0x07, 5, 0xFF, 0xFF, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0,
               0,    0,    0,    0,    0, 0,    0,    0, 2, 14, 0, 0, 0, 0, 0, 0, 0, 0});
    // 102: all zero, stored ID 0.
    b.insert(b.end(), 36, 0);
    // 103 cut short after its CGS: signed 1998, tendered, team 1, CGS 700,000.
    Append(b, {103, 0, 0xCE, 0x07, 6, 1, 0xFF, 0, 0x60, 0xAE, 0x0A, 0});
    return b;
}

class ListFixture : public PlannedLeagueTest {
  protected:
    void Open() { OpenPlan(); }
    std::string FRO() const { return dir.File("test.FRO"); }

    ScriptedPrompt prompt;
};

class FroFixture : public ListFixture {
  protected:
    void SetUp() override {
        plan.nextID = 106;
        plan.Add(100, Player::QB, 5);
        plan.Add(101, Player::HB, 0);
        plan.rosters = {{}, {}, {100}};
    }
};

} // namespace

TEST_F(FroFixture, LoadsVersion2FileRepairingIdsAndKeepingDefaultsForMissingBytes) {
    dir.Write("test.FRO", Version2File());
    Open();
    ASSERT_TRUE(list->Load(prompt));
    EXPECT_TRUE(prompt.History().empty());
    EXPECT_EQ(list->Count(), 106);

    const Contract a = list->GetContract(100);
    EXPECT_EQ(a.playerID, 100);
    EXPECT_EQ(a.yrSigned, 1999);
    EXPECT_EQ(a.status, Contract::UnderContract);
    EXPECT_EQ(a.contractTeam, 2);
    EXPECT_EQ(a.offerTeam, -1);
    EXPECT_EQ(a.cgs, 1000000u);
    EXPECT_EQ(a.years, 3);
    EXPECT_EQ(a.bonus, 900000u);
    EXPECT_EQ(a.salary, 3000000u);
    EXPECT_EQ(a.declines, 1);
    EXPECT_EQ(a.reserved25, 0x5A);
    EXPECT_EQ(a.reserved28, 0x44332211u);
    EXPECT_EQ(a.reserved32, 0x6655);

    const Contract b = list->GetContract(101);
    EXPECT_EQ(b.playerID, 101); // stored as 555
    EXPECT_EQ(b.status, Contract::ExclusiveFA);
    EXPECT_EQ(b.round, 2);
    EXPECT_EQ(b.pick, 14);
    EXPECT_EQ(list->GetContract(102).playerID, 102);
    EXPECT_EQ(list->GetContract(102).status, 0);

    // 103 is cut short: what arrived is taken, the rest is the default record.
    const Contract d = list->GetContract(103);
    EXPECT_EQ(d.yrSigned, 1998);
    EXPECT_EQ(d.status, Contract::Tendered);
    EXPECT_EQ(d.contractTeam, 1);
    EXPECT_EQ(d.cgs, 700000u);
    EXPECT_EQ(d.years, 0);
    EXPECT_EQ(d.salary, 0u);
    // 104 and 105 are missing altogether.
    Contract missing(2000);
    missing.playerID = 105;
    EXPECT_EQ(list->GetContract(105), missing);

    const TeamInfo t4 = list->GetTeamInfo(4);
    EXPECT_EQ(t4.restructures, 5);
    EXPECT_EQ(t4.counter2, 13);
    // Totals are recomputed on load: player 100 charges team 2 his second year,
    // 33 % of 3,000,000 plus 300,000 of bonus.
    EXPECT_EQ(list->CurrentPayroll(2), 1290000);
    EXPECT_EQ(list->EstimatedPayroll(2), 1290000);
    EXPECT_EQ(list->BonusSpent(2), 0);
}

TEST_F(FroFixture, LoadsVersion1FileWithoutSecondCountersAndSavesVersion2) {
    Bytes v1;
    Append(v1, {0xB0, 0x07, 1, 0, 0x11, 0x22});
    Append(v1, {1, 2, 3, 4, 5, 6, 7, 8});
    const Bytes v2 = Version2File();
    v1.insert(v1.end(), v2.begin() + 22, v2.begin() + 22 + 3 * 36); // records 100..102
    v1.insert(v1.end(), 36 * 3, 0x77);                              // records 103..105: all 0x77
    for (int i = 0; i < 20; ++i)
        v1.push_back(static_cast<std::uint8_t>(0xE0 + i)); // bytes beyond the records
    dir.Write("test.FRO", v1);
    Open();
    ASSERT_TRUE(list->Load(prompt));
    EXPECT_EQ(list->GetTeamInfo(7).restructures, 8);
    EXPECT_EQ(list->GetTeamInfo(7).counter2, 0);
    EXPECT_EQ(list->GetContract(100).salary, 3000000u);
    EXPECT_EQ(list->GetContract(104).playerID, 104);
    EXPECT_EQ(list->GetContract(104).status, 0x77);

    ASSERT_TRUE(list->Save());
    // Version 2 with the reserved bytes as read, the counters, the records with repaired
    // IDs, and then what lay beyond the rewritten part of the old file.
    Bytes expected;
    Append(expected, {0xB0, 0x07, 2, 0, 0x11, 0x22, 1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0, 0, 0, 0, 0});
    for (int id = 100; id < 106; ++id) {
        Bytes record(v1.begin() + 14 + (id - 100) * 36, v1.begin() + 14 + (id - 99) * 36);
        tolvik::writeS16le(record.data(), static_cast<std::int16_t>(id));
        expected.insert(expected.end(), record.begin(), record.end());
    }
    expected.insert(expected.end(), v1.begin() + static_cast<std::ptrdiff_t>(expected.size()), v1.end());
    EXPECT_EQ(dir.Read("test.FRO"), expected);
    EXPECT_EQ(expected.size(), v1.size());
}

TEST_F(FroFixture, RejectsWrongMagicVersionOrTruncatedHeader) {
    Open();
    for (const Bytes& header : {Bytes{0xB1, 0x07, 2, 0, 0, 0}, Bytes{0xB0, 0x07, 3, 0, 0, 0},
                                Bytes{0xB0, 0x07, 0, 0, 0, 0}, Bytes{0xB0, 0x07}, Bytes{}}) {
        Bytes file = header;
        if (file.size() == 6)
            file.insert(file.end(), 100, 0);
        dir.Write("test.FRO", file);
        EXPECT_FALSE(list->Load(prompt)) << header.size();
    }
    EXPECT_TRUE(prompt.History().empty());
}

TEST_F(ListFixture, AFileOfAnotherLeagueIsNeitherTakenNorWrittenOver) {
    plan.nextID = 130;
    // What this league of 8 teams would hold: records 100..129, each naming its player.
    Bytes own;
    Append(own, {0xB0, 0x07, 2, 0, 0, 0});
    own.insert(own.end(), 16, 0);
    for (int id = 100; id < 130; ++id) {
        Bytes record(36, 0);
        tolvik::writeS16le(record.data(), static_cast<std::int16_t>(id));
        record[12] = 3; // three years
        own.insert(own.end(), record.begin(), record.end());
    }
    // The same records behind the counters of 26 teams: read 36 bytes early here, each
    // place holds the record of the player before it.
    Bytes shifted = own;
    shifted.insert(shifted.begin() + 22, 36, 0);
    dir.Write("test.FRO", shifted);
    Open();
    EXPECT_FALSE(list->Load(prompt));
    EXPECT_EQ(list->GetLoadError(), "the salary information file test.FRO does not belong to this league: "
                                    "its records are those of a league of 26 teams, "
                                    "and this league has 8; it was left as it is");
    EXPECT_EQ(list->GetContract(101).years, 0); // nothing of the file was taken
    list->SetCGS(100, 123456);
    EXPECT_FALSE(list->Save());
    EXPECT_EQ(list->GetSaveError(),
              "test.FRO was not read as this league's salary information; it was left as it is");
    EXPECT_EQ(dir.Read("test.FRO"), shifted);

    // Neither is a file Load refused for its header.
    const Bytes wrongMagic{0xB1, 0x07, 2, 0, 0, 0};
    dir.Write("test.FRO", wrongMagic);
    EXPECT_FALSE(list->Load(prompt));
    EXPECT_FALSE(list->Save());
    EXPECT_EQ(dir.Read("test.FRO"), wrongMagic);

    // The league's own file is taken, and may be written again.
    dir.Write("test.FRO", own);
    EXPECT_TRUE(list->Load(prompt));
    EXPECT_EQ(list->GetContract(129).years, 3);
    EXPECT_TRUE(list->Save());
}

TEST_F(FroFixture, KeptEditsComeBackAndAFileThatIsNoneChangesNothing) {
    Open();
    list->SetCGS(101, 750000);
    list->GetRecord(103)->round = 2;
    list->GetRecord(103)->pick = 7;
    std::string why;
    ASSERT_TRUE(KeptSalaryEdits::Write(*list, dir.File("kept.cgs"), why)) << why;
    const Bytes kept = dir.Read("kept.cgs");
    ASSERT_EQ(kept.size(), 8u + 6 * 8);
    EXPECT_EQ(Bytes(kept.begin(), kept.begin() + 8), (Bytes{'B', 'R', 'V', 'E', 6, 0, 0, 0}));
    EXPECT_EQ(Bytes(kept.begin() + 16, kept.begin() + 24), (Bytes{101, 0, 0xB0, 0x71, 0x0B, 0, 0, 0}));
    EXPECT_EQ(Bytes(kept.begin() + 32, kept.begin() + 40), (Bytes{103, 0, 0, 0, 0, 0, 2, 7}));

    ContractList fresh(*league, options);
    ASSERT_TRUE(KeptSalaryEdits::Take(fresh, dir.File("kept.cgs"), why)) << why;
    EXPECT_EQ(fresh.GetContract(101).cgs, 750000u);
    EXPECT_EQ(fresh.GetContract(103).round, 2);
    EXPECT_EQ(fresh.GetContract(103).pick, 7);

    // One entry short of its count, or a player the league lacks: nothing is taken.
    ContractList other(*league, options);
    Bytes shortOne = kept;
    shortOne.resize(shortOne.size() - 8);
    Bytes stranger = kept;
    stranger[8] = 200;
    for (const Bytes& file : {shortOne, stranger}) {
        dir.Write("kept.cgs", file);
        EXPECT_FALSE(KeptSalaryEdits::Take(other, dir.File("kept.cgs"), why));
        EXPECT_EQ(other.GetContract(101).cgs, 0u);
    }
    EXPECT_EQ(why, "it names player 200, whom this league does not have");
}

TEST_F(FroFixture, FindsTheFileIgnoringCaseAndWritesBackToIt) {
    dir.Write("TEST.fro", Version2File());
    Open();
    ASSERT_TRUE(list->Load(prompt));
    EXPECT_EQ(list->GetContract(100).salary, 3000000u);
    ASSERT_TRUE(list->Save());
    // The folder's own names: where the file system ignores case, "test.FRO" would name the same file.
    const auto names = dir.List();
    EXPECT_NE(std::find(names.begin(), names.end(), "TEST.fro"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "test.FRO"), names.end());
    EXPECT_EQ(dir.Read("TEST.fro").size(), 6u + 16 + 6 * 36);
}

TEST_F(FroFixture, SaveCreatesAFreshFileWithZeroCounters) {
    Open();
    list->GetRecord(100)->cgs = 1234;
    list->GetTeamRecord(3)->restructures = 9; // not kept for a new file
    ASSERT_TRUE(list->Save());
    const Bytes b = dir.Read("test.FRO");
    ASSERT_EQ(b.size(), 6u + 16 + 6 * 36);
    Bytes header = {0xB0, 0x07, 2, 0, 0, 0};
    header.insert(header.end(), 16, 0);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 22), header);
    // Record 100 begins at 22: its stored ID is still 0 (nothing set it), CGS at +8.
    EXPECT_EQ(tolvik::readU32le(&b[22 + 8]), 1234u);
    EXPECT_EQ(b[22 + 5], 0xFF);
    EXPECT_EQ(tolvik::readU16le(&b[22 + 2]), 2000);
    // Nothing but the league's files and its working copies: no temporary file is left.
    for (const auto& name : dir.List())
        EXPECT_TRUE(name.rfind("test.", 0) == 0 || name.rfind("~saltmp.", 0) == 0) << name;
}

TEST_F(FroFixture, RecordsOutsideTheListAreDefaultsAndCannotBeChanged) {
    Open();
    list->SetCGS(99, 5);
    list->SetCGS(106, 5);
    EXPECT_EQ(list->GetRecord(99), nullptr);
    EXPECT_EQ(list->GetRecord(106), nullptr);
    EXPECT_EQ(list->GetContract(106), Contract(2000));
    EXPECT_EQ(list->GetContract(-1), Contract(2000));
    list->SetCGS(105, 5);
    EXPECT_EQ(list->GetContract(105).cgs, 5u);
    list->GetRecord(101)->round = 4;
    EXPECT_EQ(list->GetContract(101).round, 4);
    EXPECT_EQ(list->GetTeamInfo(8), TeamInfo{});
    EXPECT_EQ(list->GetTeamInfo(-1), TeamInfo{});
}

TEST_F(FroFixture, MissingFileAskedToBuildAndDeclined) {
    Open();
    EXPECT_FALSE(list->Load(prompt));
    ASSERT_EQ(prompt.History().size(), 1u);
    EXPECT_EQ(prompt.History()[0].kind, ScriptedPrompt::Kind::YesNo);
    EXPECT_EQ(prompt.History()[0].text, "Would you like to create Salary Information Now?");
    EXPECT_EQ(prompt.History()[0].caption, "Build Salary Info?");
    EXPECT_FALSE(dir.Exists("test.FRO"));
}

TEST_F(FroFixture, MissingFileWithSiblingFileDeclinedTwice) {
    dir.Write("test.SAL", Bytes(30, 0));
    Open();
    EXPECT_FALSE(list->Load(prompt));
    ASSERT_EQ(prompt.History().size(), 2u);
    EXPECT_EQ(prompt.History()[0].text, "Sondrel Salary file found.  Would you like to convert it?");
    EXPECT_EQ(prompt.History()[0].caption, "Convert File?");
    EXPECT_EQ(prompt.History()[1].caption, "Build Salary Info?");
    EXPECT_FALSE(dir.Exists("test.FRO"));
}

TEST_F(FroFixture, InvalidSiblingFileIsReported) {
    Bytes sal(60, 0);
    tolvik::writeU16le(sal.data(), 299);
    dir.Write("test.sal", sal);
    Open();
    prompt.Answer(true);
    EXPECT_FALSE(list->Load(prompt));
    ASSERT_EQ(prompt.History().size(), 2u);
    EXPECT_EQ(prompt.History()[1].kind, ScriptedPrompt::Kind::Message);
    EXPECT_EQ(prompt.History()[1].text, "Invalid SAL File");
    EXPECT_EQ(prompt.History()[1].caption, "Convert Error");
    EXPECT_FALSE(dir.Exists("test.FRO"));
}

namespace {

// One 30-byte record of the sibling file, laid out by hand.
Bytes SiblingRecord(int id, int season, int status, int team, std::uint32_t cgs, int years,
                    std::uint32_t bonus, std::uint32_t salary, int declines) {
    Bytes r(30, 0xEE); // bytes the conversion does not read
    tolvik::writeU16le(&r[0], static_cast<std::uint16_t>(id));
    tolvik::writeU16le(&r[3], static_cast<std::uint16_t>(season));
    r[5] = static_cast<std::uint8_t>(status);
    r[6] = static_cast<std::uint8_t>(team);
    tolvik::writeU24le(&r[7], cgs);
    r[11] = static_cast<std::uint8_t>(years);
    tolvik::writeU24le(&r[12], bonus);
    tolvik::writeU24le(&r[16], salary);
    r[29] = static_cast<std::uint8_t>(declines);
    return r;
}

} // namespace

TEST_F(ListFixture, ConvertsASiblingFileWithTeamsTagsAndMultiYearDeals) {
    plan.nextID = 110;
    plan.Add(100, Player::QB, 6);
    plan.Add(101, Player::WR, 5);
    plan.Add(102, Player::LB, 2); // free agent
    plan.Add(103, Player::G, 5);
    plan.Add(104, Player::T, 5);
    plan.Add(105, Player::K, 0); // on no team and no list
    plan.Add(106, Player::P, 3);
    plan.rosters = {{100}, {103, 104}, {101, 106}};
    plan.freeAgents = std::vector<std::int16_t>{102};
    Bytes sal(30, 0);
    tolvik::writeU16le(sal.data(), 300);
    for (const Bytes& r : {
             SiblingRecord(100, 1999, 0, 1, 1000000, 3, 900000, 3000000, 1), // team 1 is our team 0
             SiblingRecord(101, 2000, 4, 3, 1500000, 0, 0, 0, 0),            // franchise tag
             SiblingRecord(102, 2000, 2, 0, 300000, 0, 0, 0, 2),             // no team, no contract
             SiblingRecord(103, 1999, 1, 2, 800000, 2, 200000, 1600000, 0),  // two years: under contract
             SiblingRecord(104, 2000, 3, 2, 900000, 4, 400000, 3600000, 0),  // tag with 4 years: contract
             SiblingRecord(105, 2000, 2, 0, 0, 0, 0, 0, 0),                  // retired
             SiblingRecord(50, 2000, 0, 1, 1, 1, 1, 1, 1),                   // no such player
             SiblingRecord(110, 2000, 0, 1, 1, 1, 1, 1, 1),                  // beyond the league
             SiblingRecord(65535, 2000, 0, 1, 1, 1, 1, 1, 1),
         })
        sal.insert(sal.end(), r.begin(), r.end());
    const Bytes partial = SiblingRecord(106, 2000, 0, 3, 5, 5, 5, 5, 5);
    sal.insert(sal.end(), partial.begin(), partial.begin() + 20); // a record cut short is not read
    dir.Write("test.SAL", sal);
    Open();
    prompt.Answer(true);
    ASSERT_TRUE(list->Load(prompt));
    ASSERT_EQ(prompt.History().size(), 1u);
    ASSERT_TRUE(dir.Exists("test.FRO"));
    EXPECT_EQ(dir.Read("test.FRO").size(), 6u + 16 + 10 * 36);

    const Contract a = list->GetContract(100);
    EXPECT_EQ(a.contractTeam, 0);
    EXPECT_EQ(a.status, Contract::UnderContract);
    EXPECT_EQ(a.years, 3);
    EXPECT_EQ(a.yrSigned, 1999);
    EXPECT_EQ(a.cgs, 1000000u);
    EXPECT_EQ(a.bonus, 900000u);
    EXPECT_EQ(a.salary, 3000000u);
    EXPECT_EQ(a.declines, 1);
    EXPECT_EQ(a.offerTeam, -1);

    const Contract b = list->GetContract(101); // a tag is a one-year contract at the CGS
    EXPECT_EQ(b.status, Contract::FranchisePlayer);
    EXPECT_EQ(b.contractTeam, 2);
    EXPECT_EQ(b.years, 1);
    EXPECT_EQ(b.salary, 1500000u);

    const Contract c = list->GetContract(102); // 2 years of experience: exclusive rights
    EXPECT_EQ(c.contractTeam, -1);
    EXPECT_EQ(c.status, Contract::ExclusiveFA);
    EXPECT_EQ(c.declines, 2);

    EXPECT_EQ(list->GetContract(103).status, Contract::UnderContract);
    EXPECT_EQ(list->GetContract(103).contractTeam, 1);
    // The length rule comes first: a tagged player with four years is under contract.
    const Contract e = list->GetContract(104);
    EXPECT_EQ(e.status, Contract::UnderContract);
    EXPECT_EQ(e.years, 4);
    EXPECT_EQ(e.salary, 3600000u);
    EXPECT_EQ(list->GetContract(105).status, Contract::Retired);
    // Players the file does not list keep the default record, repaired on load.
    Contract untouched(2000);
    untouched.playerID = 106;
    EXPECT_EQ(list->GetContract(106), untouched);

    // Team 1: 103's second year (55 % of 1,600,000 + 100,000) and 104's first
    // (18 % of 3,600,000 + 100,000).
    EXPECT_EQ(list->CurrentPayroll(1), 980000 + 748000);
    // Bonus money of contracts signed this season: 104's 400,000 with team 1.
    EXPECT_EQ(list->BonusSpent(1), 400000);
}

TEST_F(ListFixture, BuildValuesEveryPlayerAndAssignsStatusesByExperience) {
    plan.nextID = 107;
    plan.stage = 2; // the draft file is in use
    plan.Add(100, Player::QB, 0, {60, 60, 60, 60, 60, 60, 60, 60});
    plan.Add(101, Player::DE, 3, {60, 60, 60, 60, 60, 60, 60, 60});
    plan.Add(102, Player::CB, 4, {60, 60, 60, 60, 60, 60, 60, 60});
    plan.Add(103, Player::LB, 10, {60, 60, 60, 60, 60, 60, 60, 60}); // free agent
    plan.Add(104, Player::S, 0, {60, 60, 60, 60, 60, 60, 60, 60});   // draft prospect
    plan.Add(105, Player::K, 7, {60, 60, 60, 60, 60, 60, 60, 60});   // retired
    plan.rosters = {{100}, {101}, {102}};
    plan.freeAgents = std::vector<std::int16_t>{103};
    plan.draft = std::vector<std::int16_t>{104};
    Open();
    prompt.Answer(true);
    ASSERT_TRUE(list->Load(prompt));
    const std::uint8_t expected[] = {Contract::ExclusiveFA,    Contract::RestrictedFA,
                                     Contract::UnrestrictedFA, Contract::UnrestrictedFA,
                                     Contract::ExclusiveFA,    Contract::Retired};
    for (int id = 100; id < 106; ++id) {
        const Contract c = list->GetContract(id);
        EXPECT_EQ(c.status, expected[id - 100]) << id;
        EXPECT_EQ(c.playerID, id);
        EXPECT_EQ(c.years, 0);
        EXPECT_EQ(c.contractTeam, -1);
        EXPECT_EQ(c.yrSigned, 2000);
        EXPECT_EQ(c.cgs > 0, id != 105) << id;
    }
    const Bytes b = dir.Read("test.FRO");
    ASSERT_EQ(b.size(), 6u + 16 + 7 * 36);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 6), (Bytes{0xB0, 0x07, 2, 0, 0, 0}));
    // Stored IDs are written by the build.
    EXPECT_EQ(tolvik::readS16le(&b[22 + 36 * 5]), 105);
    // The estimated payroll of team 0 is the CGS of its player without salary.
    EXPECT_EQ(list->EstimatedPayroll(0), static_cast<std::int32_t>(list->GetContract(100).cgs));
    EXPECT_EQ(list->CurrentPayroll(0), 0);
}

namespace {

class TotalsFixture : public ListFixture {
  protected:
    void SetUp() override {
        plan.nextID = 120;
        for (std::int16_t id = 100; id < 120; ++id)
            plan.Add(id, Player::QB, 5);
        plan.rosters = {{}, {}, {}, {103}, {104}, {105, 107}, {106}, {}};
        plan.freeAgents = std::vector<std::int16_t>{100, 101, 108};
        Open();
    }
    void Set(int id, int status, int team, int years, std::uint32_t salary, std::uint32_t bonus, int signed_,
             std::uint32_t cgs = 0) {
        Contract* c = list->GetRecord(id);
        c->status = static_cast<std::uint8_t>(status);
        c->contractTeam = static_cast<std::int8_t>(team);
        c->years = static_cast<std::int8_t>(years);
        c->salary = salary;
        c->bonus = bonus;
        c->yrSigned = static_cast<std::uint16_t>(signed_);
        c->cgs = cgs;
    }
};

} // namespace

TEST_F(TotalsFixture, EveryRuleOfTheTeamTotals) {
    // Free agents on one-year deals: 30 % and exactly 20 % bonus charge the bonus share,
    // 10 % charges 35 % of the first-year base.
    Set(100, Contract::UnrestrictedFA, 0, 1, 1000000, 300000, 2000);
    Set(101, Contract::UnrestrictedFA, 1, 1, 1000000, 100000, 1999);
    Set(108, Contract::UnrestrictedFA, 1, 1, 1000000, 200000, 1999);
    // A retired player's bonus share still counts against his old team.
    Set(102, Contract::Retired, 2, 3, 3000000, 900000, 2000);
    // A tendered player adds his CGS, not his salary, to the estimate.
    Set(103, Contract::Tendered, 3, 1, 500000, 0, 2000, 800000);
    // Second year of a three-year deal: 990,000 base + 300,000 bonus.
    Set(104, Contract::UnderContract, 4, 3, 3000000, 900000, 1999);
    // No salary: the CGS goes into the estimate.
    Set(105, Contract::UnrestrictedFA, -1, 0, 0, 0, 2000, 400000);
    // Traded: the bonus stays with team 7, the base goes to team 6.
    Set(106, Contract::UnderContract, 7, 2, 2000000, 1000000, 2000);
    // A contract team the league does not have.
    Set(107, Contract::UnderContract, 20, 2, 2000000, 0, 2000);
    list->RecomputeTotals();

    auto team = [&](int t) {
        const TeamInfo i = list->GetTeamInfo(t);
        return std::array<std::int32_t, 3>{i.bonusSpent, i.currentPayroll, i.estimatedPayroll};
    };
    using T = std::array<std::int32_t, 3>;
    EXPECT_EQ(team(0), (T{300000, 300000, 300000}));
    EXPECT_EQ(team(1), (T{0, 350000 + 200000, 350000 + 200000}));
    EXPECT_EQ(team(2), (T{0, 300000, 300000})); // no bonus money: on no team and not a free agent
    EXPECT_EQ(team(3), (T{0, 0, 800000}));
    EXPECT_EQ(team(4), (T{0, 1290000, 1290000}));
    EXPECT_EQ(team(5), (T{0, 900000, 400000 + 900000}));
    EXPECT_EQ(team(6), (T{0, 900000, 900000}));
    EXPECT_EQ(team(7), (T{1000000, 500000, 500000}));
    EXPECT_EQ(list->BonusSpent(7), 1000000);
    EXPECT_EQ(list->CurrentPayroll(4), 1290000);
    EXPECT_EQ(list->EstimatedPayroll(3), 800000);

    // Without "Include Retired in Salary Total" the retired player charges nothing.
    options.add_retired = 0;
    list->RecomputeTotals();
    EXPECT_EQ(team(2), (T{0, 0, 0}));
    EXPECT_EQ(team(0), (T{300000, 300000, 300000}));
}

TEST_F(TotalsFixture, PlacesAgreeWithTheLeagueLookups) {
    TempDir other;
    TestLeague gen;
    gen.nextID = 140;
    gen.stage = 3;
    for (std::int16_t id = 100; id < 140; ++id)
        gen.Add(id, static_cast<Player::Pos>(id % 15), 3);
    gen.rosters = {{100, 101, 102}, {103, 100, 0, 150}, {}, {104, 104, 139, -5}};
    gen.freeAgents = std::vector<std::int16_t>{110, 111, 50, 112, 101};
    gen.draft = std::vector<std::int16_t>{120, 121};
    auto lg = gen.Open(other);
    ContractList places(*lg, options);
    const ContractList::Places p = places.LookUpPlaces();
    for (int id = 0; id < 140; ++id) {
        EXPECT_EQ(p.team[id], lg->FindTeam(static_cast<short>(id))) << id;
        EXPECT_EQ(p.freeAgent[id] != 0, lg->IsFreeAgent(static_cast<short>(id))) << id;
    }
    EXPECT_EQ(p.team[100], 0);
    EXPECT_TRUE(p.freeAgent[121]);
}
