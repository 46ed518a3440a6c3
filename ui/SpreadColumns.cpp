#include "ui/SpreadColumns.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Spreads the columns again whenever the view of its table is resized. It compares with the
// view it was given rather than asking the table, which may be half destroyed when its view
// still gets events.
class ResizeWatcher : public QObject {
  public:
    ResizeWatcher(QTableView& watched, std::vector<int> leastWidths)
        : QObject(watched.viewport()), table(watched), view(watched.viewport()),
          least(std::move(leastWidths)) {}

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == view && event->type() == QEvent::Resize) {
            if (least.empty())
                SpreadColumns::Spread(table);
            else
                SpreadColumns::Spread(table, least);
        }
        return QObject::eventFilter(object, event);
    }

  private:
    QTableView& table;
    QObject* view;
    std::vector<int> least; // empty: measured from the cells
};

void WatchWith(QTableView& table, std::vector<int> least) {
    QHeaderView* header = table.horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    table.viewport()->installEventFilter(new ResizeWatcher(table, std::move(least)));
}

// Gives each column its width and an even share of what the view has to spare.
void Share(QTableView& table, const std::vector<int>& widths) {
    QHeaderView* header = table.horizontalHeader();
    const int count = static_cast<int>(widths.size());
    if (count == 0)
        return;
    int total = 0;
    for (const int width : widths)
        total += width;
    const int spare = std::max(table.viewport()->width() - total, 0);
    for (int column = 0; column < count; ++column)
        header->resizeSection(column, widths[static_cast<std::size_t>(column)] + spare / count +
                                          (column < spare % count ? 1 : 0));
}

} // namespace

void SpreadColumns::Watch(QTableView& table) {
    WatchWith(table, {});
    Spread(table);
}

void SpreadColumns::Spread(QTableView& table) {
    const QHeaderView* header = table.horizontalHeader();
    // The cells' widths, as QAbstractItemView offers them to everyone.
    const QAbstractItemView& view = table;
    std::vector<int> widths(static_cast<std::size_t>(header->count()));
    for (int column = 0; column < header->count(); ++column)
        widths[static_cast<std::size_t>(column)] =
            std::max(view.sizeHintForColumn(column), header->sectionSizeHint(column));
    Share(table, widths);
}

void SpreadColumns::Watch(QTableView& table, std::vector<int> leastWidths) {
    WatchWith(table, leastWidths);
    Spread(table, leastWidths);
}

void SpreadColumns::Spread(QTableView& table, const std::vector<int>& leastWidths) {
    std::vector<int> widths = leastWidths;
    widths.resize(static_cast<std::size_t>(table.horizontalHeader()->count()), 0);
    Share(table, widths);
}
