#include "contracts/ContractEditor.h"
#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "league/MoneyText.h"
#include "support/OfferFixtures.h"
#include "support/PlannedLeagueTest.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"

#include <gtest/gtest.h>

namespace {

using Color = EditorFields::AcceptColor;

std::array<std::uint16_t, 10> Line(std::uint16_t type, std::uint16_t owner, std::uint16_t count,
                                   std::array<std::uint16_t, 7> words = {}) {
    return {type, owner, count, words[0], words[1], words[2], words[3], words[4], words[5], words[6]};
}

// An eight-team league in season 2000 whose club 1 is managed.
class EditorFixture : public PlannedLeagueTest {
  protected:
    void SetUp() override {
        plan.Add(120, Player::QB, 5, {61, 62, 63, 64, 65, 66, 67, 68}).potential =
            std::array<std::int8_t, 8>{71, 72, 73, 74, 75, 76, 77, 78};
        plan.Add(121, Player::HB, 0); // rookie
        plan.Add(122, Player::WR, 4); // other club, offer sheet
        plan.Add(123, Player::TE, 7); // holdout
        plan.Add(124, Player::C, 3);  // contract starting next season
        plan.Add(125, Player::G, 1);
        plan.Add(126, Player::T, 0);
        plan.Add(127, Player::DE, 2);
        plan.Add(128, Player::LB, 6); // unrestricted free agent of the club
        plan.Add(129, Player::CB, 6); // CGS 0
        plan.Add(150, Player::K, 6);  // free agent
        plan.Add(160, Player::P, 9);  // retired
        plan.rosters = {{}, {120, 121, 123, 124, 125, 126, 127, 128, 129}, {122}};
        plan.freeAgents = std::vector<std::int16_t>{150};
        plan.stats = {Line(35, 120, 30, {250, 20, 2, 40}), Line(2, 120, 10, {50, 5, 1}),
                      Line(66, 120, 900, {4000, 40, 30}), Line(34, 120, 100, {400, 30, 4})};
    }

    void Open() {
        OpenPlan();
        Set(120, [](Contract& c) {
            SignFourYearsOf1998(c, 120);
            c.declines = 2;
        });
        Set(121, [](Contract& c) {
            c.status = Contract::ExclusiveFA;
            c.round = 2;
            c.pick = 7;
        });
        Set(122, [](Contract& c) {
            c.status = Contract::OfferSheet;
            c.contractTeam = 2;
            c.offerTeam = 3;
            c.yrSigned = 1999;
            c.years = 2;
        });
        Set(123, [](Contract& c) { c.status = Contract::Holdout; });
        Set(124, [](Contract& c) {
            c.status = Contract::UnderContract;
            c.yrSigned = 2001;
            c.years = 2;
            c.salary = 1000000;
        });
        for (int id : {125, 126, 127})
            Set(id, [](Contract& c) {
                c.status = Contract::UnderContract;
                c.yrSigned = 1999;
                c.years = 3;
            });
        Set(128, [](Contract& c) { c.cgs = 2000000; });
        Set(150, [](Contract& c) { c.cgs = 1000000; });
        Set(160, [](Contract& c) { c.status = Contract::Retired; });
        editor = std::make_unique<ContractEditor>(*list, "ContractManagerForm");
        editor->SetUserTeam(1);
        editor->ListTeams();
        editor->TeamListBoxChange(1);
    }

    template <typename F> void Set(int id, F change) {
        Contract& c = *list->GetRecord(id);
        c.playerID = static_cast<std::int16_t>(id);
        change(c);
    }

    void Type(const std::string& years, const std::string& salary, const std::string& bonus) {
        EditorFields& f = editor->Fields();
        f.years = years;
        f.salary = salary;
        f.bonus = bonus;
        editor->CalcAccept();
    }

    const EditorFields& F() const { return editor->Fields(); }

    std::unique_ptr<ContractEditor> editor;
};

} // namespace

