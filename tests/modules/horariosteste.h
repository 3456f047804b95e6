#pragma once
// Typing times into the time grids of the library's windows, as a user does.
#include "platform/grids.h"
#include "tests/support/input.h"

#include <QString>

// Clicks the cell with the mouse (its row scrolled into view first), as the
// user picks it: the focus comes to the grid from wherever it was, and the
// cursor moves only with the click.
inline void ClicaCelula(TStringGrid* grade, int coluna, int linha)
{
    if (linha < grade->TopRow())
        grade->SetTopRow(linha);
    else if (linha >= grade->TopRow() + grade->VisibleRowCount())
        grade->SetTopRow(linha - grade->VisibleRowCount() + 1);
    const TRect r = grade->CellRect(coluna, linha);
    input::Click(grade->viewport(), QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
}

// Clicks the cell, selects what the editor holds and types the digits over
// it (the mask places them around the colon).
inline void DigitaHorario(TStringGrid* grade, int coluna, int linha, const QString& digitos)
{
    ClicaCelula(grade, coluna, linha);
    if (!grade->EditorMode())
        input::Key(Qt::Key_F2);
    input::Key(Qt::Key_A, Qt::ControlModifier);
    input::Type(digitos);
}

// The cells are drawn, as on the screen.
inline void DesenhaGrade(TStringGrid* grade)
{
    (void)grade->viewport()->grab();
}

// Clears the cell's time with Delete over the whole text, then leaves the
// cell with Enter, as a user removes a time; the grid is drawn again.
inline void ApagaHorario(TStringGrid* grade, int coluna, int linha)
{
    DigitaHorario(grade, coluna, linha, QString());
    input::Key(Qt::Key_Delete);
    input::Type(QStringLiteral("\r"));
    DesenhaGrade(grade);
}
