// The contract editor driven through its controls, found by component name: clicking
// players, typing offers key by key, ticking tags, submitting, and the error box and
// message boxes answered by the scripted prompt. Expected figures are worked out by hand
// from the contract records the tests set.
#include "UiSupport.h"

#include "contracts/Contract.h"
#include "contracts/ContractList.h"
#include "contracts/Offer.h"
#include "contracts/Options.h"
#include "contracts/TeamInfo.h"
#include "league/League.h"
#include "league/MoneyText.h"
#include "stats/StatList.h"
#include "stats/Statistic.h"
#include "support/FaultyFiles.h"
#include "ui/TContractEdit.h"
#include "ui/TContractManagerForm.h"
#include "ui/TOfferListForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = ScriptedPrompt::Kind;

const std::string kErrorCaption = "Marrel:Contract Manager";

bool IsGreen(const QColor& c) {
    return c.green() >= 100 && c.red() < 60 && c.blue() < 60;
}
bool IsRed(const QColor& c) {
    return c.red() >= 150 && c.green() < 60 && c.blue() < 60;
}

QStringList Items(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

QString Money(int year, const char* amount) {
    return QString("%1: $%2").arg(year).arg(amount);
}

// A program with the sample league open, club 0 managed, its main window shown and active
// so that keys and focus reach the editor's boxes.
class EditorTest : public ::testing::Test {
  protected:
    explicit EditorTest(const QString& role = BrevaneProgram::kClubRole) : p(role) {}

    void SetUp() override {
        OpenThroughMenu(p, WriteSampleLeague(p.dir.File("lg")), 0);
        ASSERT_TRUE(p.Main().IsLeagueLoaded());
        p.Main().show();
        p.Main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&p.Main()));
        ASSERT_NE(p.Main().GetEditor(), nullptr);
    }

    TContractEdit& Editor() { return *p.Main().GetEditor(); }
    template <class Control = QLineEdit> Control& Find(const char* name) {
        auto* control = Editor().findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name;
        return *control;
    }
    QString Text(const char* name) { return Find<QLineEdit>(name).text(); }
    QColor AcceptColour() { return Find("accept_percent").palette().color(QPalette::Text); }
    League& TheLeague() { return *p.Main().GetLeague(); }
    Contract& Record(int id) { return *p.Main().GetContracts()->GetRecord(id); }
    int Season() { return TheLeague().GetCurrentSeason(); }
    // The player in slot `slot` of a club's sorted roster, as the league keeps it.
    short RosterPlayer(int team, int slot) { return TheLeague().GetSortedRoster(team)[slot]; }

    // A player under contract with club 0 whose chance depends on the offer alone.
    void PlainContract(int id, std::uint32_t cgs = 1000000) {
        Contract& c = Record(id);
        c.status = Contract::UnderContract;
        c.contractTeam = 0;
        c.cgs = cgs;
        c.declines = 0;
    }
    void ClickPlayer(int row) { ClickRow(Find<QListWidget>("PlayerListBox"), row); }
    // A box emptied and typed into again, key by key.
    void Retype(const char* name, const QString& text) {
        QLineEdit& box = Find(name);
        box.clear();
        QTest::keyClicks(&box, text);
    }
    void Click(const char* name) { QTest::mouseClick(&Find<QAbstractButton>(name), Qt::LeftButton); }

    ProgramUnderTest p;
};

class FrontOfficeEditorTest : public EditorTest {
  protected:
    FrontOfficeEditorTest() : EditorTest(BrevaneProgram::kFrontOfficeRole) {}
};

