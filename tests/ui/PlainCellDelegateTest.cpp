// Cells painted by the plain delegate, looked at pixel by pixel: the model's alignment (in
// either form a model gives it) and colour, the view's selection, and a text wider than its
// cell cut inside it.
#include "ui/PlainCellDelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The leftmost and rightmost columns of the pixels of rect that pass test; {-1, -1} for none.
std::pair<int, int> InkColumns(const QImage& image, const QRect& rect,
                               const std::function<bool(QRgb)>& test) {
    std::pair<int, int> ink{-1, -1};
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (test(image.pixel(x, y))) {
                ink.first = ink.first < 0 ? x : std::min(ink.first, x);
                ink.second = std::max(ink.second, x);
            }
    return ink;
}

bool Dark(QRgb colour) {
    return qGray(colour) < 100;
}

bool Red(QRgb colour) {
    return qRed(colour) > 120 && qGreen(colour) < 60 && qBlue(colour) < 60;
}

TEST(PlainCellDelegate, KeepsAlignmentColourAndSelectionAndCutsLongTexts) {
    QStandardItemModel model(5, 2);
    const auto put = [&model](int row, int column, const QString& text) {
        model.setItem(row, column, new QStandardItem(text));
        return model.item(row, column);
    };
    // Right-aligned as Qt::Alignment and as a plain number, then the default (left).
    put(0, 0, "$1,080,000")
        ->setData(QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter)),
                  Qt::TextAlignmentRole);
    put(1, 0, "$1,080,000")->setData(int(Qt::AlignRight | Qt::AlignVCenter), Qt::TextAlignmentRole);
    put(2, 0, "$1,080,000");
    put(3, 0, "Maximilian Abernathy of the Many Names")->setData(QColor(170, 0, 0), Qt::ForegroundRole);
    put(4, 0, "Pat");
    for (int row = 0; row < 5; ++row)
        put(row, 1, "");

    QTableView view;
    view.setItemDelegate(new PlainCellDelegate(&view));
    view.setModel(&model);
    view.setShowGrid(false);
    view.horizontalHeader()->hide();
    view.verticalHeader()->hide();
    view.setColumnWidth(0, 140);
    view.setColumnWidth(1, 80);
    view.resize(300, 240);
    view.selectRow(4);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QImage image = view.viewport()->grab().toImage();
    const auto cell = [&](int row, int column) { return view.visualRect(model.index(row, column)); };

    for (int row : {0, 1}) {
        const auto ink = InkColumns(image, cell(row, 0), Dark);
        ASSERT_GE(ink.first, 0) << row;
        EXPECT_GT(ink.first, cell(row, 0).center().x() - 20) << row;
        EXPECT_LT(cell(row, 0).right() - ink.second, 10) << row;
    }
    const auto left = InkColumns(image, cell(2, 0), Dark);
    ASSERT_GE(left.first, 0);
    EXPECT_LT(left.first - cell(2, 0).left(), 10);

    // The model's colour, and nothing of the long text beyond its cell.
    EXPECT_GE(InkColumns(image, cell(3, 0), Red).first, 0);
    EXPECT_EQ(InkColumns(image, cell(3, 1), Dark).first, -1);
    EXPECT_EQ(InkColumns(image, cell(3, 1), Red).first, -1);

    // The selected row keeps the style's selection background.
    EXPECT_NE(image.pixel(cell(4, 1).center()), image.pixel(cell(2, 1).center()));
}

} // namespace
