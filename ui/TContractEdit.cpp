#include "ui/TContractEdit.h"

#include "ui/BrevaneApplication.h"
#include "ui/QtText.h"
#include "ui/TContractManagerForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>

TContractEdit::TContractEdit(ContractList& contracts, TContractManagerForm& owner, bool& flag)
    : ownerName(owner.objectName()), editor(contracts, ownerName.toStdString()), editorOpenFlag(flag) {
    setObjectName("ContractEdit");
    setWindowTitle("Contract Editor");
    setFixedSize(594, 466);

    listingType = new QGroupBox(this);
    listingType->setObjectName("listingType");
    listingType->setGeometry(8, 2, 185, 40);
    auto* listingLayout = new QHBoxLayout(listingType);
    listingLayout->setContentsMargins(8, 4, 8, 4);
    listingTeams = new QRadioButton("Teams", listingType);
    listingTeams->setObjectName("listingTypeTeams");
    listingFreeAgents = new QRadioButton("Free Agents", listingType);
    listingFreeAgents->setObjectName("listingTypeFreeAgents");
    listingLayout->addWidget(listingTeams);
    listingLayout->addWidget(listingFreeAgents);

    TeamListBox = new QComboBox(this);
    TeamListBox->setObjectName("TeamListBox");
    TeamListBox->setGeometry(8, 48, 185, 24);

    PlayerListBox = new QListWidget(this);
    PlayerListBox->setObjectName("PlayerListBox");
    PlayerListBox->setGeometry(8, 78, 185, 348);

    closeButton = new QPushButton("Close", this);
    closeButton->setObjectName("closeButton");
    closeButton->setGeometry(511, 433, 75, 25);

    connect(listingTeams, &QRadioButton::clicked, this, Handler(this, &TContractEdit::listingTypeClick));
    connect(listingFreeAgents, &QRadioButton::clicked, this, Handler(this, &TContractEdit::listingTypeClick));
    connect(TeamListBox, &QComboBox::activated, this, Handler(this, &TContractEdit::TeamListBoxChange));
    connect(closeButton, &QPushButton::clicked, this, Handler(this, &TContractEdit::closeButtonClick));
    ShowListing();
}

TContractEdit::~TContractEdit() {
    editorOpenFlag = false;
}

void TContractEdit::ShowPlayerByID(std::int16_t id) {
    if (!editor.ShowPlayerByID(id))
        ShowListing();
}

void TContractEdit::SetUserTeam(int team) {
    editor.SetUserTeam(team);
}

void TContractEdit::listingTypeClick() {
    editor.listingTypeClick(listingTeams->isChecked() ? ContractEditor::Listing::Teams
                                                      : ContractEditor::Listing::FreeAgents);
    ShowListing();
}

void TContractEdit::TeamListBoxChange() {
    editor.TeamListBoxChange(TeamListBox->currentIndex());
    ShowPlayerItems();
}

void TContractEdit::SelectTeam(int team) {
    if (editor.GetListing() != ContractEditor::Listing::Teams) {
        editor.ListTeams();
        ShowListing();
    }
    TeamListBox->setCurrentIndex(team);
    TeamListBoxChange();
}

void TContractEdit::ShowListing() {
    const bool teams = editor.GetListing() == ContractEditor::Listing::Teams;
    listingTeams->setChecked(teams);
    listingFreeAgents->setChecked(!teams);
    TeamListBox->clear();
    for (const std::string& item : editor.TeamBoxItems())
        TeamListBox->addItem(FromGameText(item));
    TeamListBox->setCurrentIndex(editor.TeamBoxIndex());
    ShowPlayerItems();
}

void TContractEdit::ShowPlayerItems() {
    PlayerListBox->clear();
    for (const std::string& item : editor.PlayerItems())
        PlayerListBox->addItem(FromGameText(item));
}

void TContractEdit::closeButtonClick() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void TContractEdit::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TContractEdit::FormClose() {
    editorOpenFlag = false;
}