TEST_F(EditorTest, LayoutCaptionsAndTabs) {
    TContractEdit& editor = Editor();
    EXPECT_EQ(editor.windowTitle(), "Contract Editor");
    EXPECT_EQ(editor.size(), QSize(594, 466));

    for (const char* name : {"playerID",
                             "playerFirstName",
                             "playerLastName",
                             "currentTeam",
                             "Pos",
                             "age",
                             "aSP",
                             "aAC",
                             "aAG",
                             "aST",
                             "aHA",
                             "aEN",
                             "aIN",
                             "aDI",
                             "pSP",
                             "pAC",
                             "pAG",
                             "pST",
                             "pHA",
                             "pEN",
                             "pIN",
                             "pDI",
                             "cgs",
                             "accept_percent"})
        EXPECT_TRUE(Find(name).isReadOnly()) << name;
    for (const char* name : {"contractTeam", "declines", "currentBase", "currentBonus"})
        EXPECT_FALSE(Find(name).isEnabled()) << name;
    for (const char* name : {"years", "salary", "bonus"})
        EXPECT_FALSE(Find(name).isReadOnly()) << name;
    // Rating boxes are two digits wide.
    for (const char* name : {"aSP", "pDI"})
        EXPECT_LT(Find(name).width(), Find(name).fontMetrics().horizontalAdvance("0000")) << name;
    EXPECT_EQ(Find<QLabel>("yrSigned").text(), "2000");
    EXPECT_EQ(Find<QLabel>("faType").text(), "Unrestricted ");
    EXPECT_EQ(Find<QLabel>("yrFree").text(), "2005");
    EXPECT_EQ(Items(Find<QListWidget>("caphit")), QStringList({"0", "0", "0", "0", "0"}));
    EXPECT_EQ(Text("Round"), "00");
    EXPECT_FALSE(Find("Round").isVisibleTo(&editor));
    EXPECT_FALSE(Find("Pick").isVisibleTo(&editor));

    QLabel& holdout = Find<QLabel>("HoldoutLabel");
    EXPECT_EQ(holdout.text(), "Holdout");
    EXPECT_FALSE(holdout.isVisibleTo(&editor));
    EXPECT_EQ(holdout.font().pixelSize(), 16);
    EXPECT_TRUE(IsRed(holdout.palette().color(QPalette::WindowText)));

    QStringList captions;
    for (const QLabel* label : editor.findChildren<QLabel*>())
        captions << label->text();
    for (const char* caption : {"Player ID:",
                                "Pos:",
                                "Age:",
                                "Actuals",
                                "Potentials",
                                "SP",
                                "DI",
                                "Signed in",
                                "Will be a ",
                                "Free Agent in",
                                "Originally Signed by:",
                                "Length",
                                "Declines",
                                "CGS",
                                "Base Salary",
                                "Bonus",
                                "Accepting %",
                                "Cap Hit",
                                "Current Year:",
                                "Round",
                                "Pick"})
        EXPECT_TRUE(captions.contains(caption)) << caption;
    EXPECT_EQ(Find<QCheckBox>("FranchiseTag").text(), "Franchise");
    EXPECT_EQ(Find<QCheckBox>("TransitionTag").text(), "Transition");
    EXPECT_EQ(Find<QCheckBox>("tender").text(), "Tender Offer");
    EXPECT_EQ(Find<QPushButton>("closeButton").text(), "Close");
    EXPECT_EQ(Find<QPushButton>("saveButton").text(), "Submit Contract");
    EXPECT_EQ(editor.listingTeams->text(), "Teams");
    EXPECT_EQ(editor.listingFreeAgents->text(), "Free Agents");
    EXPECT_TRUE(editor.listingTeams->isChecked());

    auto& pages = Find<QTabWidget>("PageControl1");
    EXPECT_EQ(pages.tabPosition(), QTabWidget::South);
    ASSERT_EQ(pages.count(), 3);
    const char* const outputs[] = {"GameStatOutput", "SeasonStatOutput", "CareerStatOutput"};
    const char* const tabs[] = {"Last Game", "Season", "Career"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pages.tabText(i), tabs[i]);
        EXPECT_EQ(pages.widget(i)->objectName(), outputs[i]);
        auto& output = Find<QTextEdit>(outputs[i]);
        EXPECT_TRUE(output.isReadOnly());
        EXPECT_EQ(output.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(output.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
}

TEST_F(EditorTest, AClickShowsThePlayerInEveryBox) {
    const int cur = Season();
    const short id = RosterPlayer(0, 0);
    Contract& c = Record(id);
    c.yrSigned = static_cast<std::uint16_t>(cur - 1);
    c.years = 3;
    c.salary = 3000000;
    c.bonus = 900000;
    c.status = Contract::UnderContract;
    c.contractTeam = 0;
    c.cgs = 1000000;
    c.declines = 2;
    ClickPlayer(0);

    const Player player = TheLeague().players.GetPlayer(id);
    const QString club = QString::fromLatin1(TheLeague().GetTeamName(0));
    EXPECT_EQ(Text("playerID"), QString::number(id));
    EXPECT_EQ(Text("playerFirstName"), QString::fromLatin1(player.GetFirstName()));
    EXPECT_EQ(Text("playerLastName"), QString::fromLatin1(player.GetLastName()));
    EXPECT_EQ(Text("currentTeam"), club);
    EXPECT_EQ(Text("contractTeam"), club);
    static const char* const kPositions[] = {"QB", "FB", "HB", "TE", "WR", "C", "G", "T",
                                             "DE", "DT", "LB", "CB", "S",  "K", "P"};
    EXPECT_EQ(Text("Pos"), kPositions[static_cast<int>(player.GetPosSpecific())]);
    EXPECT_EQ(Text("age"), QString::number(player.GetYears()));
    // Ratings are kept in the order AC AG DI EN HA IN SP ST.
    const char* const ratingNames[] = {"AC", "AG", "DI", "EN", "HA", "IN", "SP", "ST"};
    for (int r = 0; r < 8; ++r) {
        const std::string a = std::string("a") + ratingNames[r];
        const std::string pot = std::string("p") + ratingNames[r];
        EXPECT_EQ(Text(a.c_str()), QString::number(player.GetARatings()[static_cast<std::size_t>(r)])) << a;
        EXPECT_EQ(Text(pot.c_str()), QString::number(player.GetPRatings()[static_cast<std::size_t>(r)]))
            << pot;
        EXPECT_EQ(Find(pot.c_str()).echoMode(), QLineEdit::Normal);
    }

    // Signed last season for three years: free in two seasons' time.
    EXPECT_EQ(Find<QLabel>("yrSigned").text(), QString::number(cur - 1));
    EXPECT_EQ(Find<QLabel>("yrFree").text(), QString::number(cur + 2));
    const int expAtEnd = player.GetYears() + 2;
    EXPECT_EQ(Find<QLabel>("faType").text(),
              expAtEnd < 3 ? "Exclusive" : (expAtEnd == 3 ? "Restricted" : "Unrestricted"));
    EXPECT_EQ(Text("years"), "3");
    EXPECT_EQ(Text("salary"), "3,000,000");
    EXPECT_EQ(Text("bonus"), "900,000");
    EXPECT_EQ(Text("cgs"), "1,000,000");
    EXPECT_EQ(Text("declines"), "2");
    // This is contract year 2 of 27/33/40: 33 % of the salary and a third of the bonus.
    EXPECT_EQ(Text("currentBase"), "990,000");
    EXPECT_EQ(Text("currentBonus"), "300,000");
    auto& capHit = Find<QListWidget>("caphit");
    EXPECT_EQ(Items(capHit), QStringList({Money(cur - 1, "1,110,000"), Money(cur, "1,290,000"),
                                          Money(cur + 1, "1,500,000")}));
    EXPECT_EQ(capHit.currentRow(), 1);
    // 62 x 1.3753 = 85.27 for the present contract, less 2 declines x 25 for a player under
    // contract: 35, red.
    EXPECT_EQ(Text("accept_percent"), "35");
    EXPECT_TRUE(IsRed(AcceptColour()));
    EXPECT_FALSE(Find<QLabel>("chanceExplanation").text().isEmpty());
    for (const char* tag : {"FranchiseTag", "TransitionTag", "tender"})
        EXPECT_FALSE(Find<QCheckBox>(tag).isChecked()) << tag;
    EXPECT_FALSE(Find<QLabel>("HoldoutLabel").isVisibleTo(&Editor()));
    EXPECT_EQ(Find("Round").isVisibleTo(&Editor()), player.GetYears() == 0);

    // The status shows itself: a holdout, a franchise tag, an offer sheet.
    c.status = Contract::Holdout;
    ClickPlayer(0);
    EXPECT_TRUE(Find<QLabel>("HoldoutLabel").isVisibleTo(&Editor()));
    c.status = Contract::FranchisePlayer;
    ClickPlayer(0);
    EXPECT_FALSE(Find<QLabel>("HoldoutLabel").isVisibleTo(&Editor()));
    EXPECT_TRUE(Find<QCheckBox>("FranchiseTag").isChecked());
    c.status = Contract::OfferSheet;
    c.offerTeam = 3;
    ClickPlayer(0);
    EXPECT_FALSE(Find<QCheckBox>("FranchiseTag").isChecked());
    EXPECT_EQ(Find<QLabel>("yrSigned").text(), QString::number(cur - 1) + " to an Offersheet by " +
                                                   QString::fromLatin1(TheLeague().GetTeamName(3)));
}

TEST_F(EditorTest, ListingsAndKeysThroughThePlayerList) {
    // The arrow keys in the player list show each player they reach.
    ClickPlayer(0);
    QListWidget& players = Find<QListWidget>("PlayerListBox");
    ASSERT_TRUE(players.hasFocus());
    QTest::keyClick(&players, Qt::Key_Down);
    EXPECT_EQ(Text("playerID"), QString::number(RosterPlayer(0, 1)));

    // "Free Agents" lists the nine free-agent groups, then the nine draft groups.
    QTest::mouseClick(Editor().listingFreeAgents, Qt::LeftButton);
    QComboBox& groups = Find<QComboBox>("TeamListBox");
    ASSERT_EQ(groups.count(), 18);
    EXPECT_EQ(groups.itemText(0), "Free Agent QB");
    EXPECT_EQ(groups.itemText(17), "College Draft P");
    EXPECT_EQ(groups.currentIndex(), -1);
    QTest::keyClick(&groups, Qt::Key_Down);
    ASSERT_EQ(groups.currentIndex(), 0);
    const short* group = TheLeague().GetFreeAgents(0);
    ASSERT_GT(TheLeague().GetNumFreeAgents(0), 0);
    ASSERT_EQ(players.count(), TheLeague().GetNumFreeAgents(0));
    const Player agent = TheLeague().players.GetPlayer(group[0]);
    EXPECT_EQ(players.item(0)->text().toStdString(), agent.GetLastName() + ", " + agent.GetFirstName());
    ClickPlayer(0);
    EXPECT_EQ(Text("playerID"), QString::number(group[0]));
    EXPECT_EQ(Text("currentTeam"), "Free Agent");

    // Back to the clubs: no club chosen yet, and the free agents are no longer listed.
    QTest::mouseClick(Editor().listingTeams, Qt::LeftButton);
    EXPECT_EQ(groups.count(), TheLeague().GetNumTeams());
    EXPECT_EQ(groups.itemText(0).toStdString(), TheLeague().GetTeamName(0));
    EXPECT_EQ(players.count(), 0);
}

TEST_F(EditorTest, TypingInSalaryUpdatesTheChanceAndCapLinesAtEveryKey) {
    const int cur = Season();
    PlainContract(RosterPlayer(0, 1));
    ClickPlayer(1);
    Retype("years", "3");
    Retype("bonus", "600000");
    QLineEdit& salary = Find("salary");
    salary.clear();

    // 600,000 of bonus is far above the 120 % maximum of any salary below 500,000, so the
    // first six keys leave the chance at 0; 3,000,000 with 20 % bonus gives 76 (27/33/40).
    const QString typed = "3000000";
    const QStringList chances = {"0", "0", "0", "0", "0", "0", "76"};
    for (int k = 0; k < typed.size(); ++k) {
        QTest::keyClick(&salary, typed[k].toLatin1());
        EXPECT_EQ(Text("accept_percent"), chances[k]) << k;
        EXPECT_EQ(IsGreen(AcceptColour()), k == 6) << k;
        EXPECT_EQ(IsRed(AcceptColour()), k != 6) << k;
        EXPECT_EQ(Find<QListWidget>("caphit").count(), 3) << k;
    }
    // After the first key: a salary of 3 is 1 a year after rounding, plus 200,000 of bonus.
    EXPECT_EQ(Text("salary"), "3000000");
    EXPECT_EQ(
        Items(Find<QListWidget>("caphit")),
        QStringList({Money(cur, "1,010,000"), Money(cur + 1, "1,190,000"), Money(cur + 2, "1,400,000")}));
    EXPECT_EQ(Find<QListWidget>("caphit").currentRow(), -1);
    EXPECT_TRUE(p.prompt.History().empty());

    // A length beyond the 4-year maximum: no chance, and the note says why instead of the
    // previous offer's terms.
    Retype("years", "5");
    EXPECT_EQ(Text("accept_percent"), "");
    EXPECT_EQ(Find<QLabel>("chanceExplanation").text(), "Longer than the longest contract of 4 years");
    EXPECT_EQ(Find<QListWidget>("caphit").count(), 5);
    Retype("years", "1");
    // One year of 3,000,000 + 600,000 for a CGS of 1,000,000: 62 x 3.6.
    EXPECT_EQ(Text("accept_percent"), "223");
    EXPECT_EQ(Items(Find<QListWidget>("caphit")), QStringList({Money(cur, "3,600,000")}));
}

TEST_F(EditorTest, TypingShowsANoteInsteadOfAnErrorBox) {
    const int cur = Season();
    PlainContract(RosterPlayer(0, 1));
    ClickPlayer(1);
    Retype("years", "2");
    Retype("bonus", "400000");
    Retype("salary", "2000000");
    // Two years, 2,000,000 with 400,000: 75 (45/55).
    ASSERT_EQ(Text("accept_percent"), "75");
    ASSERT_EQ(Items(Find<QListWidget>("caphit")),
              QStringList({Money(cur, "1,100,000"), Money(cur + 1, "1,300,000")}));

    // A length that is not yet a number, and the keys a user moves and selects with: no error
    // box, no chance, no lines, and a note beside the chance naming the box.
    QLineEdit& length = Find("years");
    Retype("years", "-");
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_A, Qt::ControlModifier}, std::pair{Qt::Key_End, Qt::NoModifier},
          std::pair{Qt::Key_Left, Qt::NoModifier}, std::pair{Qt::Key_Right, Qt::NoModifier}})
        QTest::keyClick(&length, key, modifiers);
    // The release of a key that went down elsewhere (closing a message box) computes nothing.
    QTest::keyRelease(&length, Qt::Key_Return);
    QTest::keyRelease(&length, Qt::Key_Escape);
    EXPECT_TRUE(p.prompt.History().empty());
    EXPECT_EQ(Text("accept_percent"), "");
    EXPECT_EQ(Find<QLabel>("chanceExplanation").text(), "Length: '-' is not a valid integer value");
    EXPECT_EQ(Find<QListWidget>("caphit").count(), 0);

    // Letters only in the salary, the same; leaving the box leaves them as typed.
    Retype("years", "2");
    Retype("salary", "x");
    Find("bonus").setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(p.prompt.History().empty());
    EXPECT_EQ(Text("salary"), "x");
    EXPECT_EQ(Find<QLabel>("chanceExplanation").text(), "Base Salary: 'x' is not a valid integer value");

    // Submit with it: one message naming the box, and nothing else happens.
    Click("saveButton");
    EXPECT_EQ(p.Shown(Kind::Stop), std::vector<std::string>{"Base Salary: 'x' is not a valid integer value"});
    EXPECT_EQ(p.prompt.History().back().caption, kErrorCaption);
    EXPECT_EQ(p.Offers().Count(), 0);
    EXPECT_FALSE(p.Main().AreOffersUnsaved());
    EXPECT_EQ(Text("salary"), "x");

    // Leaving the salary with an amount formats it; the chance comes back.
    Retype("salary", "1234567");
    QLineEdit& salary = Find("salary");
    salary.setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(salary.hasFocus());
    QTest::keyClick(&salary, Qt::Key_Tab);
    EXPECT_EQ(Text("salary"), "1,234,567");
    EXPECT_FALSE(Text("accept_percent").isEmpty());
    EXPECT_EQ(p.prompt.History().size(), 1u);
}