TEST_F(EditorFixture, PlayerUnderContractSignedTwoSeasonsAgo) {
    Open();
    ASSERT_TRUE(editor->ShowPlayerByID(120));
    EXPECT_EQ(F().playerID, "120");
    EXPECT_EQ(F().playerFirstName, "First");
    EXPECT_EQ(F().playerLastName, "P120");
    EXPECT_EQ(F().currentTeam, "Team 1");
    EXPECT_EQ(F().Pos, "QB");
    EXPECT_EQ(F().age, "5");
    // Ratings arrive as AC AG DI EN HA IN SP ST.
    EXPECT_EQ(F().aAC, "61");
    EXPECT_EQ(F().aDI, "63");
    EXPECT_EQ(F().aSP, "67");
    EXPECT_EQ(F().aST, "68");
    EXPECT_EQ(F().pAC, "71");
    EXPECT_EQ(F().pIN, "76");
    EXPECT_EQ(F().pST, "78");
    EXPECT_EQ(F().yrSigned, "1998");
    EXPECT_EQ(F().yrFree, "2002");
    EXPECT_EQ(F().faType, "Unrestricted"); // 5 years now, 7 when the contract ends
    EXPECT_EQ(F().contractTeam, "Team 1");
    EXPECT_EQ(F().years, "4");
    EXPECT_EQ(F().declines, "2");
    EXPECT_EQ(F().cgs, "1,000,000");
    EXPECT_EQ(F().salary, "4,000,000");
    EXPECT_EQ(F().bonus, "400,000");
    // Year 3 of 18/22/27/33: 27 % of 4,000,000, and 400,000 / 4 of bonus.
    EXPECT_EQ(F().currentBase, "1,080,000");
    EXPECT_EQ(F().currentBonus, "100,000");
    EXPECT_EQ(F().caphit, (std::vector<std::string>{"1998: $820,000", "1999: $980,000", "2000: $1,180,000",
                                                    "2001: $1,420,000"}));
    EXPECT_EQ(F().caphitSelected, 2);
    // A 10 % bonus on a four-year contract is below the minimum: no chance.
    EXPECT_EQ(F().accept_percent, "0");
    EXPECT_EQ(F().acceptColor, Color::Red);
    EXPECT_FALSE(F().FranchiseTag || F().TransitionTag || F().tender || F().HoldoutLabel);
    EXPECT_FALSE(F().roundPickShown);
    EXPECT_FALSE(editor->PotentialsMasked());
}

TEST_F(EditorFixture, FreeAgentRetiredAndFutureContracts) {
    Open();
    editor->ShowPlayerByID(150);
    EXPECT_EQ(F().currentTeam, "Free Agent");
    EXPECT_EQ(F().yrSigned, "----");
    EXPECT_EQ(F().yrFree, "2000");
    EXPECT_EQ(F().contractTeam, "");
    EXPECT_TRUE(F().caphit.empty());
    EXPECT_EQ(F().caphitSelected, -1);

    editor->ShowPlayerByID(160);
    EXPECT_EQ(F().currentTeam, "Retired");
    EXPECT_EQ(F().Pos, "P");

    editor->ShowPlayerByID(124);
    EXPECT_EQ(F().caphit, (std::vector<std::string>{"2001: $450,000", "2002: $550,000"}));
    EXPECT_EQ(F().caphitSelected, -1); // signed in a season still to come
    EXPECT_EQ(F().currentBase, "0");
    // An options file may split a salary into a negative share: it reads as one.
    options.SetSplits(1, {150, -50, 0, 0, 0, 0, 0});
    editor->ShowPlayerByID(124);
    EXPECT_EQ(F().caphit, (std::vector<std::string>{"2001: $1,500,000", "2002: -$500,000"}));
}

