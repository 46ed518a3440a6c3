#include "ui/PlayersTableModel.h"

#include "contracts/PlayersTable.h"
#include "ui/QtText.h"

#include <QColor>

#include <algorithm>

PlayersTableModel::PlayersTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void PlayersTableModel::SetRows(const League* shownLeague, std::vector<const RosterRow*> shown) {
    beginResetModel();
    league = shownLeague;
    listed = league ? std::move(shown) : std::vector<const RosterRow*>();
    SortRows();
    endResetModel();
}

const RosterRow* PlayersTableModel::Row(int row) const {
    return row >= 0 && row < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row)] : nullptr;
}

int PlayersTableModel::RowOf(std::int16_t id) const {
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (rows[r]->id == id)
            return static_cast<int>(r);
    return -1;
}

int PlayersTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int PlayersTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : PlayersTable::kColumns;
}

QVariant PlayersTableModel::data(const QModelIndex& index, int role) const {
    const RosterRow* row = Row(index.row());
    if (!row || !league)
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return FromGameText(PlayersTable::Cell(*row, column, *league));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(PlayersTable::IsNumeric(column) ? Qt::AlignRight | Qt::AlignVCenter
                                                                   : Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        // Dead money is money the club pays for nobody.
        if (column == PlayersTable::DeadMoney && row->releasable && row->deadMoney > 0)
            return QColor(170, 0, 0);
        return {};
    default:
        return {};
    }
}

QVariant PlayersTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= PlayersTable::kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromStdString(PlayersTable::ColumnNames()[static_cast<std::size_t>(section)]);
    if (role == Qt::ToolTipRole)
        return QString::fromStdString(PlayersTable::ColumnTip(section));
    return {};
}

void PlayersTableModel::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::int16_t> ids;
    for (const QModelIndex& index : before)
        ids.push_back(Row(index.row()) ? Row(index.row())->id : std::int16_t(0));
    sortColumn = column;
    sortOrder = order;
    SortRows();
    QModelIndexList after;
    for (std::size_t k = 0; k < ids.size(); ++k) {
        const int row = RowOf(ids[k]);
        after << (row < 0 ? QModelIndex() : index(row, before[static_cast<qsizetype>(k)].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PlayersTableModel::SortRows() {
    rows = listed;
    if (sortColumn < 0 || sortColumn >= PlayersTable::kColumns)
        return;
    const int column = sortColumn;
    // Descending keeps equal rows in the listing's order too.
    if (sortOrder == Qt::AscendingOrder)
        std::stable_sort(rows.begin(), rows.end(), [column](const RosterRow* a, const RosterRow* b) {
            return PlayersTable::Less(*a, *b, column);
        });
    else
        std::stable_sort(rows.begin(), rows.end(), [column](const RosterRow* a, const RosterRow* b) {
            return PlayersTable::Less(*b, *a, column);
        });
}
