#include "ui/TContractManagerForm.h"

#include "contracts/ContractList.h"
#include "contracts/GameText.h"
#include "contracts/KeptSalaryEdits.h"
#include "contracts/Offer.h"
#include "contracts/OfferFile.h"
#include "contracts/OfferList.h"
#include "contracts/OpenLeagueState.h"
#include "contracts/Options.h"
#include "contracts/Prompt.h"
#include "contracts/StatusPanels.h"
#include "league/League.h"
#include "ui/BrevaneApplication.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"
#include "ui/StatusPanelStrip.h"
#include "ui/TCapTableForm.h"
#include "ui/TCheapestOfferForm.h"
#include "ui/TChooseTeam.h"
#include "ui/TContractEdit.h"
#include "ui/TOfferBoardForm.h"
#include "ui/TOfferListForm.h"
#include "ui/TOptionEditForm.h"
#include "ui/TPlayersForm.h"
#include "ui/WindowPlaces.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include <cstdio>
#include <utility>

namespace {

const char* const kSaveQuestion = "Current Offers not Saved.  Save Now?";

// Runs its action when the scope ends, however it ends.
template <class Action> class AtScopeEnd {
  public:
    explicit AtScopeEnd(Action run) : action(std::move(run)) {}
    ~AtScopeEnd() { action(); }
    AtScopeEnd(const AtScopeEnd&) = delete;
    AtScopeEnd& operator=(const AtScopeEnd&) = delete;

  private:
    Action action;
};

// A reason of the model ("cannot open the league ...") as the text of a message box.
std::string Sentence(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

} // namespace

TContractManagerForm::TContractManagerForm(const QString& name, Prompt& messages, FileDialogs& fileDialogs)
    : prompt(messages), dialogs(fileDialogs) {
    setObjectName(name);
    setWindowTitle(kCaption);
    resize(kDesignedSize);

    Workspace = new QMdiArea(this);
    Workspace->setObjectName("Workspace");
    setCentralWidget(Workspace);
    BuildMenu();
    BuildStatusBar();

    if (const QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());
}

TContractManagerForm::~TContractManagerForm() {
    CloseEditor();
    ReleaseLeague();
}

void TContractManagerForm::BuildMenu() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");
    // Every item has a mnemonic (the letter after "&"), the common commands a shortcut too.
    auto item = [this](QMenu* menu, const char* text, const char* name,
                       void (TContractManagerForm::*handler)(), const QKeySequence& shortcut = {}) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, Handler(this, handler));
        return action;
    };
    Contracts1 = MainMenu1->addMenu("&Contracts");
    Contracts1->setObjectName("Contracts1");
    New1 = item(Contracts1, "&Clear", "New1", &TContractManagerForm::New1Click);
    Open1 = item(Contracts1, "&Load", "Open1", &TContractManagerForm::Open1Click, QKeySequence("Ctrl+L"));
    Save1 = item(Contracts1, "&Save", "Save1", &TContractManagerForm::Save1Click, QKeySequence::Save);
    Exit1 = item(Contracts1, "E&xit", "Exit1", &TContractManagerForm::Exit, QKeySequence("Ctrl+Q"));
    League1 = MainMenu1->addMenu("&League");
    League1->setObjectName("League1");
    Open2 = item(League1, "&Open", "Open2", &TContractManagerForm::Open2Click, QKeySequence::Open);
    ChangeTeam1 = item(League1, "Change &Team", "ChangeTeam1", &TContractManagerForm::ChangeTeam1Click,
                       QKeySequence("Ctrl+T"));
    ContractEditor1 = item(League1, "Contract &Editor", "ContractEditor1",
                           &TContractManagerForm::ContractEditor1Click, QKeySequence("Ctrl+E"));
    Players1 =
        item(League1, "Pla&yers", "Players1", &TContractManagerForm::Players1Click, QKeySequence("Ctrl+R"));
    CapTable1 = item(League1, "Cap T&able", "CapTable1", &TContractManagerForm::CapTable1Click,
                     QKeySequence("Ctrl+B"));
    CheapestOffers1 = item(League1, "C&heapest Offers", "CheapestOffers1",
                           &TContractManagerForm::CheapestOffers1Click, QKeySequence("Ctrl+H"));
    // Every club's offer files side by side: the league office's work, not a club's.
    if (IsFrontOffice()) {
        OfferBoard1 = item(League1, "Offer &Board", "OfferBoard1", &TContractManagerForm::OfferBoard1Click);
        // The CGS, round and pick the front office typed, written to the salary information file.
        SaveCGS1 = item(League1, "Save C&GS", "SaveCGS1", &TContractManagerForm::SaveCGS1Click);
    }
    Export1 = League1->addMenu("E&xport");
    Export1->setObjectName("Export1");
    Export1->menuAction()->setObjectName("Export1");
    ExportPlayers1 =
        item(Export1, "&Players as CSV...", "ExportPlayers1", &TContractManagerForm::ExportPlayers1Click);
    ExportCapTableCsv1 = item(Export1, "&Cap Table as CSV...", "ExportCapTableCsv1",
                              &TContractManagerForm::ExportCapTableCsv1Click);
    ExportCapTablePdf1 = item(Export1, "Cap Table as P&DF...", "ExportCapTablePdf1",
                              &TContractManagerForm::ExportCapTablePdf1Click);
    ExportOffers1 =
        item(Export1, "&Offers as CSV...", "ExportOffers1", &TContractManagerForm::ExportOffers1Click);
    League1->addSeparator();
    Options1 =
        item(League1, "O&ptions", "Options1", &TContractManagerForm::Options1Click, QKeySequence("Ctrl+P"));
}

