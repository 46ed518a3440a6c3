#include "ui/CapTablePdf.h"

#include "ui/CapChart.h"
#include "ui/QtText.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

constexpr int kDpi = 72; // one unit of the page is one point
constexpr int kMargin = 36;
constexpr int kChartHeight = 220;
constexpr double kLargestFont = 9.0;
constexpr double kSmallestFont = 5.0;

} // namespace

QByteArray CapTablePdf(const QString& club, const CapTable& table, const CapTableText& text) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle("Cap Table: " + club);
    writer.setCreator("Brevane");

    QPainter painter(&writer);
    const QRect page(kMargin, kMargin, writer.width() - 2 * kMargin, writer.height() - 2 * kMargin);
    QFont heading("Sans");
    heading.setPointSizeF(14);
    heading.setBold(true);
    painter.setFont(heading);
    const int headingHeight = QFontMetrics(heading).height();
    painter.drawText(QRect(page.left(), page.top(), page.width(), headingHeight), Qt::AlignLeft,
                     "Cap Table: " + club + ", season " + QString::number(table.seasons[0]));

    // The lines as large as fit between the heading and the chart, down to the smallest.
    const int lines = static_cast<int>(text.lines.size()) + 1;
    const int tableTop = page.top() + headingHeight + 12;
    const int room = page.bottom() - kChartHeight - 12 - tableTop;
    double size = kLargestFont;
    QFont font("Sans");
    for (; size > kSmallestFont; size -= 0.5) {
        font.setPointSizeF(size);
        if (QFontMetrics(font).height() * lines <= room)
            break;
    }
    font.setPointSizeF(std::max(size, kSmallestFont));
    QFont bold = font;
    bold.setBold(true);
    const int lineHeight = QFontMetrics(font).height();
    const int labelWidth = page.width() * 30 / 100;
    const int cellWidth = (page.width() - labelWidth) / CapTable::kSeasons;

    int y = tableTop;
    auto drawLine = [&](const QString& label, const std::array<std::string, CapTable::kSeasons>& cells,
                        const std::array<bool, CapTable::kSeasons>& over, bool strong) {
        if (y + lineHeight > page.bottom()) {
            writer.newPage();
            y = page.top();
        }
        painter.setFont(strong ? bold : font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(page.left(), y, labelWidth, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         label);
        for (int c = 0; c < CapTable::kSeasons; ++c) {
            const auto s = static_cast<std::size_t>(c);
            painter.setPen(over[s] ? QColor(200, 0, 0) : QColor(Qt::black));
            painter.drawText(QRect(page.left() + labelWidth + c * cellWidth, y, cellWidth - 4, lineHeight),
                             Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(cells[s]));
        }
        y += lineHeight;
    };
    std::array<std::string, CapTable::kSeasons> headings;
    std::copy(text.headings.begin(), text.headings.end(), headings.begin());
    drawLine("", headings, {}, true);
    painter.drawLine(page.left(), y, page.right(), y);
    for (const CapTableText::Line& line : text.lines)
        drawLine(FromGameText(line.label), line.cells, line.over,
                 line.kind != CapTableText::Kind::Player && line.kind != CapTableText::Kind::Offer);

    if (y + 12 + kChartHeight > page.bottom()) {
        writer.newPage();
        y = page.top();
    }
    CapChart chart;
    chart.SetTable(table);
    painter.setFont(font);
    chart.Paint(painter, QRect(page.left(), page.bottom() - kChartHeight, page.width(), kChartHeight));
    painter.end();
    return bytes;
}
