#pragma once

#include "contracts/CapTable.h"
#include "contracts/CapTableText.h"

class ContractList;

// The cap table's released view of one player: his row as it is, what would leave the cap and
// what would stay charged as dead money in each season were he released, and the cap space
// that would follow. The four lines (kind Released) go right after the summary lines, so that
// they stay in view with the totals.
void AddReleasedLines(CapTableText& text, const CapTable& table, const CapTable::ReleasedRow& row,
                      const ContractList& contracts);