TEST_F(EditorTest, TheOfferTypeFollowsTheClubThePlayerWasShownFrom) {
    // Club 3's restricted free agent, shown from club 3's roster; then the box is switched to
    // the managed club 0 before Submit: an offer sheet to club 3's player, as shown.
    const short theirs = RosterPlayer(3, 0);
    Record(theirs).status = Contract::RestrictedFA;
    QComboBox& clubs = Find<QComboBox>("TeamListBox");
    // The club box chosen with the keys, as a user does.
    const auto chooseClub = [&clubs](int club) {
        while (clubs.currentIndex() < club)
            QTest::keyClick(&clubs, Qt::Key_Down);
        while (clubs.currentIndex() > club)
            QTest::keyClick(&clubs, Qt::Key_Up);
    };
    chooseClub(3);
    ClickPlayer(0);
    ASSERT_EQ(Text("playerID"), QString::number(theirs));
    chooseClub(0);
    Click("saveButton");
    ASSERT_EQ(p.Offers().Count(), 1);
    EXPECT_EQ(p.Offers().Model()->Items()[0].offer.offerType, Offer::GiveOfferSheet);
    EXPECT_TRUE(p.Offers().offerlist->item(0)->text().contains(" gives "));

    // One's own player with another club in the box is a restructure, not "Invalid Contract Offer".
    const short own = RosterPlayer(0, 1);
    PlainContract(own);
    ClickPlayer(1);
    ASSERT_EQ(Text("playerID"), QString::number(own));
    chooseClub(3);
    Click("saveButton");
    EXPECT_TRUE(p.Shown(Kind::OkCancel).empty());
    ASSERT_EQ(p.Offers().Count(), 2);
    EXPECT_EQ(p.Offers().Model()->Items()[1].offer.offerType, Offer::RestructureOffer);
}

