#pragma once
// Typing into the fields of a window as a person does: a click into the
// field (its exit and enter handlers run on the way), its text selected and
// typed over, and Ok pressed with the mouse or by its accelerator (which
// leaves the focus where it is, so no exit handler runs).
#include "platform/forms.h"
#include "tests/support/scripted.h"
#include "tests/support/usuario.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

#include <cstddef>
#include <ostream>
#include <vector>

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

// A case of a table of refusals (a struct whose `caso` names it) paired
// with one way of pressing Ok; printed, and so named, "<caso>_<way>".
template <typename TCaso>
struct CasoPorOk {
    TCaso caso;
    TComoOk como;
};

template <typename TCaso>
void PrintTo(const CasoPorOk<TCaso>& linha, std::ostream* os)
{
    *os << linha.caso.caso << "_" << NomeComoOk(linha.como);
}

// Every case of the table, each once by mouse and once by Alt+K.
template <typename TCaso, std::size_t N>
std::vector<CasoPorOk<TCaso>> CasosPorOk(const TCaso (&casos)[N])
{
    std::vector<CasoPorOk<TCaso>> linhas;
    for (const TCaso& caso : casos)
        for (TComoOk como : {TComoOk::Mouse, TComoOk::Atalho})
            linhas.push_back({caso, como});
    return linhas;
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
