#include "ui/TContractManagerForm.h"

#include "contracts/ContractList.h"
#include "contracts/Offer.h"
#include "contracts/OpenLeagueState.h"
#include "contracts/Options.h"
#include "contracts/Prompt.h"
#include "contracts/StatusPanels.h"
#include "league/League.h"
#include "ui/BrevaneApplication.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"
#include "ui/TCapTableForm.h"
#include "ui/TCheapestOfferForm.h"
#include "ui/TChooseTeam.h"
#include "ui/TContractEdit.h"
#include "ui/TOfferListForm.h"
#include "ui/TOptionEditForm.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>

#include <utility>

namespace {

// Runs its action when the scope ends, however it ends.
template <class Action> class AtScopeEnd {
  public:
    explicit AtScopeEnd(Action action) : action_(std::move(action)) {}
    ~AtScopeEnd() { action_(); }
    AtScopeEnd(const AtScopeEnd&) = delete;
    AtScopeEnd& operator=(const AtScopeEnd&) = delete;

  private:
    Action action_;
};

// A reason of the model ("cannot open the league ...") as the text of a message box.
std::string Sentence(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

// A status panel that shows a text too long for its width cut with "..." (the whole text is
// its tool tip) instead of cut off in the middle of a figure.
class StatusPanel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect area = contentsRect().adjusted(indent(), 0, 0, 0);
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
    }
};

// The five panels of the status bar at their fixed widths. Like the frame's own panels they
// keep their widths when the window is narrower than all of them; the last ones are then cut
// at the window's edge.
class StatusPanelStrip : public QWidget {
  public:
    static constexpr std::array<int, TContractManagerForm::kPanels> kWidths = {75, 175, 175, 200, 50};

    explicit StatusPanelStrip(QWidget* parent) : QWidget(parent) {
        setObjectName("StatusPanels");
        // A little smaller than the windows' text, so that payroll figures fit the panels.
        QFont small = font();
        small.setPointSizeF(small.pointSizeF() - 1.5);
        setFont(small);
        static const char* const kDesignTexts[] = {
            "", "Bonus Money Spent:", "Current Payroll:", "Estimated Payroll:", ""};
        int x = 0;
        for (int i = 0; i < TContractManagerForm::kPanels; ++i) {
            auto* panel = new StatusPanel(kDesignTexts[i], this);
            panel->setObjectName(QString("StatusPanel%1").arg(i));
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            panel->setIndent(2);
            panel->setGeometry(x, 0, kWidths[static_cast<std::size_t>(i)], sizeHint().height());
            panels[static_cast<std::size_t>(i)] = panel;
            x += kWidths[static_cast<std::size_t>(i)];
        }
    }

    QSize sizeHint() const override {
        int width = 0;
        for (int w : kWidths)
            width += w;
        return {width, fontMetrics().height() + 6};
    }
    QSize minimumSizeHint() const override { return {0, fontMetrics().height() + 6}; }

    std::array<QLabel*, TContractManagerForm::kPanels> panels{};

  protected:
    void resizeEvent(QResizeEvent*) override {
        for (std::size_t i = 0; i < panels.size(); ++i)
            panels[i]->resize(kWidths[i], height());
    }
};

} // namespace

TContractManagerForm::TContractManagerForm(const QString& name, Prompt& messages, FileDialogs& fileDialogs)
    : prompt(messages), dialogs(fileDialogs) {
    setObjectName(name);
    setWindowTitle(kCaption);
    resize(624, 569);

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
    auto item = [this](QMenu* menu, const char* text, const char* name,
                       void (TContractManagerForm::*handler)()) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, Handler(this, handler));
        return action;
    };
    Contracts1 = MainMenu1->addMenu("Contracts");
    Contracts1->setObjectName("Contracts1");
    New1 = item(Contracts1, "Clear", "New1", &TContractManagerForm::New1Click);
    Open1 = item(Contracts1, "Load", "Open1", &TContractManagerForm::Open1Click);
    Save1 = item(Contracts1, "Save", "Save1", &TContractManagerForm::Save1Click);
    Exit1 = item(Contracts1, "Exit", "Exit1", &TContractManagerForm::Exit);
    League1 = MainMenu1->addMenu("League");
    League1->setObjectName("League1");
    Open2 = item(League1, "Open", "Open2", &TContractManagerForm::Open2Click);
    ChangeTeam1 = item(League1, "Change Team", "ChangeTeam1", &TContractManagerForm::ChangeTeam1Click);
    CapTable1 = item(League1, "Cap Table", "CapTable1", &TContractManagerForm::CapTable1Click);
    CheapestOffers1 =
        item(League1, "Cheapest Offers", "CheapestOffers1", &TContractManagerForm::CheapestOffers1Click);
    League1->addSeparator();
    Options1 = item(League1, "Options", "Options1", &TContractManagerForm::Options1Click);
}