void TContractManagerForm::BuildStatusBar() {
    StatusBar = statusBar();
    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);
    statusStrip = new StatusPanelStrip(StatusBar);
    // The panels take the whole bar; the bar's own text slot is shown in the last panel. A
    // text there (progress, a menu's tip) borrows the panel from the cap space, which comes
    // back once the text is cleared.
    StatusBar->addPermanentWidget(statusStrip, 1);
    statusPanels = statusStrip->panels;
    connect(StatusBar, &QStatusBar::messageChanged, statusStrip, [this](const QString& text) {
        if (text.isEmpty() && leagueLoaded) {
            ShowCapSpace();
            return;
        }
        statusStrip->SetText(kPanels - 1, text);
        statusStrip->SetAlarm(kPanels - 1, false);
    });
}

void TContractManagerForm::SetOfferList(TOfferListForm* list) {
    offerList = list;
    WindowPlaces::Keep(*offerList, *this);
    // The list's own Cancel asks as Contracts > Clear does.
    offerList->SetClearQuestion([this]() { return SaveOrDiscardOffers(); });
    // Nothing is left to lose once the offers are written or the list is emptied.
    connect(offerList, &TOfferListForm::offersWritten, this, [this]() { offersUnsaved = false; });
    connect(offerList, &TOfferListForm::offersCleared, this, [this]() { offersUnsaved = false; });
    connect(offerList, &TOfferListForm::offersEdited, this, [this]() { offersUnsaved = true; });
    connect(offerList, &TOfferListForm::offersChanged, this, &TContractManagerForm::RefreshCapTable);
    connect(offerList, &TOfferListForm::offerPicked, this, &TContractManagerForm::ShowOfferInEditor);
}

void TContractManagerForm::SetStartLeague(const QString& path) {
    startLeague = path;
}

void TContractManagerForm::SetStartTeam(int team) {
    startTeam = team;
}

void TContractManagerForm::OpenStartLeague() {
    if (startLeague.isEmpty())
        return;
    const QString path = std::exchange(startLeague, QString());
    OpenLeagueFile(path);
    // A start league that failed leaves the program as it starts without one.
    if (!leagueLoaded && isActiveWindow())
        FormActivate();
}

League* TContractManagerForm::GetLeague() const {
    return state ? &state->GetLeague() : nullptr;
}

Options* TContractManagerForm::GetOptions() const {
    return state ? &state->GetOptions() : nullptr;
}

ContractList* TContractManagerForm::GetContracts() const {
    return state ? &state->GetContracts() : nullptr;
}

TContractEdit* TContractManagerForm::GetEditor() const {
    return editor.data();
}

QString TContractManagerForm::GetStatusText() const {
    return StatusBar->currentMessage();
}

