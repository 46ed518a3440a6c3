// Where the tool windows open and stay, and windows that grow with the screen without cutting
// their texts, checked by geometry on the offscreen platform (no window manager).
#include "UiSupport.h"

#include "contracts/Contract.h"
#include "contracts/ContractList.h"
#include "contracts/Offer.h"
#include "league/League.h"
#include "ui/StatusPanelStrip.h"
#include "ui/TCapTableForm.h"
#include "ui/TCheapestOfferForm.h"
#include "ui/TContractEdit.h"
#include "ui/TContractManagerForm.h"
#include "ui/TOfferListForm.h"
#include "ui/WindowPlaces.h"

#include <QHeaderView>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include <filesystem>

#include <gtest/gtest.h>

namespace {

// The main window's menu bar, in screen coordinates.
QRect MenuBarOnScreen(TContractManagerForm& main) {
    QMenuBar* bar = main.MainMenu1;
    return QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size());
}

TEST(WindowPlaces, BesideTheMainWindowWhereThereIsRoomElseBelowItsMenu) {
    const QSize offers(600, 270);
    const QRect main(100, 100, 630, 600);
    const QRect work(103, 150, 624, 520); // below the title and menu bars
    // A wide screen: right of the main window, level with its work area.
    EXPECT_EQ(WindowPlaces::PlaceBeside(offers, main, work, QRect(0, 0, 1920, 1080)),
              QRect(QPoint(734, 150), offers));
    // Room only on the left.
    const QRect rightHand(700, 100, 630, 600);
    EXPECT_EQ(WindowPlaces::PlaceBeside(offers, rightHand, work.translated(600, 0), QRect(0, 0, 1400, 1080)),
              QRect(QPoint(96, 150), offers));
    // Room only below.
    EXPECT_EQ(WindowPlaces::PlaceBeside(offers, main, work, QRect(0, 0, 1000, 1200)),
              QRect(QPoint(100, 704), offers));
    // No room beside it: over the work area's lower right, never over the menu.
    const QRect screen(0, 0, 1024, 768);
    const QRect centred(197, 84, 630, 600);
    const QRect centredWork(200, 134, 624, 520);
    const QRect over = WindowPlaces::PlaceBeside(offers, centred, centredWork, screen);
    EXPECT_TRUE(screen.contains(over));
    EXPECT_GE(over.top(), centredWork.top());
    EXPECT_EQ(over.bottomRight(), centredWork.bottomRight());
    // A window taller than the screen below the menu starts below the menu and is cut to fit.
    const QRect tall = WindowPlaces::PlaceBeside(QSize(1100, 700), centred, centredWork, screen);
    EXPECT_EQ(tall, QRect(0, 134, 1024, 634));
}

class ToolWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        league = WriteSampleLeague(p.dir.File("lg"));
        OpenThroughMenu(p, league, 0);
        ASSERT_TRUE(p.Main().IsLeagueLoaded());
        p.Main().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.Main()));
    }

    void SubmitAnOffer() {
        Offer offer;
        offer.playerID = p.Main().GetEditor()->Model().PlayerOfItem(0);
        offer.offerType = Offer::RestructureOffer;
        offer.years = 2;
        offer.salary = 2000000;
        offer.bonus = 400000;
        p.Main().SubmitOffer(offer);
    }

    void ExpectClearOfTheMenu(QWidget& window) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_FALSE(window.frameGeometry().intersects(MenuBarOnScreen(p.Main())))
            << window.objectName().toStdString();
        const QScreen* screen = p.Main().screen();
        ASSERT_NE(screen, nullptr);
        EXPECT_TRUE(screen->availableGeometry().contains(window.frameGeometry()))
            << window.objectName().toStdString();
    }

    ProgramUnderTest p;
    std::string league;
};

TEST_F(ToolWindows, OpenClearOfTheMenuAndStayWhereTheUserPutsThem) {
    SubmitAnOffer();
    TOfferListForm& offers = p.Offers();
    ExpectClearOfTheMenu(offers);
    p.Main().CapTable1->trigger();
    ExpectClearOfTheMenu(*p.Main().findChild<TCapTableForm*>("CapTableForm"));
    p.Main().CheapestOffers1->trigger();
    ExpectClearOfTheMenu(*p.Main().findChild<TCheapestOfferForm*>("CheapestOfferForm"));

    // The user moves and widens the list; Clear hides it, Load shows it again where it was.
    const QRect moved(40, 300, 700, 260);
    offers.setGeometry(moved);
    p.prompt.Answer(false);
    p.Main().New1->trigger();
    ASSERT_TRUE(offers.isHidden());
    const std::string file = p.dir.File("lg") + "/none.off";
    p.dir.Write("lg/none.off", {});
    p.dialogs.Answer(QString::fromStdString(file));
    p.Main().Open1->trigger();
    ASSERT_TRUE(offers.isVisible());
    EXPECT_EQ(offers.geometry(), moved);
}