void TContractManagerForm::BuildStatusBar() {
    StatusBar = statusBar();
    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);
    auto* strip = new StatusPanelStrip(StatusBar);
    // The panels take the whole bar; status texts go to the bar's text slot without
    // replacing them.
    StatusBar->addPermanentWidget(strip, 1);
    statusPanels = strip->panels;
}

void TContractManagerForm::SetOfferList(TOfferListForm* list) {
    offerList = list;
    // Nothing is left to lose once the offers are written or the list is emptied.
    connect(offerList, &TOfferListForm::offersWritten, this, [this]() { offersUnsaved = false; });
    connect(offerList, &TOfferListForm::offersCleared, this, [this]() { offersUnsaved = false; });
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
    if (leagueLoaded || opening || inLeagueDialog || !startLeague.isEmpty())
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
        // A save the user asked for that is cancelled or fails keeps this league and its offers.
        if (offersUnsaved && prompt.AskYesNo("Current Offers not Saved.  Save Now?", "Save Offers") &&
            !SaveOffers())
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
    ShowEditor(0);
    ChooseUserTeam();
    UpdateStatusPanels();
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
    SetStatusText(opened->ReadSalaryInfo(prompt) ? "Salary File Opened" : "No Salary Info File");
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
        frame->show();
        editor = created;
        connect(created, &TContractEdit::playerShown, this, &TContractManagerForm::RefreshCheapestOffers);
        connect(created, &TContractEdit::offerSubmitted, this, &TContractManagerForm::SubmitOffer);
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

void TContractManagerForm::CloseEditor() {
    if (editor) {
        QWidget* frame = editor->parentWidget();
        delete (frame ? frame : static_cast<QWidget*>(editor));
    }
    editorOpen = false;
}

void TContractManagerForm::ReleaseLeague() {
    // The advice windows show the league's figures: they go with it.
    delete capTableForm;
    delete cheapestForm;
    if (offerList)
        offerList->Bind(nullptr);
    state.reset();
    leagueLoaded = false;
}

void TContractManagerForm::ChooseUserTeam() {
    if (!RequireLeague())
        return;
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
    while (chosen == -1) {
        TChooseTeam chooser(names, chosen, prompt);
        chooser.exec();
    }
    userTeam = static_cast<std::int8_t>(chosen);
    // The chosen club is shown in the editor; a closed editor is opened for it first.
    if (!editorOpen)
        ShowEditor(0);
    editor->SetUserTeam(userTeam);
    editor->SelectTeam(userTeam);
    RefreshCapTable();
}

void TContractManagerForm::CapTable1Click() {
    if (!RequireLeague())
        return;
    if (!capTableForm)
        capTableForm = new TCapTableForm(this);
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

void TContractManagerForm::RefreshCheapestOffers() {
    if (cheapestForm && editor)
        cheapestForm->Refresh(editor->Model());
}

void TContractManagerForm::UpdateStatusPanels() {
    if (!leagueLoaded)
        return;
    const std::array<std::string, 4> texts =
        StatusPanelTexts(state->GetLeague(), state->GetContracts(), userTeam);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        statusPanels[i]->setText(FromGameText(texts[i]));
        statusPanels[i]->setToolTip(statusPanels[i]->text());
    }
    statusPanels[4]->clear();
}

bool TContractManagerForm::SaveOffers() {
    if (!RequireLeague())
        return false;
    return offerList->SaveOffersOf(userTeam);
}

void TContractManagerForm::SubmitOffer(const Offer& offer) {
    if (offer.offerType == Offer::InvalidOffer) {
        prompt.AskOkCancel("Invalid Contract Offer", "Invalid");
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
    if (!offerList->AddOfferToList(offer))
        prompt.AskOkCancel("32 Offers already in submitted.", "Max Offers Reached");
}

void TContractManagerForm::ChangeTeam1Click() {
    ChooseUserTeam();
    UpdateStatusPanels();
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
    prompt.ShowMessage("Reload League file to reflect new Options om Totals and Salary Info",
                       "Reload League");
}

void TContractManagerForm::New1Click() {
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
    offerList->LoadOffers(ToFilePath(path));
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
    // that is cancelled or fails keeps the program open.
    if (!offersUnsaved)
        return true;
    if (!prompt.AskYesNo("Current Offers not Saved.  Save Now?", "Save Offers"))
        return true;
    return SaveOffers();
}

void TContractManagerForm::FormClose() {
    if (!leagueLoaded)
        return;
    CloseEditor();
    ReleaseLeague();
}