void TContractManagerForm::SetStatusText(const char* text) {
    StatusBar->showMessage(text);
}

QString TContractManagerForm::LeagueFolder() const {
    return state ? FromFilePath(state->GetFolder()) : QDir::currentPath();
}

bool TContractManagerForm::RequireLeague() {
    if (leagueLoaded)
        return true;
    prompt.ShowStop("Select a League First", "No League File");
    return false;
}

void TContractManagerForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (!isActiveWindow()) {
            skipActivation = false;
        } else if (skipActivation) {
            skipActivation = false;
        } else if (!inLeagueDialog) {
            // Later, so that a dialog shown by it does not run inside the activation itself.
            QMetaObject::invokeMethod(
                this, [this]() { RunHandler([this]() { FormActivate(); }); }, Qt::QueuedConnection);
        }
    }
    QMainWindow::changeEvent(event);
}

void TContractManagerForm::FormActivate() {
    setWindowTitle(QString(kCaption) + " " + kVersion);
    // An activation handled after the window was closed (its league released) must not ask
    // for a league: the program is ending.
    if (leagueLoaded || opening || inLeagueDialog || !startLeague.isEmpty() || !isVisible())
        return;
    RunLeagueDialog();
}

void TContractManagerForm::Open2Click() {
    if (opening || inLeagueDialog)
        return;
    RunLeagueDialog();
}

void TContractManagerForm::RunLeagueDialog() {
    QString path;
    {
        inLeagueDialog = true;
        AtScopeEnd done([this]() {
            inLeagueDialog = false;
            skipActivation = true;
        });
        path = dialogs.OpenLeague(QDir::currentPath());
    }
    if (!path.isEmpty())
        OpenLeagueFile(path);
}

void TContractManagerForm::OpenLeagueFile(const QString& path) {
    if (opening)
        return;
    if (leagueLoaded) {
        if (!SaveOrDiscardOffers() || !SaveOrDiscardSalaryEdits())
            return;
        offerList->ClearOffers();
        CloseEditor();
        ReleaseLeague();
        offersUnsaved = false;
    }
    if (editorOpen)
        CloseEditor();

    opening = true;
    setCursor(Qt::WaitCursor);
    setEnabled(false);
    AtScopeEnd restore([this]() {
        unsetCursor();
        setEnabled(true);
        opening = false;
    });

    std::unique_ptr<OpenLeagueState> opened = ReadLeague(path);
    if (!opened)
        return;
    state = std::move(opened);
    leagueLoaded = true;
    offerList->Bind(&state->GetContracts());
    TakeKeptSalaryEdits();
    const bool recover = AskToLoadRecoveredOffers();
    ShowEditor(0);
    ChooseUserTeam();
    UpdateStatusPanels();
    WidenForStatusTexts();
    if (recover)
        LoadRecoveredOffers();
}

QString TContractManagerForm::RecoveryPath() const {
    if (!state || !state->IsLoaded())
        return {};
    const std::string name = state->GetContracts().GetLeagueName() + "-recovered.off";
    return QDir(FromFilePath(state->GetFolder())).filePath(FromFilePath(name));
}

QString TContractManagerForm::KeptSalaryEditsPath() const {
    if (!state || !state->IsLoaded())
        return {};
    const std::string name = state->GetContracts().GetLeagueName() + "-recovered.cgs";
    return QDir(FromFilePath(state->GetFolder())).filePath(FromFilePath(name));
}

void TContractManagerForm::TakeKeptSalaryEdits() {
    const QString path = KeptSalaryEditsPath();
    if (path.isEmpty() || !QFileInfo::exists(path) || !state->IsSalaryLoaded())
        return;
    if (!prompt.AskYesNo("CGS edits were not saved when the program was stopped.  Load them now?  (No "
                         "discards them.)",
                         "Recovered CGS")) {
        // A stop that ended the question is no answer: the edits stay for the next open.
        if (!stopping)
            QFile::remove(path);
        return;
    }
    std::string why;
    if (!KeptSalaryEdits::Take(state->GetContracts(), ToFilePath(path), why)) {
        // Left as it is, for the user to look at.
        prompt.ShowStop("Could not load the CGS edits kept in " + ToFilePath(path) + ": " + why,
                        "Recovered CGS");
        return;
    }
    salaryEditsUnsaved = true;
    QFile::remove(path);
}

