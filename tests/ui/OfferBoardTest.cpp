// The league office's offer board in Brevane-FrontOffice, over a hand-made league and a folder
// of offer files that the test changes while the board is open.
#include "UiSupport.h"

#include "contracts/ContractList.h"
#include "support/OfferFixtures.h"
#include "support/TestLeague.h"
#include "ui/TContractEdit.h"
#include "ui/TContractManagerForm.h"
#include "ui/TOfferBoardForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Season 2000: player 120 on club 1's roster, 150 (K) and 151 (P) free agents valued at
// $1,000,000, so that a one-year offer of S + B is worth 62 × (S + B) / 1,000,000 points.
class OfferBoardWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        TestLeague plan;
        plan.Add(120, Player::QB, 5);
        plan.Add(150, Player::K, 6);
        plan.Add(151, Player::P, 6);
        plan.rosters = {{}, {120}};
        plan.freeAgents = std::vector<std::int16_t>{150, 151};
        std::filesystem::create_directory(p.dir.File("offers"));
        OpenPlannedLeague(p, plan, 1);
        ASSERT_TRUE(p.Main().IsLeagueLoaded());
        ContractList& list = *p.Main().GetContracts();
        for (int id : {150, 151})
            list.GetRecord(id)->cgs = 1000000;

        // Club 1 offers 150 one year of $1,000,000 (62) and 151 the same; club 2 offers 150
        // $1,000,000 and a $200,000 bonus (74).
        WriteOffers("club1.off", {MakeOffer(150, 0, 1, 1000000, 0, 1), MakeOffer(151, 0, 1, 1000000, 0, 1)});
        WriteOffers("club2.off", {MakeOffer(150, 0, 1, 1000000, 200000, 2)});

        p.Main().OfferBoard1->trigger();
        form = p.Main().findChild<TOfferBoardForm*>("OfferBoardForm");
        ASSERT_TRUE(form);
        p.dialogs.Answer(QString::fromStdString(p.dir.File("offers")));
        QTest::mouseClick(form->chooseFolderButton, Qt::LeftButton);
    }

    void WriteOffers(const std::string& name, const std::vector<Offer>& offers) {
        p.dir.Write("offers/" + name, OfferFileBytes(offers));
    }

    QTreeWidgetItem* Player(int line) const { return form->playerTree->topLevelItem(line); }
    QStringList Players() const {
        QStringList names;
        for (int i = 0; i < form->playerTree->topLevelItemCount(); ++i)
            names << Player(i)->text(0);
        return names;
    }

    ProgramUnderTest p{BrevaneProgram::kFrontOfficeRole};
    QPointer<TOfferBoardForm> form;
};

} // namespace

TEST_F(OfferBoardWindow, ShowsEachPlayersOffersRankedAndEachFilesFigures) {
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(Players(), QStringList({"First P150 (150)", "First P151 (151)"}));
    EXPECT_EQ(Player(0)->text(3), "2 from 2 clubs");
    ASSERT_EQ(Player(0)->childCount(), 2);
    EXPECT_EQ(Player(0)->child(0)->text(4), "Team 2");
    EXPECT_EQ(Player(0)->child(0)->text(10), "74");
    EXPECT_EQ(Player(0)->child(0)->text(11), "club2.off #1");
    EXPECT_EQ(Player(0)->child(1)->text(10), "62");
    EXPECT_EQ(Player(1)->text(3), "1");

    ASSERT_EQ(form->fileTable->rowCount(), 2);
    EXPECT_EQ(form->fileTable->item(0, 0)->text(), "club1.off");
    EXPECT_EQ(form->fileTable->item(0, 1)->text(), "Team 1");
    EXPECT_EQ(form->fileTable->item(1, 2)->text(), "1");
    // Club 1's estimated payroll grows by the two one-year salaries.
    const std::int32_t base = p.Main().GetContracts()->GetTeamInfo(1).estimatedPayroll;
    EXPECT_EQ(form->fileTable->item(0, 5)->text().remove('$').remove(',').toLongLong(), base + 2000000);
}

TEST_F(OfferBoardWindow, FiltersByContestPositionAndClub) {
    form->contestedOnly->setChecked(true);
    EXPECT_EQ(Players(), QStringList({"First P150 (150)"}));
    form->contestedOnly->setChecked(false);
    form->groupFilter->setCurrentText("P");
    EXPECT_EQ(Players(), QStringList({"First P151 (151)"}));
    form->groupFilter->setCurrentIndex(0);
    form->clubFilter->setCurrentText("Team 2");
    EXPECT_EQ(Players(), QStringList({"First P150 (150)"}));
    form->clubFilter->setCurrentText("Team 3");
    EXPECT_TRUE(Players().isEmpty());
}

