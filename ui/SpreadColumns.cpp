#include "ui/SpreadColumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>
#include <vector>

namespace {

// Spreads the columns again whenever the view of its table is resized. It compares with the
// view it was given rather than asking the table, which may be half destroyed when its view
// still gets events.
class ResizeWatcher : public QObject {
  public:
    explicit ResizeWatcher(QTableView& watched)
        : QObject(watched.viewport()), table(watched), view(watched.viewport()) {}

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == view && event->type() == QEvent::Resize)
            SpreadColumns::Spread(table);
        return QObject::eventFilter(object, event);
    }

  private:
    QTableView& table;
    QObject* view;
};

} // namespace

void SpreadColumns::Watch(QTableView& table) {
    QHeaderView* header = table.horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    table.viewport()->installEventFilter(new ResizeWatcher(table));
    Spread(table);
}

void SpreadColumns::Spread(QTableView& table) {
    QHeaderView* header = table.horizontalHeader();
    const int count = header->count();
    if (count == 0)
        return;
    // The cells' widths, as QAbstractItemView offers them to everyone.
    const QAbstractItemView& view = table;
    std::vector<int> widths(static_cast<std::size_t>(count));
    int total = 0;
    for (int column = 0; column < count; ++column) {
        const int width = std::max(view.sizeHintForColumn(column), header->sectionSizeHint(column));
        widths[static_cast<std::size_t>(column)] = width;
        total += width;
    }
    const int spare = std::max(table.viewport()->width() - total, 0);
    for (int column = 0; column < count; ++column)
        header->resizeSection(column, widths[static_cast<std::size_t>(column)] + spare / count +
                                          (column < spare % count ? 1 : 0));
}