TEST_F(EditorFixture, OfferSheetHoldoutRookieAndTags) {
    Open();
    editor->ShowPlayerByID(122);
    EXPECT_EQ(F().yrSigned, "1999 to an Offersheet by Team 3");
    EXPECT_EQ(F().yrFree, "2001");
    EXPECT_EQ(F().currentTeam, "Team 2");

    editor->ShowPlayerByID(123);
    EXPECT_TRUE(F().HoldoutLabel);

    editor->ShowPlayerByID(121);
    EXPECT_FALSE(F().HoldoutLabel);
    EXPECT_TRUE(F().roundPickShown);
    EXPECT_EQ(F().Round, "2");
    EXPECT_EQ(F().Pick, "7");
    EXPECT_EQ(F().faType, "Exclusive");

    const std::pair<int, bool EditorFields::*> tags[] = {
        {Contract::TransitionPlayer, &EditorFields::TransitionTag},
        {Contract::FranchisePlayer, &EditorFields::FranchiseTag},
        {Contract::Tendered, &EditorFields::tender}};
    for (const auto& [status, box] : tags) {
        list->GetRecord(125)->status = static_cast<std::uint8_t>(status);
        editor->ShowPlayerByID(125);
        EXPECT_TRUE(F().*box) << status;
        EXPECT_EQ(F().FranchiseTag + F().TransitionTag + F().tender, 1);
    }
}

TEST_F(EditorFixture, FreeAgentKindAroundTheRestrictedThreshold) {
    Open();
    // Contracts of 1999 for three years end in 2002: two more seasons of experience.
    editor->ShowPlayerByID(126); // 0 + 2 < 3
    EXPECT_EQ(F().faType, "Exclusive");
    editor->ShowPlayerByID(125); // 1 + 2 = 3
    EXPECT_EQ(F().faType, "Restricted");
    editor->ShowPlayerByID(127); // 2 + 2 > 3
    EXPECT_EQ(F().faType, "Unrestricted");
}

TEST_F(EditorFixture, StatisticsGoToTheTabOfTheirScope) {
    Open();
    editor->ShowPlayerByID(120);
    ASSERT_EQ(F().GameStatOutput.size(), 1u);
    ASSERT_EQ(F().SeasonStatOutput.size(), 2u);
    ASSERT_EQ(F().CareerStatOutput.size(), 1u);
    EXPECT_EQ(F().GameStatOutput[0].rfind("Rushes: ", 0), 0u);
    // Season rushing (34) before season passing (35), whatever the file's order.
    EXPECT_EQ(F().SeasonStatOutput[0].rfind("Rushes: ", 0), 0u);
    EXPECT_EQ(F().SeasonStatOutput[1].rfind("Passing ", 0), 0u);
    EXPECT_EQ(F().CareerStatOutput[0].rfind("Rushes: ", 0), 0u);

    editor->ShowPlayerByID(150);
    EXPECT_TRUE(F().GameStatOutput.empty() && F().SeasonStatOutput.empty() && F().CareerStatOutput.empty());
}

TEST_F(EditorFixture, ChanceWhileTyping) {
    Open();
    editor->ShowPlayerByID(150); // a free agent valued at 1,000,000
    Type("1", "1,000,000", "");
    EXPECT_EQ(F().accept_percent, "62");
    EXPECT_EQ(F().acceptColor, Color::Green); // 60 and more is green
    EXPECT_EQ(F().caphit, std::vector<std::string>{"2000: $1,000,000"});
    Type("1", "1,000,000", "200,000");
    EXPECT_EQ(F().accept_percent, "74");
    EXPECT_EQ(F().acceptColor, Color::Green);
    Type("2", "2,000,000", "400,000");
    EXPECT_EQ(F().accept_percent, "75");
    Type("3", "$3,000,000", "600000");
    EXPECT_EQ(F().accept_percent, "76");
    Type("3", "3,000,000", "900,000");
    EXPECT_EQ(F().caphit,
              (std::vector<std::string>{"2000: $1,110,000", "2001: $1,290,000", "2002: $1,500,000"}));
    EXPECT_EQ(F().caphitSelected, -1);
    Type("2", "2,000,000", "0");
    EXPECT_EQ(F().accept_percent, "0"); // no bonus is below the minimum for two years
    EXPECT_EQ(F().acceptColor, Color::Red);
}

