#pragma once

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

} // namespace SpreadColumns
