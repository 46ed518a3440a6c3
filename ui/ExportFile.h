#pragma once

#include "contracts/Prompt.h"

#include <QString>

#include <cstddef>

class League;

// Writes an exported file (CSV, PDF) whole or not at all: a file of the same name stays as it
// was when the write fails, and the user is told why in a stop box with the given caption. A
// file of the open league is never written over, whatever the user chose in the dialog.
bool WriteExportFile(const League& league, const QString& path, const void* data, std::size_t size,
                     Prompt& prompt, const char* caption);
