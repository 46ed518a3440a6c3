#include "ui/TChooseTeam.h"

#include "contracts/Prompt.h"
#include "ui/BrevaneApplication.h"
#include "ui/QtText.h"

#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

TChooseTeam::TChooseTeam(const std::vector<std::string>& teamNames, std::int32_t& chosenTeam,
                         Prompt& messages)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), result(chosenTeam),
      prompt(messages) {
    setObjectName("ChooseTeam");
    setWindowTitle("Signing Team...");
    setWindowModality(Qt::ApplicationModal);

    // The list in a framed bevel, OK below: the designed 187 x 361, wider when a club's name
    // needs it, so that no name is cut and no horizontal scroll bar is needed.
    Bevel1 = new QFrame;
    Bevel1->setObjectName("Bevel1");
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    teamList = new QListWidget;
    teamList->setObjectName("teamList");
    teamList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int widest = 0;
    for (const std::string& name : teamNames) {
        teamList->addItem(FromGameText(name));
        widest = std::max(widest, teamList->fontMetrics().horizontalAdvance(FromGameText(name)));
    }
    teamList->setMinimumWidth(std::max(153, widest + 2 * teamList->frameWidth() +
                                                style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12));
    auto* bevelLayout = new QVBoxLayout(Bevel1);
    bevelLayout->setContentsMargins(7, 6, 7, 6);
    bevelLayout->addWidget(teamList);

    OKBtn = new QPushButton("OK");
    OKBtn->setObjectName("OKBtn");
    OKBtn->setFixedSize(75, 25);
    OKBtn->setDefault(true);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 7);
    root->setSpacing(8);
    root->addWidget(Bevel1, 1);
    root->addWidget(OKBtn, 0, Qt::AlignHCenter);
    setFixedSize(std::max(187, root->minimumSize().width()), 361);

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
