#pragma once

#include "contracts/CapTable.h"

#include <QWidget>

class QPainter;

// A bar per season: the club's charges against the salary cap, drawn as a line across.
// Seasons over the cap are drawn in red.
class CapChart : public QWidget {
    Q_OBJECT

  public:
    explicit CapChart(QWidget* parent = nullptr);

    void SetTable(const CapTable& shown);
    // Draws the chart into area with the painter's font (the window, or a page).
    void Paint(QPainter& painter, const QRect& area) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CapTable table;
};
