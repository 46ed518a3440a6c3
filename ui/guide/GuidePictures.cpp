// Makes the pictures of the user guide (docs/guide.md) from the sample league: the real
// windows, driven as a user would drive them, grabbed offscreen in one font and size so
// that the pictures come out the same every time.
//
//   brevane-guide-pictures SAMPLE.lge OUTPUT-FOLDER [--maximised]
//
// --maximised grabs every window at the size of the screen's free area instead, to look at
// how the windows grow. The platform is offscreen unless QT_QPA_PLATFORM names one (xcb on a
// virtual X server, to see the windows as an X server shows them).
#include "contracts/Commissioner.h"
#include "contracts/ContractList.h"
#include "contracts/PlayersTable.h"
#include "contracts/ScriptedPrompt.h"
#include "league/League.h"
#include "league/MoneyText.h"
#include "ui/BrevaneApplication.h"
#include "ui/BrevaneProgram.h"
#include "ui/FileDialogs.h"
#include "ui/TCapTableForm.h"
#include "ui/TCheapestOfferForm.h"
#include "ui/TChooseTeam.h"
#include "ui/TContractEdit.h"
#include "ui/TContractManagerForm.h"
#include "ui/TOfferBoardForm.h"
#include "ui/TOfferListForm.h"
#include "ui/TOptionEditForm.h"
#include "ui/TPlayersForm.h"

#include <QDir>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The guide's run answers no file dialog: the league is opened by path.
class NoFileDialogs : public FileDialogs {
  protected:
    QString Choose(const Request&) override { return {}; }
};

class Pictures {
  public:
    Pictures(QString into, bool maximisedPictures) : folder(std::move(into)), maximised(maximisedPictures) {}

    bool Save(QWidget& window, const char* name) {
        if (maximised && window.screen())
            window.setGeometry(window.screen()->availableGeometry());
        QCoreApplication::processEvents();
        const QString path = folder + "/" + name + ".png";
        if (!window.grab().save(path)) {
            std::fprintf(stderr, "brevane-guide-pictures: cannot write %s\n", path.toLocal8Bit().constData());
            ok = false;
            return false;
        }
        std::printf("%s\n", path.toLocal8Bit().constData());
        return true;
    }
    bool Ok() const { return ok; }

  private:
    QString folder;
    bool maximised;
    bool ok = true;
};

// Types a text into a box key by key, as a user does.
void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// Writes an offer file of the offers into folder.
void WriteOfferFile(const QString& folder, const char* name, const std::vector<Offer>& offers) {
    std::ofstream out((folder + "/" + name).toLocal8Bit().toStdString(), std::ios::binary);
    for (const Offer& offer : offers) {
        std::uint8_t record[Offer::kRecordSize];
        offer.Encode(record);
        out.write(reinterpret_cast<const char*>(record), Offer::kRecordSize);
    }
}

// The league office's board over the offer files of four clubs, who bid for the same free
// agents, and a file cut short in sending.
void SaveOfferBoard(Pictures& pictures, TContractManagerForm& main, Prompt& prompt, FileDialogs& dialogs) {
    QTemporaryDir folder(QDir::tempPath() + "/offers-XXXXXX");
    League& league = *main.GetLeague();
    std::vector<std::int16_t> freeAgents;
    for (int group = 0; group < 9; ++group)
        for (int k = 0; k < league.GetNumFreeAgents(group) && k < 2; ++k)
            freeAgents.push_back(league.GetFreeAgents(group)[k]);
    if (!folder.isValid() || freeAgents.size() < 6)
        return;
    const char* const names[] = {"club0.off", "club1.off", "club2.off", "club3.off"};
    for (int club = 0; club < 4; ++club) {
        std::vector<Offer> offers;
        for (int k = 0; k < 3; ++k) {
            const auto years = 1 + (club + k) % 3;
            const std::uint32_t salary = 900000u * static_cast<std::uint32_t>(years) + 150000u * club;
            Offer offer = MakeOffer(freeAgents[static_cast<std::size_t>(club + k) % freeAgents.size()],
                                    Offer::SignFreeAgent, years, salary, salary / 4, club);
            // The chance the club saw; club 3 made its offers before the league's rules changed.
            const Contract contract = main.GetContracts()->GetContract(offer.playerID);
            const std::int32_t chance =
                main.GetContracts()->GetCommissioner().AcceptChance(contract, years, salary, salary / 4);
            offer.acceptPct = SaturateToPercentField(club == 3 ? chance - 12 : chance);
            offers.push_back(offer);
        }
        WriteOfferFile(folder.path(), names[club], offers);
    }
    std::ofstream(folder.filePath("late.off").toLocal8Bit().toStdString(), std::ios::binary) << "cut short";

    TOfferBoardForm board(*main.GetContracts(), prompt, dialogs, &main);
    board.LoadFolder(folder.path());
    board.show();
    board.playerTree->setCurrentItem(board.playerTree->topLevelItem(0));
    pictures.Save(board, "offer-board");
}

} // namespace

