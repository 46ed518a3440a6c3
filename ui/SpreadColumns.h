#pragma once

#include <vector>

class QTableView;

// Lets a table's columns grow with its window: every column is at least as wide as its
// heading and the cells in view, and the width to spare is shared out evenly among the
// columns instead of going all to the last one. Narrower than its contents, the table
// scrolls as before.
namespace SpreadColumns {

// Spreads the columns now and whenever the table's view changes size from now on.
void Watch(QTableView& table);
// Spreads the columns now (after the cells were filled).
void Spread(QTableView& table);

// The same with each column at least as wide as given, instead of measured from the cells: for
// a table whose cells change too often to be measured at each change.
void Watch(QTableView& table, std::vector<int> leastWidths);
void Spread(QTableView& table, const std::vector<int>& leastWidths);

} // namespace SpreadColumns
