#include "ui/TPlayersForm.h"

#include "contracts/ContractList.h"
#include "contracts/OfferBoardText.h"
#include "contracts/PlayerSearch.h"
#include "contracts/PlayersTable.h"
#include "contracts/Prompt.h"
#include "contracts/Release.h"
#include "contracts/TableCsv.h"
#include "league/League.h"
#include "ui/BrevaneApplication.h"
#include "ui/ExportFile.h"
#include "ui/FileDialogs.h"
#include "ui/PlainCellDelegate.h"
#include "ui/PlayersTableModel.h"
#include "ui/QtText.h"
#include "ui/SpreadColumns.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A text as wide as the widest a column shows, so that columns get their widths without
// measuring every cell.
const char* const kWidest[PlayersTable::kColumns] = {
    "QB",         "",  "WWW",         "88",          "Offer Sheet", "WWW",  "8888",
    "8",          "8", "$88,888,888", "$88,888,888", "$88,888,888", "888%", "$88,888,888",
    "$88,888,888"};

} // namespace

TPlayersForm::TPlayersForm(const ContractList& contractList, Prompt& messages, FileDialogs& fileDialogs,
                           QWidget* owner)
    : QWidget(owner, Qt::Window), contracts(contractList), prompt(messages), dialogs(fileDialogs) {
    setObjectName("PlayersForm");
    setWindowTitle("Players");
    resize(1060, 620);
    BuildControls();
}

TPlayersForm::~TPlayersForm() = default;

void TPlayersForm::BuildControls() {
    const League& league = contracts.GetLeague();
    listingBox = new QComboBox(this);
    listingBox->setObjectName("listingBox");
    for (int team = 0; team < league.GetNumTeams(); ++team)
        listingBox->addItem(FromGameText(league.GetTeamName(team)), team);
    listingBox->addItem("Free Agents", kFreeAgentsEntry);
    listingBox->addItem("College Draft", kDraftEntry);
    groupFilter = new QComboBox(this);
    groupFilter->setObjectName("groupFilter");
    groupFilter->addItem("All positions");
    for (const std::string& name : PositionGroupNames())
        groupFilter->addItem(QString::fromStdString(name));
    searchBox = new QLineEdit(this);
    searchBox->setObjectName("searchBox");
    searchBox->setPlaceholderText("Find players of the whole league by name");
    searchBox->setClearButtonEnabled(true);
    exportButton = new QPushButton("Export CSV...", this);
    exportButton->setObjectName("exportButton");

    model = new PlayersTableModel(this);
    playerTable = new QTableView(this);
    playerTable->setObjectName("playerTable");
    playerTable->setModel(model);
    // The table is painted again at every key of a search.
    playerTable->setItemDelegate(new PlainCellDelegate(playerTable));
    playerTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    playerTable->setSelectionMode(QAbstractItemView::SingleSelection);
    playerTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    playerTable->setAlternatingRowColors(true);
    playerTable->setWordWrap(false);
    playerTable->verticalHeader()->hide();
    playerTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    playerTable->verticalHeader()->setDefaultSectionSize(playerTable->fontMetrics().height() + 6);
    // The listing's own order until a heading is clicked.
    playerTable->horizontalHeader()->setSortIndicatorClearable(true);
    playerTable->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    playerTable->setSortingEnabled(true);
    playerTable->setContextMenuPolicy(Qt::CustomContextMenu);

    countLabel = new QLabel(this);
    countLabel->setObjectName("countLabel");
    releaseLabel = new QLabel(this);
    releaseLabel->setObjectName("releaseLabel");
    releaseLabel->setWordWrap(true);
    releaseLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    releasedViewButton = new QPushButton("Released View in Cap Table", this);
    releasedViewButton->setObjectName("releasedViewButton");
    releasedViewButton->setToolTip("The cap table's row of the player as it is, what would leave the cap "
                                   "and what would stay in each season were he released");

    tableMenu = new QMenu(this);
    tableMenu->setObjectName("tableMenu");
    QAction* showAction = tableMenu->addAction("Show in Contract &Editor");
    QAction* releasedAction = tableMenu->addAction("&Released View in Cap Table");
    tableMenu->addSeparator();
    QAction* exportAction = tableMenu->addAction("E&xport CSV...");
    connect(showAction, &QAction::triggered, this, [this]() {
        if (const std::int16_t id = CurrentPlayer())
            emit playerPicked(id);
    });
    connect(releasedAction, &QAction::triggered, this, Handler(this, &TPlayersForm::releasedViewButtonClick));
    connect(exportAction, &QAction::triggered, this, Handler(this, &TPlayersForm::exportButtonClick));
    connect(playerTable, &QWidget::customContextMenuRequested, this,
            [this, releasedAction](const QPoint& where) {
                releasedAction->setEnabled(releasedViewButton->isEnabled());
                tableMenu->popup(playerTable->viewport()->mapToGlobal(where));
            });

    connect(listingBox, &QComboBox::currentIndexChanged, this, Handler(this, &TPlayersForm::ListingChange));
    connect(groupFilter, &QComboBox::currentIndexChanged, this, Handler(this, &TPlayersForm::ShowRows));
    connect(searchBox, &QLineEdit::textChanged, this, Handler(this, &TPlayersForm::SearchChange));
    connect(exportButton, &QPushButton::clicked, this, Handler(this, &TPlayersForm::exportButtonClick));
    connect(releasedViewButton, &QPushButton::clicked, this,
            Handler(this, &TPlayersForm::releasedViewButtonClick));
    connect(playerTable, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const RosterRow* row = model->Row(index.row()))
            emit playerPicked(row->id);
    });
    connect(playerTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            Handler(this, &TPlayersForm::ShowRelease));
    connect(model, &QAbstractItemModel::modelReset, this, Handler(this, &TPlayersForm::ShowRelease));

    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel("Show:", this));
    choices->addWidget(listingBox);
    choices->addWidget(new QLabel("Position:", this));
    choices->addWidget(groupFilter);
    choices->addWidget(new QLabel("Find:", this));
    choices->addWidget(searchBox, 1);
    choices->addWidget(exportButton);
    auto* releaseRow = new QHBoxLayout;
    releaseRow->addWidget(releaseLabel, 1);
    releaseRow->addWidget(releasedViewButton, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(playerTable, 1);
    layout->addWidget(countLabel);
    layout->addLayout(releaseRow);
    SizeColumns();
}

