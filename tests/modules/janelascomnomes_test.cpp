// What the private codes, the two speed-dial and the terminal-keys windows share with every
// window of the library: the entry opens the window over the caller's image
// and frees it when it returns, help names the help file and the window's
// topic (button and F1), the buttons keep their tab order; and a picture of
// each over the template image.
#include "modules/entradas.h"
#include "modules/formagcolet.h"
#include "modules/formagindiv.h"
#include "modules/formcodpart.h"
#include "modules/formnti.h"
#include "platform/help.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/casenames.h"

#include <QDir>
#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Janela {
    const char* entrada;
    TEntradaModulo abre;
    TForm* (*variavel)();
    const char* legenda;
    int contextoAjuda;
    const char* botaoAjuda;
    const char* botoes; // in their tab order
};

void PrintTo(const Janela& caso, std::ostream* os)
{
    *os << caso.entrada;
}

class JanelasComNomes : public ::testing::TestWithParam<Janela> {};

TEST_P(JanelasComNomes, AbreSobreAImagemESomeQuandoAEntradaVolta)
{
    const Janela& janela = GetParam();
    auto imagem = ImagemDoModelo();
    TForm* aberta = nullptr;
    AbreEntrada(janela.abre, imagem, [&](TForm* w) {
        aberta = w;
        EXPECT_EQ(w->Caption(), QString::fromUtf8(janela.legenda));
        EXPECT_EQ(janela.variavel(), w);
        EXPECT_EQ(ImagemAtual, imagem.data());
        EXPECT_EQ(w->parentWidget(), nullptr);
    });
    EXPECT_NE(aberta, nullptr);
    EXPECT_EQ(janela.variavel(), nullptr);
}

TEST_P(JanelasComNomes, AjudaNomeiaOArquivoEAbreOTopicoDaJanela)
{
    const Janela& janela = GetParam();
    auto imagem = ImagemDoModelo();
    ScriptedBoxes boxes;
    ClearHelpRequests();
    Application->HelpFile = "OUTRO.HLP";
    AbreEntrada(janela.abre, imagem, [&](TForm* w) {
        Click(w, janela.botaoAjuda);
        input::Settle();
        input::Key(Qt::Key_F1);
    });
    ConfereAjudasDaJanela("TRIVANTO.HLP", janela.contextoAjuda, boxes);
}

TEST_P(JanelasComNomes, BotoesNaOrdemDeTabulacao)
{
    const Janela& janela = GetParam();
    auto imagem = ImagemDoModelo();
    QString ordem;
    AbreEntrada(janela.abre, imagem, [&](TForm* w) { ordem = OrdemDosBotoes(w); });
    EXPECT_EQ(ordem, QString::fromLatin1(janela.botoes));
}

TEST_P(JanelasComNomes, CapturaSobreOModelo)
{
    const Janela& janela = GetParam();
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    auto imagem = ImagemDoModelo();
    const QString arquivo = QStringLiteral(TRIVANTO_TEST_OUT "/modulo_%1.png").arg(janela.entrada);
    AbreEntrada(janela.abre, imagem, [&](TForm* w) { EXPECT_TRUE(w->grab().save(arquivo)) << arquivo.toStdString(); });
    EXPECT_TRUE(QFile::exists(arquivo));
}

INSTANTIATE_TEST_SUITE_P(Janelas, JanelasComNomes, ::testing::Values(
    Janela{"CodigosParticulares", &CodigosParticulares, []() -> TForm* { return FormCodPart; },
           "Códigos particulares", 2400, "HelpBitBtn", "CancButton OkButton HelpBitBtn"},
    Janela{"AgendaColetiva", &AgendaColetiva, []() -> TForm* { return FormAgColet; }, "Agenda geral", 700,
           "HelpBitBtn", "OkButton CancButton HelpBitBtn"},
    Janela{"AgendasIndividuais", &AgendasIndividuais, []() -> TForm* { return FormAgIndiv; },
           "Agenda individual de ramal", 2500, "BitBtn1", "Button1 Button2 BitBtn1"},
    Janela{"TeclasTerminais", &TeclasTerminais, []() -> TForm* { return FormNTI; }, "Programação das teclas de TI",
           2700, "BitBtn1", "Button1 Button4 Button30 BitBtn1"}),
    PrintedName{});

} // namespace
