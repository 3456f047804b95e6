#pragma once
// What a user does in a window's grid and fields, with the input of
// tests/support/input.h: a cell clicked (or reached with the arrow keys when
// scrolled away) and typed into, a field clicked and typed over.
#include "platform/grids.h"
#include "tests/support/input.h"
#include "tests/support/scripted.h"

#include <QApplication>
#include <QComboBox>
#include <gtest/gtest.h>

inline void ClicaNaCelula(TStringGrid* grade, int coluna, int linha)
{
    const TRect r = grade->CellRect(coluna, linha);
    input::Click(grade->viewport(), QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
}

// The user clicks the cell and types the text there (a typed character opens
// the editor). A cell scrolled away is reached from the top row in view with
// the arrow keys.
inline void DigitaNaCelula(TStringGrid* grade, int coluna, int linha, const QString& texto)
{
    if (grade->CellRect(coluna, linha).IsEmpty()) {
        ClicaNaCelula(grade, coluna, grade->TopRow());
        while (grade->Row() != linha) {
            const int antes = grade->Row();
            input::Key(linha > antes ? Qt::Key_Down : Qt::Key_Up);
            ASSERT_NE(grade->Row(), antes);
        }
    } else {
        ClicaNaCelula(grade, coluna, linha);
    }
    ASSERT_EQ(grade->Col(), coluna);
    ASSERT_EQ(grade->Row(), linha);
    input::Type(texto);
}

// The user clicks into the field (a combo's edit, a masked edit), selects
// what it holds and types the text over it.
inline void DigitaNoCampo(QWidget* campo, const QString& texto)
{
    ASSERT_NE(campo, nullptr);
    auto* combo = qobject_cast<QComboBox*>(campo);
    QWidget* edicao = combo && combo->lineEdit() ? combo->lineEdit() : campo;
    input::Click(edicao, QPoint(4, edicao->height() / 2));
    QWidget* foco = QApplication::focusWidget();
    ASSERT_TRUE(foco == edicao || foco == campo) << campo->objectName().toStdString();
    input::Key(Qt::Key_Home);
    input::Key(Qt::Key_End, Qt::ShiftModifier);
    input::Key(Qt::Key_Delete);
    input::Type(texto);
}

// The grid holds the focus, itself or through its open editor.
inline bool FocoNaGrade(TStringGrid* grade)
{
    QWidget* foco = QApplication::focusWidget();
    return foco && (foco == grade || foco == grade->InplaceEditor());
}
