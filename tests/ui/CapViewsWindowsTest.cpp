// The views of the players' money over a hand-made league, driven as a manager drives them:
// the Players window (the club's roster with its money, sorting, the position filter, the name
// search over the whole league, a double-click to the contract editor, what a release does),
// the cap space panel, offers removed and replaced, and the exports read back.
#include "UiSupport.h"

#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "contracts/PlayersTable.h"
#include "league/League.h"
#include "support/OfferFixtures.h"
#include "support/TestLeague.h"
#include "ui/PlayersTableModel.h"
#include "ui/StatusPanelStrip.h"
#include "ui/TCapTableForm.h"
#include "ui/TContractEdit.h"
#include "ui/TContractManagerForm.h"
#include "ui/TOfferListForm.h"
#include "ui/TPlayersForm.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// Season 2000. Club 1: 120 QB Brock Fletcher (four years of 1998: base 1,080,000 and a bonus
// share of 100,000 this season), 121 HB Émile Dubois (the same contract at a tenth: 108,000
// and 10,000), 122 K Sam Fletch (no salary, CGS 500,000). Free agents 150 K Kai Fletcher and
// 151 P Pat Young; 130 QB Ola Fletcher on club 2.
class PlayersWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        TestLeague plan;
        Name(plan.Add(120, Player::QB, 5), "Brock", "Fletcher");
        Name(plan.Add(121, Player::HB, 4), "\xC9mile", "Dubois");
        Name(plan.Add(122, Player::K, 3), "Sam", "Fletch");
        Name(plan.Add(130, Player::QB, 6), "Ola", "Fletcher");
        Name(plan.Add(150, Player::K, 6), "Kai", "Fletcher");
        Name(plan.Add(151, Player::P, 6), "Pat", "Young");
        plan.rosters = {{}, {120, 121, 122}, {130}};
        plan.freeAgents = std::vector<std::int16_t>{150, 151};
        OpenPlannedLeague(p, plan, 1);
        ASSERT_TRUE(p.Main().IsLeagueLoaded());
        ContractList& list = *p.Main().GetContracts();
        SignFourYearsOf1998(*list.GetRecord(120), 120);
        Contract& dubois = *list.GetRecord(121);
        SignFourYearsOf1998(dubois, 121);
        dubois.salary = 400000;
        dubois.bonus = 40000;
        list.GetRecord(122)->cgs = 500000;
        list.RecomputeTotals();

        p.Main().Players1->trigger();
        form = p.Main().findChild<TPlayersForm*>("PlayersForm");
        ASSERT_TRUE(form);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    }

    static void Name(TestPlayer& player, const char* first, const char* last) {
        player.first = first;
        player.last = last;
    }

    QStringList Column(int column) const {
        QStringList texts;
        const auto& model = form->Model();
        for (int r = 0; r < model.rowCount(); ++r)
            texts << model.data(model.index(r, column), Qt::DisplayRole).toString();
        return texts;
    }
    QStringList Names() const { return Column(PlayersTable::Name); }
    int RowOf(std::int16_t id) const { return form->Model().RowOf(id); }
    QRect CellRect(int row, int column) const {
        return form->playerTable->visualRect(form->Model().index(row, column));
    }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    ProgramUnderTest p;
    QPointer<TPlayersForm> form;
};