TEST_F(EditorFixture, TypingThatIsNoOfferShowsANoteInsteadOfAChance) {
    using Lines = std::vector<std::string>;
    Open();
    // Before any player is shown nothing can be computed, and nothing throws.
    Type("1", "1,000,000", "");
    EXPECT_EQ(F().accept_percent, "");
    EXPECT_EQ(F().chanceExplanation, Lines{"Player ID: no player is shown"});

    editor->ShowPlayerByID(150);
    Type("1", "1,000,000", "200,000");
    EXPECT_EQ(F().accept_percent, "74");
    // Beyond the longest contract of 4 years: no chance, and the note says why; the lines are
    // the typed offer's.
    Type("5", "1,000,000", "200,000");
    EXPECT_EQ(F().accept_percent, "");
    EXPECT_EQ(F().acceptColor, Color::None);
    EXPECT_EQ(F().chanceExplanation, Lines{"Longer than the longest contract of 4 years"});
    EXPECT_EQ(F().caphit.size(), 5u);

    // Text that is not (yet) a number: no chance, no lines, and a note naming the box.
    Type("1", "abc", "");
    EXPECT_EQ(F().accept_percent, "");
    EXPECT_EQ(F().chanceExplanation, Lines{"Base Salary: 'abc' is not a valid integer value"});
    EXPECT_TRUE(F().caphit.empty());
    Type("-", "1,000", "x");
    EXPECT_EQ(F().chanceExplanation, Lines{"Length: '-' is not a valid integer value"});
    Type("1", "1,000", "x");
    EXPECT_EQ(F().chanceExplanation, Lines{"Bonus: 'x' is not a valid integer value"});
    Type("1", "1,000,000", "200,000");
    EXPECT_EQ(F().accept_percent, "74");
    EXPECT_EQ(F().caphit.size(), 1u);

    // A negative length is no offer.
    Type("-2", "1,000,000", "200,000");
    EXPECT_EQ(F().accept_percent, "0");
    EXPECT_TRUE(F().caphit.empty());
    Type("", "", "");
    EXPECT_EQ(F().accept_percent, "0");
}

TEST_F(EditorFixture, DeclinesCostThoseWhoAreNotFreeAgents) {
    Open();
    editor->ShowPlayerByID(120); // under contract, 2 declines, CGS 1,000,000
    Type("1", "1,000,000", "");
    EXPECT_EQ(F().accept_percent, "12");
    EXPECT_EQ(F().acceptColor, Color::Red);
    list->GetRecord(120)->status = Contract::RestrictedFA;
    Type("1", "1,000,000", "");
    EXPECT_EQ(F().accept_percent, "52");
}

TEST_F(EditorFixture, LeavingTheMoneyBoxesFormatsThem) {
    Open();
    editor->ShowPlayerByID(150);
    editor->Fields().salary = "1500000";
    editor->salaryExit();
    EXPECT_EQ(F().salary, "1,500,000");
    editor->Fields().bonus = "$2,5 00";
    editor->bonusExit();
    EXPECT_EQ(F().bonus, "2,500");
    // A text without digits is left as typed.
    for (const char* typed : {"", "x"}) {
        editor->Fields().bonus = typed;
        editor->bonusExit();
        EXPECT_EQ(F().bonus, typed);
    }
}

TEST_F(EditorFixture, TagBoxesExcludeEachOther) {
    Open();
    editor->FPCheck(true);
    editor->TPCheck(true);
    EXPECT_FALSE(F().FranchiseTag);
    EXPECT_TRUE(F().TransitionTag);
    editor->TendCheck(true);
    EXPECT_FALSE(F().TransitionTag);
    EXPECT_TRUE(F().tender);
    editor->TendCheck(false);
    EXPECT_FALSE(F().FranchiseTag || F().TransitionTag || F().tender);
}

TEST_F(EditorFixture, SubmitRestructureOfOwnPlayer) {
    Open();
    editor->ShowPlayerByID(120);
    Type("3", "3,000,000", "600,000");
    const Offer o = editor->saveButtonClick();
    EXPECT_EQ(o.offerType, Offer::RestructureOffer);
    EXPECT_EQ(o.playerID, 120);
    EXPECT_EQ(o.team, 1);
    EXPECT_EQ(o.years, 3);
    EXPECT_EQ(o.salary, 3000000u);
    EXPECT_EQ(o.bonus, 600000u);
    EXPECT_EQ(o.acceptPct, 26); // 76 less 2 declines of 25
    EXPECT_EQ(o.flag, 0);
}

