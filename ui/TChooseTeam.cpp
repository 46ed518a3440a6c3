#include "ui/TChooseTeam.h"

#include "contracts/Prompt.h"
#include "ui/BrevaneApplication.h"
#include "ui/QtText.h"

#include <QFrame>
#include <QListWidget>
#include <QPushButton>

TChooseTeam::TChooseTeam(const std::vector<std::string>& teamNames, std::int32_t& chosenTeam,
                         Prompt& messages)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), result(chosenTeam),
      prompt(messages) {
    setObjectName("ChooseTeam");
    setWindowTitle("Signing Team...");
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(187, 361);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName("Bevel1");
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 171, 313);

    teamList = new QListWidget(this);
    teamList->setObjectName("teamList");
    teamList->setGeometry(17, 16, 153, 297);
    for (const std::string& name : teamNames)
        teamList->addItem(FromGameText(name));

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setGeometry(56, 329, 75, 25);
    OKBtn->setDefault(true);

    result = 0;
    connect(OKBtn, &QPushButton::clicked, this, Handler(this, &TChooseTeam::OKBtnClick));
    connect(teamList, &QListWidget::itemClicked, this, Handler(this, &TChooseTeam::teamListClick));
}

void TChooseTeam::OKBtnClick() {
    const QList<QListWidgetItem*> chosen = teamList->selectedItems();
    result = chosen.isEmpty() ? -1 : teamList->row(chosen.constFirst());
    if (result == -1)
        prompt.ShowStop("Select your Team First", "Can't Continue");
    accept();
}

void TChooseTeam::teamListClick() {
    OKBtnClick();
}

void TChooseTeam::reject() {}
