// The main window's workflow, driven as a user drives it: menu commands, activation, the
// club chooser clicked through, message boxes and file dialogs answered from a script.
#include "UiSupport.h"

#include "contracts/ContractList.h"
#include "contracts/Offer.h"
#include "contracts/Options.h"
#include "league/League.h"
#include "league/MoneyText.h"
#include "ui/StatusPanelStrip.h"
#include "ui/TContractEdit.h"
#include "ui/TContractManagerForm.h"
#include "ui/TOfferListForm.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Kind = ScriptedPrompt::Kind;
using Dialog = FileDialogs::Kind;

const std::string kSelectLeague = "Select a League First";
const std::string kSaveQuestion = "Current Offers not Saved.  Save Now?";

QStringList Items(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.item(i)->text();
    return texts;
}

// The roster lines of a club as the league itself describes them: position, last, first.
QStringList RosterLines(League& league, int team) {
    QStringList lines;
    const short* roster = league.GetSortedRoster(team);
    for (int slot = 0; slot < 63; ++slot) {
        const short id = roster[slot];
        if (id < 100 || id >= league.GetNextPlayerID())
            continue;
        const Player player = league.players.GetPlayer(id);
        lines << QString::fromLatin1(player.GetStringPos() + " " + player.GetLastName() + ", " +
                                     player.GetFirstName());
    }
    return lines;
}

Offer SomeOffer(TContractManagerForm& main) {
    Offer offer;
    offer.playerID = main.GetEditor()->Model().PlayerOfItem(0);
    offer.team = static_cast<std::int8_t>(main.GetUserTeam());
    offer.offerType = Offer::RestructureOffer;
    offer.years = 3;
    offer.salary = 3000000;
    offer.bonus = 900000;
    offer.acceptPct = 71;
    return offer;
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes(std::filesystem::file_size(path));
    FILE* file = std::fopen(path.c_str(), "rb");
    EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);
    return bytes;
}

// True when no League holds the folder any more (each folder can be open only once).
bool FolderReleased(const std::string& leaguePath) {
    League probe;
    return probe.OpenLeague(leaguePath);
}