TEST_F(EditorTest, SubmitWithNoPlayerShownSaysSoOnce) {
    // A new league: the editor lists the club, no player is shown yet.
    OpenThroughMenu(p, WriteSampleLeague(p.dir.File("other"), true, 3), 1);
    ASSERT_TRUE(Text("playerID").isEmpty());
    Retype("salary", "1,000,000");
    Click("saveButton");
    EXPECT_EQ(p.Shown(Kind::Stop), std::vector<std::string>{"Player ID: no player is shown"});
    EXPECT_EQ(p.Offers().Count(), 0);
}

TEST_F(EditorTest, SubmitContractDecidesTheTypeAndTheMainWindowRefusesWhatItMust) {
    const short own = RosterPlayer(0, 2);
    PlainContract(own);
    ClickPlayer(2);
    Retype("years", "3");
    Retype("salary", "3000000");
    Retype("bonus", "900000");
    Click("saveButton");
    // Own player under contract: a restructure, with the chance shown (85, no declines).
    ASSERT_EQ(p.Offers().Count(), 1);
    Offer offer = p.Offers().Model()->Items()[0].offer;
    EXPECT_EQ(offer.playerID, own);
    EXPECT_EQ(offer.offerType, Offer::RestructureOffer);
    EXPECT_EQ(offer.team, 0);
    EXPECT_EQ(offer.years, 3);
    EXPECT_EQ(offer.salary, 3000000u);
    EXPECT_EQ(offer.bonus, 900000u);
    EXPECT_EQ(offer.acceptPct, 85);
    EXPECT_TRUE(p.Offers().isVisible());
    EXPECT_TRUE(p.Main().AreOffersUnsaved());

    // Tags exclude each other.
    Click("FranchiseTag");
    Click("TransitionTag");
    EXPECT_FALSE(Find<QCheckBox>("FranchiseTag").isChecked());
    EXPECT_TRUE(Find<QCheckBox>("TransitionTag").isChecked());
    Click("tender");
    EXPECT_FALSE(Find<QCheckBox>("TransitionTag").isChecked());
    EXPECT_TRUE(Find<QCheckBox>("tender").isChecked());

    // A tag on another club's player is refused: "Invalid Contract Offer", with the reason;
    // without the tag, his contract is the reason.
    Record(RosterPlayer(1, 0)).status = Contract::UnderContract;
    QTest::keyClick(&Find<QComboBox>("TeamListBox"), Qt::Key_Down);
    ASSERT_EQ(Find<QComboBox>("TeamListBox").currentIndex(), 1);
    ClickPlayer(0);
    Click("FranchiseTag");
    Click("saveButton");
    EXPECT_EQ(p.prompt.History().back().kind, Kind::OkCancel);
    EXPECT_EQ(p.prompt.History().back().text,
              "Invalid Contract Offer\n\nFranchise, Transition and Tender Offer "
              "are for your own club's unrestricted and restricted free agents only.");
    Click("FranchiseTag");
    Click("saveButton");
    EXPECT_EQ(
        p.prompt.History().back().text,
        "Invalid Contract Offer\n\nAnother club's player can be offered a contract only as a free agent, or "
        "with an offer sheet when he is restricted, tagged or tendered.");
    EXPECT_EQ(p.prompt.History().back().caption, "Invalid");
    EXPECT_EQ(p.Offers().Count(), 1);

    // A franchise tag on one's own unrestricted free agent: type 4, sure to be accepted.
    QTest::keyClick(&Find<QComboBox>("TeamListBox"), Qt::Key_Up);
    Record(own).status = Contract::UnrestrictedFA;
    ClickPlayer(2);
    Click("FranchiseTag");
    Click("saveButton");
    ASSERT_EQ(p.Offers().Count(), 2);
    offer = p.Offers().Model()->Items()[1].offer;
    EXPECT_EQ(offer.offerType, Offer::FranchiseDesignation);
    EXPECT_EQ(offer.acceptPct, 100);
    EXPECT_EQ(Text("accept_percent"), "100");

    // Empty boxes are submitted as 0; the 33rd offer is refused and the flag stays raised.
    Find("bonus").clear();
    Click("FranchiseTag");
    for (int i = 2; i < 33; ++i)
        Click("saveButton");
    EXPECT_EQ(Text("bonus"), "0");
    EXPECT_EQ(p.Offers().Count(), 32);
    EXPECT_EQ(p.prompt.History().back().kind, Kind::OkCancel);
    EXPECT_EQ(p.prompt.History().back().text, "32 Offers already in submitted.");
    EXPECT_EQ(p.prompt.History().back().caption, "Max Offers Reached");
    EXPECT_TRUE(p.Main().AreOffersUnsaved());
}

