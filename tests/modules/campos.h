#pragma once
// Typing into the fields of a window as a person does: a click into the
// field (its exit and enter handlers run on the way), its text selected and
// typed over, and Ok pressed with the mouse or by its accelerator (which
// leaves the focus where it is, so no exit handler runs).
#include "platform/forms.h"
#include "tests/modules/janelas.h"
#include "tests/support/scripted.h"
#include "tests/support/usuario.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
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

inline void PrintTo(TComoOk como, std::ostream* os)
{
    *os << NomeComoOk(como);
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

// Each way of pressing Ok, as the cases of a suite, named by the way.
inline auto CadaComoOk()
{
    return ::testing::Values(TComoOk::Mouse, TComoOk::Atalho);
}
struct NomeDoComoOk {
    std::string operator()(const ::testing::TestParamInfo<TComoOk>& linha) const { return NomeComoOk(linha.param); }
};

// Opens the entry, lets `mostra` look at the window as it opens, passes
// through the stored field `campo` without touching it (a click into it,
// then `tabs` presses of Tab) and presses Ok as `como` says: the window
// closes and no box is shown.
inline void ConfirmaIntocado(TEntradaModulo entrada, std::vector<std::uint8_t>& imagem, const char* campo, int tabs,
                             TComoOk como, const std::function<void(TForm*)>& mostra = {})
{
    ScriptedBoxes boxes;
    bool fechou = false;
    AbreEntrada(entrada, imagem, [&](TForm* w) {
        if (mostra)
            mostra(w);
        input::Click(AlvoDoClique(Find(w, campo)));
        for (int i = 0; i < tabs; ++i)
            input::Key(Qt::Key_Tab);
        input::Settle();
        PressionaOk(w, como);
        fechou = !w->isVisible();
    });
    EXPECT_TRUE(fechou) << "Ok left the window open";
    EXPECT_EQ(boxes.Texts(), QStringList{});
}
