#include "ui/TCapTableForm.h"

#include "contracts/CapTable.h"
#include "contracts/CapTableText.h"
#include "contracts/ContractList.h"
#include "league/League.h"
#include "ui/CapChart.h"
#include "ui/QtText.h"
#include "ui/SpreadColumns.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

TCapTableForm::TCapTableForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("CapTableForm");
    setWindowTitle("Cap Table");
    resize(900, 560);

    capTable = new QTableWidget(this);
    capTable->setObjectName("capTable");
    capTable->setColumnCount(CapTable::kSeasons);
    capTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    capTable->setSelectionMode(QAbstractItemView::NoSelection);
    SpreadColumns::Watch(*capTable);
    capTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    capChart = new CapChart(this);
    capChart->setObjectName("capChart");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(capTable, 3);
    layout->addWidget(capChart, 1);
}

void TCapTableForm::Refresh(const ContractList& contracts, int team, const OfferList* offers) {
    const CapTable table = BuildCapTable(contracts, team, offers);
    const CapTableText text = DescribeCapTable(table, contracts, offers);
    setWindowTitle("Cap Table: " + FromGameText(contracts.GetLeague().GetTeamName(team)));

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
        const bool summary =
            line.kind != CapTableText::Kind::Player && line.kind != CapTableText::Kind::Offer;
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
            capTable->setItem(r, c, item);
        }
    }
    capTable->setVerticalHeaderLabels(labels);
    SpreadColumns::Spread(*capTable);
    capChart->SetTable(table);
}