TEST_F(EditorTest, HidePotentialsMasksThePotentialBoxesOfTheNextEditor) {
    p.Main().GetOptions()->hid_pote = 1;
    // The masking is decided once per editor: this one stays unmasked, the next is masked.
    ClickPlayer(0);
    EXPECT_EQ(Find("pSP").echoMode(), QLineEdit::Normal);
    Click("closeButton");
    QTRY_VERIFY(p.Main().GetEditor() == nullptr);
    ASSERT_NE(p.Main().OpenEditor(), nullptr);
    QTRY_VERIFY(Editor().isVisible());
    ClickPlayer(0);
    const Player player = TheLeague().players.GetPlayer(RosterPlayer(0, 0));
    const char* const ratingNames[] = {"AC", "AG", "DI", "EN", "HA", "IN", "SP", "ST"};
    for (int r = 0; r < 8; ++r) {
        const std::string pot = std::string("p") + ratingNames[r];
        const QString value = QString::number(player.GetPRatings()[static_cast<std::size_t>(r)]);
        QLineEdit& box = Find(pot.c_str());
        EXPECT_EQ(box.text(), value) << pot;
        EXPECT_EQ(box.displayText(), QString(value.size(), '*')) << pot;
        const std::string actual = std::string("a") + ratingNames[r];
        EXPECT_EQ(Find(actual.c_str()).displayText(), Find(actual.c_str()).text()) << actual;
    }
}

