#pragma once

#include <QWidget>

class CapChart;
class ContractList;
class OfferList;
class QTableWidget;

// "Cap Table": what the managed club's contracts and ticked offers charge against the salary
// cap in this season and the six after it, as a table and a bar chart. It follows the
// managed club and the offer list whenever Refresh is called.
class TCapTableForm : public QWidget {
    Q_OBJECT

  public:
    explicit TCapTableForm(QWidget* owner);

    QTableWidget* capTable;
    CapChart* capChart;

    // Shows club `team` of the contract list with the offers of the list (which may be null).
    void Refresh(const ContractList& contracts, int team, const OfferList* offers);
};
