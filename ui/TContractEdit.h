#pragma once

#include "contracts/ContractEditor.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ContractList;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;

// "Contract Editor": the working window, a child of the main window's workspace, over the
// editor model (ContractEditor). The model computes every text, tick, colour and line; this
// window copies what the user typed into the model, runs the model's handler of the same
// name, and shows the model's fields again. The main window creates it after a league is
// opened and destroys it before another league is opened; closing it frees it and clears
// the main window's editorOpen. A submitted offer leaves it as the signal offerSubmitted.
class TContractEdit : public QWidget {
    Q_OBJECT

  public:
    // ownerName: the component name of the main window, which decides the role.
    TContractEdit(ContractList& contracts, const QString& ownerName, bool& editorOpenFlag);
    ~TContractEdit() override;

    QGroupBox* listingType;
    QRadioButton* listingTeams;
    QRadioButton* listingFreeAgents;
    QComboBox* TeamListBox;
    QListWidget* PlayerListBox;

    QLineEdit* playerID;
    QLineEdit* playerFirstName;
    QLineEdit* playerLastName;
    QLineEdit* currentTeam;
    QLineEdit* Pos;
    QLineEdit* age;
    QLineEdit* cgs;
    QLabel* HoldoutLabel;
    QLabel* yrSigned;
    QLabel* faType;
    QLabel* yrFree;
    QLineEdit* contractTeam;
    QLineEdit* declines;
    QLineEdit* currentBase;
    QLineEdit* currentBonus;
    QLineEdit* years;
    QLineEdit* salary;
    QLineEdit* bonus;
    QLineEdit* accept_percent;
    QLabel* chanceExplanation;
    QCheckBox* FranchiseTag;
    QCheckBox* TransitionTag;
    QCheckBox* tender;
    QListWidget* caphit;
    QLabel* RoundLabel;
    QLineEdit* Round;
    QLabel* PickLabel;
    QLineEdit* Pick;
    QTabWidget* PageControl1;
    QTextEdit* GameStatOutput;
    QTextEdit* SeasonStatOutput;
    QTextEdit* CareerStatOutput;
    QPushButton* closeButton;
    QPushButton* saveButton;

    // A player of the league is shown; 0 switches to the "Teams" listing and -1 to "Free Agents".
    void ShowPlayerByID(std::int16_t id);
    // Lists the players of the team box's selected entry.
    void TeamListBoxChange();
    // The managed club, set by the main window's ChooseUserTeam.
    void SetUserTeam(int team);
    // Shows club `team` of the "Teams" listing with its roster (switching the listing to
    // "Teams" first when the free agents are listed).
    void SelectTeam(int team);
    // An offer of the offer list loaded back into the offer boxes, with its chance.
    void ShowOffer(const Offer& offer);
    // A length, base salary and bonus typed into their boxes (a cheapest offer chosen).
    void TypeOffer(int years, unsigned int salary, unsigned int bonus);

    // Event handlers.
    void listingTypeClick();
    void PlayerListBoxClick();
    void CalcAccept();
    void salaryExit();
    void bonusExit();
    void FPCheck();
    void TPCheck();
    void TendCheck();
    void RoundChange();
    void PickChange();
    void cgsDblClick();
    void saveButtonClick();
    void closeButtonClick();
    void FormShow();

    ContractEditor& Model() { return editor; }

    // The designed size is the first size; the window may grow from there.
    QSize sizeHint() const override { return {594, 466}; }
    const QString& GetOwnerName() const { return ownerName; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // Another player is shown, or the shown player's CGS changed.
    void playerShown();
    // The shown player's CGS, round or pick was changed in the contract list (not yet saved).
    void salaryInfoEdited();
    // Submit Contract built this offer record (of type Offer::InvalidOffer, with the reason,
    // when it is not one).
    void offerSubmitted(const Offer& offer, const std::string& whyInvalid);

  private:
    void BuildListings(QBoxLayout* into);
    void BuildPlayerBoxes(QBoxLayout* into);
    void BuildContractBoxes(QBoxLayout* into);
    void BuildOfferBoxes(QBoxLayout* into);
    void BuildStatTabs(QBoxLayout* into);
    void Connect();

    // What the user can type or tick goes into the model before a handler runs, so that
    // showing the fields afterwards keeps it (a box may change without a key, by pasting).
    void TakeTypedBoxes();
    // The model's fields into the controls.
    void ShowFields();
    void ShowListing();
    void ShowPlayerItems();
    void FormClose();

    QString ownerName;
    ContractEditor editor;
    bool& editorOpenFlag;
    std::string shownPlayer; // the player ID box as last shown
    // The offer box a key went down in. A key released elsewhere (the release of the key that
    // closed a message box) computes nothing.
    QObject* keyDownIn = nullptr;
    bool shownOnce = false;
    // Every text control under the model field it shows.
    std::vector<std::pair<QWidget*, EditorFields::TextMember>> textControls;
};