TEST(MainWindow, LayoutMenusAndPanels) {
    ProgramUnderTest p;
    TContractManagerForm& main = p.Main();
    EXPECT_EQ(main.objectName(), "ContractManagerForm");
    EXPECT_EQ(main.windowTitle(), "Marrel:Contract Manager");
    EXPECT_EQ(main.size(), QSize(624, 569));
    EXPECT_EQ(QCoreApplication::applicationName(), "Marrel:Contract Manager");
    EXPECT_NE(main.findChild<QMdiArea*>(), nullptr);

    QStringList menus;
    for (QAction* menu : main.findChild<QMenuBar*>("MainMenu1")->actions()) {
        QStringList items;
        for (QAction* item : menu->menu()->actions())
            items << (item->isSeparator() ? QString("-") : item->objectName() + ":" + item->text());
        menus << menu->menu()->objectName() + ":" + menu->text() + "[" + items.join(",") + "]";
    }
    EXPECT_EQ(menus,
              QStringList({"Contracts1:&Contracts[New1:&Clear,Open1:&Load,Save1:&Save,Exit1:E&xit]",
                           "League1:&League[Open2:&Open,ChangeTeam1:Change &Team,ContractEditor1:Contract "
                           "&Editor,Players1:Pla&yers,CapTable1:Cap T&able,CheapestOffers1:C&heapest "
                           "Offers,Export1:E&xport,-,Options1:O&ptions]"}));
    // Every menu and item has a mnemonic of its own within its menu.
    const auto mnemonics = [](const QList<QAction*>& actions) {
        QStringList letters;
        for (QAction* action : actions) {
            if (action->isSeparator())
                continue;
            const qsizetype amp = action->text().indexOf('&');
            EXPECT_GE(amp, 0) << action->text().toStdString();
            letters << action->text().mid(amp + 1, 1).toLower();
        }
        EXPECT_EQ(letters.removeDuplicates(), 0) << letters.join(",").toStdString();
    };
    mnemonics(main.MainMenu1->actions());
    for (QAction* menu : main.MainMenu1->actions())
        mnemonics(menu->menu()->actions());
    mnemonics(main.Export1->actions());
    const std::vector<std::pair<QAction*, const char*>> shortcuts = {
        {main.Open2, "Ctrl+O"},           {main.Open1, "Ctrl+L"},           {main.Save1, "Ctrl+S"},
        {main.ChangeTeam1, "Ctrl+T"},     {main.ContractEditor1, "Ctrl+E"}, {main.CapTable1, "Ctrl+B"},
        {main.CheapestOffers1, "Ctrl+H"}, {main.Options1, "Ctrl+P"},        {main.Exit1, "Ctrl+Q"},
        {main.Players1, "Ctrl+R"}};
    for (const auto& [action, keys] : shortcuts)
        EXPECT_EQ(action->shortcut(), QKeySequence(keys)) << keys;

    // The panels at their designed widths, the last one taking what is left.
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const std::vector<std::pair<int, QString>> design = {{75, ""},
                                                         {175, "Bonus Money Spent:"},
                                                         {175, "Current Payroll:"},
                                                         {200, "Estimated Payroll:"},
                                                         {0, ""}};
    auto* bar = main.findChild<QStatusBar*>("StatusBar");
    ASSERT_NE(bar, nullptr);
    for (std::size_t i = 0; i + 1 < design.size(); ++i) {
        auto* panel = bar->findChild<QLabel*>(QString("StatusPanel%1").arg(i));
        ASSERT_NE(panel, nullptr);
        EXPECT_NEAR(panel->width(), design[i].first, 6) << i;
        EXPECT_EQ(panel->text(), design[i].second) << i;
    }
    EXPECT_TRUE(p.Offers().isHidden());
    EXPECT_EQ(p.Offers().windowTitle(), "Current Offers");
    EXPECT_TRUE(p.Offers().windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(MainWindow, WithoutLeagueOffersTheDialogAtEveryActivationAndRefusesCommands) {
    ProgramUnderTest p;
    TContractManagerForm& main = p.Main();
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTRY_COMPARE(p.dialogs.Count(Dialog::OpenLeague), 1);
    EXPECT_EQ(p.dialogs.Requests()[0].startFolder, QDir::currentPath());
    EXPECT_EQ(main.windowTitle(), "Marrel:Contract Manager Version 1.3.1");
    // Cancelled: an empty frame, and no second dialog from the dialog's own closing.
    QTest::qWait(50);
    EXPECT_EQ(p.dialogs.Count(Dialog::OpenLeague), 1);
    EXPECT_FALSE(main.IsLeagueLoaded());
    EXPECT_FALSE(main.IsEditorOpen());

    // Another window takes the focus and gives it back: the dialog comes again.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTRY_COMPARE(p.dialogs.Count(Dialog::OpenLeague), 2);

    // Commands that need a league refuse without one and change nothing.
    for (QAction* command : {main.ChangeTeam1, main.Open1, main.Save1, main.Options1})
        command->trigger();
    EXPECT_EQ(p.Shown(Kind::Stop), std::vector<std::string>(4, kSelectLeague));
    for (const auto& shown : p.prompt.History())
        EXPECT_EQ(shown.caption, "No League File");
    EXPECT_EQ(p.dialogs.Count(Dialog::OpenOffers) + p.dialogs.Count(Dialog::SaveOffers), 0);
    EXPECT_EQ(main.StatusBar->findChild<QLabel*>("StatusPanel1")->text(), "Bonus Money Spent:");
}

TEST(MainWindow, OpensALeagueAndChoosesTheClubWithOneClick) {
    ProgramUnderTest p;
    const std::string path = WriteSampleLeague(p.dir.File("lg"));
    OpenThroughMenu(p, path, 2);
    TContractManagerForm& main = p.Main();
    ASSERT_TRUE(main.IsLeagueLoaded());
    EXPECT_EQ(p.modals.Pending(), 0);
    EXPECT_TRUE(p.prompt.History().empty()); // one click, no "Select your Team First"
    EXPECT_EQ(main.GetUserTeam(), 2);
    EXPECT_TRUE(main.isEnabled());
    EXPECT_EQ(main.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(p.statusTexts,
              QStringList({"Reading League File...", "Getting League Data...", "League Opened",
                           "Reading Salary Info File...", "Salary File Opened", "Data Loaded"}));

    // The editor lists the chosen club's roster.
    TContractEdit* editor = main.GetEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(main.IsEditorOpen());
    EXPECT_EQ(editor->windowTitle(), "Contract Editor");
    EXPECT_EQ(editor->size(), QSize(594, 466));
    League& league = *main.GetLeague();
    EXPECT_EQ(editor->TeamListBox->currentText().toStdString(), league.GetTeamName(2));
    EXPECT_EQ(Items(*editor->PlayerListBox), RosterLines(league, 2));
    EXPECT_GT(editor->PlayerListBox->count(), 40);

    // The panels show the club's figures from the salary information.
    const ContractList& contracts = *main.GetContracts();
    auto panel = [&](int i) { return main.statusPanels[static_cast<std::size_t>(i)]->text().toStdString(); };
    EXPECT_EQ(panel(0), league.GetTeamName(2));
    EXPECT_EQ(panel(1), "Bonus Money Spent: " + FormatMoney(static_cast<unsigned>(contracts.BonusSpent(2))));
    EXPECT_EQ(panel(2),
              "Current Payroll: " + FormatMoney(static_cast<unsigned>(contracts.CurrentPayroll(2))));
    EXPECT_EQ(panel(3),
              "Estimated Payroll: " + FormatMoney(static_cast<unsigned>(contracts.EstimatedPayroll(2))));
    // The last panel showed the progress texts; now it shows the cap space, red over the cap.
    EXPECT_EQ(main.GetStatusText(), "Data Loaded");
    const std::int64_t space = main.GetOptions()->salarycap - contracts.CurrentPayroll(2);
    EXPECT_EQ(panel(4), "Cap Space: " + (space < 0 ? "-" : std::string()) +
                            FormatMoney(static_cast<unsigned>(space < 0 ? -space : space)));
    EXPECT_EQ(main.statusPanels[4]->palette().color(QPalette::WindowText) == QColor(200, 0, 0), space < 0);
    EXPECT_TRUE(main.statusPanels[2]->toolTip().contains("base share of every player on its roster"));

    // Options shows the options window; cancelled, it leaves everything as it is.
    p.modals.Then("OptionEditForm",
                  [](QWidget& window) { window.findChild<QPushButton*>("cxlBtn")->click(); });
    main.Options1->trigger();
    EXPECT_EQ(p.modals.Pending(), 0);
    EXPECT_TRUE(p.prompt.History().empty());
    EXPECT_TRUE(main.IsLeagueLoaded());

    // Change Team asks again and moves the editor and the panels to the new club.
    p.modals.Then("ChooseTeam",
                  [](QWidget& chooser) { ClickRow(*chooser.findChild<QListWidget*>("teamList"), 5); });
    main.ChangeTeam1->trigger();
    EXPECT_EQ(main.GetUserTeam(), 5);
    EXPECT_EQ(panel(0), league.GetTeamName(5));
    EXPECT_EQ(Items(*editor->PlayerListBox), RosterLines(league, 5));

    // A closed editor is opened again for the next club.
    editor->closeButton->click();
    QTRY_VERIFY(main.GetEditor() == nullptr);
    EXPECT_FALSE(main.IsEditorOpen());
    p.modals.Then("ChooseTeam",
                  [](QWidget& chooser) { ClickRow(*chooser.findChild<QListWidget*>("teamList"), 1); });
    main.ChangeTeam1->trigger();
    ASSERT_NE(main.GetEditor(), nullptr);
    EXPECT_EQ(Items(*main.GetEditor()->PlayerListBox), RosterLines(league, 1));
}

// A prompt that notes the main window's state whenever it is asked something.
class ProbingPrompt : public ScriptedPrompt {
  public:
    std::function<void()> probe;
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        if (probe)
            probe();
        return ScriptedPrompt::AskYesNo(text, caption);
    }
};

TEST(MainWindow, OpeningShowsTheHourglassOverADisabledFrame) {
    ProbingPrompt prompt;
    ScriptedFileDialogs dialogs;
    BrevaneProgram program(BrevaneProgram::kClubRole, prompt, dialogs);
    TContractManagerForm& main = program.MainWindow();
    TempDir dir;
    // Without salary information the open asks whether to build it, in the middle of the open.
    const std::string path = WriteSampleLeague(dir.File("lg"), false);
    bool enabled = true;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    QString status;
    prompt.probe = [&]() {
        enabled = main.isEnabled();
        cursor = main.cursor().shape();
        status = main.GetStatusText();
    };
    ModalScript modals;
    modals.Then("ChooseTeam",
                [](QWidget& chooser) { ClickRow(*chooser.findChild<QListWidget*>("teamList"), 0); });
    main.OpenLeagueFile(QString::fromStdString(path));
    EXPECT_FALSE(enabled);
    EXPECT_EQ(cursor, Qt::WaitCursor);
    EXPECT_EQ(status, "Reading Salary Info File...");
    EXPECT_TRUE(main.isEnabled());
    EXPECT_EQ(main.cursor().shape(), Qt::ArrowCursor);
    // Not built: the league is open with default records.
    EXPECT_TRUE(main.IsLeagueLoaded());
    EXPECT_EQ(main.GetStatusText(), "Data Loaded");
}

// A club's long name and large payrolls widen the main window from its designed width
// rather than cut the status bar's texts; a width the user chose stays his.
TEST(MainWindow, TheStatusTextsWidenTheDesignedWindowInsteadOfBeingCut) {
    ProgramUnderTest p;
    const std::string league = WriteSampleLeague(p.dir.File("a"));
    p.Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p.Main()));
    OpenThroughMenu(p, league, 0);
    ASSERT_TRUE(p.Main().IsLeagueLoaded());
    EXPECT_GT(p.Main().width(), 624);
    QTRY_VERIFY(p.Main().statusStrip->width() >= p.Main().statusStrip->NeededWidth());
    for (int i = 0; i < StatusPanelStrip::kPanels; ++i)
        EXPECT_GE(p.Main().statusPanels[i]->width(), p.Main().statusStrip->NeededWidth(i)) << i;

    p.Main().resize(600, 569);
    p.modals.Then("ChooseTeam",
                  [](QWidget& chooser) { ClickRow(*chooser.findChild<QListWidget*>("teamList"), 1); });
    p.Main().ChangeTeam1->trigger();
    EXPECT_EQ(p.Main().GetUserTeam(), 1);
    EXPECT_EQ(p.Main().width(), 600);
}