void TPlayersForm::SizeColumns() {
    const QFontMetrics metrics(playerTable->font());
    const QFontMetrics heading(playerTable->horizontalHeader()->font());
    std::vector<int> widths;
    for (int c = 0; c < PlayersTable::kColumns; ++c) {
        const QString title =
            QString::fromStdString(PlayersTable::ColumnNames()[static_cast<std::size_t>(c)]);
        // The heading's sort arrow needs room too.
        widths.push_back(
            std::max(metrics.horizontalAdvance(kWidest[c]), heading.horizontalAdvance(title) + 14) + 12);
    }
    widths[PlayersTable::Name] = metrics.horizontalAdvance("Maximilian Abernathy") + 12;
    // A wider window widens every column rather than the last one alone.
    SpreadColumns::Watch(*playerTable, std::move(widths));
}

void TPlayersForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Reading every name of the league takes longer than a key may: do it while the window
    // waits for its first key rather than at that key.
    if (!search)
        QTimer::singleShot(0, this, [this]() {
            if (!search)
                search = std::make_unique<PlayerSearch>(contracts.GetLeague());
        });
}

void TPlayersForm::Refresh(int club) {
    // The table's rows point into the cache: note the selected player and empty the table
    // before the cache goes.
    const std::int16_t current = CurrentPlayer();
    model->SetRows(&contracts.GetLeague(), {});
    release = std::make_unique<ReleaseCalculator>(contracts);
    cache.clear();
    cacheIndex.assign(static_cast<std::size_t>(std::max<int>(contracts.GetLeague().GetNextPlayerID(), 0)),
                      -1);
    if (club != managedClub) {
        managedClub = club;
        const QSignalBlocker quiet(listingBox);
        listingBox->setCurrentIndex(listingBox->findData(club));
    }
    ShowRows(current);
}

void TPlayersForm::ListingChange() {
    // Choosing a listing leaves the search.
    if (!searchBox->text().isEmpty()) {
        const QSignalBlocker quiet(searchBox);
        searchBox->clear();
    }
    ShowRows();
}

void TPlayersForm::SearchChange() {
    ShowRows();
}

