#include "ui/TOfferBoardForm.h"

#include "contracts/ContractList.h"
#include "contracts/Prompt.h"
#include "league/League.h"
#include "ui/BrevaneApplication.h"
#include "ui/ExportFile.h"
#include "ui/FileDialogs.h"
#include "ui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kIdRole = Qt::UserRole;
// How long changes on disk must settle before the board reads the files again.
constexpr int kSettleMs = 200;

const QColor kContested(255, 236, 204);
const QColor kTroubled(190, 0, 0);

QStringList Texts(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts)
        list << FromGameText(text);
    return list;
}

} // namespace

TOfferBoardForm::TOfferBoardForm(const ContractList& contractList, Prompt& messages, FileDialogs& fileDialogs,
                                 QWidget* owner)
    : QWidget(owner, Qt::Window), contracts(contractList), prompt(messages), dialogs(fileDialogs),
      board(contractList) {
    setObjectName("OfferBoardForm");
    setWindowTitle("Offer Board");
    resize(1100, 680);
    BuildControls();

    reloadTimer.setSingleShot(true);
    reloadTimer.setInterval(kSettleMs);
    connect(&reloadTimer, &QTimer::timeout, this, Handler(this, &TOfferBoardForm::Reload));
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, [this]() { reloadTimer.start(); });
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, [this]() { reloadTimer.start(); });
    Reload();
}

void TOfferBoardForm::BuildControls() {
    sourceLabel = new QLabel(this);
    sourceLabel->setObjectName("sourceLabel");
    sourceLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chooseFolderButton = new QPushButton("Choose Folder...", this);
    chooseFolderButton->setObjectName("chooseFolderButton");
    chooseFilesButton = new QPushButton("Choose Files...", this);
    chooseFilesButton->setObjectName("chooseFilesButton");
    exportButton = new QPushButton("Export CSV...", this);
    exportButton->setObjectName("exportButton");
    connect(chooseFolderButton, &QPushButton::clicked, this,
            Handler(this, &TOfferBoardForm::chooseFolderButtonClick));
    connect(chooseFilesButton, &QPushButton::clicked, this,
            Handler(this, &TOfferBoardForm::chooseFilesButtonClick));
    connect(exportButton, &QPushButton::clicked, this, Handler(this, &TOfferBoardForm::exportButtonClick));

    contestedOnly = new QCheckBox("Contested players only", this);
    contestedOnly->setObjectName("contestedOnly");
    groupFilter = new QComboBox(this);
    groupFilter->setObjectName("groupFilter");
    groupFilter->addItem("All positions");
    for (const std::string& name : PositionGroupNames())
        groupFilter->addItem(QString::fromStdString(name));
    clubFilter = new QComboBox(this);
    clubFilter->setObjectName("clubFilter");
    clubFilter->addItem("All clubs");
    const League& league = contracts.GetLeague();
    for (int team = 0; team < league.GetNumTeams(); ++team)
        clubFilter->addItem(FromGameText(league.GetTeamName(team)));
    connect(contestedOnly, &QCheckBox::toggled, this, Handler(this, &TOfferBoardForm::FilterChange));
    connect(groupFilter, &QComboBox::currentIndexChanged, this,
            Handler(this, &TOfferBoardForm::FilterChange));
    connect(clubFilter, &QComboBox::currentIndexChanged, this, Handler(this, &TOfferBoardForm::FilterChange));

    playerTree = new QTreeWidget(this);
    playerTree->setObjectName("playerTree");
    playerTree->setColumnCount(static_cast<int>(OfferBoardColumns().size()));
    playerTree->setHeaderLabels(Texts(OfferBoardColumns()));
    playerTree->setUniformRowHeights(true);
    playerTree->setAlternatingRowColors(true);
    playerTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(playerTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (const std::int16_t id = PlayerOf(item))
            emit playerPicked(id);
    });

    fileTable = new QTableWidget(this);
    fileTable->setObjectName("fileTable");
    fileTable->setColumnCount(static_cast<int>(OfferBoardFileColumns().size()));
    fileTable->setHorizontalHeaderLabels(Texts(OfferBoardFileColumns()));
    fileTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fileTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    fileTable->verticalHeader()->hide();
    fileTable->verticalHeader()->setDefaultSectionSize(fileTable->fontMetrics().height() + 6);
    fileTable->horizontalHeader()->setStretchLastSection(true);

    boardStatus = new QLabel(this);
    boardStatus->setObjectName("boardStatus");
    boardStatus->setWordWrap(true);

    auto* sources = new QHBoxLayout;
    sources->addWidget(sourceLabel, 1);
    sources->addWidget(chooseFolderButton);
    sources->addWidget(chooseFilesButton);
    sources->addWidget(exportButton);
    auto* filters = new QHBoxLayout;
    filters->addWidget(contestedOnly);
    filters->addWidget(new QLabel("Position:", this));
    filters->addWidget(groupFilter);
    filters->addWidget(new QLabel("Club:", this));
    filters->addWidget(clubFilter);
    filters->addStretch(1);
    auto* tables = new QSplitter(Qt::Vertical, this);
    tables->addWidget(playerTree);
    tables->addWidget(fileTable);
    tables->setStretchFactor(0, 3);
    tables->setStretchFactor(1, 1);
    tables->setSizes({420, 180});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sources);
    layout->addLayout(filters);
    layout->addWidget(tables, 1);
    layout->addWidget(boardStatus);
}