TEST_F(PlayersWindow, ShowsTheClubsRosterWithItsMoneyAndSortsMoneyAsNumbers) {
    EXPECT_EQ(form->listingBox->currentText(), "Team 1");
    // The editor's display order: by position.
    EXPECT_EQ(Names(), QStringList({"Brock Fletcher", "\u00C9mile Dubois", "Sam Fletch"}));
    const int brock = RowOf(120);
    const auto cell = [this](int row, int column) {
        return form->Model().data(form->Model().index(row, column), Qt::DisplayRole).toString();
    };
    EXPECT_EQ(cell(brock, PlayersTable::Base), "$1,080,000");
    EXPECT_EQ(cell(brock, PlayersTable::BonusCharge), "$100,000");
    EXPECT_EQ(cell(brock, PlayersTable::YearsLeft), "2");
    EXPECT_EQ(cell(brock, PlayersTable::Savings), "$1,080,000");
    EXPECT_EQ(cell(brock, PlayersTable::DeadMoney), "$100,000");
    EXPECT_EQ(cell(RowOf(122), PlayersTable::Base), "$0");
    EXPECT_EQ(cell(RowOf(122), PlayersTable::Cgs), "$500,000");

    // As text "$1,080,000" sorts before "$108,000"; as money it comes after.
    QTest::mouseClick(
        form->playerTable->horizontalHeader()->viewport(), Qt::LeftButton, {},
        QPoint(form->playerTable->horizontalHeader()->sectionViewportPosition(PlayersTable::Base) + 5, 5));
    EXPECT_EQ(Names(), QStringList({"Sam Fletch", "\u00C9mile Dubois", "Brock Fletcher"}));
    form->playerTable->sortByColumn(PlayersTable::Base, Qt::DescendingOrder);
    EXPECT_EQ(Names(), QStringList({"Brock Fletcher", "\u00C9mile Dubois", "Sam Fletch"}));
    // The current player stays current when the order changes.
    form->SelectPlayer(122);
    form->playerTable->sortByColumn(PlayersTable::Name, Qt::AscendingOrder);
    EXPECT_EQ(Names(), QStringList({"\u00C9mile Dubois", "Sam Fletch", "Brock Fletcher"}));
    EXPECT_EQ(form->CurrentPlayer(), 122);

    // The free agents, filtered to the kickers; another club's roster.
    form->listingBox->setCurrentIndex(form->listingBox->findData(TPlayersForm::kFreeAgentsEntry));
    EXPECT_EQ(Names(), QStringList({"Kai Fletcher", "Pat Young"}));
    EXPECT_EQ(Column(PlayersTable::Savings), QStringList({"", ""}));
    form->groupFilter->setCurrentIndex(8); // K
    EXPECT_EQ(Names(), QStringList({"Kai Fletcher"}));
    EXPECT_EQ(form->countLabel->text(), "1 player: Free Agents");
    form->groupFilter->setCurrentIndex(0);
    form->listingBox->setCurrentIndex(2);
    EXPECT_EQ(Names(), QStringList({"Ola Fletcher"}));

    // A wider window widens every column, not the last one alone.
    QTableView& table = *form->playerTable;
    const int pos = table.columnWidth(PlayersTable::Pos), dead = table.columnWidth(PlayersTable::DeadMoney);
    form->resize(form->width() + 750, form->height());
    QTRY_VERIFY(table.columnWidth(PlayersTable::Pos) >= pos + 40);
    EXPECT_LE(table.columnWidth(PlayersTable::DeadMoney), dead + 60);
}

// Counting again (the window asked for once more, another club chosen, the options saved)
// keeps the selected player selected, and never reads the rows it drops on the way.
TEST_F(PlayersWindow, CountingAgainKeepsTheSelectedPlayer) {
    form->SelectPlayer(122); // the last row built, in a block of the cache that emptying it frees
    p.Main().Players1->trigger();
    EXPECT_EQ(form->CurrentPlayer(), 122);
    EXPECT_EQ(Names(), QStringList({"Brock Fletcher", "\u00C9mile Dubois", "Sam Fletch"}));
    form->Refresh(2);
    EXPECT_EQ(Names(), QStringList({"Ola Fletcher"}));
    EXPECT_EQ(form->CurrentPlayer(), 0);
}

TEST_F(PlayersWindow, SearchFindsPlayersOfTheWholeLeagueAsOneTypes) {
    QTest::keyClicks(form->searchBox, "fle");
    EXPECT_EQ(Names(), QStringList({"Brock Fletcher", "Sam Fletch", "Ola Fletcher", "Kai Fletcher"}));
    QTest::keyClicks(form->searchBox, "tcher");
    EXPECT_EQ(Names(), QStringList({"Brock Fletcher", "Ola Fletcher", "Kai Fletcher"}));
    // Every word must appear, in any order; the position filter still applies.
    form->searchBox->setText("FLETCHER ka");
    EXPECT_EQ(Names(), QStringList({"Kai Fletcher"}));
    form->groupFilter->setCurrentIndex(1); // QB
    form->searchBox->setText("fletcher");
    EXPECT_EQ(Names(), QStringList({"Brock Fletcher", "Ola Fletcher"}));
    form->groupFilter->setCurrentIndex(0);
    // A Latin-1 capital is found by its small letter.
    form->searchBox->setText(QString::fromUtf8("\xC3\xA9mi"));
    EXPECT_EQ(Names(), QStringList({"\u00C9mile Dubois"}));
    form->searchBox->setText("nobody");
    EXPECT_EQ(form->Model().rowCount(), 0);
    // Clearing the search shows the listing again; choosing a listing ends a search.
    form->searchBox->clear();
    EXPECT_EQ(Names().size(), 3);
    form->searchBox->setText("young");
    form->listingBox->setCurrentIndex(2);
    EXPECT_EQ(form->searchBox->text(), "");
    EXPECT_EQ(Names(), QStringList({"Ola Fletcher"}));
}

