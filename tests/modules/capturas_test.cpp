// Pictures of each window over the template image, to look at.
#include "tests/modules/entradasteste.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/modules/ramaisteste.h"

#include <QDir>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

TEST(Capturas, CadaJanelaSobreOModelo)
{
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    for (const EntradaNomeada& entrada : kEntradasDaBiblioteca) {
        auto imagem = ImagemDoModelo();
        const QString arquivo = QStringLiteral(TRIVANTO_TEST_OUT "/modulo_%1.png").arg(entrada.nome);
        AbreEntrada(entrada.abre, imagem, [&](TForm* w) {
            EXPECT_TRUE(w->grab().save(arquivo)) << arquivo.toStdString();
        });
        EXPECT_TRUE(QFile::exists(arquivo)) << arquivo.toStdString();
    }
}

// The copy pickers, as their windows open them (a cell chosen).
TEST(Capturas, SeletoresDeCopia)
{
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    struct Seletor {
        const char* entrada;
        TEntradaModulo abre;
        const char* botaoCopia;
    };
    for (const Seletor& seletor : {Seletor{"CategoriaDosRamais", &CategoriaDosRamais, "CopButton"},
                                   Seletor{"ProgramacaoIndividual", &ProgramacaoIndividual, "Button2"}}) {
        auto imagem = ImagemDoModelo();
        const QString arquivo = QStringLiteral(TRIVANTO_TEST_OUT "/modulo_%1_copia.png").arg(seletor.entrada);
        AbreRamais(
            seletor.abre, imagem, nullptr, [&](QWidget* w) { Clica(w, seletor.botaoCopia); },
            {[&](QWidget* s) {
                Clica(s, "Panel3");
                EXPECT_TRUE(s->grab().save(arquivo)) << arquivo.toStdString();
                Clica(s, "CancButton");
            }});
        EXPECT_TRUE(QFile::exists(arquivo)) << arquivo.toStdString();
    }
}

// Message boxes speak Portuguese: the question before a "Padrão" shows "Sim"
// and "Não" and "Cancelar".
TEST(Capturas, CaixaDeMensagemEmPortugues)
{
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    const QString arquivo = QStringLiteral(TRIVANTO_TEST_OUT "/caixa_mensagem.png");
    auto imagem = ImagemDoModelo();
    ScriptedBoxes boxes({IDNO});
    boxes.look = [&](QWidget* caixa) { EXPECT_TRUE(caixa->grab().save(arquivo)) << arquivo.toStdString(); };
    AbreEntrada(&PlanoDeNumeracao, imagem, [&](TForm* w) { Click(w, "PadButton"); });
    ASSERT_EQ(boxes.buttons.size(), 1u);
    EXPECT_EQ(boxes.buttons[0], (QStringList{"&Sim", "&Não", "Cancelar"}));
    EXPECT_TRUE(QFile::exists(arquivo));
}

} // namespace
