#pragma once

#include "contracts/RosterRows.h"

#include <QWidget>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

class ContractList;
class FileDialogs;
class PlayerSearch;
class PlayersTableModel;
class Prompt;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class ReleaseCalculator;

// "Players": one table of a club's roster, the free agents or the college draft, or of the
// players of the whole league whose names hold what is typed in the search box, with each
// player's contract and what it charges this season, his chance of taking a one-year offer
// of his CGS, and what releasing him would save and leave charged. Sortable by any column,
// filtered by position group. A double-click asks for the player in the contract editor
// (playerPicked); the released view of a player of the managed club is asked of the cap
// table (releasedViewAsked). It belongs to one open league and goes with it; the main window
// calls Bind again whenever the managed club or the options change.
class TPlayersForm : public QWidget {
    Q_OBJECT

  public:
    TPlayersForm(const ContractList& contracts, Prompt& prompt, FileDialogs& dialogs, QWidget* owner);
    ~TPlayersForm() override;

    QComboBox* listingBox; // the clubs, then "Free Agents" and "College Draft"
    QComboBox* groupFilter;
    QLineEdit* searchBox;
    QTableView* playerTable;
    QLabel* countLabel;
    QLabel* releaseLabel;
    QPushButton* releasedViewButton;
    QPushButton* exportButton;
    QMenu* tableMenu;

    // Counts everything again (after the options or the contracts changed) and shows the
    // managed club's roster when that club is another than before.
    void Refresh(int managedClub);
    // Writes the shown rows, in their shown order, as CSV; false (with the reason shown)
    // when it cannot.
    bool ExportCsv(const QString& path);

    const PlayersTableModel& Model() const { return *model; }
    // The player of the current row, 0 for none.
    std::int16_t CurrentPlayer() const;
    // Makes a player's row the current one, when he is shown.
    void SelectPlayer(std::int16_t id);
    static constexpr int kFreeAgentsEntry = -1; // listingBox's data of its two last entries
    static constexpr int kDraftEntry = -2;

    // Event handlers.
    void ListingChange();
    void SearchChange();
    void exportButtonClick();
    void releasedViewButtonClick();

  signals:
    void playerPicked(std::int16_t id);
    void releasedViewAsked(std::int16_t id);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildControls();
    // The rows of these players, from the cache (built for those not yet in it).
    std::vector<const RosterRow*> RowsOf(const std::vector<std::int16_t>& ids);
    // Shows the rows of the chosen listing or search, keeping the current player (or the
    // one given) selected when he is among them.
    void ShowRows();
    void ShowRows(std::int16_t current);
    void ShowRelease();
    void SizeColumns();

    const ContractList& contracts;
    Prompt& prompt;
    FileDialogs& dialogs;
    PlayersTableModel* model;
    std::unique_ptr<ReleaseCalculator> release;
    std::unique_ptr<PlayerSearch> search; // made once the window shows, or at the first search
    // Every row built since the last Refresh; a deque, so that the model's pointers stay.
    std::deque<RosterRow> cache;
    std::vector<int> cacheIndex; // per player ID, its row in cache or -1
    int managedClub = -1;
};