TEST(MainWindow, ASecondOpenWithoutOffersAsksNothingAndReleasesTheFirstLeague) {
    ProgramUnderTest p;
    const std::string first = WriteSampleLeague(p.dir.File("a"));
    const std::string second = WriteSampleLeague(p.dir.File("b"), true, 7);
    OpenThroughMenu(p, first, 1);
    ASSERT_TRUE(p.Main().IsLeagueLoaded());
    QPointer<TContractEdit> oldEditor = p.Main().GetEditor();
    OpenThroughMenu(p, second, 3);
    EXPECT_TRUE(p.prompt.History().empty());
    EXPECT_TRUE(p.Main().IsLeagueLoaded());
    EXPECT_EQ(p.Main().GetUserTeam(), 3);
    EXPECT_TRUE(oldEditor.isNull());
    ASSERT_NE(p.Main().GetEditor(), nullptr);
    EXPECT_EQ(p.Main().GetLeague()->GetLeagueFolder(), p.dir.File("b"));
    EXPECT_TRUE(FolderReleased(first));
}

class PendingOffers : public ::testing::Test {
  protected:
    void SetUp() override {
        first = WriteSampleLeague(p.dir.File("a"));
        second = WriteSampleLeague(p.dir.File("b"), true, 7);
        OpenThroughMenu(p, first, 4);
        ASSERT_TRUE(p.Main().IsLeagueLoaded());
        offer = SomeOffer(p.Main());
        p.Main().SubmitOffer(offer);
        ASSERT_TRUE(p.Main().AreOffersUnsaved());
        ASSERT_TRUE(p.Offers().isVisible());
        ASSERT_EQ(p.Offers().offerlist->count(), 1);
        club = p.Main().GetLeague()->GetTeamName(4);
    }

    ProgramUnderTest p;
    std::string first, second, club;
    Offer offer;
};