TEST_F(PlayersWindow, DoubleClickShowsThePlayerInTheEditorAndTheReleaseInTheCapTable) {
    const int row = RowOf(121);
    QTest::mouseClick(form->playerTable->viewport(), Qt::LeftButton, {}, CellRect(row, 1).center());
    EXPECT_EQ(
        form->releaseLabel->text(),
        QString::fromLatin1("Releasing \xC9mile Dubois would save Team 1 $108,000 this season; $10,000 "
                            "stays charged as dead money. Current payroll $1,298,000 becomes $1,190,000."));
    QTest::mouseDClick(form->playerTable->viewport(), Qt::LeftButton, {}, CellRect(row, 1).center());
    ASSERT_TRUE(p.Main().GetEditor());
    EXPECT_EQ(p.Main().GetEditor()->playerID->text(), "121");

    // The released view: his row as now, what leaves (the base share while his contract
    // runs) and what stays (the bonus share).
    ASSERT_TRUE(form->releasedViewButton->isEnabled());
    QTest::mouseClick(form->releasedViewButton, Qt::LeftButton);
    auto* cap = p.Main().findChild<TCapTableForm*>("CapTableForm");
    ASSERT_TRUE(cap);
    EXPECT_EQ(cap->ReleasedPlayer(), 121);
    QStringList labels, firstSeason;
    for (int r = 0; r < cap->capTable->rowCount(); ++r) {
        labels << cap->capTable->verticalHeaderItem(r)->text();
        firstSeason << cap->capTable->item(r, 0)->text();
    }
    const qsizetype at = labels.indexOf(QString::fromLatin1("Released: \xC9mile Dubois as now"));
    ASSERT_GE(at, 0) << labels.join('|').toStdString();
    EXPECT_EQ(firstSeason.mid(at, 4), QStringList({"$118,000", "$108,000", "$10,000", firstSeason[at + 3]}));
    // The cap space after the release is the cap space now plus what leaves.
    const qsizetype space = labels.indexOf("Cap Space");
    const auto money = [](QString text) { return text.remove('$').remove(',').toLongLong(); };
    EXPECT_EQ(money(firstSeason[at + 3]), money(firstSeason[space]) + 108000);
    QTest::mouseClick(cap->clearReleasedButton, Qt::LeftButton);
    EXPECT_EQ(cap->ReleasedPlayer(), 0);
    EXPECT_EQ(cap->capTable->rowCount(), labels.size() - 4);

    // A free agent has nothing to release.
    form->listingBox->setCurrentIndex(form->listingBox->findData(TPlayersForm::kFreeAgentsEntry));
    form->SelectPlayer(150);
    EXPECT_FALSE(form->releasedViewButton->isEnabled());
    EXPECT_EQ(form->releaseLabel->text(),
              "Kai Fletcher is on no club's roster: there is nothing to release.");
}

TEST_F(PlayersWindow, ExportsTheShownRowsAsCsv) {
    form->playerTable->sortByColumn(PlayersTable::Base, Qt::AscendingOrder);
    const std::string path = p.dir.File("players.csv");
    p.dialogs.Answer(QString::fromStdString(path));
    QTest::mouseClick(form->exportButton, Qt::LeftButton);
    ASSERT_EQ(p.dialogs.Count(FileDialogs::Kind::SaveCsv), 1);
    const std::string csv = ReadFile(path);
    // The header of the roster command's CSV, then the rows in the shown order.
    ASSERT_EQ(csv.rfind("id,first,last,pos,experience,team,status,contractTeam,yrSigned,years,yearsLeft,"
                        "salary,bonus,base,bonusCharge,estimatedOnly,cgs\r\n",
                        0),
              0u);
    const std::size_t sam = csv.find("\r\n122,Sam,Fletch,K,");
    const std::size_t emile = csv.find("\r\n121,\xC3\x89mile,Dubois,HB,");
    const std::size_t brock =
        csv.find("\r\n120,Brock,Fletcher,QB,5,1,0,1,1998,4,2,4000000,400000,1080000,100000,0,");
    ASSERT_NE(sam, std::string::npos);
    ASSERT_NE(emile, std::string::npos) << csv;
    ASSERT_NE(brock, std::string::npos);
    EXPECT_LT(sam, emile);
    EXPECT_LT(emile, brock);

    // A file that cannot be written is reported, not taken for written.
    EXPECT_FALSE(form->ExportCsv(QString::fromStdString(p.dir.File("no such folder/players.csv"))));
    EXPECT_EQ(p.Shown(ScriptedPrompt::Kind::Stop).size(), 1u);

    // Nor is a file of the open league ever written over, whatever name the dialog was given:
    // the league file stays, and no twin of it in other letters is made beside it.
    const League& league = *p.Main().GetLeague();
    const std::string lge = league.GetLeagueFolder() + "/" + league.GetLeagueFileName() + ".lge";
    const std::string twin = league.GetLeagueFolder() + "/" + league.GetLeagueFileName() + ".LGE";
    const std::string before = ReadFile(lge);
    ASSERT_FALSE(before.empty());
    EXPECT_FALSE(form->ExportCsv(QString::fromStdString(lge)));
    EXPECT_FALSE(form->ExportCsv(QString::fromStdString(twin)));
    const std::vector<std::string> stops = p.Shown(ScriptedPrompt::Kind::Stop);
    ASSERT_EQ(stops.size(), 3u);
    EXPECT_EQ(stops[1], "Cannot write " + lge + ": a file of the open league");
    EXPECT_EQ(ReadFile(lge), before);
    if (QFileInfo::exists(QString::fromStdString(twin))) { // one file where names ignore case
        EXPECT_EQ(ReadFile(twin), before);
    }
}

