#pragma once

#include "contracts/OfferBoard.h"
#include "contracts/OfferBoardText.h"

#include <QFileSystemWatcher>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdint>

class ContractList;
class FileDialogs;
class Prompt;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

// "Offer Board": the league office's view of every club's offer files. One line per player
// with offers and, under it, his offers ranked by the chance he accepts them today; below,
// one line per file with its club's figures and the league rules its offers break. The files
// come from a folder (every .off file in it) or are chosen one by one; the board reads them
// again whenever one of them, or the folder, changes on disk. A double-click on a player asks
// for him in the contract editor (playerPicked). It belongs to one open league and goes
// with it.
class TOfferBoardForm : public QWidget {
    Q_OBJECT

  public:
    TOfferBoardForm(const ContractList& contracts, Prompt& prompt, FileDialogs& dialogs, QWidget* owner);

    QLabel* sourceLabel;
    QPushButton* chooseFolderButton;
    QPushButton* chooseFilesButton;
    QPushButton* exportButton;
    QCheckBox* contestedOnly;
    QComboBox* groupFilter;
    QComboBox* clubFilter;
    QTreeWidget* playerTree;
    QTableWidget* fileTable;
    QLabel* boardStatus;

    // Reads every offer file of the folder, and again whenever the folder or one of them changes.
    void LoadFolder(const QString& folder);
    // Reads these files, and again whenever one of them changes.
    void LoadFiles(const QStringList& files);
    // Reads the chosen files again now.
    void Reload();
    // Writes the shown players' offers as CSV; false (with the reason shown) when it cannot.
    bool ExportCsv(const QString& path);

    const OfferBoard& Model() const { return board; }
    OfferBoardFilter Filter() const;
    // The player ID of a line of playerTree (a player's line or one of his offers' lines).
    static std::int16_t PlayerOf(const QTreeWidgetItem* item);

    // Event handlers.
    void chooseFolderButtonClick();
    void chooseFilesButtonClick();
    void exportButtonClick();
    void FilterChange();

  signals:
    void playerPicked(std::int16_t id);

  private:
    void BuildControls();
    QStringList SourceFiles() const;
    void Watch(const QStringList& files);
    void ShowPlayers();
    void ShowFiles();

    const ContractList& contracts;
    Prompt& prompt;
    FileDialogs& dialogs;
    OfferBoard board;
    QString folder;    // the folder read whole, or empty
    QStringList files; // the files chosen one by one, when no folder is
    QFileSystemWatcher watcher;
    // Changes come in bursts (a file written in parts, replaced through a temporary file):
    // the board is read again once they have settled.
    QTimer reloadTimer;
};
