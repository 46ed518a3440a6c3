#include "ui/TOfferListForm.h"

#include "contracts/ContractList.h"
#include "contracts/LeagueFileNames.h"
#include "contracts/OfferFileName.h"
#include "contracts/OfferRules.h"
#include "contracts/Prompt.h"
#include "contracts/StatusPanels.h"
#include "contracts/TableCsv.h"
#include "league/League.h"
#include "ui/BrevaneApplication.h"
#include "ui/ExportFile.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

TOfferListForm::TOfferListForm(Prompt& messages, FileDialogs& fileDialogs, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowMaximizeButtonHint | Qt::WindowStaysOnTopHint),
      prompt(messages), dialogs(fileDialogs) {
    setObjectName("OfferListForm");
    setWindowTitle("Current Offers");

    // The club's name over the whole width (a club name has room for 32 characters); below
    // it the offers, which take whatever room the window has, and the running figures and
    // buttons in a column on the right.
    teamname = new QLabel("teamname");
    teamname->setObjectName("teamname");
    teamname->setTextFormat(Qt::PlainText);
    QFont bold = teamname->font();
    bold.setBold(true);
    teamname->setFont(bold);

    // The offers scroll in the list itself: one pair of scroll bars, and a sentence wider than
    // the list gets the horizontal one (its whole text is also its tool tip).
    ScrollBox1 = new QScrollArea;
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    offerlist = new QListWidget;
    offerlist->setObjectName("offerlist");
    offerlist->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollBox1->setWidget(offerlist);

    constexpr int kColumnWidth = 104;
    auto* figures = new QVBoxLayout;
    figures->setSpacing(2);
    figures->addWidget(new QLabel("Estimated Payroll"));
    payroll = new QLineEdit;
    payroll->setObjectName("payroll");
    payroll->setReadOnly(true);
    payroll->setToolTip(FigureTips::kOffersPayroll);
    figures->addWidget(payroll);
    figures->addSpacing(6);
    figures->addWidget(new QLabel("Bonus Paid"));
    bonus = new QLineEdit;
    bonus->setObjectName("bonus");
    bonus->setReadOnly(true);
    bonus->setToolTip(FigureTips::kOffersBonus);
    figures->addWidget(bonus);
    figures->addSpacing(6);
    figures->addWidget(new QLabel("Restructures"));
    restructs = new QLabel("0");
    restructs->setObjectName("restructs");
    figures->addWidget(restructs);
    figures->addStretch(1);
    savebutton = new QPushButton("Save");
    savebutton->setObjectName("savebutton");
    cxlbutton = new QPushButton("Cancel");
    cxlbutton->setObjectName("cxlbutton");
    figures->addWidget(savebutton);
    figures->addWidget(cxlbutton);
    for (QWidget* control : {static_cast<QWidget*>(payroll), static_cast<QWidget*>(bonus),
                             static_cast<QWidget*>(savebutton), static_cast<QWidget*>(cxlbutton)})
        control->setFixedWidth(kColumnWidth);

    auto* body = new QHBoxLayout;
    body->setSpacing(5);
    body->addWidget(ScrollBox1, 1);
    body->addLayout(figures);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(6, 4, 6, 8);
    root->setSpacing(4);
    root->addWidget(teamname);
    root->addLayout(body, 1);
    resize(590, 240);

    connect(offerlist, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { RunHandler([this, item]() { offerlistClickCheck(item); }); });
    connect(offerlist, &QListWidget::itemDoubleClicked, this,
            Handler(this, &TOfferListForm::offerlistDblClick));
    // Delete takes the current offer off the list; so does the context menu.
    offerlist->installEventFilter(this);
    offerlist->setContextMenuPolicy(Qt::CustomContextMenu);
    listMenu = new QMenu(this);
    listMenu->setObjectName("listMenu");
    QAction* removeAction = listMenu->addAction("&Remove Offer");
    removeAction->setShortcut(QKeySequence::Delete);
    listMenu->addSeparator();
    QAction* exportAction = listMenu->addAction("Export &CSV...");
    connect(removeAction, &QAction::triggered, this,
            [this]() { RunHandler([this]() { RemoveOffer(offerlist->currentRow()); }); });
    connect(exportAction, &QAction::triggered, this, Handler(this, &TOfferListForm::exportCsvClick));
    connect(offerlist, &QWidget::customContextMenuRequested, this, [this, removeAction](const QPoint& where) {
        // The menu acts on the offer under the mouse.
        if (QListWidgetItem* item = offerlist->itemAt(where))
            offerlist->setCurrentItem(item);
        removeAction->setEnabled(offerlist->itemAt(where) != nullptr);
        listMenu->popup(offerlist->viewport()->mapToGlobal(where));
    });
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

bool TOfferListForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == offerlist && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Delete)) {
        RunHandler([this]() { RemoveOffer(offerlist->currentRow()); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool TOfferListForm::RemoveOffer(int row) {
    if (!model || !model->RemoveOffer(row))
        return false;
    ShowItems();
    // The offer that took its place is the current one, so that Delete goes on down the list.
    offerlist->setCurrentRow(std::min(row, offerlist->count() - 1));
    emit offersEdited();
    return true;
}

int TOfferListForm::FindOfferFor(std::int16_t playerID) const {
    return model ? model->FindOfferFor(playerID) : -1;
}

bool TOfferListForm::ReplaceOffer(int row, const Offer& offer) {
    if (!model || !model->ReplaceOffer(row, offer))
        return false;
    ShowItems();
    offerlist->setCurrentRow(row);
    emit offersEdited();
    return true;
}

void TOfferListForm::exportCsvClick() {
    if (!contracts || !model)
        return;
    const League& league = contracts->GetLeague();
    const QString path =
        dialogs.SaveCsv(FromFilePath(league.GetLeagueFolder()),
                        FromGameText(league.GetTeamName(model->GetTeam())) + " Offers.csv", "Export Offers");
    if (!path.isEmpty())
        ExportCsv(path);
}

bool TOfferListForm::ExportCsv(const QString& path) {
    if (!contracts || !model)
        return false;
    const std::string csv = OfferListCsv(*model);
    return WriteExportFile(contracts->GetLeague(), path, csv.data(), csv.size(), prompt, "Export Offers");
}

void TOfferListForm::LoadOffers(const std::string& path) {
    if (!model)
        return;
    model->LoadOffers(path);
    ShowItems();
}

void TOfferListForm::LoadOwnOffers(const QString& path) {
    if (!model)
        return;
    const int before = model->Count();
    const std::vector<std::string> left = model->LoadOwnOffers(ToFilePath(path));
    ShowItems();
    if (left.empty())
        return;
    const int loaded = model->Count() - before;
    std::string text = QFileInfo(path).fileName().toStdString() + ": " + std::to_string(loaded) +
                       (loaded == 1 ? " offer" : " offers") + " loaded; left out:";
    for (const std::string& line : left)
        text += "\n" + line;
    prompt.ShowMessage(text, "Load Offers");
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
    // The dialog lets a user name any file; a file of the open league is never one to replace.
    if (NamesFileOfLeague(league, ToFilePath(path)))
        reason = kFileOfTheOpenLeague;
    if (!reason.empty() || !WriteOffers(ToFilePath(path), reason)) {
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

void TOfferListForm::SetClearQuestion(std::function<bool()> question) {
    clearQuestion = std::move(question);
}

void TOfferListForm::cxlbuttonClick() {
    if (!clearQuestion || clearQuestion())
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
        // The whole sentence, however narrow the list, then the rules it breaks.
        std::string tip = model->Items()[static_cast<std::size_t>(row)].text;
        for (const std::string& reason : reasons)
            tip += "\n" + reason;
        item->setToolTip(FromGameText(tip));
        item->setForeground(reasons.empty() ? offerlist->palette().text() : QBrush(QColor(200, 0, 0)));
    }
}
