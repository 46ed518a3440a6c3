// The cap table, the cheapest offers and the rule check of the offer list, through the
// main window over a hand-made league.
#include "UiSupport.h"

#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "support/OfferFixtures.h"
#include "support/TestLeague.h"
#include "ui/TCapTableForm.h"
#include "ui/TCheapestOfferForm.h"
#include "ui/TContractEdit.h"
#include "ui/TContractManagerForm.h"
#include "ui/TOfferListForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Season 2000, club 1 managed: player 120 under a four-year contract of 1998 ($1,180,000
// this season: 27 % of 4,000,000 and 400,000 / 4), player 150 a free agent valued at
// 1,000,000; a salary cap of $2,000,000.
class AdviceWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        TestLeague plan;
        plan.Add(120, Player::QB, 5);
        plan.Add(150, Player::K, 6);
        plan.rosters = {{}, {120}};
        plan.freeAgents = std::vector<std::int16_t>{150};
        OpenPlannedLeague(p, plan, 1);
        ASSERT_TRUE(p.Main().IsLeagueLoaded());
        ContractList& list = *p.Main().GetContracts();
        SignFourYearsOf1998(*list.GetRecord(120), 120);
        list.GetRecord(150)->playerID = 150;
        list.GetRecord(150)->cgs = 1000000;
        p.Main().GetOptions()->salarycap = 2000000;
        list.RecomputeTotals();
    }

    // A new two-year contract for 150: $2,000,000 and $400,000 (900,000 + 200,000 this season).
    void SubmitOfferFor150() {
        p.Main().SubmitOffer(MakeOffer(150, Offer::SignFreeAgent, 2, 2000000, 400000, 1));
    }

    template <class T> T* Window(const char* name) { return p.Main().findChild<T*>(name); }

    ProgramUnderTest p;
};

QString Cell(const TCapTableForm& form, int row, int column) {
    return form.capTable->item(row, column)->text();
}

} // namespace

TEST_F(AdviceWindows, CapTableFollowsTheOffersAndGoesWithTheLeague) {
    p.Main().CapTable1->trigger();
    QPointer<TCapTableForm> form = Window<TCapTableForm>("CapTableForm");
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Cell(*form, 0, 0), "$1,180,000");

    SubmitOfferFor150();
    EXPECT_EQ(form->capTable->rowCount(), 6); // totals, cap, space, endings, player, offer
    EXPECT_EQ(Cell(*form, 0, 0), "$2,280,000");
    EXPECT_EQ(Cell(*form, 2, 0), "-$280,000");

    p.Offers().offerlist->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(form->capTable->rowCount(), 5);
    EXPECT_EQ(Cell(*form, 0, 0), "$1,180,000");

    // Another league takes the window with it.
    p.prompt.Answer(false); // do not save the pending offer
    p.Main().OpenLeagueFile(QString::fromStdString(p.dir.File("league/none.lge")));
    EXPECT_TRUE(form.isNull());
}

TEST_F(AdviceWindows, OffersThatBreakRulesAreMarkedAndAskBeforeSaving) {
    SubmitOfferFor150();
    QListWidgetItem* item = p.Offers().offerlist->item(0);
    // The tool tip: the whole sentence, then the rule it breaks.
    EXPECT_EQ(item->toolTip(),
              item->text() + "\nEstimated payroll $2,280,000 is over the salary cap of $2,000,000");
    EXPECT_EQ(item->foreground().color(), QColor(200, 0, 0));

    const std::string path = p.dir.File("league/club.off");
    p.prompt.AnswerCaption("Rule Check", false);
    EXPECT_FALSE(p.Offers().SaveOffersOf(1));
    EXPECT_EQ(p.prompt.History().back().text, "1 offer breaks the league's rules. Save anyway?");
    EXPECT_EQ(p.dialogs.Count(FileDialogs::Kind::SaveOffers), 0);
    EXPECT_FALSE(std::filesystem::exists(path));

    p.prompt.AnswerCaption("Rule Check", true);
    p.dialogs.Answer(QString::fromStdString(path));
    EXPECT_TRUE(p.Offers().SaveOffersOf(1));
    EXPECT_EQ(std::filesystem::file_size(path), 20u);

    // Within the cap the mark goes.
    p.Main().GetOptions()->salarycap = 3000000;
    item->setCheckState(Qt::Unchecked);
    item->setCheckState(Qt::Checked);
    EXPECT_EQ(item->toolTip(), item->text());
    EXPECT_NE(item->foreground().color(), QColor(200, 0, 0));
}

TEST_F(AdviceWindows, ACheapestOfferChosenIsTypedIntoTheEditor) {
    TContractEdit* editor = p.Main().GetEditor();
    ASSERT_NE(editor, nullptr);
    editor->ShowPlayerByID(150);
    p.Main().CheapestOffers1->trigger();
    TCheapestOfferForm* form = Window<TCheapestOfferForm>("CheapestOfferForm");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Cheapest Offers: First P150");
    // One year without a bonus: 62 x s / 1,000,000 reaches 60 first at s = 967,742.
    ASSERT_EQ(form->cheapestOffers->item(2, 3)->text(), "$967,742");
    QTest::mouseClick(form->cheapestOffers->viewport(), Qt::LeftButton, {},
                      form->cheapestOffers->visualItemRect(form->cheapestOffers->item(2, 0)).center());
    EXPECT_EQ(editor->years->text(), "1");
    EXPECT_EQ(editor->salary->text(), "967742");
    EXPECT_EQ(editor->bonus->text(), "0");
    EXPECT_EQ(editor->accept_percent->text(), "60");
    EXPECT_EQ(editor->chanceExplanation->text(), "Offer vs CGS: 60.00\nChance: 60");

    // Another player shown: the answers follow him.
    editor->ShowPlayerByID(120);
    EXPECT_EQ(form->windowTitle(), "Cheapest Offers: First P120");
}