TEST_F(PlayersWindow, TheLastPanelShowsTheCapSpaceRedOverTheCap) {
    // Club 1's current payroll: 1,080,000 + 100,000 + 108,000 + 10,000.
    p.Main().GetOptions()->salarycap = 1500000;
    p.Main().UpdateStatusPanels();
    QLabel* space = p.Main().statusPanels[4];
    EXPECT_EQ(space->text(), "Cap Space: $202,000");
    EXPECT_NE(space->palette().color(QPalette::WindowText), QColor(200, 0, 0));
    EXPECT_TRUE(space->toolTip().contains("salary cap less the current payroll"));
    p.Main().GetOptions()->salarycap = 1000000;
    p.Main().UpdateStatusPanels();
    EXPECT_EQ(space->text(), "Cap Space: -$298,000");
    EXPECT_EQ(space->palette().color(QPalette::WindowText), QColor(200, 0, 0));
    // A menu's tip borrows the panel, in the ordinary colour, and gives it back.
    p.Main().StatusBar->showMessage("Open a league file");
    EXPECT_EQ(space->text(), "Open a league file");
    EXPECT_NE(space->palette().color(QPalette::WindowText), QColor(200, 0, 0));
    p.Main().StatusBar->clearMessage();
    EXPECT_EQ(space->text(), "Cap Space: -$298,000");
    EXPECT_EQ(space->palette().color(QPalette::WindowText), QColor(200, 0, 0));
    // Shown whole at the main window's designed size (this club's name is short).
    p.Main().resize(TContractManagerForm::kDesignedSize);
    p.Main().show();
    QTRY_VERIFY(p.Main().statusStrip->width() > 500);
    EXPECT_GE(space->width(), p.Main().statusStrip->NeededWidth(4));
    EXPECT_TRUE(p.Main().statusPanels[3]->toolTip().contains("plus the CGS"));
    EXPECT_TRUE(p.Offers().payroll->toolTip().contains("ticked offers"));
}

TEST_F(PlayersWindow, AnOfferIsReplacedOnAskingAndRemovedWithDeleteOrTheMenu) {
    TOfferListForm& list = p.Offers();
    p.Main().SubmitOffer(MakeOffer(150, 0, 1, 1000000, 0, 1));
    const QString first = list.payroll->text();
    // Yes replaces the offer for the same player; the figures follow.
    p.prompt.Answer(true);
    p.Main().SubmitOffer(MakeOffer(150, 0, 1, 2000000, 0, 1));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Model()->Items()[0].offer.salary, 2000000u);
    EXPECT_NE(list.payroll->text(), first);
    // (The first question, at the league's opening, offered to create salary information.)
    const auto asked = p.Shown(ScriptedPrompt::Kind::YesNo);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1], "The list already holds an offer for Kai Fletcher.  Replace it with this one?");
    // No lists both, as before.
    p.prompt.Answer(false);
    p.Main().SubmitOffer(MakeOffer(150, 0, 1, 1000000, 0, 1));
    ASSERT_EQ(list.Count(), 2);
    p.Main().SubmitOffer(MakeOffer(151, 0, 1, 500000, 0, 1));
    ASSERT_EQ(list.Count(), 3);

    // The offers export as CSV, every one in the list's order.
    const std::string path = p.dir.File("offers.csv");
    p.dialogs.Answer(QString::fromStdString(path));
    for (QAction* action : list.listMenu->actions())
        if (action->text() == "Export &CSV...")
            action->trigger();
    const std::string csv = ReadFile(path);
    EXPECT_EQ(csv.rfind("index,checked,playerID,team,offerType,years,salary,bonus,acceptPct,text\r\n0,true,"
                        "150,1,0,1,2000000,0,",
                        0),
              0u)
        << csv;
    EXPECT_NE(csv.find("\r\n2,true,151,1,0,1,500000,0,"), std::string::npos) << csv;

    // Delete takes the current offer off; the next one becomes current.
    list.show();
    list.offerlist->setCurrentRow(1);
    list.offerlist->setFocus();
    QTest::keyClick(list.offerlist, Qt::Key_Delete);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Model()->Items()[1].offer.playerID, 151);
    EXPECT_EQ(list.offerlist->currentRow(), 1);
    EXPECT_EQ(list.payroll->text(), QString::fromStdString(list.Model()->GetTotals().payrollText));
    // The context menu's Remove takes the offer off too; the list is unsaved from then on.
    list.listMenu->actions().constFirst()->trigger();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Model()->Items()[0].offer.salary, 2000000u);
    EXPECT_TRUE(p.Main().AreOffersUnsaved());
    EXPECT_FALSE(list.RemoveOffer(5));
}

