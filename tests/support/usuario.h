#pragma once
// What a person does in a window's fields and grids, on top of the input of
// input.h: a field clicked into (its exit and enter handlers run on the way),
// what it holds selected and typed over; a grid cell clicked (scrolled into
// view first, as the scroll bar would) and typed into.
//
//   Digita(w, "MaskEdit1", "25");          // "" clears the field
//   DigitaNaCelula(StringGrid1, 1, 3, "08:30");
//   ApagaCelula(StringGrid1, 1, 3);
#include "platform/grids.h"
#include "tests/support/input.h"
#include "tests/support/scripted.h"

#include <QApplication>
#include <QComboBox>
#include <QString>
#include <gtest/gtest.h>

#include <vector>

// The part of a control that takes a click: an editable combo's edit.
inline QWidget* AlvoDoClique(QWidget* controle)
{
    if (auto* combo = qobject_cast<QComboBox*>(controle); combo && combo->lineEdit())
        return combo->lineEdit();
    return controle;
}

// Clicks into the field, selects what it holds and types the text over it
// (an empty text deletes it).
inline void DigitaNoCampo(QWidget* campo, const QString& texto)
{
    ASSERT_NE(campo, nullptr);
    QWidget* alvo = AlvoDoClique(campo);
    input::Click(alvo);
    QWidget* foco = QApplication::focusWidget();
    ASSERT_TRUE(foco == alvo || foco == campo) << campo->objectName().toStdString() << " took no focus";
    input::Key(Qt::Key_Home);
    input::Key(Qt::Key_End, Qt::ShiftModifier);
    if (texto.isEmpty())
        input::Key(Qt::Key_Backspace);
    else
        input::Type(texto);
    input::Settle();
}

// The same for the window's field of that name.
inline void Digita(QWidget* janela, const char* nome, const QString& texto)
{
    QWidget* campo = Find(janela, nome);
    ASSERT_NE(campo, nullptr) << "no field " << nome;
    DigitaNoCampo(campo, texto);
}

// Scrolls the cell's row into view, as the scroll bar would (no further
// than needed), and clicks the cell: the focus comes to the grid from
// wherever it was; a click on the current cell opens its editor.
inline void ClicaCelula(TStringGrid* grade, int coluna, int linha)
{
    if (linha < grade->TopRow())
        grade->SetTopRow(linha);
    else if (linha >= grade->TopRow() + grade->VisibleRowCount())
        grade->SetTopRow(linha - grade->VisibleRowCount() + 1);
    input::Click(grade->viewport(), grade->CellRect(coluna, linha).ToQRect().center());
}

// Clicks the cell and types the text there: the editor opens with the
// cell's text selected, so the first key replaces it.
inline void DigitaNaCelula(TStringGrid* grade, int coluna, int linha, const QString& texto)
{
    ClicaCelula(grade, coluna, linha);
    ASSERT_EQ(grade->Col(), coluna);
    ASSERT_EQ(grade->Row(), linha);
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

// What the user types into a grid: a cell and its new text; an empty text
// erases the cell.
struct CelulaDigitada {
    int linha;
    int coluna;
    const char* texto;
};

// Types the cell's new text over it, or erases the cell for an empty text.
inline void DigitaOuApagaCelula(TStringGrid* grade, const CelulaDigitada& celula)
{
    if (*celula.texto)
        DigitaNaCelula(grade, celula.coluna, celula.linha, QString::fromUtf8(celula.texto));
    else
        ApagaCelula(grade, celula.coluna, celula.linha);
}

// Presses the keys in turn where the focus is: a value below 0x80 is typed
// as its character, any other pressed as that key.
inline void PressionaTeclas(const std::vector<int>& teclas)
{
    for (int tecla : teclas) {
        if (tecla < 0x80)
            input::Type(QString(QChar(tecla)));
        else
            input::Key(tecla);
    }
}

// The grid holds the focus, itself or through its open editor.
inline bool FocoNaGrade(TStringGrid* grade)
{
    QWidget* foco = QApplication::focusWidget();
    return foco && (foco == grade || foco == grade->InplaceEditor());
}
