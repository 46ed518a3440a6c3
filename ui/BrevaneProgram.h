#pragma once

#include <QString>

#include <cstdint>
#include <memory>

class FileDialogs;
class Prompt;
class TContractManagerForm;
class TGetCGSDialog;
class TOfferListForm;

// The windows of one run, created in start-up order: the main window (named after the
// role), the offer list (hidden) and a new-CGS dialog.
class BrevaneProgram {
  public:
    static constexpr const char* kClubRole = "ContractManagerForm";
    static constexpr const char* kFrontOfficeRole = "FrontOffice";

    BrevaneProgram(const QString& mainWindowName, Prompt& prompt, FileDialogs& dialogs);
    ~BrevaneProgram();

    TContractManagerForm& MainWindow() { return *mainWindow; }
    TOfferListForm& OfferList() { return *offerList; }

  private:
    std::unique_ptr<TContractManagerForm> mainWindow;
    TOfferListForm* offerList; // a window of its own, owned by the main window
    std::int32_t newCGS = -1;
    std::unique_ptr<TGetCGSDialog> cgsDialog;
};

// What the command line asks for: `Brevane [LEAGUE.lge] [--team N] [--player ID|first]
// [--screenshot FILE] [--quit-when-shown]`.
struct StartOptions {
    QString league;             // opened at start as if picked in the league dialog
    int team = -1;              // the club to manage, instead of asking the chooser
    QString player;             // a player ID to show in the editor, or "first" (the club's first listed)
    QString screenshot;         // save a picture of the main window there, then quit
    bool quitWhenShown = false; // say when the main window is shown with the league open, then quit
};

// The whole program: the application object, the windows, the command line and the event loop.
int RunBrevane(int argc, char** argv, const char* mainWindowName);
