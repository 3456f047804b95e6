// Exchange password: three digits, each stored as its value (0 as 10); an
// empty field keeps the stored password; only digits get in.
#include "modules/entradas.h"
#include "platform/controls.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

struct CasoSenha {
    const char* digitado;
    int byte3830; // -1: the stored byte stays
    int byte3831;
};

class Senha : public ::testing::TestWithParam<CasoSenha> {};

TEST_P(Senha, OkGravaTresDigitosOuNadaComOCampoVazio)
{
    auto imagem = ImagemDeTeste();
    auto esperado = imagem;
    if (GetParam().byte3830 >= 0) {
        esperado[3830] = static_cast<std::uint8_t>(GetParam().byte3830);
        esperado[3831] = static_cast<std::uint8_t>(GetParam().byte3831);
    }
    AbreEntrada(&SenhaGeral, imagem, [&](TForm* w) {
        auto* senha = Find<TEdit>(w, "Senha");
        EXPECT_EQ(senha->Text(), "");
        for (QChar c : QString::fromLatin1(GetParam().digitado))
            Tecla(senha, Qt::Key_0 + (c.unicode() - '0'), QString(c));
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible() && w->ModalResult() == mrNone) << "Ok must close the window";
    });
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, Senha, ::testing::Values(
    CasoSenha{"105", 0x21, 0xA5},
    CasoSenha{"000", 0x2A, 0xAA},
    CasoSenha{"987", 0x29, 0x87},
    CasoSenha{"", -1, -1},
    CasoSenha{"1234", 0x21, 0x23})); // the fourth digit does not get in

TEST(SenhaRecusas, DoisDigitosMantemAJanelaAbertaComOFocoNaSenha)
{
    auto imagem = ImagemDeTeste();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&SenhaGeral, imagem, [&](TForm* w) {
        auto* senha = Find<TEdit>(w, "Senha");
        Tecla(senha, Qt::Key_4, "4");
        Tecla(senha, Qt::Key_2, "2");
        Click(w, "OkButton");
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Focado(w), "Senha");
    });
    EXPECT_EQ(boxes.Texts(), QStringList{"A senha deve possuir 3 dígitos."});
    EXPECT_EQ(boxes.calls[0].flags, 16);
    EXPECT_EQ(boxes.calls[0].caption, "Erro");
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

TEST(SenhaRecusas, LetraDigitadaOuColadaNaoEntra)
{
    auto imagem = ImagemDeTeste();
    auto esperado = imagem;
    esperado[3830] = 0x24;
    esperado[3831] = 0x56;
    ScriptedBoxes boxes;
    AbreEntrada(&SenhaGeral, imagem, [&](TForm* w) {
        auto* senha = Find<TEdit>(w, "Senha");
        Tecla(senha, Qt::Key_A, "a");
        EXPECT_EQ(senha->Text(), "");
        EXPECT_EQ(Focado(w), "Senha");
        QGuiApplication::clipboard()->setText("4x5");
        QKeyEvent colar(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, "\x16");
        QCoreApplication::sendEvent(senha, &colar);
        EXPECT_EQ(senha->Text(), "45");
        Tecla(senha, Qt::Key_6, "6");
        Click(w, "OkButton");
    });
    EXPECT_EQ(boxes.Texts(), (QStringList{"Somente números são permitdos.", "Somente números são permitdos."}));
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

TEST(SenhaRecusas, EscNaSenhaFechaSemMensagem)
{
    auto imagem = ImagemDeTeste();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&SenhaGeral, imagem, [&](TForm* w) {
        auto* senha = Find<TEdit>(w, "Senha");
        Tecla(senha, Qt::Key_1, "1");
        Tecla(senha, Qt::Key_Escape, "\x1b");
        QCoreApplication::processEvents();
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

// The typed password shows as "#", whatever the style's own character.
TEST(SenhaTela, DigitosAparecemComoCerquilha)
{
    ASSERT_TRUE(QDir().mkpath(TRIVANTO_TEST_OUT));
    const QString arquivo = QStringLiteral(TRIVANTO_TEST_OUT "/senha_geral.png");
    auto imagem = ImagemDeTeste();
    AbreEntrada(&SenhaGeral, imagem, [&](TForm* w) {
        auto* senha = Find<TEdit>(w, "Senha");
        input::Type(QStringLiteral("123"), senha);
        EXPECT_EQ(senha->Text(), "123");
        EXPECT_EQ(senha->displayText(), "###");
        EXPECT_TRUE(w->grab().save(arquivo)) << arquivo.toStdString();
    });
}

} // namespace