TEST_F(PendingOffers, YesSavesToTheProposedFileThenEmptiesTheList) {
    const std::string saved = p.dir.File("a") + "/mine.off";
    // Loading offers from another folder leaves that folder current; the league must not care.
    std::filesystem::create_directory(p.dir.File("c"));
    p.dir.Write("c/none.off", {});
    p.dialogs.Answer(QString::fromStdString(p.dir.File("c/none.off")));
    p.Main().Open1->trigger();
    ASSERT_TRUE(std::filesystem::equivalent(QDir::currentPath().toStdString(), p.dir.File("c")))
        << QDir::currentPath().toStdString();

    p.prompt.Answer(true);
    p.dialogs.Answer(QString::fromStdString(second)); // the league dialog, then the save dialog
    p.dialogs.Answer(QString::fromStdString(saved));
    p.modals.Then("ChooseTeam",
                  [](QWidget& chooser) { ClickRow(*chooser.findChild<QListWidget*>("teamList"), 0); });
    p.Main().Open2->trigger();

    // The save question, then the rule check of the sample club's offer (over the cap).
    ASSERT_EQ(p.prompt.History().size(), 2u);
    EXPECT_EQ(p.prompt.History()[0].kind, Kind::YesNoCancel);
    EXPECT_EQ(p.prompt.History()[0].text, kSaveQuestion);
    EXPECT_EQ(p.prompt.History()[0].caption, "Save Offers");
    EXPECT_EQ(p.prompt.History()[1].caption, "Rule Check");
    ASSERT_EQ(p.dialogs.Count(Dialog::SaveOffers), 1);
    const FileDialogs::Request& save = p.dialogs.Requests()[3]; // after the league and offer dialogs
    EXPECT_EQ(save.proposedName.toStdString(), club + ".off");
    EXPECT_EQ(save.startFolder.toStdString(), p.dir.File("a"));

    // Offset 0 player ID, 2 team, 3 type, 4 length, 8 salary, 12 bonus, 16 chance, 18 flag.
    const auto id = static_cast<std::uint16_t>(offer.playerID);
    const std::vector<std::uint8_t> expected = {static_cast<std::uint8_t>(id & 0xFF),
                                                static_cast<std::uint8_t>(id >> 8),
                                                4,
                                                3,
                                                3,
                                                0,
                                                0,
                                                0,
                                                0xC0,
                                                0xC6,
                                                0x2D,
                                                0x00, // 3,000,000
                                                0xA0,
                                                0xBB,
                                                0x0D,
                                                0x00, // 900,000
                                                71,
                                                0,
                                                0,
                                                0};
    EXPECT_EQ(ReadBytes(saved), expected);
    EXPECT_FALSE(p.Main().AreOffersUnsaved());
    EXPECT_EQ(p.Offers().offerlist->count(), 0);
    EXPECT_TRUE(p.Offers().isHidden());
    EXPECT_EQ(p.Main().GetLeague()->GetLeagueFolder(), p.dir.File("b"));
    // The first league went back into its own folder, and nothing was made in the other one.
    for (const auto& entry : std::filesystem::directory_iterator(p.dir.File("a")))
        EXPECT_NE(entry.path().filename().string().rfind("~sal", 0), 0u) << entry.path();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(p.dir.File("c")), {}), 1);
    EXPECT_TRUE(std::filesystem::exists(p.dir.File("b") + "/salreg"));
}

TEST_F(PendingOffers, NoDropsTheOffers) {
    p.prompt.Answer(false);
    OpenThroughMenu(p, second, 0);
    EXPECT_EQ(p.prompt.History().size(), 1u);
    EXPECT_EQ(p.dialogs.Count(Dialog::SaveOffers), 0);
    EXPECT_FALSE(p.Main().AreOffersUnsaved());
    EXPECT_EQ(p.Offers().offerlist->count(), 0);
    EXPECT_TRUE(p.Offers().isHidden());
    EXPECT_EQ(p.Main().GetLeague()->GetLeagueFolder(), p.dir.File("b"));
}

// Cancel (Escape, or closing the question) backs out of whatever asked: another league, the
// program's end, Contracts > Clear. Nothing is saved or dropped.
TEST_F(PendingOffers, CancelKeepsTheLeagueTheOffersAndTheProgram) {
    p.prompt.AnswerCancel();
    p.dialogs.Answer(QString::fromStdString(second));
    p.Main().Open2->trigger();
    ASSERT_EQ(p.prompt.History().size(), 1u);
    EXPECT_EQ(p.prompt.History()[0].text, kSaveQuestion);
    EXPECT_EQ(p.dialogs.Count(Dialog::SaveOffers), 0);
    EXPECT_EQ(p.Main().GetLeague()->GetLeagueFolder(), p.dir.File("a"));

    p.prompt.AnswerCancel();
    EXPECT_FALSE(p.Main().close());
    p.prompt.AnswerCancel();
    p.Main().New1->trigger();
    EXPECT_EQ(p.prompt.History().size(), 3u);
    EXPECT_TRUE(p.Main().AreOffersUnsaved());
    EXPECT_EQ(p.Offers().offerlist->count(), 1);
    EXPECT_EQ(p.dialogs.Count(Dialog::SaveOffers), 0);
}

TEST_F(PendingOffers, LoadingAFileOfAnotherKindSaysWhatItLeftOut) {
    p.dir.Write("a/notes.off", std::vector<std::uint8_t>(45, 'x'));
    p.dialogs.Answer(QString::fromStdString(p.dir.File("a/notes.off")));
    p.Main().Open1->trigger();
    ASSERT_EQ(p.prompt.History().size(), 1u);
    EXPECT_EQ(p.prompt.History()[0].caption, "Load Offers");
    EXPECT_EQ(p.prompt.History()[0].text,
              "notes.off: 0 offers loaded; left out:\n2 records name no player of this "
              "league\nit ends in a partial record of 5 bytes, ignored");
    EXPECT_EQ(p.Offers().offerlist->count(), 1);
}

