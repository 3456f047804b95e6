#pragma once
// The column aggregates that fill the footer row: sum, average, minimum and
// maximum of a column's values over a range of rows.
#include <functional>

// Reads the value of one cell; throws when the cell holds no number.
using TCellFloatReader = std::function<double(int ACol, int ARow)>;

// Rows FromRow to ToRow of column ACol; a range with ToRow below FromRow
// is empty and gives 0 for every aggregate.
double ColumnSum(const TCellFloatReader& Read, int ACol, int FromRow, int ToRow);
double ColumnAvg(const TCellFloatReader& Read, int ACol, int FromRow, int ToRow);
double ColumnMin(const TCellFloatReader& Read, int ACol, int FromRow, int ToRow);
double ColumnMax(const TCellFloatReader& Read, int ACol, int FromRow, int ToRow);
