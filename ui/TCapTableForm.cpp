#include "ui/TCapTableForm.h"

#include "contracts/CapTable.h"
#include "contracts/CapTableText.h"
#include "contracts/ContractList.h"
#include "contracts/Prompt.h"
#include "contracts/ReleasedRowText.h"
#include "contracts/TableCsv.h"
#include "league/League.h"
#include "ui/BrevaneApplication.h"
#include "ui/CapChart.h"
#include "ui/CapTablePdf.h"
#include "ui/ExportFile.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"
#include "ui/SpreadColumns.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TCapTableForm::TCapTableForm(Prompt& messages, FileDialogs& fileDialogs, QWidget* owner)
    : QWidget(owner, Qt::Window), prompt(messages), dialogs(fileDialogs) {
    setObjectName("CapTableForm");
    setWindowTitle("Cap Table");
    resize(900, 560);

    releasedLabel = new QLabel(this);
    releasedLabel->setObjectName("releasedLabel");
    clearReleasedButton = new QPushButton("Whole Table", this);
    clearReleasedButton->setObjectName("clearReleasedButton");
    connect(clearReleasedButton, &QPushButton::clicked, this, [this]() {
        RunHandler([this]() {
            ShowReleased(0);
            if (contracts)
                Refresh(*contracts, team, offers);
        });
    });

    capTable = new QTableWidget(this);
    capTable->setObjectName("capTable");
    capTable->setColumnCount(CapTable::kSeasons);
    capTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    capTable->setSelectionMode(QAbstractItemView::NoSelection);
    SpreadColumns::Watch(*capTable);
    capTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    capTable->setContextMenuPolicy(Qt::CustomContextMenu);

    tableMenu = new QMenu(this);
    tableMenu->setObjectName("tableMenu");
    connect(tableMenu->addAction("Export &CSV..."), &QAction::triggered, this,
            Handler(this, &TCapTableForm::exportCsvClick));
    connect(tableMenu->addAction("Export &PDF..."), &QAction::triggered, this,
            Handler(this, &TCapTableForm::exportPdfClick));
    connect(capTable, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& where) { tableMenu->popup(capTable->viewport()->mapToGlobal(where)); });

    capChart = new CapChart(this);
    capChart->setObjectName("capChart");

    auto* releasedRow = new QHBoxLayout;
    releasedRow->addWidget(releasedLabel, 1);
    releasedRow->addWidget(clearReleasedButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(releasedRow);
    layout->addWidget(capTable, 3);
    layout->addWidget(capChart, 1);
    releasedLabel->hide();
    clearReleasedButton->hide();
}

void TCapTableForm::ShowReleased(std::int16_t id) {
    released = id;
}

QString TCapTableForm::ClubName() const {
    return contracts ? FromGameText(contracts->GetLeague().GetTeamName(team)) : QString();
}

void TCapTableForm::Refresh(const ContractList& list, int club, const OfferList* offerList) {
    contracts = &list;
    team = club;
    offers = offerList;
    const CapTable table = BuildCapTable(list, team, offers);
    CapTableText text = DescribeCapTable(table, list, offers);
    const auto releasedRow = released ? BuildReleasedRow(list, team, released) : std::nullopt;
    if (!releasedRow)
        released = 0;
    if (releasedRow)
        AddReleasedLines(text, table, *releasedRow, list);
    setWindowTitle("Cap Table: " + ClubName());
    releasedLabel->setVisible(releasedRow.has_value());
    clearReleasedButton->setVisible(releasedRow.has_value());
    if (releasedRow) {
        const Player player = list.GetLeague().players.GetPlayer(released);
        releasedLabel->setText("Released view: what would leave the cap and what would stay charged were " +
                               FromGameText(player.GetFirstName() + " " + player.GetLastName()) +
                               " released today.");
    }

    capTable->clearContents();
    capTable->setRowCount(static_cast<int>(text.lines.size()));
    QStringList headings;
    for (const std::string& heading : text.headings)
        headings << QString::fromStdString(heading);
    capTable->setHorizontalHeaderLabels(headings);
    QStringList labels;
    for (int r = 0; r < static_cast<int>(text.lines.size()); ++r) {
        const CapTableText::Line& line = text.lines[static_cast<std::size_t>(r)];
        labels << FromGameText(line.label);
        const bool summary = line.kind != CapTableText::Kind::Player &&
                             line.kind != CapTableText::Kind::Offer &&
                             line.kind != CapTableText::Kind::Released;
        for (int c = 0; c < CapTable::kSeasons; ++c) {
            const auto s = static_cast<std::size_t>(c);
            auto* item = new QTableWidgetItem(QString::fromStdString(line.cells[s]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!line.notes[s].empty())
                item->setToolTip(FromGameText(line.notes[s]));
            if (line.over[s])
                item->setForeground(QColor(200, 0, 0));
            if (summary) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            if (line.kind == CapTableText::Kind::Offer)
                item->setBackground(QColor(255, 248, 220));
            if (line.kind == CapTableText::Kind::Released)
                item->setBackground(QColor(225, 238, 255));
            capTable->setItem(r, c, item);
        }
    }
    capTable->setVerticalHeaderLabels(labels);
    SpreadColumns::Spread(*capTable);
    capChart->SetTable(table);
}

void TCapTableForm::exportCsvClick() {
    if (!contracts)
        return;
    const QString path = dialogs.SaveCsv(FromFilePath(contracts->GetLeague().GetLeagueFolder()),
                                         "Cap Table " + ClubName() + ".csv", "Export Cap Table");
    if (!path.isEmpty())
        ExportCsv(path);
}

void TCapTableForm::exportPdfClick() {
    if (!contracts)
        return;
    const QString path = dialogs.SavePdf(FromFilePath(contracts->GetLeague().GetLeagueFolder()),
                                         "Cap Table " + ClubName() + ".pdf", "Export Cap Table");
    if (!path.isEmpty())
        ExportPdf(path);
}

bool TCapTableForm::ExportCsv(const QString& path) {
    if (!contracts)
        return false;
    const CapTable table = BuildCapTable(*contracts, team, offers);
    const std::string csv = CapTableCsv(table, DescribeCapTable(table, *contracts, offers), offers);
    return WriteExport(path, QByteArray(csv.data(), static_cast<qsizetype>(csv.size())), "Export Cap Table");
}

bool TCapTableForm::ExportPdf(const QString& path) {
    if (!contracts)
        return false;
    const CapTable table = BuildCapTable(*contracts, team, offers);
    CapTableText text = DescribeCapTable(table, *contracts, offers);
    if (const auto row = released ? BuildReleasedRow(*contracts, team, released) : std::nullopt)
        AddReleasedLines(text, table, *row, *contracts);
    return WriteExport(path, CapTablePdf(ClubName(), table, text), "Export Cap Table");
}

bool TCapTableForm::WriteExport(const QString& path, const QByteArray& bytes, const char* caption) {
    return WriteExportFile(contracts->GetLeague(), path, bytes.constData(),
                           static_cast<std::size_t>(bytes.size()), prompt, caption);
}