TEST_F(PendingOffers, ASaveCancelledOrFailedKeepsTheLeagueAndItsOffers) {
    p.prompt.Answer(true);
    p.dialogs.Answer(QString::fromStdString(second)); // the league dialog
    p.Main().Open2->trigger();                        // save dialog: cancelled (no answer left)
    EXPECT_EQ(p.Main().GetLeague()->GetLeagueFolder(), p.dir.File("a"));
    EXPECT_TRUE(p.Main().AreOffersUnsaved());
    EXPECT_EQ(p.Offers().offerlist->count(), 1);
    EXPECT_TRUE(p.Main().IsEditorOpen());

    const std::string unwritable = p.dir.File("missing-folder") + "/x.off";
    p.prompt.Answer(true);
    p.dialogs.Answer(QString::fromStdString(second));
    p.dialogs.Answer(QString::fromStdString(unwritable));
    p.Main().Open2->trigger();
    const std::vector<std::string> stops = p.Shown(Kind::Stop);
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0].rfind("Could not write " + unwritable + ": ", 0), 0u) << stops[0];
    EXPECT_GT(stops[0].size(), ("Could not write " + unwritable + ": ").size());
    EXPECT_EQ(p.Main().GetLeague()->GetLeagueFolder(), p.dir.File("a"));
    EXPECT_EQ(p.Offers().offerlist->count(), 1);

    // Offers are never saved over a file of the open league, which would be lost with them.
    const std::string leagueFile = p.dir.File("a") + "/" + p.Main().GetLeague()->GetLeagueFileName() + ".lge";
    const std::vector<std::uint8_t> before =
        p.dir.Read("a/" + p.Main().GetLeague()->GetLeagueFileName() + ".lge");
    p.prompt.Answer(true);
    p.dialogs.Answer(QString::fromStdString(second));
    p.dialogs.Answer(QString::fromStdString(leagueFile));
    p.Main().Open2->trigger();
    ASSERT_EQ(p.Shown(Kind::Stop).size(), 2u);
    EXPECT_EQ(p.Shown(Kind::Stop)[1], "Could not write " + leagueFile + ": a file of the open league");
    EXPECT_EQ(p.dir.Read("a/" + p.Main().GetLeague()->GetLeagueFileName() + ".lge"), before);
    EXPECT_EQ(p.Main().GetLeague()->GetLeagueFolder(), p.dir.File("a"));
    EXPECT_EQ(p.Offers().offerlist->count(), 1);
}

TEST_F(PendingOffers, AFailedOpenTearsEverythingDown) {
    p.dir.Write("bad.lge", {'n', 'o', 't', ' ', 'a', ' ', 'l', 'e', 'a', 'g', 'u', 'e'});
    p.prompt.Answer(false);
    p.dialogs.Answer(QString::fromStdString(p.dir.File("bad.lge")));
    p.Main().Open2->trigger();
    EXPECT_EQ(p.Main().GetStatusText(), "Invalid League File");
    EXPECT_FALSE(p.Main().IsLeagueLoaded());
    EXPECT_EQ(p.Main().GetLeague(), nullptr);
    EXPECT_EQ(p.Main().GetContracts(), nullptr);
    EXPECT_EQ(p.Main().GetOptions(), nullptr);
    EXPECT_FALSE(p.Main().IsEditorOpen());
    EXPECT_EQ(p.Main().GetEditor(), nullptr);
    EXPECT_FALSE(p.Main().AreOffersUnsaved());
    EXPECT_EQ(p.Offers().offerlist->count(), 0);
    EXPECT_TRUE(p.Offers().isHidden());
    EXPECT_TRUE(p.Main().isEnabled());
    EXPECT_TRUE(FolderReleased(first));
    // Nothing of the previous league's club and money stays in the panels.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(p.Main().statusPanels[static_cast<std::size_t>(i)]->text(),
                  QString(StatusPanelStrip::kDesignTexts[static_cast<std::size_t>(i)]))
            << i;
    EXPECT_EQ(p.Main().statusPanels[4]->text(), "Invalid League File");
    // The reason is shown; without a league the panels' commands refuse again.
    p.Main().Save1->trigger();
    EXPECT_EQ(p.Shown(Kind::Stop),
              std::vector<std::string>({"Cannot open the league " + p.dir.File("bad.lge") +
                                            ": not a league file of version 2 or 3",
                                        kSelectLeague}));
    const auto& history = p.prompt.History();
    EXPECT_EQ(history[history.size() - 2].caption, "Invalid League File");
}

TEST_F(PendingOffers, ClosingAsksAndASaveThatDoesNotHappenKeepsTheProgramOpen) {
    TContractManagerForm& main = p.Main();
    main.show();
    p.prompt.Answer(true); // save dialog cancelled
    EXPECT_FALSE(main.close());
    // The save question, then the rule check that the test's prompt answers itself.
    ASSERT_GE(p.prompt.History().size(), 2u);
    EXPECT_EQ(p.prompt.History()[p.prompt.History().size() - 2].text, kSaveQuestion);
    EXPECT_TRUE(main.IsLeagueLoaded());

    const std::string saved = p.dir.File("a") + "/kept.off";
    p.prompt.Answer(true);
    p.dialogs.Answer(QString::fromStdString(saved));
    main.Exit1->trigger();
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(ReadBytes(saved).size(), 20u);
    EXPECT_FALSE(main.IsLeagueLoaded());
    EXPECT_TRUE(FolderReleased(first));
}

