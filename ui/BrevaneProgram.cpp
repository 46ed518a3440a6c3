#include "ui/BrevaneProgram.h"

#include "ui/BrevaneApplication.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBoxPrompt.h"
#include "ui/PrintedMessagesPrompt.h"
#include "ui/QtText.h"
#include "ui/StopSignals.h"
#include "ui/TContractEdit.h"
#include "ui/TContractManagerForm.h"
#include "ui/TGetCGSDialog.h"
#include "ui/TOfferListForm.h"
#include "ui/WindowPicture.h"

#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <string>

BrevaneProgram::BrevaneProgram(const QString& mainWindowName, Prompt& prompt, FileDialogs& dialogs)
    : mainWindow(std::make_unique<TContractManagerForm>(mainWindowName, prompt, dialogs)),
      offerList(new TOfferListForm(prompt, dialogs, mainWindow.get())),
      cgsDialog(std::make_unique<TGetCGSDialog>(newCGS)) {
    mainWindow->SetOfferList(offerList);
}

BrevaneProgram::~BrevaneProgram() = default;

namespace {

bool ParseStartOptions(const QStringList& arguments, StartOptions& start, QString& error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(BrevaneApplication::kTitle);
    parser.addHelpOption();
    parser.addPositionalArgument("league", "A league file (.lge) to open at start.", "[league]");
    const QCommandLineOption team("team", "The club to manage (0-based, in league order) instead of asking.",
                                  "index");
    const QCommandLineOption player("player",
                                    "Show a player in the contract editor: an ID, or 'first' for "
                                    "the first player listed of the managed club.",
                                    "id");
    const QCommandLineOption screenshot("screenshot",
                                        "Save a picture of the main window to this PNG file "
                                        "once the league is open, then quit.",
                                        "file");
    const QCommandLineOption quitWhenShown("quit-when-shown",
                                           "Quit as soon as the main window is shown with the league "
                                           "open and the club chosen (to time the start).");
    parser.addOptions({team, player, screenshot, quitWhenShown});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet("help")) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return false;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        error = "only one league can be opened";
        return false;
    }
    if (!positional.isEmpty())
        start.league = positional.constFirst();
    if (parser.isSet(team)) {
        bool number = false;
        start.team = parser.value(team).toInt(&number);
        if (!number || start.team < 0) {
            error = "--team wants a club index from 0";
            return false;
        }
    }
    start.player = parser.value(player);
    start.screenshot = parser.value(screenshot);
    start.quitWhenShown = parser.isSet(quitWhenShown);
    return true;
}

void ShowStartPlayer(TContractManagerForm& mainWindow, const QString& player) {
    if (player.isEmpty() || !mainWindow.IsLeagueLoaded())
        return;
    std::int16_t id = 0;
    if (player == "first") {
        if (TContractEdit* editor = mainWindow.GetEditor())
            id = editor->Model().PlayerOfItem(0);
    } else {
        id = static_cast<std::int16_t>(player.toShort());
    }
    if (id == 0)
        return;
    mainWindow.ShowEditor(id);
    // Say whom the editor shows, so that a picture taken without a display can be checked.
    if (TContractEdit* editor = mainWindow.GetEditor()) {
        const EditorFields& shown = editor->Model().Fields();
        if (shown.playerID == std::to_string(id)) {
            std::printf("Brevane: the contract editor shows player %s, %s %s (%s)\n", shown.playerID.c_str(),
                        qPrintable(FromGameText(shown.playerFirstName)),
                        qPrintable(FromGameText(shown.playerLastName)),
                        qPrintable(FromGameText(shown.currentTeam)));
            std::fflush(stdout);
        }
    }
}

} // namespace

int RunBrevane(int argc, char** argv, const char* mainWindowName) {
    BrevaneApplication app(argc, argv);
    StartOptions start;
    QString error;
    if (!ParseStartOptions(QCoreApplication::arguments(), start, error)) {
        if (error.isEmpty())
            return 0;
        std::fprintf(stderr, "Brevane: %s\n", qPrintable(error));
        return 2;
    }

    MessageBoxPrompt boxes;
    // A picture or timing run prints its messages rather than wait on their boxes.
    PrintedMessagesPrompt printed(boxes, stderr);
    const bool unattended = !start.screenshot.isEmpty() || start.quitWhenShown;
    Prompt& prompt = unattended ? static_cast<Prompt&>(printed) : boxes;
    if (unattended)
        app.SetErrorPrompt(&printed);
    QtFileDialogs dialogs;
    BrevaneProgram program(mainWindowName, prompt, dialogs);
    TContractManagerForm& mainWindow = program.MainWindow();
    mainWindow.SetStartLeague(start.league);
    mainWindow.SetStartTeam(start.team);
    mainWindow.show();

    // A logout (on Windows the session's end), Ctrl+C or a closed terminal: unsaved offers are
    // kept for the next open, every dialog gives up, and the windows go the ordinary way,
    // releasing the league's working copies and lock. The exit status says which signal it
    // was, as a shell does.
    const StopSignals stopSignals([&mainWindow](int number) {
        mainWindow.KeepUnsavedForStop();
        QCoreApplication::exit(128 + number);
    });

    bool startDone = false;
    QTimer::singleShot(0, &mainWindow, [&]() {
        RunHandler([&]() {
            mainWindow.OpenStartLeague();
            ShowStartPlayer(mainWindow, start.player);
        });
        startDone = true;
    });
    if (!start.screenshot.isEmpty()) {
        const bool wantLeague = !start.league.isEmpty();
        SaveWhenShown(
            mainWindow, start.screenshot, [&]() { return startDone; },
            [&mainWindow, wantLeague](bool saved) {
                const bool ok = saved && (!wantLeague || mainWindow.IsLeagueLoaded());
                QCoreApplication::exit(ok ? 0 : 1);
            });
    }
    if (start.quitWhenShown) {
        const bool wantLeague = !start.league.isEmpty();
        WhenShown(
            mainWindow, [&]() { return startDone; },
            [&mainWindow, wantLeague](bool shown) {
                if (!shown) {
                    std::printf("Brevane: main window not shown within a minute\n");
                    std::fflush(stdout);
                    QCoreApplication::exit(1);
                    return;
                }
                mainWindow.repaint();
                const bool ok = !wantLeague || mainWindow.IsLeagueLoaded();
                std::printf("Brevane: main window shown%s\n",
                            ok ? (wantLeague ? " with the league open" : "") : " without the league");
                std::fflush(stdout);
                QCoreApplication::exit(ok ? 0 : 1);
            },
            1);
    }
    return QCoreApplication::exec();
}
