// The "Cheapest Offers" window over a hand-made league.
#include "contracts/ContractEditor.h"
#include "contracts/ContractList.h"
#include "contracts/Options.h"
#include "contracts/ScriptedPrompt.h"
#include "support/PlannedLeagueTest.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"
#include "ui/BrevaneApplication.h"
#include "ui/TCheapestOfferForm.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A free agent valued at 1,000,000 in a league whose longest contract is 4 years.
class CheapestWindow : public PlannedLeagueTest {
  protected:
    void SetUp() override {
        plan.Add(150, Player::K, 6);
        plan.freeAgents = std::vector<std::int16_t>{150};
        OpenPlan();
        list->GetRecord(150)->playerID = 150;
        list->GetRecord(150)->cgs = 1000000;
        editor = std::make_unique<ContractEditor>(*list, "ContractManagerForm");
    }
    QString Cell(int row, int column) const { return form.cheapestOffers->item(row, column)->text(); }

    std::unique_ptr<ContractEditor> editor;
    TCheapestOfferForm form{nullptr};
};

} // namespace

TEST_F(CheapestWindow, AnswersForTheShownPlayerAndAClickChoosesOne) {
    form.Refresh(*editor);
    EXPECT_EQ(form.cheapestOffers->rowCount(), 0); // no player shown yet

    editor->ShowPlayerByID(150);
    form.Refresh(*editor);
    EXPECT_EQ(form.windowTitle(), "Cheapest Offers: First P150");
    // Four lengths, three targets, two bonus rules, and no bonus for one year.
    ASSERT_EQ(form.cheapestOffers->rowCount(), 4 * 3 * 2 + 3);
    EXPECT_EQ(form.cheapestOffers->horizontalHeaderItem(3)->text(), "Base Salary");
    // One year without a bonus: 62 x s / 1,000,000 reaches 60 first at s = 967,742.
    EXPECT_EQ(Cell(2, 0), "1");
    EXPECT_EQ(Cell(2, 1), "60 %");
    EXPECT_EQ(Cell(2, 2), "no bonus");
    EXPECT_EQ(Cell(2, 3), "$967,742");
    EXPECT_EQ(Cell(2, 4), "$0");
    EXPECT_EQ(Cell(2, 5), "60");

    QSignalSpy chosen(&form, &TCheapestOfferForm::offerChosen);
    const QRect cell = form.cheapestOffers->visualItemRect(form.cheapestOffers->item(2, 0));
    form.show();
    QTest::mouseClick(form.cheapestOffers->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), 1);
    EXPECT_EQ(chosen[0][1].toUInt(), 967742u);
    EXPECT_EQ(chosen[0][2].toUInt(), 0u);

    // A chance of the user's own: one more answer per length and bonus rule.
    form.targetChance->setText("62");
    emit form.targetChance->editingFinished();
    ASSERT_EQ(form.cheapestOffers->rowCount(), 4 * 4 * 2 + 4);
    EXPECT_EQ(Cell(11, 1), "62 %");
    EXPECT_EQ(Cell(11, 3), "$1,000,000");
}

TEST_F(CheapestWindow, TargetsNoSalaryReaches) {
    list->GetRecord(150)->cgs = 4000000000u; // 90 % would need more than a 32-bit salary
    editor->ShowPlayerByID(150);
    form.Refresh(*editor);
    // One year, 90 %, no bonus.
    EXPECT_EQ(Cell(8, 1), "90 %");
    EXPECT_EQ(Cell(8, 3), "none");
    EXPECT_EQ(Cell(8, 5), "");
    QSignalSpy chosen(&form, &TCheapestOfferForm::offerChosen);
    form.show();
    QTest::mouseClick(form.cheapestOffers->viewport(), Qt::LeftButton, {},
                      form.cheapestOffers->visualItemRect(form.cheapestOffers->item(8, 0)).center());
    EXPECT_EQ(chosen.count(), 0);
}

TEST_F(CheapestWindow, ATargetThatIsNoNumberIsReportedOnlyWhenTheUserLeavesTheBox) {
    ScriptedPrompt errors;
    BrevaneApplication::Instance()->SetErrorPrompt(&errors);
    editor->ShowPlayerByID(150);
    form.show();
    form.targetChance->setText("abc");
    emit form.targetChance->editingFinished();
    ASSERT_EQ(errors.History().size(), 1u);
    EXPECT_EQ(errors.History()[0].text, "'abc' is not a valid integer value");

    // Following the editor, the answers are the shown player's for the usual targets, without
    // a box at every player shown.
    list->GetRecord(150)->cgs = 2000000;
    form.Refresh(*editor);
    EXPECT_EQ(form.cheapestOffers->rowCount(), 4 * 3 * 2 + 3);
    EXPECT_EQ(Cell(2, 3), "$1,935,484");
    // A box losing its focus to the window going away (a stop) asks nothing.
    form.hide();
    emit form.targetChance->editingFinished();
    EXPECT_EQ(errors.History().size(), 1u);
    BrevaneApplication::Instance()->SetErrorPrompt(nullptr);
}