TEST_F(PendingOffers, ClosingWithNoClosesWithoutSaving) {
    p.Main().show();
    p.prompt.Answer(false);
    EXPECT_TRUE(p.Main().close());
    EXPECT_EQ(p.dialogs.Count(Dialog::SaveOffers), 0);
    EXPECT_FALSE(p.Main().IsLeagueLoaded());
}

TEST_F(PendingOffers, ClearLoadAndSaveCommands) {
    TContractManagerForm& main = p.Main();
    // Save writes the ticked offers and lowers the flag; nothing is asked when closing then.
    const std::string saved = p.dir.File("b") + "/offers.off";
    p.dialogs.Answer(QString::fromStdString(saved));
    main.Save1->trigger();
    EXPECT_EQ(ReadBytes(saved).size(), 20u);
    EXPECT_FALSE(main.AreOffersUnsaved());

    // Clear asks about unsaved offers: a cancelled save keeps them, No empties and hides the list.
    main.SubmitOffer(offer);
    EXPECT_TRUE(main.AreOffersUnsaved());
    p.prompt.Answer(true);
    main.New1->trigger();
    EXPECT_EQ(p.prompt.History().back().caption, "Rule Check");
    EXPECT_EQ(p.Offers().offerlist->count(), 2);
    EXPECT_TRUE(main.AreOffersUnsaved());
    p.prompt.Answer(false);
    const std::size_t asked = p.prompt.History().size();
    main.New1->trigger();
    EXPECT_EQ(p.prompt.History().size(), asked + 1);
    EXPECT_EQ(p.prompt.History().back().text, kSaveQuestion);
    EXPECT_FALSE(main.AreOffersUnsaved());
    EXPECT_EQ(p.Offers().offerlist->count(), 0);
    EXPECT_TRUE(p.Offers().isHidden());

    // Load appends the file's offers, in the league's folder first, and shows the list.
    p.dialogs.Answer(QString::fromStdString(saved));
    main.Open1->trigger();
    main.Open1->trigger(); // cancelled
    EXPECT_EQ(p.dialogs.Requests().back().startFolder.toStdString(), p.dir.File("a"));
    EXPECT_EQ(p.Offers().offerlist->count(), 1);
    EXPECT_EQ(p.Offers().offerlist->item(0)->checkState(), Qt::Checked);
    EXPECT_TRUE(p.Offers().isVisible());
    EXPECT_FALSE(main.AreOffersUnsaved());
    EXPECT_EQ(p.Offers().teamname->text().toStdString(), club);
}

TEST(MainWindow, InvalidAndSurplusOffersAreRefused) {
    ProgramUnderTest p;
    OpenThroughMenu(p, WriteSampleLeague(p.dir.File("a")), 0);
    TContractManagerForm& main = p.Main();
    Offer offer = SomeOffer(main);
    offer.offerType = Offer::InvalidOffer;
    main.SubmitOffer(offer);
    EXPECT_EQ(p.prompt.History().back().kind, Kind::OkCancel);
    EXPECT_EQ(p.prompt.History().back().text, "Invalid Contract Offer");
    EXPECT_EQ(p.prompt.History().back().caption, "Invalid");
    EXPECT_FALSE(main.AreOffersUnsaved());
    EXPECT_TRUE(p.Offers().isHidden());

    offer.offerType = Offer::SignFreeAgent;
    for (int i = 0; i < 33; ++i)
        main.SubmitOffer(offer);
    EXPECT_EQ(p.Offers().offerlist->count(), 32);
    EXPECT_EQ(p.prompt.History().back().text, "32 Offers already in submitted.");
    EXPECT_EQ(p.prompt.History().back().caption, "Max Offers Reached");
    EXPECT_TRUE(main.AreOffersUnsaved());
}

// Windows asks every top-level window of a program to close when it is to end, the editor's
// too; the main window's activation that follows may still be queued when the main window has
// closed and released its league. It must not ask for a league then: the program would not end.
TEST(MainWindow, AnActivationHandledAfterTheCloseAsksForNoLeague) {
    ProgramUnderTest p;
    TContractManagerForm& main = p.Main();
    OpenThroughMenu(p, WriteSampleLeague(p.dir.File("a")), 1);
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::qWait(20);
    const int asked = p.dialogs.Count(Dialog::OpenLeague);
    // Twice: the first activation after the league dialog is that dialog's own.
    for (int i = 0; i < 2; ++i) {
        QEvent activation(QEvent::ActivationChange);
        QCoreApplication::sendEvent(&main, &activation);
    }
    ASSERT_TRUE(main.close());
    QTest::qWait(50);
    EXPECT_FALSE(main.IsLeagueLoaded());
    EXPECT_EQ(p.dialogs.Count(Dialog::OpenLeague), asked);
}