bool TContractManagerForm::AskToLoadRecoveredOffers() {
    const QString path = RecoveryPath();
    const OfferFileContents kept = ReadOfferFile(ToFilePath(path), OfferList::kMaxOffers);
    // A file that cannot be read is left as it is, for the user to look at.
    if (kept.missing || !kept.error.empty() || kept.offers.empty())
        return false;
    const int team = kept.offers.front().team;
    const std::string club = team >= 0 && team < state->GetLeague().GetNumTeams()
                                 ? Latin1ToUtf8(state->GetLeague().GetTeamName(team))
                                 : "your club";
    if (!prompt.AskYesNo(
            "Offers of " + club +
                " were not saved when the program was stopped.  Load them now?  (No discards them.)",
            "Recovered Offers")) {
        // A stop that ended the question is no answer: the offers stay for the next open.
        if (!stopping)
            QFile::remove(path);
        return false;
    }
    // The offers are the club's that was managed then: it is managed again without asking.
    startTeam = team;
    return true;
}

void TContractManagerForm::LoadRecoveredOffers() {
    const QString path = RecoveryPath();
    const TeamInfo info = state->GetContracts().GetTeamInfo(userTeam);
    offerList->SetBase(userTeam, info.restructures, info.bonusSpent, info.currentPayroll,
                       info.estimatedPayroll);
    offerList->LoadOffers(ToFilePath(path));
    offerList->show();
    // Back in the list they are unsaved offers again, asked about as any others.
    offersUnsaved = offerList->Model() && offerList->Model()->Count() > 0;
    QFile::remove(path);
}

void TContractManagerForm::KeepUnsavedForStop() {
    stopping = true;
    // The offers are kept first: nothing the closing windows do may come before them.
    if (leagueLoaded && offersUnsaved && offerList->Model() && offerList->Model()->Count() > 0) {
        std::string reason;
        const QString path = RecoveryPath();
        if (!offerList->Model()->WriteOffers(ToFilePath(path), reason, OfferList::Which::All))
            std::fprintf(stderr, "Brevane: could not keep the unsaved offers in %s: %s\n", qPrintable(path),
                         reason.c_str());
    }
    // So are CGS, round and pick edits not saved.
    if (leagueLoaded && salaryEditsUnsaved) {
        std::string reason;
        const QString path = KeptSalaryEditsPath();
        if (!KeptSalaryEdits::Write(state->GetContracts(), ToFilePath(path), reason))
            std::fprintf(stderr, "Brevane: could not keep the unsaved CGS edits in %s: %s\n",
                         qPrintable(path), reason.c_str());
    }
    HideToolWindows();
}

std::unique_ptr<OpenLeagueState> TContractManagerForm::ReadLeague(const QString& path) {
    auto opened = std::make_unique<OpenLeagueState>();
    SetStatusText("Reading League File...");
    if (!opened->OpenLeague(ToFilePath(path))) {
        SetStatusText("Invalid League File");
        prompt.ShowStop(Sentence(opened->GetFailure()), "Invalid League File");
        return nullptr;
    }
    SetStatusText("Getting League Data...");
    if (!opened->ReadLeagueData()) {
        // Nothing of a league that cannot be read stays open (its folder is released too).
        prompt.ShowStop(Sentence(opened->GetFailure()), "Invalid League File");
        prompt.ShowStop("Select a League First", "No League File");
        return nullptr;
    }
    SetStatusText("League Opened");
    // Default options are written only now that the folder is locked and holds a league.
    if (!opened->LoadOptions(prompt))
        ShowOptionsWriteFailure(*opened);
    SetStatusText("Reading Salary Info File...");
    const bool salary = opened->ReadSalaryInfo(prompt);
    SetStatusText(salary ? "Salary File Opened" : "No Salary Info File");
    // A conversion or build whose file could not be written, or another league's file: the
    // league stays open without it.
    for (const std::string& why :
         {opened->GetContracts().GetSaveError(), opened->GetContracts().GetLoadError()})
        if (!salary && !why.empty())
            prompt.ShowStop(Sentence(why), "Salary Information");
    SetStatusText("Data Loaded");
    return opened;
}

