#include "ui/CapChart.h"

#include "contracts/SignedMoney.h"

#include <QPainter>

#include <algorithm>

CapChart::CapChart(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(140);
}

void CapChart::SetTable(const CapTable& shown) {
    table = shown;
    update();
}

void CapChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    Paint(painter, rect());
}

void CapChart::Paint(QPainter& painter, const QRect& area) const {
    painter.fillRect(area, palette().base());
    const QFontMetrics metrics(painter.font());
    const int labelHeight = metrics.height() + 4;
    const QRect plot = area.adjusted(8, 8, -8, -labelHeight - 4);
    if (plot.height() <= 0 || plot.width() <= 0)
        return;

    std::int64_t top = std::max<std::int64_t>(table.salaryCap, 1);
    for (std::int64_t total : table.totals)
        top = std::max(top, total);
    top += top / 10; // room above the highest bar
    const auto yOf = [&](std::int64_t amount) {
        const double share =
            static_cast<double>(std::max<std::int64_t>(amount, 0)) / static_cast<double>(top);
        return plot.bottom() - static_cast<int>(share * plot.height());
    };

    const int seasons = CapTable::kSeasons;
    const int slot = plot.width() / seasons;
    for (int j = 0; j < seasons; ++j) {
        const auto s = static_cast<std::size_t>(j);
        const int x = plot.left() + j * slot;
        const int y = yOf(table.totals[s]);
        const QRect bar(x + slot / 6, y, slot - slot / 3, plot.bottom() - y);
        const bool over = table.totals[s] > table.salaryCap;
        painter.fillRect(bar, over ? QColor(200, 40, 40) : QColor(40, 110, 190));
        painter.setPen(palette().text().color());
        painter.drawText(QRect(x, plot.bottom() + 4, slot, labelHeight), Qt::AlignHCenter | Qt::AlignTop,
                         QString::number(table.seasons[s]));
    }
    const int capY = yOf(table.salaryCap);
    painter.setPen(QPen(QColor(30, 30, 30), std::max(2, metrics.height() / 8), Qt::DashLine));
    painter.drawLine(plot.left(), capY, plot.right(), capY);
    painter.drawText(QRect(plot.left(), capY - labelHeight, plot.width(), labelHeight),
                     Qt::AlignRight | Qt::AlignBottom,
                     QString::fromStdString("Salary Cap " + SignedMoney(table.salaryCap)));
}