TEST(MainWindow, TheStartLeagueOpensAsIfPickedInTheDialog) {
    ProgramUnderTest p;
    const std::string path = WriteSampleLeague(p.dir.File("a"));
    TContractManagerForm& main = p.Main();
    main.SetStartLeague(QString::fromStdString(path));
    main.SetStartTeam(6);
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::qWait(20);
    EXPECT_EQ(p.dialogs.Count(Dialog::OpenLeague), 0); // activation leaves it to the start league
    main.OpenStartLeague();
    EXPECT_TRUE(main.IsLeagueLoaded());
    EXPECT_EQ(main.GetUserTeam(), 6);
    EXPECT_EQ(main.statusPanels[0]->text().toStdString(), main.GetLeague()->GetTeamName(6));
    EXPECT_EQ(p.dialogs.Count(Dialog::OpenLeague), 0);

    // A start league that cannot be opened leaves the program as it starts without one.
    ProgramUnderTest q;
    q.Main().SetStartLeague(QString::fromStdString(q.dir.File("none.lge")));
    q.Main().show();
    q.Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&q.Main()));
    q.Main().OpenStartLeague();
    EXPECT_EQ(q.Main().GetStatusText(), "Invalid League File");
    EXPECT_FALSE(q.Main().IsLeagueLoaded());
    QTRY_COMPARE(q.dialogs.Count(Dialog::OpenLeague), 1);
}

TEST(MainWindow, TheFrontOfficeProgramNamesItsMainWindowForTheEditor) {
    ProgramUnderTest p(BrevaneProgram::kFrontOfficeRole);
    EXPECT_EQ(p.Main().objectName(), "FrontOffice");
    EXPECT_TRUE(p.Main().IsFrontOffice());
    OpenThroughMenu(p, WriteSampleLeague(p.dir.File("a")), 0);
    ASSERT_NE(p.Main().GetEditor(), nullptr);
    EXPECT_EQ(p.Main().GetEditor()->GetOwnerName(), "FrontOffice");
    EXPECT_TRUE(p.Main().GetEditor()->Model().IsFrontOffice());

    ProgramUnderTest club;
    OpenThroughMenu(club, WriteSampleLeague(club.dir.File("a")), 0);
    EXPECT_FALSE(club.Main().GetEditor()->Model().IsFrontOffice());
}

} // namespace