TEST_F(FrontOfficeEditorTest, ADoubleClickOnTheCGSTakesANewOne) {
    const short id = RosterPlayer(0, 0);
    PlainContract(id);
    ClickPlayer(0);
    auto typeAndOk = [](const QString& text) {
        return [text](QWidget& dialog) {
            QTest::keyClicks(dialog.findChild<QLineEdit*>("id"), text);
            QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        };
    };
    // One year at the CGS of 1,000,000: 62; the chance follows the new CGS at once.
    Retype("years", "1");
    Retype("bonus", "0");
    Retype("salary", "1000000");
    ASSERT_EQ(Text("accept_percent"), "62");
    p.modals.Then("GetCGSDialog", typeAndOk("500000"));
    QTest::mouseDClick(&Find("cgs"), Qt::LeftButton);
    EXPECT_EQ(Text("accept_percent"), "124");

    p.modals.Then("GetCGSDialog", typeAndOk("1500000"));
    QTest::mouseDClick(&Find("cgs"), Qt::LeftButton);
    EXPECT_EQ(p.modals.Pending(), 0);
    EXPECT_EQ(Text("cgs"), "1,500,000");
    EXPECT_EQ(p.Main().GetContracts()->GetContract(id).cgs, 1500000u);

    // Not a number: the error box, the dialog stays and is cancelled, and the CGS stays.
    p.modals.Then("GetCGSDialog", [&typeAndOk](QWidget& dialog) {
        typeAndOk("15OO")(dialog);
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(dialog.findChild<QPushButton*>("cxlButton"), Qt::LeftButton);
    });
    QTest::mouseDClick(&Find("cgs"), Qt::LeftButton);
    EXPECT_EQ(p.Shown(Kind::Stop), std::vector<std::string>({"'15OO' is not a valid amount"}));
    EXPECT_EQ(Text("cgs"), "1,500,000");
    EXPECT_EQ(p.Main().GetContracts()->GetContract(id).cgs, 1500000u);

    // 0 is a CGS like any other.
    p.modals.Then("GetCGSDialog", typeAndOk("0"));
    QTest::mouseDClick(&Find("cgs"), Qt::LeftButton);
    EXPECT_EQ(Text("cgs"), "0");
}

TEST_F(EditorTest, ADoubleClickOnTheCGSDoesNothingForAClub) {
    ClickPlayer(0);
    const QString shown = Text("cgs");
    bool dialogShown = false;
    p.modals.Then("GetCGSDialog", [&dialogShown](QWidget& dialog) {
        dialogShown = true;
        dialog.close();
    });
    QTest::mouseDClick(&Find("cgs"), Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(Text("cgs"), shown);
}

TEST_F(EditorTest, TheThreeTabsTakeTheLinesOfTheirScope) {
    League& league = TheLeague();
    // A player with lines of every scope, and one without any, from the league itself.
    short withStats = 0;
    short without = 0;
    QStringList game, season, career;
    for (short id = 100; id < league.GetNextPlayerID() && (withStats == 0 || without == 0); ++id) {
        StatList* list = league.GetStats(id);
        if (!list || list->empty()) {
            if (without == 0)
                without = id;
            continue;
        }
        if (withStats != 0)
            continue;
        QStringList g, s, c;
        list->reset();
        do {
            const Statistic* line = list->value();
            QStringList& scope = line->type < 32 ? g : (line->type < 64 ? s : c);
            scope << QString::fromLatin1(line->StatLine());
        } while (list->next() == 1);
        if (!g.isEmpty() && !s.isEmpty() && !c.isEmpty()) {
            withStats = id;
            game = g;
            season = s;
            career = c;
        }
    }
    ASSERT_NE(withStats, 0);
    ASSERT_NE(without, 0);

    Editor().ShowPlayerByID(withStats);
    EXPECT_EQ(Find<QTextEdit>("GameStatOutput").toPlainText(), game.join('\n'));
    EXPECT_EQ(Find<QTextEdit>("SeasonStatOutput").toPlainText(), season.join('\n'));
    EXPECT_EQ(Find<QTextEdit>("CareerStatOutput").toPlainText(), career.join('\n'));
    auto& pages = Find<QTabWidget>("PageControl1");
    pages.setCurrentIndex(2);
    EXPECT_EQ(pages.currentWidget()->objectName(), "CareerStatOutput");

    // Another player clears all three.
    Editor().ShowPlayerByID(without);
    for (const char* output : {"GameStatOutput", "SeasonStatOutput", "CareerStatOutput"})
        EXPECT_TRUE(Find<QTextEdit>(output).toPlainText().isEmpty()) << output;
}

TEST_F(EditorTest, ARookieShowsHisDraftSlotAndKeepsWhatIsTyped) {
    League& league = TheLeague();
    short rookie = 0;
    for (short id = 100; id < league.GetNextPlayerID() && rookie == 0; ++id)
        if (league.players.GetPlayer(id).GetYears() == 0)
            rookie = id;
    ASSERT_NE(rookie, 0);
    Record(rookie).round = 2;
    Record(rookie).pick = 17;
    Editor().ShowPlayerByID(rookie);
    EXPECT_EQ(Text("age"), "0");
    for (const char* name : {"Round", "Pick", "RoundLabel", "PickLabel"})
        EXPECT_TRUE(Find<QWidget>(name).isVisibleTo(&Editor())) << name;
    EXPECT_EQ(Text("Round"), "2");
    EXPECT_EQ(Text("Pick"), "17");

    QLineEdit& round = Find("Round");
    Retype("Round", "3");
    round.setFocus(Qt::MouseFocusReason);
    Find("years").setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Record(rookie).round, 3);
    Retype("Pick", "x");
    Find("Pick").setFocus(Qt::MouseFocusReason);
    Find("years").setFocus(Qt::TabFocusReason);
    EXPECT_EQ(p.Shown(Kind::Stop), std::vector<std::string>({"'x' is not a valid integer value"}));
    EXPECT_EQ(Record(rookie).pick, 17);

    // A player with experience hides the draft slot.
    const short veteran = RosterPlayer(0, 0);
    ASSERT_NE(league.players.GetPlayer(veteran).GetYears(), 0);
    Editor().ShowPlayerByID(veteran);
    EXPECT_FALSE(Find<QWidget>("Round").isVisibleTo(&Editor()));
}

