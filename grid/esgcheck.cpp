#include "grid/esgcheck.h"

QString TExtStringGridCheck::MarkCellError(int ACol, int ARow, const QString& Value)
{
    (void)ACol;
    (void)ARow;
    return Value;
}

QString TExtStringGridCheck::CorrectCellText(int ACol, int ARow, const QString& Value)
{
    (void)ACol;
    (void)ARow;
    return Value;
}

void TExtStringGridCheck::BeginCellCheck() {}

void TExtStringGridCheck::EndCellCheck() {}