void TContractManagerForm::ShowOptionsWriteFailure(const OpenLeagueState& opened) {
    prompt.ShowStop("Could not write " + opened.GetOptions().FilePath() + ": " + opened.OptionsWriteError(),
                    "Program Options");
}

void TContractManagerForm::ShowEditor(std::int16_t id) {
    if (!leagueLoaded)
        return;
    if (!editorOpen) {
        editorOpen = true;
        auto* created = new TContractEdit(state->GetContracts(), objectName(), editorOpen);
        QMdiSubWindow* frame =
            Workspace->addSubWindow(created, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->move(0, 0);
        editor = created;
        FitEditor();
        frame->show();
        connect(created, &TContractEdit::playerShown, this, &TContractManagerForm::RefreshCheapestOffers);
        connect(created, &TContractEdit::offerSubmitted, this, &TContractManagerForm::SubmitOffer);
        connect(created, &TContractEdit::salaryInfoEdited, this, &TContractManagerForm::SalaryInfoEdited);
    }
    editor->ShowPlayerByID(id);
}

TContractEdit* TContractManagerForm::OpenEditor() {
    if (!leagueLoaded)
        return nullptr;
    if (!editorOpen) {
        ShowEditor(0);
        editor->SetUserTeam(userTeam);
        editor->SelectTeam(userTeam);
    }
    return editor;
}

void TContractManagerForm::ShowOfferInEditor(const Offer& offer) {
    // The editor must exist to take the offer: a closed one is opened first.
    if (TContractEdit* shown = OpenEditor())
        shown->ShowOffer(offer);
}

void TContractManagerForm::FitEditor() {
    auto* frame = editor ? qobject_cast<QMdiSubWindow*>(editor->parentWidget()) : nullptr;
    if (!frame || frame->isMaximized() || frame->isMinimized())
        return;
    // The editor keeps its designed size in the designed frame and grows with the frame beyond
    // it (the sub-window's own size hint is the editor's plus its title bar and borders).
    const QSize growth = (size() - kDesignedSize).expandedTo(QSize(0, 0));
    frame->resize(frame->sizeHint() + growth);
    editor->resize(editor->sizeHint() + growth);
}

void TContractManagerForm::WidenForStatusTexts() {
    // Only a window the user has not sized (nor maximised): his own width is his choice.
    if (!isVisible() || width() != kDesignedSize.width() ||
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const int missing = statusStrip->NeededWidth() - statusStrip->width();
    if (missing <= 0)
        return;
    int wanted = width() + missing;
    if (const QScreen* shownOn = screen())
        wanted = std::min(wanted, shownOn->availableGeometry().width() - (frameGeometry().width() - width()));
    if (wanted > width())
        resize(wanted, height());
}

void TContractManagerForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FitEditor();
}

void TContractManagerForm::CloseEditor() {
    if (editor) {
        QWidget* frame = editor->parentWidget();
        delete (frame ? frame : static_cast<QWidget*>(editor));
    }
    editorOpen = false;
}

void TContractManagerForm::ReleaseLeague() {
    // The advice windows show the league's figures: they go with it, and so do the panels'.
    delete capTableForm;
    delete cheapestForm;
    delete offerBoardForm;
    delete playersForm;
    if (offerList)
        offerList->Bind(nullptr);
    state.reset();
    leagueLoaded = false;
    salaryEditsUnsaved = false;
    statusStrip->ShowDesignTexts();
}

bool TContractManagerForm::SaveOrDiscardOffers() {
    // Yes saves (a save that is cancelled or fails stays), No discards, Cancel stays.
    if (stopping)
        return false;
    return !offersUnsaved || SaveOrDiscard(prompt.AskYesNoCancel(kSaveQuestion, "Save Offers"),
                                           [this]() { return SaveOffers(); });
}

bool TContractManagerForm::SaveOrDiscard(Prompt::Choice answer, const std::function<bool()>& save) {
    switch (answer) {
    case Prompt::Choice::Yes:
        return save();
    case Prompt::Choice::No:
        return true;
    default:
        return false;
    }
}

void TContractManagerForm::ChooseUserTeam() {
    if (!RequireLeague())
        return;
    const int chosen = AskForClub();
    if (chosen >= 0)
        ManageClub(chosen);
}

int TContractManagerForm::AskForClub() {
    const std::vector<std::string> names = [this]() {
        std::vector<std::string> list;
        for (int team = 0; team < state->GetLeague().GetNumTeams(); ++team)
            list.push_back(state->GetLeague().GetTeamName(team));
        return list;
    }();
    std::int32_t chosen = -1;
    if (startTeam >= 0 && startTeam < state->GetLeague().GetNumTeams())
        chosen = startTeam;
    startTeam = -1;
    // A program asked to stop runs no more dialogs: the chooser would come back at once.
    while (chosen == -1 && !stopping) {
        TChooseTeam chooser(names, chosen, prompt);
        chooser.exec();
    }
    return chosen;
}

void TContractManagerForm::ManageClub(int team) {
    userTeam = static_cast<std::int8_t>(team);
    // The chosen club is shown in the editor; a closed editor is opened for it first.
    if (!editorOpen)
        ShowEditor(0);
    editor->SetUserTeam(userTeam);
    editor->SelectTeam(userTeam);
    RefreshCapTable();
    RefreshPlayers();
}

void TContractManagerForm::Players1Click() {
    if (!RequireLeague())
        return;
    if (!playersForm) {
        playersForm = new TPlayersForm(state->GetContracts(), prompt, dialogs, this);
        WindowPlaces::Keep(*playersForm, *this);
        // A player picked in the table is shown in the editor, opened first when it is closed.
        connect(playersForm, &TPlayersForm::playerPicked, this, [this](std::int16_t id) {
            RunHandler([this, id]() {
                if (TContractEdit* shown = OpenEditor())
                    shown->ShowPlayerByID(id);
            });
        });
        connect(playersForm, &TPlayersForm::releasedViewAsked, this,
                [this](std::int16_t id) { RunHandler([this, id]() { ShowReleasedInCapTable(id); }); });
    }
    RefreshPlayers();
    playersForm->show();
    playersForm->raise();
}

void TContractManagerForm::SalaryInfoEdited() {
    salaryEditsUnsaved = true;
    // A new CGS changes today's chances, the estimated payroll and the tender rows: the tool
    // windows that show them follow at once.
    if (offerBoardForm && leagueLoaded)
        offerBoardForm->Reload();
    RefreshPlayers();
    RefreshCapTable();
}

void TContractManagerForm::RefreshPlayers() {
    if (playersForm && leagueLoaded)
        playersForm->Refresh(userTeam);
}

void TContractManagerForm::ShowReleasedInCapTable(std::int16_t id) {
    CapTable1Click();
    if (!capTableForm)
        return;
    capTableForm->ShowReleased(id);
    RefreshCapTable();
}

void TContractManagerForm::CapTable1Click() {
    if (!RequireLeague())
        return;
    if (!capTableForm) {
        capTableForm = new TCapTableForm(prompt, dialogs, this);
        WindowPlaces::Keep(*capTableForm, *this);
    }
    RefreshCapTable();
    capTableForm->show();
    capTableForm->raise();
}

void TContractManagerForm::RefreshCapTable() {
    if (capTableForm && leagueLoaded)
        capTableForm->Refresh(state->GetContracts(), userTeam, offerList ? offerList->Model() : nullptr);
}

void TContractManagerForm::CheapestOffers1Click() {
    if (!RequireLeague())
        return;
    if (!cheapestForm) {
        cheapestForm = new TCheapestOfferForm(this);
        WindowPlaces::Keep(*cheapestForm, *this);
        // A chosen answer is typed into the editor, opened first when it is closed.
        connect(cheapestForm, &TCheapestOfferForm::offerChosen, this,
                [this](int years, unsigned int salary, unsigned int bonus) {
                    RunHandler([this, years, salary, bonus]() {
                        if (TContractEdit* shown = OpenEditor())
                            shown->TypeOffer(years, salary, bonus);
                    });
                });
    }
    RefreshCheapestOffers();
    cheapestForm->show();
    cheapestForm->raise();
}

void TContractManagerForm::OfferBoard1Click() {
    if (!RequireLeague())
        return;
    if (!offerBoardForm) {
        offerBoardForm = new TOfferBoardForm(state->GetContracts(), prompt, dialogs, this);
        // A player picked on the board is shown in the editor, opened first when it is closed.
        connect(offerBoardForm, &TOfferBoardForm::playerPicked, this, [this](std::int16_t id) {
            RunHandler([this, id]() {
                if (TContractEdit* shown = OpenEditor())
                    shown->ShowPlayerByID(id);
            });
        });
    }
    offerBoardForm->show();
    offerBoardForm->raise();
}

void TContractManagerForm::ExportPlayers1Click() {
    Players1Click();
    if (playersForm && leagueLoaded)
        playersForm->exportButtonClick();
}

void TContractManagerForm::ExportCapTableCsv1Click() {
    CapTable1Click();
    if (capTableForm && leagueLoaded)
        capTableForm->exportCsvClick();
}

void TContractManagerForm::ExportCapTablePdf1Click() {
    CapTable1Click();
    if (capTableForm && leagueLoaded)
        capTableForm->exportPdfClick();
}

void TContractManagerForm::ExportOffers1Click() {
    if (RequireLeague() && offerList)
        offerList->exportCsvClick();
}

void TContractManagerForm::RefreshCheapestOffers() {
    if (cheapestForm && editor)
        cheapestForm->Refresh(editor->Model());
}

void TContractManagerForm::UpdateStatusPanels() {
    if (!leagueLoaded)
        return;
    const std::array<std::string, 4> texts =
        StatusPanelTexts(state->GetLeague(), state->GetContracts(), userTeam);
    const std::array<const char*, 4> tips = {nullptr, FigureTips::kBonusSpent, FigureTips::kCurrentPayroll,
                                             FigureTips::kEstimatedPayroll};
    for (std::size_t i = 0; i < texts.size(); ++i)
        statusStrip->SetText(static_cast<int>(i), FromGameText(texts[i]), tips[i] ? tips[i] : QString());
    ShowCapSpace();
}

void TContractManagerForm::ShowCapSpace() {
    // The fifth panel: what the club may still spend this season.
    statusStrip->SetText(kPanels - 1, FromGameText(CapSpaceText(state->GetContracts(), userTeam)),
                         FigureTips::kCapSpace);
    statusStrip->SetAlarm(kPanels - 1, CapSpace(state->GetContracts(), userTeam) < 0);
}

bool TContractManagerForm::SaveOffers() {
    if (!RequireLeague())
        return false;
    return offerList->SaveOffersOf(userTeam);
}

void TContractManagerForm::SubmitOffer(const Offer& offer, const std::string& whyInvalid) {
    if (offer.offerType == Offer::InvalidOffer) {
        prompt.AskOkCancel(whyInvalid.empty() ? "Invalid Contract Offer"
                                              : "Invalid Contract Offer\n\n" + whyInvalid,
                           "Invalid");
        return;
    }
    AddOffer(offer);
}

void TContractManagerForm::AddOffer(const Offer& offer) {
    if (!RequireLeague())
        return;
    offersUnsaved = true;
    if (offerList->isHidden())
        offerList->show();
    const TeamInfo info = state->GetContracts().GetTeamInfo(userTeam);
    offerList->SetBase(userTeam, info.restructures, info.bonusSpent, info.currentPayroll,
                       info.estimatedPayroll);
    // A second offer for a player is most often a corrected first one: asked to replace it.
    // No lists both, as the list always could.
    const int existing = offerList->FindOfferFor(offer.playerID);
    if (existing >= 0) {
        const Player player = state->GetLeague().players.GetPlayer(offer.playerID);
        const std::string question = "The list already holds an offer for " + player.GetFirstName() + " " +
                                     player.GetLastName() + ".  Replace it with this one?";
        if (prompt.AskYesNo(question, "Replace Offer")) {
            offerList->ReplaceOffer(existing, offer);
            return;
        }
    }
    if (!offerList->AddOfferToList(offer))
        prompt.AskOkCancel("32 Offers already in submitted.", "Max Offers Reached");
}

void TContractManagerForm::ChangeTeam1Click() {
    if (!RequireLeague())
        return;
    const int chosen = AskForClub();
    if (chosen < 0)
        return;
    // The offer list, and so every offer file saved from it, holds one club's offers.
    if (chosen != userTeam) {
        if (!SaveOrDiscardOffers())
            return;
        offerList->ClearOffers();
    }
    ManageClub(chosen);
    UpdateStatusPanels();
    WidenForStatusTexts();
}

void TContractManagerForm::ContractEditor1Click() {
    if (!RequireLeague())
        return;
    TContractEdit* shown = OpenEditor();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(shown->parentWidget())) {
        if (frame->isMinimized())
            frame->showNormal();
        Workspace->setActiveSubWindow(frame);
    }
    shown->setFocus(Qt::ShortcutFocusReason);
}

