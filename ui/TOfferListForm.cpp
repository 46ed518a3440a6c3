#include "ui/TOfferListForm.h"

#include "contracts/ContractList.h"
#include "contracts/OfferFileName.h"
#include "contracts/OfferRules.h"
#include "contracts/Prompt.h"
#include "league/League.h"
#include "ui/BrevaneApplication.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

namespace {

QLabel* Caption(const char* text, int x, int y, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, 106, 16);
    return label;
}

} // namespace

TOfferListForm::TOfferListForm(Prompt& messages, FileDialogs& fileDialogs, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowStaysOnTopHint),
      prompt(messages), dialogs(fileDialogs) {
    setObjectName("OfferListForm");
    setWindowTitle("Current Offers");
    setFixedSize(590, 240);

    // The club's name over the whole width: a club name has room for 32 characters.
    teamname = new QLabel("teamname", this);
    teamname->setObjectName("teamname");
    teamname->setTextFormat(Qt::PlainText);
    QFont bold = teamname->font();
    bold.setBold(true);
    teamname->setFont(bold);
    teamname->setGeometry(6, 4, 578, 20);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setGeometry(6, 28, 469, 204);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    offerlist = new QListWidget;
    offerlist->setObjectName("offerlist");
    offerlist->setFixedSize(765, 204 - 2 * ScrollBox1->frameWidth() -
                                     ScrollBox1->horizontalScrollBar()->sizeHint().height());
    ScrollBox1->setWidget(offerlist);

    Caption("Estimated Payroll", 480, 28, this);
    payroll = new QLineEdit(this);
    payroll->setObjectName("payroll");
    payroll->setReadOnly(true);
    payroll->setGeometry(480, 46, 104, 23);

    Caption("Bonus Paid", 480, 76, this);
    bonus = new QLineEdit(this);
    bonus->setObjectName("bonus");
    bonus->setReadOnly(true);
    bonus->setGeometry(480, 94, 104, 23);

    Caption("Restructures", 480, 124, this);
    restructs = new QLabel("0", this);
    restructs->setObjectName("restructs");
    restructs->setGeometry(480, 142, 104, 16);

    savebutton = new QPushButton("Save", this);
    savebutton->setObjectName("savebutton");
    savebutton->setGeometry(480, 176, 104, 25);
    cxlbutton = new QPushButton("Cancel", this);
    cxlbutton->setObjectName("cxlbutton");
    cxlbutton->setGeometry(480, 207, 104, 25);

    connect(offerlist, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { RunHandler([this, item]() { offerlistClickCheck(item); }); });
    connect(offerlist, &QListWidget::itemDoubleClicked, this,
            Handler(this, &TOfferListForm::offerlistDblClick));
    connect(savebutton, &QPushButton::clicked, this, Handler(this, &TOfferListForm::savebuttonClick));
    connect(cxlbutton, &QPushButton::clicked, this, Handler(this, &TOfferListForm::cxlbuttonClick));
    hide();
}

TOfferListForm::~TOfferListForm() = default;

void TOfferListForm::Bind(const ContractList* list) {
    contracts = list;
    model = list ? std::make_unique<OfferList>(*list) : nullptr;
    ShowItems();
}

void TOfferListForm::SetBase(int team, std::uint8_t restructures, std::int32_t bonusSpent,
                             std::int32_t currentPayroll, std::int32_t estimatedPayroll) {
    if (!model)
        return;
    model->SetBase(team, restructures, bonusSpent, currentPayroll, estimatedPayroll);
    ShowTotals();
}

bool TOfferListForm::AddOfferToList(const Offer& offer) {
    if (!model || !model->AddOfferToList(offer))
        return false;
    ShowItems();
    return true;
}

void TOfferListForm::LoadOffers(const std::string& path) {
    if (!model)
        return;
    model->LoadOffers(path);
    ShowItems();
}

bool TOfferListForm::WriteOffers(const std::string& path, std::string& reason) {
    if (!model) {
        reason = "no league is open";
        return false;
    }
    if (!model->WriteOffers(path, reason))
        return false;
    emit offersWritten();
    return true;
}

void TOfferListForm::ClearOffers() {
    if (model)
        model->ClearOffers();
    ShowItems();
    hide();
    emit offersCleared();
}

bool TOfferListForm::SaveOffersOf(int team) {
    if (!contracts || !model)
        return false;
    const League& league = contracts->GetLeague();
    // Offers that break the league's rules are saved only when the user says so.
    const int breakers = CountRuleBreakers(CheckOfferRules(*model, *contracts));
    if (breakers > 0 && !prompt.AskYesNo(SaveAnywayQuestion(breakers), "Rule Check"))
        return false;
    const QString path = dialogs.SaveOffers(FromFilePath(league.GetLeagueFolder()),
                                            FromGameText(OfferFileName(league.GetTeamName(team))));
    if (path.isEmpty())
        return false;
    std::string reason;
    if (!WriteOffers(ToFilePath(path), reason)) {
        prompt.ShowStop("Could not write " + path.toStdString() + ": " + reason, "Save Offers");
        return false;
    }
    return true;
}

int TOfferListForm::Count() const {
    return model ? model->Count() : 0;
}

void TOfferListForm::offerlistClickCheck(QListWidgetItem* item) {
    if (!model)
        return;
    model->SetChecked(offerlist->row(item), item->checkState() == Qt::Checked);
    ShowTotals();
}

void TOfferListForm::savebuttonClick() {
    if (model)
        SaveOffersOf(model->GetTeam());
}

void TOfferListForm::cxlbuttonClick() {
    ClearOffers();
}

void TOfferListForm::offerlistDblClick() {
    const int row = offerlist->currentRow();
    if (!model || row < 0 || row >= model->Count())
        return;
    const Offer offer = model->Items()[static_cast<std::size_t>(row)].offer;
    emit offerPicked(offer);
}

void TOfferListForm::FormShow() {
    if (!model)
        return;
    model->RecalcTotals();
    ShowTotals();
}

void TOfferListForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    RunHandler([this]() { FormShow(); });
}

void TOfferListForm::ShowItems() {
    const QSignalBlocker quiet(offerlist);
    offerlist->clear();
    if (model) {
        for (const OfferList::Item& entry : model->Items()) {
            auto* item = new QListWidgetItem(FromGameText(entry.text), offerlist);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
        }
    }
    ShowTotals();
}

void TOfferListForm::ShowTotals() {
    if (!model) {
        teamname->clear();
        payroll->clear();
        bonus->clear();
        restructs->clear();
        return;
    }
    const OfferList::Totals& totals = model->GetTotals();
    teamname->setText(FromGameText(totals.teamname));
    payroll->setText(FromGameText(totals.payrollText));
    bonus->setText(FromGameText(totals.bonusText));
    restructs->setText(FromGameText(totals.restructsText));
    ShowProblems();
    emit offersChanged();
}

void TOfferListForm::ShowProblems() {
    const auto problems = CheckOfferRules(*model, *contracts);
    const QSignalBlocker quiet(offerlist);
    for (int row = 0; row < offerlist->count() && row < static_cast<int>(problems.size()); ++row) {
        const auto& reasons = problems[static_cast<std::size_t>(row)];
        QListWidgetItem* item = offerlist->item(row);
        std::string tip;
        for (const std::string& reason : reasons)
            tip += (tip.empty() ? "" : "\n") + reason;
        item->setToolTip(FromGameText(tip));
        item->setForeground(reasons.empty() ? offerlist->palette().text() : QBrush(QColor(200, 0, 0)));
    }
}
