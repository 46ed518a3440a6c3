#pragma once

#include "contracts/ProgramVersion.h"
#include "contracts/Prompt.h"

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class ContractList;
class FileDialogs;
class League;
class OpenLeagueState;
class Options;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QMenuBar;
class QStatusBar;
class StatusPanelStrip;
class TCapTableForm;
class TCheapestOfferForm;
class TContractEdit;
class TOfferBoardForm;
class TOfferListForm;
class TPlayersForm;
struct Offer;

// The program's frame and the owner of its working state: the open league, its options and
// contract list, the managed club, and the flags that say what is open and what is unsaved.
// Its component name decides the role: "FrontOffice" for the front office, anything else
// (as delivered, "ContractManagerForm") for a club.
class TContractManagerForm : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr const char* kCaption = "Marrel:Contract Manager";
    static constexpr const char* kVersion = "Version " BREVANE_VERSION;
    static constexpr int kPanels = 5;
    static constexpr QSize kDesignedSize{624, 569};

    TContractManagerForm(const QString& name, Prompt& prompt, FileDialogs& dialogs);
    ~TContractManagerForm() override;

    // The offer list window, created right after the main window.
    void SetOfferList(TOfferListForm* offerList);

    // A league named at start (on the command line): opened by OpenStartLeague exactly as
    // if it had been picked in the league dialog, which activation does not offer meanwhile.
    void SetStartLeague(const QString& path);
    // A club chosen at start instead of asking the chooser after the start league opens
    // (ignored when it is not a club of that league).
    void SetStartTeam(int team);
    void OpenStartLeague();

    // Operations of the workflow. The other windows reach them through the signals the main
    // window connects (an offer submitted, an offer picked from the list).
    void OpenLeagueFile(const QString& path);
    void ShowEditor(std::int16_t id);
    // The contract editor; a closed one is opened first on the managed club's roster, as
    // after a club is chosen. Null while no league is loaded.
    TContractEdit* OpenEditor();
    // Asks for the club to manage and manages it.
    void ChooseUserTeam();
    void UpdateStatusPanels();
    // Contracts > Save; true when the offers were written.
    bool SaveOffers();
    // An invalid offer is refused with "Invalid Contract Offer" and, when known, the reason.
    void SubmitOffer(const Offer& offer, const std::string& whyInvalid = {});
    void AddOffer(const Offer& offer);
    // An offer of the offer list shown in the editor (opened first when it is closed).
    void ShowOfferInEditor(const Offer& offer);

    // Event handlers.
    void FormActivate();
    void Open2Click();
    void ChangeTeam1Click();
    // League > Contract Editor: the editor back (opened on the managed club when closed) and in front.
    void ContractEditor1Click();
    void Options1Click();
    void New1Click();
    void Open1Click();
    void Save1Click();
    void Exit();

    // The program was asked to stop by the system (a logout, a terminal): the offers not yet
    // saved are kept in the league's recovery file, which the next open of the league offers
    // to load, and nothing asks any more. The league itself is released when the windows go.
    void KeepUnsavedForStop();
    // The recovery file of the open league: its name followed by "-recovered.off", in its folder.
    QString RecoveryPath() const;

    // The working state: the open league, its options and contract list (null, all of
    // them, while no league is loaded).
    OpenLeagueState* GetState() const { return state.get(); }
    League* GetLeague() const;
    Options* GetOptions() const;
    ContractList* GetContracts() const;
    bool IsLeagueLoaded() const { return leagueLoaded; }
    bool IsEditorOpen() const { return editorOpen; }
    bool AreOffersUnsaved() const { return offersUnsaved; }
    // The front office changed a CGS, round or pick that is not yet in the salary information file.
    bool AreSalaryEditsUnsaved() const { return salaryEditsUnsaved; }
    int GetUserTeam() const { return userTeam; }
    bool IsFrontOffice() const { return objectName() == "FrontOffice"; }
    TContractEdit* GetEditor() const;
    TOfferListForm* GetOfferList() const { return offerList; }
    Prompt& GetPrompt() const { return prompt; }
    FileDialogs& GetFileDialogs() const { return dialogs; }
    // The text last written to the status bar's text slot.
    QString GetStatusText() const;

    QMenuBar* MainMenu1;
    QMenu* Contracts1;
    QAction* New1;
    QAction* Open1;
    QAction* Save1;
    QAction* Exit1;
    QMenu* League1;
    QAction* Open2;
    QAction* ChangeTeam1;
    QAction* ContractEditor1;
    QAction* Players1;
    QAction* CapTable1;
    QAction* CheapestOffers1;
    QAction* OfferBoard1 = nullptr; // the front office only
    QAction* SaveCGS1 = nullptr;    // the front office only
    QMenu* Export1;                 // League > Export: every export of the windows
    QAction* ExportPlayers1;
    QAction* ExportCapTableCsv1;
    QAction* ExportCapTablePdf1;
    QAction* ExportOffers1;
    QAction* Options1;
    QStatusBar* StatusBar;
    StatusPanelStrip* statusStrip;
    std::array<QLabel*, kPanels> statusPanels{};
    QMdiArea* Workspace;

  protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenu();
    void Players1Click();
    void CapTable1Click();
    void CheapestOffers1Click();
    void OfferBoard1Click();
    // League > Save CGS (front office): the CGS, round and pick edits into the salary
    // information file, replaced atomically.
    void SaveCGS1Click();
    // League > Export: the windows' exports, each window opened first when it is closed, so
    // that what is written is what the window shows.
    void ExportPlayers1Click();
    void ExportCapTableCsv1Click();
    void ExportCapTablePdf1Click();
    void ExportOffers1Click();
    // A CGS, round or pick edited in the editor: unsaved, and shown by every window at once.
    void SalaryInfoEdited();
    // The advice windows follow the club, the offers and the shown player.
    void RefreshCapTable();
    void RefreshPlayers();
    // The cap table, opened first when it is closed, with a player of the club released.
    void ShowReleasedInCapTable(std::int16_t id);
    void RefreshCheapestOffers();
    void BuildStatusBar();
    // The last panel's own figure, shown whenever no status text borrows the panel.
    void ShowCapSpace();
    void SetStatusText(const char* text);
    // Reads the league at path into a new state; null when it cannot be opened or read
    // (the reason is shown).
    std::unique_ptr<OpenLeagueState> ReadLeague(const QString& path);
    void ShowOptionsWriteFailure(const OpenLeagueState& opened);
    bool FormCloseQuery();
    // Before unsaved offers are dropped: "Current Offers not Saved.  Save Now?". True to go on
    // (saved, or No), false to stay (Cancel, or the save was cancelled or failed).
    bool SaveOrDiscardOffers();
    // The same for the front office's CGS, round and pick edits: "CGS edits not saved.  Save Now?".
    bool SaveOrDiscardSalaryEdits();
    // What an answer to such a question means: Yes saves (true when it did), No goes on,
    // Cancel stays.
    static bool SaveOrDiscard(Prompt::Choice answer, const std::function<bool()>& save);
    bool SaveSalaryInfo();
    // Offers kept by a stopped run (RecoveryPath): asks whether to load them; yes manages
    // their club without the chooser, no removes the file.
    bool AskToLoadRecoveredOffers();
    // Once the club is managed: the kept offers into the list, unsaved; the file removed.
    void LoadRecoveredOffers();
    // The CGS, round and pick edits a stop kept: the file, and taking them back when asked.
    QString KeptSalaryEditsPath() const;
    void TakeKeptSalaryEdits();
    void HideToolWindows();
    // The club chooser, shown until a club is chosen (the start club instead, once).
    int AskForClub();
    // The club managed from now: the editor lists it, the cap table follows.
    void ManageClub(int team);
    void FormClose();
    // "Select a League First" when no league is loaded.
    bool RequireLeague();
    void CloseEditor();
    // The editor's frame at its designed size, grown by what the main window has beyond its own.
    void FitEditor();
    // A window shown at its designed width widens, within the screen, so that the status
    // bar's texts (a long club name and large payrolls) are whole rather than cut.
    void WidenForStatusTexts();
    void ReleaseLeague();
    void RunLeagueDialog();
    QString LeagueFolder() const;

    Prompt& prompt;
    FileDialogs& dialogs;
    TOfferListForm* offerList = nullptr;
    QPointer<TContractEdit> editor;
    QPointer<TCapTableForm> capTableForm;
    QPointer<TCheapestOfferForm> cheapestForm;
    QPointer<TOfferBoardForm> offerBoardForm;
    QPointer<TPlayersForm> playersForm;

    std::unique_ptr<OpenLeagueState> state;
    bool leagueLoaded = false;
    bool editorOpen = false;
    bool offersUnsaved = false;
    bool salaryEditsUnsaved = false;
    bool stopping = false; // the system asked the program to stop: no more questions
    std::int8_t userTeam = 0;

    QString startLeague;
    int startTeam = -1;
    // A league is being opened: commands, activation and closing wait.
    bool opening = false;
    bool inLeagueDialog = false;
    // The activation that follows the league dialog's own closing is not a new activation.
    bool skipActivation = false;
};