TEST_F(PlayersWindow, TheCapTableExportsItsCsvAndAPdfPage) {
    p.Main().CapTable1->trigger();
    auto* cap = p.Main().findChild<TCapTableForm*>("CapTableForm");
    ASSERT_TRUE(cap);
    p.dialogs.Answer(QString::fromStdString(p.dir.File("cap.csv")));
    p.dialogs.Answer(QString::fromStdString(p.dir.File("cap.pdf")));
    for (QAction* action : cap->tableMenu->actions())
        action->trigger();
    const std::string csv = ReadFile(p.dir.File("cap.csv"));
    EXPECT_EQ(csv.rfind("row,id,label,2000,2001,2002,2003,2004,2005,2006\r\nplayer,120,", 0), 0u) << csv;
    EXPECT_NE(csv.find("\r\ncapSpace,,Cap Space,"), std::string::npos);
    const std::string pdf = ReadFile(p.dir.File("cap.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_GT(pdf.size(), 1000u);
    EXPECT_EQ(p.dialogs.Count(FileDialogs::Kind::SavePdf), 1);
    // A folder that is not there: reported, and no file is left behind.
    EXPECT_FALSE(cap->ExportPdf(QString::fromStdString(p.dir.File("missing/cap.pdf"))));
    EXPECT_EQ(p.Shown(ScriptedPrompt::Kind::Stop).size(), 1u);
}

TEST_F(PlayersWindow, TheLeagueMenuReachesEveryExportWithItsWindowClosed) {
    form->close();
    p.Main().SubmitOffer(MakeOffer(150, 0, 1, 1000000, 0, 1));
    const std::vector<std::pair<QAction*, const char*>> exports = {{p.Main().ExportPlayers1, "players.csv"},
                                                                   {p.Main().ExportCapTableCsv1, "cap.csv"},
                                                                   {p.Main().ExportCapTablePdf1, "cap.pdf"},
                                                                   {p.Main().ExportOffers1, "offers.csv"}};
    for (const auto& [action, name] : exports) {
        p.dialogs.Answer(QString::fromStdString(p.dir.File(name)));
        action->trigger();
    }
    // Each file is the export of its window, which shows again to say what was written.
    EXPECT_EQ(ReadFile(p.dir.File("players.csv")).rfind("id,first,last,", 0), 0u);
    EXPECT_NE(ReadFile(p.dir.File("players.csv")).find("\r\n120,Brock,Fletcher,"), std::string::npos);
    EXPECT_EQ(ReadFile(p.dir.File("cap.csv")).rfind("row,id,label,2000,", 0), 0u);
    EXPECT_EQ(ReadFile(p.dir.File("cap.pdf")).rfind("%PDF-", 0), 0u);
    EXPECT_EQ(ReadFile(p.dir.File("offers.csv"))
                  .rfind("index,checked,playerID,team,offerType,years,salary,bonus,"
                         "acceptPct,text\r\n0,true,150,",
                         0),
              0u);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(p.Main().findChild<TCapTableForm*>("CapTableForm")->isVisible());
    EXPECT_EQ(p.dialogs.Count(FileDialogs::Kind::SaveCsv), 3);
    EXPECT_EQ(p.dialogs.Count(FileDialogs::Kind::SavePdf), 1);
    EXPECT_TRUE(p.Shown(ScriptedPrompt::Kind::Stop).empty());
}

} // namespace