TEST_F(OfferBoardWindow, DoubleClickShowsThePlayerInTheEditor) {
    QTreeWidgetItem* offer = Player(1)->child(0);
    form->playerTree->scrollToItem(offer);
    const QPoint place = form->playerTree->visualItemRect(offer).center();
    QTest::mouseClick(form->playerTree->viewport(), Qt::LeftButton, {}, place);
    QTest::mouseDClick(form->playerTree->viewport(), Qt::LeftButton, {}, place);
    ASSERT_TRUE(p.Main().GetEditor());
    EXPECT_EQ(p.Main().GetEditor()->Model().Fields().playerID, "151");
}

TEST_F(OfferBoardWindow, ANewCGSChangesTodaysChancesAtOnce) {
    p.Main().ShowEditor(150);
    ASSERT_TRUE(p.Main().GetEditor());
    p.modals.Then("GetCGSDialog", [](QWidget& dialog) {
        QTest::keyClicks(dialog.findChild<QLineEdit*>("id"), "2,000,000");
        QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    QTest::mouseDClick(p.Main().GetEditor()->findChild<QWidget*>("cgs"), Qt::LeftButton);
    ASSERT_EQ(p.Main().GetContracts()->GetContract(150).cgs, 2000000u);
    // Twice the CGS halves the points: club 2's 74 (of $1,200,000) becomes 37, club 1's 62 31.
    EXPECT_EQ(Player(0)->child(0)->text(10), "37");
    EXPECT_EQ(Player(0)->child(1)->text(10), "31");
}

TEST_F(OfferBoardWindow, ReadsTheFolderAgainWhenAFileChangesAndNamesWhatItCannotRead) {
    // Club 3 outbids everyone for 150; a damaged file and a file that is no offer file come
    // with it, and the good files still show.
    WriteOffers("club3.off", {MakeOffer(150, 0, 1, 2000000, 0, 3)});
    p.dir.Write("offers/cut.off", {1, 2, 3, 4, 5, 6, 7});
    QTRY_COMPARE(form->fileTable->rowCount(), 4);
    EXPECT_EQ(form->fileTable->item(2, 0)->text(), "club3.off");
    EXPECT_EQ(Player(0)->child(0)->text(4), "Team 3");
    EXPECT_EQ(Player(0)->child(0)->text(10), "124");
    EXPECT_EQ(form->fileTable->item(3, 0)->text(), "cut.off"); // sorted after club*: c-u after c-l
    EXPECT_EQ(form->fileTable->item(3, 8)->text(), "ends in a partial record of 7 bytes, ignored");

    // A file rewritten in place: club 1 drops its offer for 151.
    WriteOffers("club1.off", {MakeOffer(150, 0, 1, 1000000, 0, 1)});
    QTRY_COMPARE(Players(), QStringList({"First P150 (150)"}));
    EXPECT_TRUE(form->boardStatus->text().startsWith(
        "1 player with offers, 1 contested; 1 shown. 4 files, 1 not read whole"));
}

TEST_F(OfferBoardWindow, ExportsTheShownOffersAsCsv) {
    form->contestedOnly->setChecked(true);
    p.dialogs.Answer(QString::fromStdString(p.dir.File("board.csv")));
    QTest::mouseClick(form->exportButton, Qt::LeftButton);
    const std::vector<std::uint8_t> bytes = p.dir.Read("board.csv");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "File,Record,Player ID,First,Last,Pos,Held by,Contested,Rank,Club,Type,Years,Salary,Bonus,"
              "Stored chance,Chance\r\n"
              "club2.off,1,150,First,P150,K,Free Agent,yes,1,Team 2,Free agent,1,1000000,200000,0,74\r\n"
              "club1.off,1,150,First,P150,K,Free Agent,yes,2,Team 1,Free agent,1,1000000,0,0,62\r\n");
}

TEST(OfferBoardMenu, OnlyTheFrontOfficeHasTheBoard) {
    ProgramUnderTest club;
    EXPECT_EQ(club.Main().OfferBoard1, nullptr);
    EXPECT_EQ(club.Main().findChild<QAction*>("OfferBoard1"), nullptr);
    ProgramUnderTest office{BrevaneProgram::kFrontOfficeRole};
    ASSERT_NE(office.Main().OfferBoard1, nullptr);
    EXPECT_EQ(office.Main().OfferBoard1->text(), "Offer &Board");
}
