#pragma once
// What a user does in the windows' grids and fields: clicks that move the
// focus, text typed key by key where the focus is.
#include "platform/grids.h"
#include "tests/support/scripted.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

inline void Clica(QWidget* controle, QPoint ponto)
{
    QTest::mouseClick(controle, Qt::LeftButton, Qt::NoModifier, ponto);
    QCoreApplication::processEvents();
}

inline void Clica(QWidget* janela, const char* nome)
{
    auto* controle = Find<QWidget>(janela, nome);
    ASSERT_NE(controle, nullptr) << nome;
    Clica(controle, controle->rect().center());
}

// Keys typed where the focus is, one by one.
inline void Digita(const QString& texto)
{
    for (QChar c : texto)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

inline void ClicaNaCelula(TStringGrid* grade, int coluna, int linha)
{
    const TRect r = grade->CellRect(coluna, linha);
    Clica(grade->viewport(), QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
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
            QTest::keyClick(QApplication::focusWidget(), linha > antes ? Qt::Key_Down : Qt::Key_Up);
            ASSERT_NE(grade->Row(), antes);
        }
    } else {
        ClicaNaCelula(grade, coluna, linha);
    }
    ASSERT_EQ(grade->Col(), coluna);
    ASSERT_EQ(grade->Row(), linha);
    Digita(texto);
}

// The user clicks into the field (a combo's edit, a masked edit), selects
// what it holds and types the text over it.
inline void DigitaNoCampo(QWidget* campo, const QString& texto)
{
    ASSERT_NE(campo, nullptr);
    auto* combo = qobject_cast<QComboBox*>(campo);
    QWidget* edicao = combo && combo->lineEdit() ? combo->lineEdit() : campo;
    Clica(edicao, QPoint(4, edicao->height() / 2));
    QWidget* foco = QApplication::focusWidget();
    ASSERT_TRUE(foco == edicao || foco == campo) << campo->objectName().toStdString();
    QTest::keyClick(foco, Qt::Key_Home);
    QTest::keyClick(foco, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(foco, Qt::Key_Delete);
    Digita(texto);
}

// The grid holds the focus, itself or through its open editor.
inline bool FocoNaGrade(TStringGrid* grade)
{
    QWidget* foco = QApplication::focusWidget();
    return foco && (foco == grade || foco == grade->InplaceEditor());
}