TEST_F(EditorFixture, SubmitFillsEmptyBoxesAndSaturatesTheChance) {
    Open();
    editor->ShowPlayerByID(129); // CGS 0: any paid offer gives a chance in the millions
    Type("1", "1,000,000", "");
    EXPECT_EQ(F().accept_percent, "62000000");
    editor->Fields().bonus = "";
    Offer o = editor->saveButtonClick();
    EXPECT_EQ(F().bonus, "0");
    EXPECT_EQ(o.bonus, 0u);
    EXPECT_EQ(o.acceptPct, 32767);
    EXPECT_EQ(o.offerType, Offer::SignFreeAgent); // own unrestricted free agent

    editor->Fields().years = "";
    editor->Fields().salary = "";
    o = editor->saveButtonClick();
    EXPECT_EQ(F().years, "0");
    EXPECT_EQ(F().salary, "0");
    EXPECT_EQ(o.years, 0);
}

TEST_F(EditorFixture, SubmitTagsAndRefusals) {
    Open();
    editor->ShowPlayerByID(128); // own unrestricted free agent
    editor->FPCheck(true);
    Offer o = editor->saveButtonClick();
    EXPECT_EQ(o.offerType, Offer::FranchiseDesignation);
    EXPECT_EQ(F().accept_percent, "100");
    EXPECT_EQ(o.acceptPct, 100);

    // Another club's player may not be tagged; his offer sheet cannot be matched by us.
    editor->TeamListBoxChange(2);
    editor->ShowPlayerByID(122);
    o = editor->saveButtonClick();
    EXPECT_EQ(o.offerType, Offer::InvalidOffer);
    editor->TPCheck(true);
    const std::string before = F().accept_percent;
    o = editor->saveButtonClick();
    EXPECT_EQ(o.offerType, Offer::InvalidOffer);
    EXPECT_EQ(F().accept_percent, before);

    // A length the record cannot hold is refused rather than wrapped.
    editor->TeamListBoxChange(1);
    editor->ShowPlayerByID(120);
    editor->Fields().years = "200";
    o = editor->saveButtonClick();
    EXPECT_EQ(o.offerType, Offer::InvalidOffer);
    EXPECT_EQ(o.years, 0);
    EXPECT_EQ(editor->WhyInvalid(), "A contract of 200 years cannot be offered.");
    editor->Fields().years = "-1";
    EXPECT_EQ(editor->saveButtonClick().offerType, Offer::InvalidOffer);
    EXPECT_EQ(editor->WhyInvalid(), "A contract of -1 years cannot be offered.");

    // A length beyond the longest contract shows no chance, and its offer records none.
    Type("5", "1,000,000", "300,000");
    EXPECT_EQ(F().accept_percent, "");
    o = editor->saveButtonClick();
    EXPECT_EQ(o.years, 5);
    EXPECT_EQ(o.acceptPct, 0);
    EXPECT_NE(o.offerType, Offer::InvalidOffer);

    // From the free-agent listing every untagged offer signs the player.
    editor->listingTypeClick(ContractEditor::Listing::FreeAgents);
    editor->TeamListBoxChange(7);
    editor->ShowPlayerByID(150);
    EXPECT_EQ(editor->saveButtonClick().offerType, Offer::SignFreeAgent);
}