// The offer list: its layout, its figures recomputed when shown, and a double-click that
// takes an offer back into the editor.
class OfferListTest : public EditorTest {
  protected:
    // Club 0's player in roster slot 1, without a contract (unrestricted) and with a CGS of
    // 1,000,000, offered 3 years of 3,000,000 with 600,000 of bonus: type 0, chance 76.
    void SubmitOne() {
        offered = RosterPlayer(0, 1);
        PlainContract(offered);
        Record(offered).status = Contract::UnrestrictedFA;
        ClickPlayer(1);
        Retype("years", "3");
        Retype("salary", "3000000");
        Retype("bonus", "600000");
        ASSERT_EQ(Text("accept_percent"), "76");
        base = p.Main().GetContracts()->GetTeamInfo(0);
        Click("saveButton");
        ASSERT_EQ(p.Offers().Count(), 1);
    }
    void DoubleClickOffer(int row) {
        QListWidget& list = *p.Offers().offerlist;
        const QRect place = list.visualItemRect(list.item(row));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place.center());
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, place.center());
    }
    void ExpectTheOfferInTheEditor() {
        EXPECT_EQ(Text("playerID"), QString::number(offered));
        EXPECT_EQ(Text("years"), "3");
        EXPECT_EQ(Text("salary"), "3000000");
        EXPECT_EQ(Text("bonus"), "600000");
        EXPECT_EQ(Text("accept_percent"), "76");
        EXPECT_TRUE(IsGreen(AcceptColour()));
        const int cur = Season();
        EXPECT_EQ(
            Items(Find<QListWidget>("caphit")),
            QStringList({Money(cur, "1,010,000"), Money(cur + 1, "1,190,000"), Money(cur + 2, "1,400,000")}));
    }

    short offered = 0;
    TeamInfo base;
};

