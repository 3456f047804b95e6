#pragma once
// Typing into the fields of a window as a person does: a click into the
// field (its exit and enter handlers run on the way), its text selected and
// typed over, and Ok pressed with the mouse or by its accelerator (which
// leaves the focus where it is, so no exit handler runs).
#include "platform/forms.h"
#include "tests/support/scripted.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

// The part of a control that takes a click: an editable combo's edit.
inline QWidget* AlvoDoClique(QWidget* controle)
{
    if (auto* combo = qobject_cast<QComboBox*>(controle); combo && combo->lineEdit())
        return combo->lineEdit();
    return controle;
}

// Clicks into the named field and types `texto` over what it holds (an
// empty text clears it).
inline void Digita(QWidget* janela, const char* nome, const QString& texto)
{
    QWidget* campo = Find(janela, nome);
    ASSERT_NE(campo, nullptr) << "no field " << nome;
    input::Click(AlvoDoClique(campo));
    input::Key(Qt::Key_A, Qt::ControlModifier);
    if (texto.isEmpty())
        input::Key(Qt::Key_Backspace);
    else
        input::Type(texto);
}

// Picks an item of a pick list that the focus reaches with Tab, as the
// keyboard does: the empty first item by Home, another by typing it.
inline void EscolhePorTab(const QString& item)
{
    input::Key(Qt::Key_Tab);
    if (item.isEmpty())
        input::Key(Qt::Key_Home);
    else
        input::Type(item);
}

enum class TComoOk { Mouse, Atalho };

inline const char* NomeComoOk(TComoOk como)
{
    return como == TComoOk::Mouse ? "Mouse" : "AltK";
}

// Ok pressed with the mouse (the focus moves to the button first) or by
// Alt+K (the focus stays in the field being typed).
inline void PressionaOk(QWidget* janela, TComoOk como, const char* botao = "OkButton")
{
    if (como == TComoOk::Mouse)
        Click(janela, botao);
    else
        input::Accelerator('k');
    input::Settle();
}
