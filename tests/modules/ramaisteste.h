#pragma once
// What the tests of the two windows that step through the extensions share:
// opening an entry with a start text and acting in the window and in each
// copy picker it opens, and a person's clicks, keys and picks.
#include "image/layout.h"
#include "image/registro.h"
#include "modules/modulo.h"
#include "platform/controls.h"
#include "tests/modules/imagemteste.h"
#include "tests/support/scripted.h"
#include "tests/support/usuario.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using Atos = std::function<void(QWidget*)>;

// Calls the entry with the start text; the window runs `janela`, and each
// copy picker it opens runs the next of `seletores` (a picker with none left
// is cancelled). Whatever stays open is cancelled afterwards.
inline void AbreRamais(TEntradaModulo entrada, std::vector<std::uint8_t>& imagem, const char* textoInicial,
                       const Atos& janela, const std::vector<Atos>& seletores = {})
{
    ModalScript modal;
    modal.Then([&](QWidget* w) {
        janela(w);
        QTimer::singleShot(0, w, [w] {
            if (w->isVisible())
                static_cast<QDialog*>(w)->done(mrCancel);
        });
    });
    for (const Atos& atos : seletores)
        modal.Then([atos](QWidget* w) {
            atos(w);
            QTimer::singleShot(0, w, [w] {
                if (w->isVisible())
                    static_cast<QDialog*>(w)->done(mrCancel);
            });
        });
    entrada(imagem.data(), textoInicial);
}

// A left click on the named control: a button as Click presses it, any
// other control (a picker's cell, a label) in its middle. The focus moves
// first, as for a person.
inline void Clica(QWidget* janela, const char* nome)
{
    auto* alvo = Find<QWidget>(janela, nome);
    ASSERT_NE(alvo, nullptr) << "no control " << nome;
    ASSERT_TRUE(alvo->isVisible() && alvo->isEnabled()) << nome << " cannot be clicked";
    if (qobject_cast<QAbstractButton*>(alvo))
        Click(janela, nome);
    else
        input::Click(alvo);
}

// Picks the item of that text in a combo box as a person does: a click on
// the arrow opens the list, the arrow keys go to the item and Enter takes
// it (a click on the item would race the list's guard against the release
// of the click that opened it).
inline void Escolhe(QWidget* janela, const char* nome, const QString& texto)
{
    auto* combo = Find<QComboBox>(janela, nome);
    ASSERT_NE(combo, nullptr) << "no combo " << nome;
    ASSERT_TRUE(combo->isVisible() && combo->isEnabled()) << nome << " cannot be opened";
    const int alvo = combo->findText(texto, Qt::MatchFixedString);
    ASSERT_GE(alvo, 0) << texto.toStdString() << " is not in " << nome;
    input::Click(combo, QPoint(combo->width() - 6, combo->height() / 2));
    QAbstractItemView* lista = combo->view();
    ASSERT_TRUE(lista->isVisible()) << "the list of " << nome << " did not open";
    input::Key(Qt::Key_Home, Qt::NoModifier, QString(), lista);
    for (int item = 0; item < alvo; ++item)
        input::Key(Qt::Key_Down, Qt::NoModifier, QString(), lista);
    input::Key(Qt::Key_Return, Qt::NoModifier, QString(), lista);
    input::Settle();
    ASSERT_FALSE(lista->isVisible()) << "the list of " << nome << " stayed open";
    ASSERT_EQ(combo->currentIndex(), alvo) << nome;
}

inline QString Texto(QWidget* janela, const char* nome)
{
    if (auto* combo = Find<QComboBox>(janela, nome))
        return combo->currentText();
    auto* edit = Find<QLineEdit>(janela, nome);
    return edit ? edit->text().trimmed() : QString();
}

inline bool Marcada(QWidget* janela, const char* nome)
{
    auto* caixa = Find<QAbstractButton>(janela, nome);
    return caixa && caixa->isChecked();
}

inline bool Habilitada(QWidget* janela, const char* nome)
{
    auto* controle = Find<QWidget>(janela, nome);
    return controle && controle->isEnabled();
}

// Puts extension number `numero` at position p (1..12) of the plan.
inline void Numera(std::vector<std::uint8_t>& imagem, int posicao, std::uint16_t palavra)
{
    GravaU16(imagem.data() + OffsetPalavraRamal(posicao), palavra);
}
inline void Numera(std::vector<std::uint8_t>& imagem, int posicao, const char* numero)
{
    Numera(imagem, posicao, TextoParaPalavraRamal(numero));
}

// The darkest grey level drawn inside a picker's cell, its bevels left out:
// the cell's caption.
inline int TintaMaisEscura(QWidget* celula)
{
    const QImage quadro = celula->grab().toImage();
    int escura = 255;
    for (int y = 4; y < quadro.height() - 4; ++y)
        for (int x = 4; x < quadro.width() - 4; ++x)
            escura = std::min(escura, qGray(quadro.pixel(x, y)));
    return escura;
}

// A click on a picker's "*****" cell leaves it unchosen, and its caption is
// drawn lighter than the caption of a cell that takes the copy.
inline void ConfereCelulaEspecial(QWidget* seletor, const char* especial, const char* comum)
{
    auto* celula = Find<TPanel>(seletor, especial);
    ASSERT_NE(celula, nullptr) << especial;
    ASSERT_EQ(celula->Caption(), "*****");
    input::Click(celula);
    EXPECT_EQ(celula->Color(), clBtnFace);
    EXPECT_EQ(celula->BevelOuter(), bvRaised);
    EXPECT_GT(TintaMaisEscura(celula), TintaMaisEscura(Find<TPanel>(seletor, comum)) + 40)
        << "the cell must look disabled";
}