std::vector<const RosterRow*> TPlayersForm::RowsOf(const std::vector<std::int16_t>& ids) {
    std::vector<std::int16_t> missing;
    for (const std::int16_t id : ids)
        if (static_cast<std::size_t>(id) < cacheIndex.size() && cacheIndex[static_cast<std::size_t>(id)] < 0)
            missing.push_back(id);
    if (!missing.empty()) {
        for (RosterRow& row : BuildRosterRows(contracts, *release, missing)) {
            cacheIndex[static_cast<std::size_t>(row.id)] = static_cast<int>(cache.size());
            cache.push_back(std::move(row));
        }
    }
    std::vector<const RosterRow*> rows;
    rows.reserve(ids.size());
    for (const std::int16_t id : ids)
        if (static_cast<std::size_t>(id) < cacheIndex.size() && cacheIndex[static_cast<std::size_t>(id)] >= 0)
            rows.push_back(&cache[static_cast<std::size_t>(cacheIndex[static_cast<std::size_t>(id)])]);
    return rows;
}

void TPlayersForm::ShowRows() {
    ShowRows(CurrentPlayer());
}

void TPlayersForm::ShowRows(std::int16_t current) {
    if (!release)
        return;
    League& league = const_cast<League&>(contracts.GetLeague());
    const QString typed = searchBox->text().trimmed();
    std::vector<std::int16_t> ids;
    QString what;
    if (!typed.isEmpty()) {
        if (!search)
            search = std::make_unique<PlayerSearch>(league);
        const QByteArray text = typed.toLatin1();
        ids = search->Find(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
        what = "players of the league whose names hold \"" + typed + "\"";
    } else {
        const int entry = listingBox->currentData().toInt();
        const RosterListing listing = entry == kFreeAgentsEntry ? RosterListing::FreeAgents
                                      : entry == kDraftEntry    ? RosterListing::Draft
                                                                : RosterListing::Team;
        ids = ListedPlayers(league, listing, entry);
        what = listingBox->currentText();
    }
    std::vector<const RosterRow*> rows = RowsOf(ids);
    const int group = groupFilter->currentIndex() - 1;
    if (group >= 0)
        std::erase_if(rows, [group](const RosterRow* row) { return row->group != group; });
    model->SetRows(&league, std::move(rows));
    countLabel->setText(
        QString("%1 %2: %3").arg(model->rowCount()).arg(model->rowCount() == 1 ? "player" : "players", what));
    if (current)
        SelectPlayer(current);
}

std::int16_t TPlayersForm::CurrentPlayer() const {
    const RosterRow* row = model->Row(playerTable->currentIndex().row());
    return row ? row->id : 0;
}

void TPlayersForm::SelectPlayer(std::int16_t id) {
    const int row = model->RowOf(id);
    if (row >= 0)
        playerTable->setCurrentIndex(model->index(row, 0));
}

void TPlayersForm::ShowRelease() {
    const RosterRow* row = model->Row(playerTable->currentIndex().row());
    releasedViewButton->setEnabled(row && row->releasable && row->team == managedClub);
    if (!row) {
        releaseLabel->setText("Select a player to see what releasing him would save and leave charged.");
        return;
    }
    const auto effect = row->releasable ? release->Release(row->id) : std::nullopt;
    if (!effect) {
        releaseLabel->setText(FromGameText(row->first + " " + row->last) +
                              " is on no club's roster: there is nothing to release.");
        return;
    }
    releaseLabel->setText(FromGameText(PlayersTable::ReleaseSentence(*row, *effect, contracts.GetLeague())));
}

void TPlayersForm::releasedViewButtonClick() {
    if (releasedViewButton->isEnabled())
        emit releasedViewAsked(CurrentPlayer());
}

void TPlayersForm::exportButtonClick() {
    const QString folder = FromFilePath(contracts.GetLeague().GetLeagueFolder());
    const QString path = dialogs.SaveCsv(folder, "Players.csv", "Export Players");
    if (!path.isEmpty())
        ExportCsv(path);
}

bool TPlayersForm::ExportCsv(const QString& path) {
    std::vector<RosterRow> rows;
    rows.reserve(model->Rows().size());
    for (const RosterRow* row : model->Rows())
        rows.push_back(*row);
    const std::string csv = RosterCsv(rows);
    return WriteExportFile(contracts.GetLeague(), path, csv.data(), csv.size(), prompt, "Export Players");
}