TEST_F(OfferListTest, LayoutAndFiguresRecomputedWhenShown) {
    TOfferListForm& offers = p.Offers();
    EXPECT_EQ(offers.size(), QSize(590, 240));
    EXPECT_EQ(offers.ScrollBox1->widget(), offers.offerlist);

    SubmitOne();
    // At the designed size the sentence scrolls in the list itself (no second pair of scroll
    // bars around it), and its tool tip holds it whole; a wider window shows it whole.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&offers));
    QListWidgetItem* item = offers.offerlist->item(0);
    const int sentence = offers.offerlist->fontMetrics().horizontalAdvance(item->text());
    ASSERT_GT(sentence, offers.offerlist->viewport()->width());
    EXPECT_GT(offers.offerlist->horizontalScrollBar()->maximum(), 0);
    EXPECT_FALSE(offers.ScrollBox1->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(item->toolTip().startsWith(item->text()));
    offers.resize(sentence + 300, 400);
    QTRY_VERIFY(offers.offerlist->viewport()->width() > sentence + 20);
    EXPECT_EQ(offers.offerlist->horizontalScrollBar()->maximum(), 0);
    // A club name has room for 32 characters.
    EXPECT_GE(offers.teamname->width(), offers.teamname->fontMetrics().horizontalAdvance(QString(32, 'M')));

    EXPECT_EQ(offers.teamname->text().toStdString(), TheLeague().GetTeamName(0));
    // 27 % of 3,000,000 and a third of the bonus are added; the player's CGS, counted in the
    // estimated payroll while he has no contract, comes off.
    const auto payroll = [&](int cgs) {
        return QString::fromStdString(
            FormatMoney(static_cast<unsigned>(base.estimatedPayroll + 810000 + 200000 - cgs)));
    };
    EXPECT_EQ(offers.payroll->text(), payroll(1000000));
    EXPECT_EQ(offers.bonus->text(),
              QString::fromStdString(FormatMoney(static_cast<unsigned>(base.bonusSpent + 600000))));

    // The CGS changes while the list is out of sight; showing it again counts anew.
    offers.hide();
    Record(offered).cgs = 700000;
    offers.show();
    EXPECT_EQ(offers.payroll->text(), payroll(700000));
}

TEST_F(OfferListTest, ADoubleClickTakesTheOfferBackIntoTheEditor) {
    SubmitOne();
    ClickPlayer(0);
    ASSERT_NE(Text("playerID"), QString::number(offered));
    DoubleClickOffer(0);
    ExpectTheOfferInTheEditor();
    EXPECT_EQ(p.Offers().Count(), 1);

    // A designation ticks its tag again.
    ClickPlayer(1);
    Click("tender");
    Click("saveButton");
    ASSERT_EQ(p.Offers().Count(), 2);
    ClickPlayer(0);
    DoubleClickOffer(1);
    EXPECT_TRUE(Find<QCheckBox>("tender").isChecked());
    EXPECT_FALSE(Find<QCheckBox>("FranchiseTag").isChecked());
}

TEST_F(OfferListTest, ADoubleClickOpensAClosedEditorOnTheManagedClub) {
    SubmitOne();
    Click("closeButton");
    QTRY_VERIFY(p.Main().GetEditor() == nullptr);
    ASSERT_FALSE(p.Main().IsEditorOpen());
    DoubleClickOffer(0);
    ASSERT_TRUE(p.Main().IsEditorOpen());
    ASSERT_NE(p.Main().GetEditor(), nullptr);
    EXPECT_EQ(Find<QComboBox>("TeamListBox").currentText().toStdString(), TheLeague().GetTeamName(0));
    EXPECT_EQ(Editor().Model().GetUserTeam(), 0);
    ExpectTheOfferInTheEditor();
    EXPECT_TRUE(p.prompt.History().empty());
}

TEST_F(FrontOfficeEditorTest, CGSEditsAreKeptInTheSalaryInformationWhenAsked) {
    ASSERT_NE(p.Main().SaveCGS1, nullptr);
    const short id = RosterPlayer(0, 0);
    ClickPlayer(0);
    p.modals.Then("GetCGSDialog", [](QWidget& dialog) {
        QTest::keyClicks(dialog.findChild<QLineEdit*>("id"), "2,345,678");
        QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    QTest::mouseDClick(&Find("cgs"), Qt::LeftButton);
    ASSERT_EQ(Text("cgs"), "2,345,678");
    EXPECT_TRUE(p.Main().AreSalaryEditsUnsaved());

    // A save that fails says why, and the edits stay unsaved.
    {
        FaultyFilesInUse full([](FaultyFiles::Call call, const std::string& path) {
            return call == FaultyFiles::Call::Create && path.find("~salnew") != std::string::npos
                       ? tolvik::FileError::DiskFull
                       : tolvik::FileError::None;
        });
        p.Main().SaveCGS1->trigger();
    }
    EXPECT_EQ(
        p.prompt.History().back().text,
        "Could not write the salary information file of the league: cannot write sample.FRO: disk full");
    EXPECT_TRUE(p.Main().AreSalaryEditsUnsaved());

    // Closing asks as for offers; Yes writes the file.
    p.prompt.Answer(true);
    EXPECT_TRUE(p.Main().close());
    EXPECT_EQ(p.prompt.History().back().text, "CGS edits not saved.  Save Now?");
    EXPECT_EQ(p.prompt.History().back().caption, "Save CGS");

    // The next run reads the edited CGS from the league's salary information.
    ProgramUnderTest next(BrevaneProgram::kFrontOfficeRole);
    OpenThroughMenu(next, p.dir.File("lg") + "/sample.lge", 0);
    ASSERT_TRUE(next.Main().IsLeagueLoaded());
    EXPECT_EQ(next.Main().GetContracts()->GetContract(id).cgs, 2345678u);
    EXPECT_FALSE(next.Main().AreSalaryEditsUnsaved());

    // The menu item writes without asking: what is read back is the saved value.
    next.Main().GetContracts()->SetCGS(id, 5);
    next.Main().SaveCGS1->trigger();
    EXPECT_TRUE(next.prompt.History().empty());
    next.Main().GetContracts()->SetCGS(id, 7);
    ASSERT_TRUE(next.Main().GetContracts()->Load(next.prompt));
    EXPECT_EQ(next.Main().GetContracts()->GetContract(id).cgs, 5u);
    ProgramUnderTest club;
    EXPECT_EQ(club.Main().SaveCGS1, nullptr); // the club program has no such item
}

TEST_F(FrontOfficeEditorTest, AStopKeepsCGSEditsAndTheNextOpenOffersThemBack) {
    const short id = RosterPlayer(0, 0);
    ClickPlayer(0);
    p.modals.Then("GetCGSDialog", [](QWidget& dialog) {
        QTest::keyClicks(dialog.findChild<QLineEdit*>("id"), "3,456,789");
        QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    QTest::mouseDClick(&Find("cgs"), Qt::LeftButton);
    ASSERT_TRUE(p.Main().AreSalaryEditsUnsaved());
    const auto fro = p.dir.Read("lg/sample.FRO");

    // Nothing is asked, and the league's own file is left as it was.
    p.Main().KeepUnsavedForStop();
    EXPECT_TRUE(p.Main().close());
    EXPECT_TRUE(p.prompt.History().empty());
    EXPECT_EQ(p.dir.Read("lg/sample.FRO"), fro);

    ProgramUnderTest next(BrevaneProgram::kFrontOfficeRole);
    next.prompt.AnswerCaption("Recovered CGS", true);
    OpenThroughMenu(next, p.dir.File("lg") + "/sample.lge", 0);
    ASSERT_TRUE(next.Main().IsLeagueLoaded());
    ASSERT_FALSE(next.prompt.History().empty());
    EXPECT_EQ(next.prompt.History()[0].text,
              "CGS edits were not saved when the program was stopped.  Load them now?  (No discards them.)");
    EXPECT_EQ(next.Main().GetContracts()->GetContract(id).cgs, 3456789u);
    EXPECT_TRUE(next.Main().AreSalaryEditsUnsaved());
    EXPECT_FALSE(p.dir.Exists("lg/sample-recovered.cgs"));
}

} // namespace