TEST_F(EditorFixture, TheOfferTypeFollowsTheListingThePlayerWasShownFrom) {
    Open();
    list->GetRecord(122)->status = Contract::RestrictedFA; // club 2's
    // Another club's restricted free agent, then the box switched to the managed club: still
    // an offer sheet to club 2's player, not a re-signing of one's own.
    editor->TeamListBoxChange(2);
    editor->PlayerListBoxClick(0);
    ASSERT_EQ(F().playerID, "122");
    editor->TeamListBoxChange(1);
    EXPECT_EQ(editor->saveButtonClick().offerType, Offer::GiveOfferSheet);
    // The free-agent listing chosen meanwhile changes nothing either.
    editor->listingTypeClick(ContractEditor::Listing::FreeAgents);
    EXPECT_EQ(editor->saveButtonClick().offerType, Offer::GiveOfferSheet);

    // The reverse: one's own player, another club in the box, is a restructure, not invalid.
    editor->listingTypeClick(ContractEditor::Listing::Teams);
    editor->TeamListBoxChange(1);
    editor->PlayerListBoxClick(0);
    ASSERT_EQ(F().playerID, "120");
    editor->TeamListBoxChange(2);
    EXPECT_EQ(editor->saveButtonClick().offerType, Offer::RestructureOffer);

    // A free agent shown from his group signs, whatever the box shows afterwards.
    editor->listingTypeClick(ContractEditor::Listing::FreeAgents);
    editor->TeamListBoxChange(7);
    editor->PlayerListBoxClick(0);
    ASSERT_EQ(F().playerID, "150");
    editor->listingTypeClick(ContractEditor::Listing::Teams);
    editor->TeamListBoxChange(1);
    editor->FPCheck(true);
    EXPECT_EQ(editor->saveButtonClick().offerType, Offer::InvalidOffer); // a tag on a free agent
    EXPECT_EQ(editor->WhyInvalid(),
              "A free agent without a franchise, transition or tender tag takes none: untick the boxes.");
    editor->FPCheck(false);
    EXPECT_EQ(editor->saveButtonClick().offerType, Offer::SignFreeAgent);
    EXPECT_EQ(editor->WhyInvalid(), "");
}

TEST_F(EditorFixture, SubmitWithATextThatIsNoNumberChangesNothing) {
    Open();
    const auto submitError = [this]() -> std::string {
        try {
            editor->saveButtonClick();
        } catch (const ConversionError& error) {
            return error.what();
        }
        return "no error";
    };
    EXPECT_EQ(submitError(), "Player ID: no player is shown");
    editor->ShowPlayerByID(120);
    editor->Fields().years = "-";
    EXPECT_EQ(submitError(), "Length: '-' is not a valid integer value");
    EXPECT_EQ(F().years, "-");

    editor->ShowPlayerByID(128);
    editor->FPCheck(true);
    editor->Fields().salary = "none";
    editor->Fields().bonus = "";
    const EditorFields before = F();
    EXPECT_THROW(editor->saveButtonClick(), ConversionError);
    EXPECT_EQ(F().accept_percent, before.accept_percent);
    EXPECT_EQ(F().bonus, "");
}

TEST_F(EditorFixture, ListingsOfClubsAndGroups) {
    Open();
    EXPECT_EQ(editor->TeamBoxItems().size(), 8u);
    EXPECT_EQ(editor->TeamBoxItems()[7], "Team 7");
    editor->TeamListBoxChange(2);
    EXPECT_EQ(editor->PlayerItems(), std::vector<std::string>{"WR P122, First"});
    editor->PlayerListBoxClick(0);
    EXPECT_EQ(F().playerID, "122");
    editor->TeamListBoxChange(-1);
    EXPECT_TRUE(editor->PlayerItems().empty());

    editor->listingTypeClick(ContractEditor::Listing::FreeAgents);
    ASSERT_EQ(editor->TeamBoxItems().size(), 9u); // no draft in use after the draft stage
    EXPECT_EQ(editor->TeamBoxItems()[0], "Free Agent QB");
    EXPECT_EQ(editor->TeamBoxItems()[7], "Free Agent K");
    editor->TeamListBoxChange(7);
    EXPECT_EQ(editor->PlayerItems(), std::vector<std::string>{"P150, First"});
    // Back to the clubs: no club is chosen yet, so the free agents are no longer listed.
    editor->listingTypeClick(ContractEditor::Listing::Teams);
    EXPECT_TRUE(editor->PlayerItems().empty());
    EXPECT_EQ(editor->PlayerOfItem(0), 0);
    editor->listingTypeClick(ContractEditor::Listing::FreeAgents);

    // Player 0 goes back to the clubs, -1 to the groups; other IDs do nothing.
    EXPECT_FALSE(editor->ShowPlayerByID(0));
    EXPECT_EQ(editor->GetListing(), ContractEditor::Listing::Teams);
    EXPECT_FALSE(editor->ShowPlayerByID(-1));
    EXPECT_EQ(editor->GetListing(), ContractEditor::Listing::FreeAgents);
    EXPECT_FALSE(editor->ShowPlayerByID(200));
    EXPECT_FALSE(editor->ShowPlayerByID(99));
    EXPECT_EQ(F().playerID, "122");
}

