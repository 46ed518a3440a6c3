#pragma once

#include <QCache>
#include <QFont>
#include <QStaticText>
#include <QStyledItemDelegate>

// Paints a table's cells as plain one-line texts: the style's background of the row and the
// cell (alternate rows, selection, focus), then the text in its alignment and colour, cut
// with "..." when wider than the cell. The standard delegate lays each text out several times
// to paint it once, which a table repainted at every key of a search cannot afford; this one
// lays each text out once for its cell width and keeps the result for the next paint. Cells
// with icons, check boxes or several lines need the standard delegate.
class PlainCellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    // The text as laid out for a cell width (cut when wider), kept by text and width: the
    // same text (a club, "$0") shows in columns of different widths.
    const QStaticText& LaidOut(const QString& text, int width, const QStyleOptionViewItem& option) const;

    mutable QCache<QString, QStaticText> laidOut{4000};
    mutable QFont laidOutFont; // every text kept was laid out in this font
};
