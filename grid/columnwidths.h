#pragma once
// Column widths kept between runs: in the INI file named by the grid's
// ColumnSize.Key, or in a per-user settings file for that key. Each column i
// is the value "Col<i>" of ColumnSize.Section.
#include "grid/gridsettings.h"

#include <QString>

#include <vector>

// The file the widths are kept in; empty when Key or Section is empty.
QString ColumnWidthsFile(const TColumnSize& Settings);

// Writes one value per column. Throws EIniFileException when the file cannot
// be written.
void SaveColumnWidths(const TColumnSize& Settings, const std::vector<int>& Widths);

// Count widths, or none when Key or Section is empty; a missing value, one that is no number, or a negative one
// gives DefaultWidth (the file may have been edited by hand).
std::vector<int> LoadColumnWidths(const TColumnSize& Settings, int Count, int DefaultWidth);