void TOfferBoardForm::LoadFolder(const QString& chosen) {
    folder = QFileInfo(chosen).absoluteFilePath();
    files.clear();
    Reload();
}

void TOfferBoardForm::LoadFiles(const QStringList& chosen) {
    folder.clear();
    files.clear();
    for (const QString& file : chosen)
        files << QFileInfo(file).absoluteFilePath();
    Reload();
}

QStringList TOfferBoardForm::SourceFiles() const {
    if (folder.isEmpty())
        return files;
    // Only the folder's own regular files: a link may lead out of it.
    QStringList found;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        {"*.off"}, QDir::Files | QDir::NoSymLinks | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries)
        found << entry.absoluteFilePath();
    return found;
}

void TOfferBoardForm::Reload() {
    reloadTimer.stop();
    const QStringList paths = SourceFiles();
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(paths.size()));
    for (const QString& path : paths)
        names.push_back(ToFilePath(path));
    board.Load(names);
    Watch(paths);

    if (!folder.isEmpty())
        sourceLabel->setText("Offer files of " + QDir::toNativeSeparators(folder));
    else if (!files.isEmpty())
        sourceLabel->setText(QString("%1 offer files chosen").arg(files.size()));
    else
        sourceLabel->setText("Choose a folder of offer files, or the files themselves.");
    ShowPlayers();
    ShowFiles();
}

void TOfferBoardForm::Watch(const QStringList& paths) {
    if (!watcher.files().isEmpty())
        watcher.removePaths(watcher.files());
    if (!watcher.directories().isEmpty())
        watcher.removePaths(watcher.directories());
    // The folders too: a file replaced through a temporary file is a new file, which the
    // watch of the old one does not see.
    QStringList watched = paths;
    if (!folder.isEmpty())
        watched << folder;
    for (const QString& file : files)
        if (!watched.contains(QFileInfo(file).absolutePath()))
            watched << QFileInfo(file).absolutePath();
    QStringList existing;
    for (const QString& path : watched)
        if (QFileInfo::exists(path))
            existing << path;
    if (!existing.isEmpty())
        watcher.addPaths(existing);
}

OfferBoardFilter TOfferBoardForm::Filter() const {
    OfferBoardFilter filter;
    filter.contestedOnly = contestedOnly->isChecked();
    filter.group = groupFilter->currentIndex() - 1;
    filter.club = clubFilter->currentIndex() - 1;
    return filter;
}

void TOfferBoardForm::FilterChange() {
    ShowPlayers();
}

std::int16_t TOfferBoardForm::PlayerOf(const QTreeWidgetItem* item) {
    return item ? static_cast<std::int16_t>(item->data(0, kIdRole).toInt()) : 0;
}