TEST_F(EditorFixture, WithoutAFreeAgentFileTheDraftGroupsCountFromZero) {
    plan.stage = 2;
    plan.freeAgents.reset();
    plan.Add(170, Player::QB, 0);
    plan.draft = std::vector<std::int16_t>{150, 170};
    Open();
    editor->listingTypeClick(ContractEditor::Listing::FreeAgents);
    ASSERT_EQ(editor->TeamBoxItems().size(), 9u);
    EXPECT_EQ(editor->TeamBoxItems()[0], "College Draft QB");
    editor->TeamListBoxChange(0);
    EXPECT_EQ(editor->PlayerItems(), std::vector<std::string>{"P170, First"});
}

TEST_F(EditorFixture, RoundPickAndNewCGSLiveInTheContractList) {
    Open();
    editor->ShowPlayerByID(121);
    editor->Fields().Round = "3";
    editor->RoundChange();
    EXPECT_EQ(list->GetContract(121).round, 3);
    editor->Fields().Pick = "300"; // a byte cannot hold it
    editor->PickChange();
    EXPECT_EQ(list->GetContract(121).pick, 7);
    EXPECT_EQ(F().Pick, "7");
    editor->Fields().Pick = "x";
    EXPECT_THROW(editor->PickChange(), ConversionError);

    editor->ShowPlayerByID(120); // five years of experience: no draft slot to keep
    editor->Fields().Round = "9";
    editor->RoundChange();
    EXPECT_EQ(list->GetContract(120).round, 0);

    editor->ApplyNewCGS(-1);
    EXPECT_EQ(list->GetContract(120).cgs, 1000000u);
    editor->ApplyNewCGS(0);
    EXPECT_EQ(list->GetContract(120).cgs, 0u);
    EXPECT_EQ(F().cgs, "0");
    editor->ApplyNewCGS(1250000);
    EXPECT_EQ(F().cgs, "1,250,000");

    // The chance of the offer in the boxes follows the new CGS: one year at the CGS gives 62,
    // at twice the CGS 124.
    editor->ShowPlayerByID(150);
    Type("1", "1,000,000", "");
    ASSERT_EQ(F().accept_percent, "62");
    editor->ApplyNewCGS(500000);
    EXPECT_EQ(F().accept_percent, "124");
}

TEST_F(EditorFixture, RoleAndMaskedPotentials) {
    options.hid_pote = 1;
    Open();
    EXPECT_TRUE(editor->PotentialsMasked());
    EXPECT_FALSE(editor->IsFrontOffice());
    editor->ShowPlayerByID(120);
    EXPECT_EQ(F().pST, "78"); // the texts stay the numbers; the window masks them
    EXPECT_TRUE(ContractEditor(*list, "FrontOffice").IsFrontOffice());
}

TEST_F(EditorFixture, AnOfferOfTheListComesBackIntoTheBoxes) {
    Open();
    Offer o;
    o.playerID = 150;
    o.offerType = Offer::SignFreeAgent;
    o.years = 2;
    o.salary = 2000000;
    o.bonus = 400000;
    editor->ShowOffer(o);
    EXPECT_EQ(F().playerID, "150");
    EXPECT_EQ(F().salary, "2000000");
    EXPECT_EQ(F().bonus, "400000");
    EXPECT_EQ(F().years, "2");
    EXPECT_EQ(F().accept_percent, "75");

    o.playerID = 128;
    o.offerType = Offer::TransitionDesignation;
    o.years = 1;
    editor->ShowOffer(o);
    EXPECT_TRUE(F().TransitionTag);
}
