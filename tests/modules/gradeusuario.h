#pragma once
// A person at a window's grid: clicks on cells and keys typed where the
// focus is (into the grid's editor once it opens). Buttons are clicked with
// Click (tests/support/scripted.h), which moves the focus first.
#include "platform/forms.h"
#include "platform/grids.h"
#include "tests/support/input.h"
#include "tests/support/scripted.h"

#include <QCoreApplication>
#include <QString>

// Scrolls the cell into view, as the scroll bar would, and clicks it; a click
// on the current cell opens its editor.
inline void ClicaCelula(TStringGrid* grade, int coluna, int linha)
{
    if (grade->CellRect(coluna, linha).IsEmpty())
        grade->SetTopRow(linha);
    input::Click(grade->viewport(), grade->CellRect(coluna, linha).ToQRect().center());
}

// Clicks the cell and types the text over what it holds: the editor opens
// with the cell's text selected, so the first key replaces it.
inline void DigitaNaCelula(TStringGrid* grade, int coluna, int linha, const QString& texto)
{
    ClicaCelula(grade, coluna, linha);
    input::Type(texto);
}

// Clicks the cell, opens its editor with F2 (all its text selected) and
// deletes what it holds.
inline void ApagaCelula(TStringGrid* grade, int coluna, int linha)
{
    ClicaCelula(grade, coluna, linha);
    if (!grade->EditorMode())
        input::Key(Qt::Key_F2);
    input::Key(Qt::Key_Delete);
}
