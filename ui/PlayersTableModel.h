#pragma once

#include "contracts/RosterRows.h"

#include <QAbstractTableModel>

#include <vector>

class League;

// The rows of the Players window as a table model: one player per row, the columns of
// PlayersTable, sorted by the model itself (money as numbers). The rows live in the window's
// cache; the model only points at them and keeps their order.
class PlayersTableModel : public QAbstractTableModel {
  public:
    explicit PlayersTableModel(QObject* parent);

    // Shows these rows in this order, sorted again by the column last asked for. league may be
    // null (no rows then).
    void SetRows(const League* league, std::vector<const RosterRow*> rows);
    const RosterRow* Row(int row) const;
    const std::vector<const RosterRow*>& Rows() const { return rows; }
    // The shown row of a player, -1 when he is not shown.
    int RowOf(std::int16_t id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // A column below 0 puts the listing's own order back.
    void sort(int column, Qt::SortOrder order) override;

  private:
    void SortRows();

    const League* league = nullptr;
    std::vector<const RosterRow*> listed; // in the listing's order
    std::vector<const RosterRow*> rows;   // as shown
    int sortColumn = -1;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
};
