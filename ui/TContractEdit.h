#pragma once

#include "contracts/ContractEditor.h"

#include <QString>
#include <QWidget>

#include <cstdint>

class ContractList;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class TContractManagerForm;

// "Contract Editor": the working window, a child of the main window's workspace, over the
// editor model (ContractEditor), whose listings and fields it shows. The main window creates
// it after a league is opened and destroys it before another league is opened; closing it
// frees it and clears the main window's editorOpen.
class TContractEdit : public QWidget {
    Q_OBJECT

  public:
    TContractEdit(ContractList& contracts, TContractManagerForm& owner, bool& editorOpenFlag);
    ~TContractEdit() override;

    QGroupBox* listingType;
    QRadioButton* listingTeams;
    QRadioButton* listingFreeAgents;
    QComboBox* TeamListBox;
    QListWidget* PlayerListBox;
    QPushButton* closeButton;

    // A player of the league is shown; 0 switches to the "Teams" listing and -1 to "Free Agents".
    void ShowPlayerByID(std::int16_t id);
    // Lists the players of the team box's selected entry.
    void TeamListBoxChange();
    // The managed club, set by the main window's ChooseUserTeam.
    void SetUserTeam(int team);
    // Shows club `team` of the "Teams" listing with its roster (switching the listing to
    // "Teams" first when the free agents are listed).
    void SelectTeam(int team);

    void listingTypeClick();
    void closeButtonClick();

    ContractEditor& Model() { return editor; }
    const QString& GetOwnerName() const { return ownerName; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void ShowListing();
    void ShowPlayerItems();
    void FormClose();

    QString ownerName;
    ContractEditor editor;
    bool& editorOpenFlag;
};