void TContractManagerForm::Options1Click() {
    if (!RequireLeague())
        return;
    {
        TOptionEditForm form(state->GetOptions(), prompt, *this);
        if (form.exec() != QDialog::Accepted)
            return;
    }
    // The window has written the league's options file; the same options object (the contract
    // list and the editor hold it) takes what the file now says. Totals and salary information
    // keep the old options until the league is opened again.
    if (!state->LoadOptions(prompt))
        ShowOptionsWriteFailure(*state);
    // What the offer list checks against the rules (the salary cap, the bonus limit) follows now.
    offerList->FormShow();
    RefreshPlayers();
    prompt.ShowMessage("Reload League file to reflect new Options om Totals and Salary Info",
                       "Reload League");
}

void TContractManagerForm::New1Click() {
    if (SaveOrDiscardOffers())
        offerList->ClearOffers();
}

void TContractManagerForm::Open1Click() {
    if (!RequireLeague())
        return;
    const QString path = dialogs.OpenOffers(LeagueFolder());
    if (path.isEmpty())
        return;
    const TeamInfo info = state->GetContracts().GetTeamInfo(userTeam);
    offerList->SetBase(userTeam, info.restructures, info.bonusSpent, info.currentPayroll,
                       info.estimatedPayroll);
    offerList->LoadOwnOffers(path);
    offerList->show();
}