TEST_F(ToolWindows, PlacesAreRememberedForTheNextRun) {
    SubmitAnOffer();
    const QRect moved(60, 320, 650, 250);
    p.Offers().setGeometry(moved);
    p.prompt.Answer(false); // closing: the offer is not saved
    p.Main().close();
    const QString settings = p.settingsFolder;

    ProgramUnderTest next(BrevaneProgram::kClubRole, settings);
    OpenThroughMenu(next, WriteSampleLeague(next.dir.File("lg")), 0);
    next.Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&next.Main()));
    next.Offers().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&next.Offers()));
    EXPECT_EQ(next.Offers().geometry(), moved);
    // Only the user's settings hold it; nothing was written beside the league.
    for (const auto& entry : std::filesystem::directory_iterator(next.dir.File("lg")))
        EXPECT_EQ(entry.path().filename().string().find("conf"), std::string::npos) << entry.path();
}

TEST_F(ToolWindows, TheEditorGrowsWithTheMainWindowAndItsTextsWithIt) {
    TContractManagerForm& main = p.Main();
    TContractEdit& editor = *main.GetEditor();
    // A contract of nine-digit salaries: every cap line whole at the designed size.
    const short id = editor.Model().PlayerOfItem(0);
    Contract& c = *main.GetContracts()->GetRecord(id);
    c.yrSigned = static_cast<std::int16_t>(main.GetLeague()->GetCurrentSeason());
    c.years = 7;
    c.salary = 999999999;
    c.bonus = 0;
    editor.ShowPlayerByID(id);
    const auto expectWholeLines = [&editor]() {
        QListWidget& lines = *editor.caphit;
        ASSERT_EQ(lines.count(), 7);
        for (int row = 0; row < lines.count(); ++row)
            EXPECT_LE(lines.visualItemRect(lines.item(row)).left() +
                          lines.fontMetrics().horizontalAdvance(lines.item(row)->text()),
                      lines.viewport()->width())
                << lines.item(row)->text().toStdString();
    };
    QTRY_COMPARE(editor.size(), QSize(594, 466));
    expectWholeLines();
    const int statsWidth = editor.GameStatOutput->width();
    const int playersHeight = editor.PlayerListBox->height();

    main.resize(1000, 800);
    QTRY_COMPARE(editor.size(), QSize(594 + 376, 466 + 231));
    expectWholeLines();
    EXPECT_GT(editor.GameStatOutput->width(), statsWidth + 300);
    EXPECT_GT(editor.PlayerListBox->height(), playersHeight + 100);
    EXPECT_GT(editor.caphit->width(), 200);

    main.resize(TContractManagerForm::kDesignedSize);
    QTRY_COMPARE(editor.size(), QSize(594, 466));
}

TEST_F(ToolWindows, TablesShareTheWidthToSpareAmongTheirColumns) {
    p.Main().CapTable1->trigger();
    p.Main().CheapestOffers1->trigger();
    auto& capTable = *p.Main().findChild<TCapTableForm*>("CapTableForm");
    auto& cheapest = *p.Main().findChild<TCheapestOfferForm*>("CheapestOfferForm");
    const std::pair<QWidget*, QTableWidget*> windows[] = {{&capTable, capTable.capTable},
                                                          {&cheapest, cheapest.cheapestOffers}};
    for (const auto& shown : windows) {
        QWidget* window = shown.first;
        QTableWidget* table = shown.second;
        const auto widths = [table]() {
            std::vector<int> list;
            for (int column = 0; column < table->columnCount(); ++column)
                list.push_back(table->columnWidth(column));
            return list;
        };
        const std::vector<int> designed = widths();
        window->resize(window->width() + 700, window->height());
        QTRY_VERIFY(table->viewport()->width() > 700);
        // Every column took an even share of the new width; together they fill the view.
        const std::vector<int> wide = widths();
        int total = 0;
        for (std::size_t column = 0; column < wide.size(); ++column) {
            EXPECT_NEAR(wide[column] - designed[column], 700 / static_cast<int>(wide.size()), 30)
                << window->objectName().toStdString() << " column " << column;
            total += wide[column];
        }
        EXPECT_NEAR(total, table->viewport()->width(), static_cast<int>(wide.size()));
    }
}

TEST_F(ToolWindows, TheClubsNameIsWholeInItsPanelAtTheDesignedSizeAndMaximised) {
    TContractManagerForm& main = p.Main();
    // The longest name of the sample league's clubs.
    int longest = 0;
    for (int team = 1; team < main.GetLeague()->GetNumTeams(); ++team)
        if (main.GetLeague()->GetTeamName(team).size() > main.GetLeague()->GetTeamName(longest).size())
            longest = team;
    p.modals.Then("ChooseTeam", [longest](QWidget& chooser) {
        ClickRow(*chooser.findChild<QListWidget*>("teamList"), longest);
    });
    main.ChangeTeam1->trigger();
    ASSERT_EQ(main.GetUserTeam(), longest);
    for (const QSize size : {TContractManagerForm::kDesignedSize, QSize(1200, 900)}) {
        main.resize(size);
        QTRY_COMPARE(main.size(), size);
        QTRY_VERIFY(main.statusStrip->width() > size.width() - 30);
        for (int panel = 0; panel < 4; ++panel)
            EXPECT_GE(main.statusPanels[static_cast<std::size_t>(panel)]->width(),
                      main.statusStrip->NeededWidth(panel))
                << panel << " at " << size.width();
    }
    // With room to spare the panels keep at least their designed widths.
    for (int panel = 0; panel < 4; ++panel)
        EXPECT_GE(main.statusPanels[static_cast<std::size_t>(panel)]->width(),
                  StatusPanelStrip::kWidths[static_cast<std::size_t>(panel)]);
}

} // namespace