int main(int argc, char** argv) {
    const bool maximised = argc == 4 && std::string(argv[3]) == "--maximised";
    if (argc != 3 && !maximised) {
        std::fprintf(stderr, "usage: brevane-guide-pictures SAMPLE.lge OUTPUT-FOLDER [--maximised]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    BrevaneApplication app(argc, argv);
    // One font for every picture (DejaVu Sans comes with the set-up).
    QApplication::setFont(QFont("DejaVu Sans", 9));
    // Windows open where they open for a new user, not where an earlier run left them.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    const QString league = QString::fromLocal8Bit(argv[1]);
    Pictures pictures(QString::fromLocal8Bit(argv[2]), maximised);
    QDir().mkpath(QString::fromLocal8Bit(argv[2]));

    ScriptedPrompt prompt;
    prompt.SetDefaultAnswer(true); // "Save anyway?" and such: as a user who goes on
    NoFileDialogs dialogs;
    BrevaneProgram program(BrevaneProgram::kClubRole, prompt, dialogs);
    TContractManagerForm& main = program.MainWindow();
    main.SetStartTeam(0);
    main.show();
    main.OpenLeagueFile(league);
    if (!main.IsLeagueLoaded()) {
        std::fprintf(stderr, "brevane-guide-pictures: the league did not open\n");
        return 1;
    }
    League& open = *main.GetLeague();

    // The club chooser as it comes up after a league is opened.
    {
        std::vector<std::string> names;
        for (int team = 0; team < open.GetNumTeams(); ++team)
            names.push_back(open.GetTeamName(team));
        std::int32_t chosen = -1;
        TChooseTeam chooser(names, chosen, prompt);
        chooser.show();
        chooser.teamList->setCurrentRow(0);
        pictures.Save(chooser, "choose-team");
    }

    // The editor with the club's first player, and with an offer typed.
    TContractEdit* editor = main.GetEditor();
    const std::int16_t first = editor->Model().PlayerOfItem(0);
    editor->PlayerListBox->setCurrentRow(0);
    editor->ShowPlayerByID(first);
    pictures.Save(main, "main-window");
    // An offer near what he asks: the cheapest three-year offer for 75 % with the least bonus.
    for (const CheapestOffer& answer : editor->Model().CheapestOffers({75}))
        if (answer.years == 3 && answer.bonusRule == CheapestOffer::BonusRule::Least && answer.salary) {
            Type(editor->years, "3");
            Type(editor->salary, QString::fromStdString(FormatCommas(*answer.salary)));
            Type(editor->bonus, QString::fromStdString(FormatCommas(*answer.bonus)));
        }
    pictures.Save(main, "editor-offer");

    // Offers submitted to the list: a restructure of that player and two free agents.
    editor->saveButton->click();
    int added = 0;
    for (int group = 0; group < 9 && added < 2; ++group)
        if (open.GetNumFreeAgents(group) > 0) {
            const std::int16_t id = open.GetFreeAgents(group)[0];
            main.SubmitOffer(
                MakeOffer(id, Offer::SignFreeAgent, 2, 1500000, 300000 + 100000 * added, main.GetUserTeam()));
            ++added;
        }
    TOfferListForm& offers = program.OfferList();
    offers.offerlist->item(offers.offerlist->count() - 1)->setCheckState(Qt::Unchecked);
    pictures.Save(offers, "offer-list");

    // The cap table and the cheapest offers for the shown player.
    main.CapTable1->trigger();
    if (auto* capTable = main.findChild<TCapTableForm*>("CapTableForm"))
        pictures.Save(*capTable, "cap-table");
    main.CheapestOffers1->trigger();
    if (auto* cheapest = main.findChild<TCheapestOfferForm*>("CheapestOfferForm"))
        pictures.Save(*cheapest, "cheapest-offers");

    // The Players window on the club's roster by base salary, its best-paid player selected,
    // and the cap table's released view of him.
    main.Players1->trigger();
    if (auto* players = main.findChild<TPlayersForm*>("PlayersForm")) {
        players->playerTable->sortByColumn(PlayersTable::Base, Qt::DescendingOrder);
        players->playerTable->selectRow(0);
        pictures.Save(*players, "players");
        players->releasedViewButton->click();
        if (auto* capTable = main.findChild<TCapTableForm*>("CapTableForm"))
            pictures.Save(*capTable, "cap-table-released");
    }

    SaveOfferBoard(pictures, main, prompt, dialogs);

    // The league's rules: the first two pages of the options window.
    {
        TOptionEditForm options(*main.GetOptions(), prompt, main);
        options.show();
        options.FormShow();
        pictures.Save(options, "options-basic");
        options.PageControl1->setCurrentIndex(1);
        pictures.Save(options, "options-contract-rules");
        options.cxlBtnClick();
    }
    return pictures.Ok() ? 0 : 1;
}