namespace {

TEST_F(PendingOffers, ChangeTeamAsksAsAnOpenDoesAndEmptiesTheListForTheNewClub) {
    TContractManagerForm& main = p.Main();
    auto chooseClub = [this](int row) {
        p.modals.Then("ChooseTeam", [row](QWidget& chooser) {
            ClickRow(*chooser.findChild<QListWidget*>("teamList"), row);
        });
    };
    // The same club again: nothing asked, the offers stay.
    chooseClub(4);
    main.ChangeTeam1->trigger();
    EXPECT_TRUE(p.prompt.History().empty());
    EXPECT_EQ(p.Offers().Count(), 1);

    // Another club, Yes, and the save dialog cancelled: the club and its offers stay.
    chooseClub(6);
    p.prompt.Answer(true);
    main.ChangeTeam1->trigger();
    EXPECT_EQ(p.prompt.History().front().text, kSaveQuestion);
    EXPECT_EQ(main.GetUserTeam(), 4);
    EXPECT_EQ(p.Offers().Count(), 1);
    EXPECT_TRUE(main.AreOffersUnsaved());
    EXPECT_EQ(main.statusPanels[0]->text().toStdString(), club);

    // No: the offers go, and the list starts empty for the new club.
    chooseClub(6);
    p.prompt.Answer(false);
    main.ChangeTeam1->trigger();
    EXPECT_EQ(main.GetUserTeam(), 6);
    EXPECT_EQ(p.Offers().Count(), 0);
    EXPECT_TRUE(p.Offers().isHidden());
    EXPECT_FALSE(main.AreOffersUnsaved());
    EXPECT_EQ(main.statusPanels[0]->text().toStdString(), main.GetLeague()->GetTeamName(6));

    // Saved offers are not asked about, but they too leave with their club.
    Offer theirs = SomeOffer(main);
    main.SubmitOffer(theirs);
    p.dialogs.Answer(QString::fromStdString(p.dir.File("a") + "/six.off"));
    main.Save1->trigger();
    ASSERT_FALSE(main.AreOffersUnsaved());
    const std::size_t asked = p.prompt.History().size();
    chooseClub(2);
    main.ChangeTeam1->trigger();
    EXPECT_EQ(p.prompt.History().size(), asked);
    EXPECT_EQ(p.Offers().Count(), 0);
}

TEST_F(PendingOffers, AStopKeepsEveryUnsavedOfferAndTheNextOpenOffersThemBack) {
    // A second offer for the same player (listed beside the first: No to replacing it),
    // unticked: kept all the same.
    p.Main().SubmitOffer(offer);
    ASSERT_EQ(p.Offers().Count(), 2);
    ASSERT_EQ(p.prompt.History().size(), 1u); // the replace question
    p.Offers().offerlist->item(1)->setCheckState(Qt::Unchecked);
    p.Main().KeepUnsavedForStop();
    const std::string kept = p.dir.File("a") + "/sample-recovered.off";
    EXPECT_EQ(ReadBytes(kept).size(), 2u * Offer::kRecordSize);
    // Nothing is asked, now or while the windows close.
    EXPECT_TRUE(p.Main().close());
    EXPECT_EQ(p.prompt.History().size(), 1u);
    EXPECT_FALSE(p.Main().IsLeagueLoaded());

    // The next open of the league offers them back, for their club, without the chooser.
    const std::string question =
        "Offers of " + club +
        " were not saved when the program was stopped.  Load them now?  (No discards them.)";
    const auto openFirst = [this, &question](ProgramUnderTest& next) {
        next.dialogs.Answer(QString::fromStdString(first));
        next.modals.Then("ChooseTeam",
                         [](QWidget& chooser) { ClickRow(*chooser.findChild<QListWidget*>("teamList"), 0); });
        next.Main().Open2->trigger();
        ASSERT_TRUE(next.Main().IsLeagueLoaded());
        ASSERT_EQ(next.prompt.History().size(), 1u);
        EXPECT_EQ(next.prompt.History()[0].text, question);
        EXPECT_EQ(next.prompt.History()[0].caption, "Recovered Offers");
    };
    ProgramUnderTest again;
    again.prompt.Answer(true);
    openFirst(again);
    EXPECT_EQ(again.modals.Pending(), 1);
    EXPECT_EQ(again.Main().GetUserTeam(), 4);
    EXPECT_EQ(again.Offers().Count(), 2);
    EXPECT_TRUE(again.Offers().isVisible());
    EXPECT_TRUE(again.Main().AreOffersUnsaved());
    EXPECT_FALSE(std::filesystem::exists(kept));

    // Stopped again and answered No: the offers go, and the club is asked for as usual.
    again.Main().KeepUnsavedForStop();
    EXPECT_TRUE(again.Main().close());
    ProgramUnderTest third;
    third.prompt.Answer(false);
    openFirst(third);
    EXPECT_EQ(third.modals.Pending(), 0);
    EXPECT_EQ(third.Main().GetUserTeam(), 0);
    EXPECT_EQ(third.Offers().Count(), 0);
    EXPECT_FALSE(std::filesystem::exists(kept));
}

TEST(MainWindow, AStopWhileTheChooserIsUpEndsItsLoop) {
    ProgramUnderTest p;
    p.dialogs.Answer(QString::fromStdString(WriteSampleLeague(p.dir.File("a"))));
    // OK with no club chosen would bring the chooser back; after a stop it does not come again.
    p.modals.Then("ChooseTeam", [&p](QWidget& chooser) {
        p.Main().KeepUnsavedForStop();
        chooser.findChild<QPushButton*>("OKBtn")->click();
    });
    p.modals.Then("ChooseTeam",
                  [](QWidget& chooser) { ClickRow(*chooser.findChild<QListWidget*>("teamList"), 0); });
    p.Main().Open2->trigger();
    EXPECT_EQ(p.modals.Pending(), 1);
    EXPECT_TRUE(p.Main().close());
    EXPECT_FALSE(p.Main().IsLeagueLoaded());
}

TEST_F(PendingOffers, TheListsCancelAsksAsClearDoes) {
    p.prompt.Answer(false);
    QTest::mouseClick(p.Offers().cxlbutton, Qt::LeftButton);
    EXPECT_EQ(p.prompt.History().back().text, kSaveQuestion);
    EXPECT_EQ(p.Offers().Count(), 0);
    EXPECT_TRUE(p.Offers().isHidden());
}

TEST_F(PendingOffers, NewOptionsAreCheckedInTheOfferListAtOnce) {
    // The sample club is over the cap: the offer's tool tip names the cap of the options.
    const QString before = p.Offers().offerlist->item(0)->toolTip();
    ASSERT_TRUE(before.contains("salary cap of $")) << before.toStdString();
    p.modals.Then("OptionEditForm", [](QWidget& window) {
        auto* cap = window.findChild<QLineEdit*>("salarycap");
        cap->setText("999999999");
        window.findChild<QPushButton*>("saveBtn")->click();
    });
    p.Main().Options1->trigger();
    ASSERT_EQ(p.modals.Pending(), 0);
    const QString after = p.Offers().offerlist->item(0)->toolTip();
    EXPECT_FALSE(after.contains("salary cap")) << after.toStdString();
}

TEST(MainWindow, AClosedEditorComesBackFromTheMenuAndItsShortcut) {
    ProgramUnderTest p;
    OpenThroughMenu(p, WriteSampleLeague(p.dir.File("a")), 3);
    TContractManagerForm& main = p.Main();
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));

    main.GetEditor()->closeButton->click();
    QTRY_VERIFY(main.GetEditor() == nullptr);
    main.ContractEditor1->trigger();
    ASSERT_NE(main.GetEditor(), nullptr);
    EXPECT_TRUE(main.GetEditor()->isVisible());
    EXPECT_EQ(Items(*main.GetEditor()->PlayerListBox), RosterLines(*main.GetLeague(), 3));

    main.GetEditor()->closeButton->click();
    QTRY_VERIFY(main.GetEditor() == nullptr);
    QTest::keyClick(&main, Qt::Key_E, Qt::ControlModifier);
    ASSERT_NE(main.GetEditor(), nullptr);
    EXPECT_TRUE(main.GetEditor()->isVisible());
    EXPECT_EQ(static_cast<QWidget*>(main.Workspace->activeSubWindow()), main.GetEditor()->parentWidget());
}

TEST(MainWindow, TheLeagueDialogDoesNotListWorkingCopies) {
    TempDir dir;
    const std::string path = WriteSampleLeague(dir.File("lg"));
    // An open league keeps its working copies beside its files.
    League open;
    ASSERT_TRUE(open.OpenLeague(path));
    ASSERT_TRUE(std::filesystem::exists(dir.File("lg") + "/~saltmp.lge"));

    QStringList listed;
    ModalScript modals;
    modals.Then("LgeOpenDialog", [&listed](QWidget& dialog) {
        auto* view = dialog.findChild<QListView*>("listView");
        EXPECT_TRUE(
            QTest::qWaitFor([view]() { return view->model()->rowCount(view->rootIndex()) > 0; }, 5000));
        QTest::qWait(50);
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
        qobject_cast<QDialog*>(&dialog)->reject();
    });
    QtFileDialogs dialogs;
    EXPECT_TRUE(dialogs.OpenLeague(QString::fromStdString(dir.File("lg"))).isEmpty());
    EXPECT_EQ(listed, QStringList({"sample.lge"}));
}

} // namespace