void TOfferBoardForm::ShowPlayers() {
    const League& league = contracts.GetLeague();
    const OfferBoardFilter filter = Filter();
    playerTree->setUpdatesEnabled(false);
    playerTree->clear();
    QList<QTreeWidgetItem*> lines;
    // The longest text of each column, measured once at the end: asking the view to fit every
    // column to its contents measures every cell and costs more than the rest of the load.
    QStringList longest = Texts(OfferBoardColumns());
    auto keepLongest = [&longest](const QStringList& texts) {
        for (int c = 0; c < texts.size() && c < longest.size(); ++c)
            if (texts[c].size() > longest[c].size())
                longest[c] = texts[c];
        return texts;
    };
    for (const OfferBoard::PlayerRow& row : board.Players()) {
        if (!PassesFilter(row, filter))
            continue;
        const BoardPlayerLines text = DescribePlayer(board, row, league);
        auto* player = new QTreeWidgetItem(keepLongest(Texts(text.player)));
        player->setData(0, kIdRole, row.id);
        QFont bold = player->font(0);
        bold.setBold(true);
        player->setFont(0, bold);
        if (row.Contested())
            for (int c = 0; c < player->columnCount(); ++c)
                player->setBackground(c, kContested);
        for (std::size_t k = 0; k < text.offers.size(); ++k) {
            auto* offer = new QTreeWidgetItem(player, keepLongest(Texts(text.offers[k])));
            offer->setData(0, kIdRole, row.id);
            for (int c = 6; c <= 10; ++c)
                offer->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
            if (text.chanceChanged[k])
                offer->setToolTip(10, "The chance was " + offer->text(9) + " when the offer was made; " +
                                          offer->text(10) + " today");
        }
        player->setTextAlignment(10, Qt::AlignRight | Qt::AlignVCenter);
        lines << player;
    }
    playerTree->addTopLevelItems(lines);
    playerTree->expandAll();
    QFont bold = playerTree->font();
    bold.setBold(true);
    const QFontMetrics plain(playerTree->font()), strong(bold);
    for (int c = 0; c < longest.size(); ++c) {
        const int text = (c == 0 ? strong : plain).horizontalAdvance(longest[c]);
        playerTree->header()->resizeSection(c, text + 8 + (c == 0 ? 2 * playerTree->indentation() : 0));
    }
    playerTree->setUpdatesEnabled(true);
    boardStatus->setText(FromGameText(OfferBoardSummary(board, static_cast<int>(lines.size()))));
}

void TOfferBoardForm::ShowFiles() {
    const League& league = contracts.GetLeague();
    fileTable->setUpdatesEnabled(false);
    fileTable->clearContents();
    fileTable->setRowCount(static_cast<int>(board.Files().size()));
    for (int r = 0; r < fileTable->rowCount(); ++r) {
        const BoardFileLine line = DescribeFile(board.Files()[static_cast<std::size_t>(r)], league);
        QStringList details = Texts(line.details);
        for (int c = 0; c < static_cast<int>(line.cells.size()); ++c) {
            auto* cell = new QTableWidgetItem(FromGameText(line.cells[static_cast<std::size_t>(c)]));
            if (c >= 2 && c <= 7)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (line.troubled && (c == 7 || c == 8))
                cell->setForeground(kTroubled);
            if (!details.isEmpty())
                cell->setToolTip(details.join('\n'));
            fileTable->setItem(r, c, cell);
        }
    }
    fileTable->resizeColumnsToContents();
    fileTable->setUpdatesEnabled(true);
}

void TOfferBoardForm::chooseFolderButtonClick() {
    const QString chosen = dialogs.OfferFolder(folder.isEmpty() ? QDir::currentPath() : folder);
    if (!chosen.isEmpty())
        LoadFolder(chosen);
}

void TOfferBoardForm::chooseFilesButtonClick() {
    const QStringList chosen = dialogs.OfferFiles(folder.isEmpty() ? QDir::currentPath() : folder);
    if (!chosen.isEmpty())
        LoadFiles(chosen);
}

void TOfferBoardForm::exportButtonClick() {
    const QString path =
        dialogs.SaveBoardCsv(folder.isEmpty() ? QDir::currentPath() : folder, "Offer Board.csv");
    if (!path.isEmpty())
        ExportCsv(path);
}

bool TOfferBoardForm::ExportCsv(const QString& path) {
    const std::string csv = OfferBoardCsv(board, Filter(), contracts.GetLeague());
    return WriteExportFile(contracts.GetLeague(), path, csv.data(), csv.size(), prompt, "Export Offer Board");
}