void TContractManagerForm::Save1Click() {
    SaveOffers();
}

void TContractManagerForm::Exit() {
    close();
}

void TContractManagerForm::closeEvent(QCloseEvent* event) {
    bool allowed = false;
    RunHandler([this, &allowed]() { allowed = !opening && FormCloseQuery(); });
    if (!allowed) {
        event->ignore();
        return;
    }
    RunHandler([this]() { FormClose(); });
    event->accept();
}

bool TContractManagerForm::FormCloseQuery() {
    // Offers not yet written are asked about as before another league is opened; a save
    // that is cancelled or fails keeps the program open. A stop asks nothing: what was
    // unsaved is in the recovery files.
    if (stopping)
        return true;
    return SaveOrDiscardOffers() && SaveOrDiscardSalaryEdits();
}

bool TContractManagerForm::SaveSalaryInfo() {
    if (!RequireLeague())
        return false;
    if (!state->GetContracts().Save()) {
        prompt.ShowStop("Could not write the salary information file of the league: " +
                            state->GetContracts().GetSaveError(),
                        "Save CGS");
        return false;
    }
    salaryEditsUnsaved = false;
    return true;
}

bool TContractManagerForm::SaveOrDiscardSalaryEdits() {
    return !salaryEditsUnsaved ||
           SaveOrDiscard(prompt.AskYesNoCancel("CGS edits not saved.  Save Now?", "Save CGS"),
                         [this]() { return SaveSalaryInfo(); });
}

void TContractManagerForm::SaveCGS1Click() {
    SaveSalaryInfo();
}

void TContractManagerForm::HideToolWindows() {
    // The tool windows go with the main window, and keep their places for the next run.
    for (QWidget* tool :
         {static_cast<QWidget*>(offerList), static_cast<QWidget*>(capTableForm.data()),
          static_cast<QWidget*>(cheapestForm.data()), static_cast<QWidget*>(playersForm.data())})
        if (tool)
            tool->hide();
}

void TContractManagerForm::FormClose() {
    HideToolWindows();
    if (!leagueLoaded)
        return;
    CloseEditor();
    ReleaseLeague();
}
