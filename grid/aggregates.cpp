#include "grid/aggregates.h"

namespace {

// Starting from the first cell, keeps the value Better prefers.
template <typename Better>
double Extreme(const TCellFloatReader& Read, int ACol, int FromRow, int ToRow, Better better)
{
    if (ToRow < FromRow)
        return 0.0;
    double result = Read(ACol, FromRow);
    for (int row = FromRow + 1; row <= ToRow; ++row) {
        const double value = Read(ACol, row);
        if (better(value, result))
            result = value;
    }
    return result;
}

} // namespace

double ColumnSum(const TCellFloatReader& Read, int ACol, int FromRow, int ToRow)
{
    double sum = 0.0;
    for (int row = FromRow; row <= ToRow; ++row)
        sum += Read(ACol, row);
    return sum;
}

double ColumnAvg(const TCellFloatReader& Read, int ACol, int FromRow, int ToRow)
{
    // An empty range has no average: 0, as its sum, rather than a division
    // by zero.
    if (ToRow < FromRow)
        return 0.0;
    return ColumnSum(Read, ACol, FromRow, ToRow) / (ToRow - FromRow + 1);
}

double ColumnMin(const TCellFloatReader& Read, int ACol, int FromRow, int ToRow)
{
    return Extreme(Read, ACol, FromRow, ToRow, [](double value, double best) { return value < best; });
}

double ColumnMax(const TCellFloatReader& Read, int ACol, int FromRow, int ToRow)
{
    return Extreme(Read, ACol, FromRow, ToRow, [](double value, double best) { return value > best; });
}
