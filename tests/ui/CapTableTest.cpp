// The "Cap Table" window over a hand-made league.
#include "UiSupport.h"

#include "contracts/ContractList.h"
#include "contracts/OfferList.h"
#include "contracts/Options.h"
#include "support/OfferFixtures.h"
#include "support/PlannedLeagueTest.h"
#include "support/TempDir.h"
#include "support/TestLeague.h"
#include "ui/CapChart.h"
#include "ui/TCapTableForm.h"

#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

// Club 1 in season 2000: player 120 under a four-year contract of 1998 (1,180,000 now,
// 1,420,000 in 2001, his last season); a salary cap of 2,000,000.
class CapTableWindow : public PlannedLeagueTest {
  protected:
    void SetUp() override {
        plan.Add(120, Player::QB, 5);
        plan.Add(150, Player::K, 6);
        plan.rosters = {{}, {120}};
        plan.freeAgents = std::vector<std::int16_t>{150};
        options.salarycap = 2000000;
        OpenPlan();
        SignFourYearsOf1998(*list->GetRecord(120), 120);
        list->RecomputeTotals();
    }

    QString Cell(int row, int column) const { return form.capTable->item(row, column)->text(); }
    QString Label(int row) const { return form.capTable->verticalHeaderItem(row)->text(); }

    ScriptedPrompt prompt;
    ScriptedFileDialogs dialogs;
    TCapTableForm form{prompt, dialogs, nullptr};
};

} // namespace

TEST_F(CapTableWindow, RowsOfPlayersOffersAndTotals) {
    OfferList offers(*list);
    offers.SetBase(1, list->GetTeamInfo(1));
    Offer o;
    o.playerID = 150;
    o.team = 1;
    o.years = 2;
    o.salary = 2000000;
    o.bonus = 400000; // 900,000 + 200,000, then 1,100,000 + 200,000
    offers.AddOfferToList(o);
    form.Refresh(*list, 1, &offers);

    EXPECT_EQ(form.windowTitle(), "Cap Table: Team 1");
    ASSERT_EQ(form.capTable->columnCount(), 7);
    EXPECT_EQ(form.capTable->horizontalHeaderItem(0)->text(), "2000");
    EXPECT_EQ(form.capTable->horizontalHeaderItem(6)->text(), "2006");
    ASSERT_EQ(form.capTable->rowCount(), 6);
    EXPECT_EQ(Label(0), "Total");
    EXPECT_EQ(Cell(0, 0), "$2,280,000");
    EXPECT_EQ(Cell(0, 2), "$0");
    EXPECT_EQ(Label(1), "Salary Cap");
    EXPECT_EQ(Cell(1, 6), "$2,000,000");
    EXPECT_EQ(Label(2), "Cap Space");
    EXPECT_EQ(Cell(2, 0), "-$280,000");
    EXPECT_EQ(Cell(2, 2), "$2,000,000");
    // Over the cap in red, within it not.
    EXPECT_EQ(form.capTable->item(2, 0)->foreground().color(), QColor(200, 0, 0));
    EXPECT_NE(form.capTable->item(2, 2)->foreground().color(), QColor(200, 0, 0));
    EXPECT_EQ(Label(3), "Contracts Ending");
    EXPECT_EQ(Cell(3, 1), "1");
    EXPECT_EQ(form.capTable->item(3, 1)->toolTip(), "QB First P120");
    EXPECT_EQ(Label(4), "QB First P120");
    EXPECT_EQ(Cell(4, 0), "$1,180,000");
    EXPECT_EQ(Cell(4, 1), "$1,420,000");
    EXPECT_EQ(Cell(4, 2), "");
    EXPECT_EQ(Label(5), "Offer 1: K First P150");
    EXPECT_EQ(Cell(5, 1), "$1,300,000");

    // Unticked, the offer leaves the table.
    offers.SetChecked(0, false);
    form.Refresh(*list, 1, &offers);
    EXPECT_EQ(form.capTable->rowCount(), 5);
    EXPECT_EQ(Cell(0, 0), "$1,180,000");
}

TEST_F(CapTableWindow, AnotherClubAndNoOffers) {
    form.Refresh(*list, 0, nullptr);
    EXPECT_EQ(form.windowTitle(), "Cap Table: Team 0");
    ASSERT_EQ(form.capTable->rowCount(), 4); // totals, cap, space, endings
    EXPECT_EQ(Cell(0, 0), "$0");
}
