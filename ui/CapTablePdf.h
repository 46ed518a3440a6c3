#pragma once

#include "contracts/CapTable.h"
#include "contracts/CapTableText.h"

#include <QByteArray>
#include <QString>

// The cap table as a PDF page (A4, portrait): the club and the season as heading, the table
// with a line per row, and the chart below it. The lines get smaller to fit one page; a
// table too long for the smallest lines goes on over further pages, the chart on the last.
// Returns the document's bytes, for the caller to write in one piece.
QByteArray CapTablePdf(const QString& club, const CapTable& table, const CapTableText& text);
