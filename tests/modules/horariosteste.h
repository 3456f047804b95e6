#pragma once
// Typing times into the time grids of the library's windows, as a user does.
#include "platform/grids.h"
#include "tests/support/input.h"
#include "tests/support/usuario.h"

#include <QString>

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

// Types the digits into the cell as a time, or clears its time when there
// are none.
inline void DigitaOuApagaHorario(TStringGrid* grade, int coluna, int linha, const char* digitos)
{
    if (*digitos)
        DigitaHorario(grade, coluna, linha, QString::fromLatin1(digitos));
    else
        ApagaHorario(grade, coluna, linha);
}
