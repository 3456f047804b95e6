// The group number of the two groups windows: the four stepping buttons and
// their enabling, a number outside 1..4 refused with the window's message,
// and what is being typed when a button is clicked (the buttons take no
// focus, so the window checks it first).
#include "modules/entradas.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/modules/passos.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct JanelaDeGrupos {
    const char* nome;
    TEntradaModulo abre;
    const char* foraDaFaixa;
    const char* campo;   // a member or place, empty in every group of the image below
    int ofsGravadoGrupo2; // where Ok writes what it holds in group 2 (members go to the front)
};

void PrintTo(const JanelaDeGrupos& janela, std::ostream* os)
{
    *os << janela.nome;
}

const JanelaDeGrupos kJanelas[] = {
    {"GruposDeRamais", &GruposDeRamais, "São permitidos grupos de 1 a 4", "ComboBox8", 3357},
    {"GruposChefeSecretaria", &GruposChefeSecretaria, "Os grupos vão de 1 a 4", "ComboBox2", 3383},
};

// No group has a member, a boss or a secretary.
std::vector<std::uint8_t> ImagemVazia()
{
    auto imagem = ImagemDoModelo();
    for (int g = 1; g <= 4; ++g)
        imagem[3340 + 8 * g] = 0; // programmed, hierarchical
    return imagem;
}

class NavegaGrupos : public ::testing::TestWithParam<JanelaDeGrupos> {};

// Each click, then the group in the edit and whether "previous" and "next"
// are enabled: each disables itself only when it would step past the end,
// and first and last disable the one that would.
TEST_P(NavegaGrupos, BotoesEHabilitacao)
{
    struct Passo {
        const char* botao;
        const char* grupo;
        bool anterior;
        bool proximo;
    };
    const Passo passos[] = {
        {"SpeedButton3", "2", true, true},  {"SpeedButton3", "3", true, true},  {"SpeedButton3", "4", true, true},
        {"SpeedButton3", "4", true, false}, {"SpeedButton2", "3", true, true},  {"SpeedButton1", "1", false, true},
        {"SpeedButton4", "4", true, false}, {"SpeedButton2", "3", true, true},  {"SpeedButton2", "2", true, true},
        {"SpeedButton2", "1", true, true},  {"SpeedButton2", "1", false, true}, {"SpeedButton3", "2", true, true},
    };
    auto imagem = ImagemVazia();
    ScriptedBoxes boxes;
    AbreEntrada(GetParam().abre, imagem, [&](TForm* w) {
        EXPECT_EQ(Find<TEdit>(w, "Edit1")->Text(), "1");
        for (const Passo& passo : passos) {
            DaUmPasso(w, passo.botao);
            SCOPED_TRACE(passo.botao);
            EXPECT_EQ(Find<TEdit>(w, "Edit1")->Text(), passo.grupo);
            EXPECT_EQ(Find(w, "SpeedButton2")->isEnabled(), passo.anterior);
            EXPECT_EQ(Find(w, "SpeedButton3")->isEnabled(), passo.proximo);
        }
    });
    EXPECT_TRUE(boxes.calls.empty());
}

TEST_P(NavegaGrupos, GrupoForaDe1a4VoltaAo1)
{
    for (const char* digitado : {"5", "0", "x"}) {
        auto imagem = ImagemVazia();
        ScriptedBoxes boxes;
        AbreEntrada(GetParam().abre, imagem, [&](TForm* w) {
            DaUmPasso(w, "Edit1=2");
            Digita(w, "Edit1", QString::fromLatin1(digitado));
            EXPECT_EQ(Find<TEdit>(w, "Edit1")->Text(), "1") << digitado;
        });
        EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8(GetParam().foraDaFaixa)}) << digitado;
    }
}

// A number typed and then a click on "next" is stored before the group
// changes; Ok then writes it.
TEST_P(NavegaGrupos, DigitadoEGuardadoAntesDeMudarDeGrupo)
{
    auto imagem = ImagemVazia();
    auto esperado = imagem;
    esperado[static_cast<size_t>(GetParam().ofsGravadoGrupo2)] = 7; // "27"
    ScriptedBoxes boxes;
    AbreEntrada(GetParam().abre, imagem, [&](TForm* w) {
        const QByteArray passo = QByteArray(GetParam().campo) + "=27";
        DaPassos(w, {"SpeedButton3", passo.constData(), "SpeedButton3"});
        EXPECT_EQ(Find<TEdit>(w, "Edit1")->Text(), "3");
        DaUmPasso(w, "SpeedButton2");
        EXPECT_EQ(Find<TComboBox>(w, GetParam().campo)->Text().trimmed(), "27");
        PressionaOk(w, TComoOk::Atalho);
    });
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

// A text that would be refused on leaving keeps the group shown, with the
// message and the focus on it.
TEST_P(NavegaGrupos, RecusadoNaoMudaDeGrupo)
{
    auto imagem = ImagemVazia();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(GetParam().abre, imagem, [&](TForm* w) {
        const QByteArray passo = QByteArray(GetParam().campo) + "=35";
        DaPassos(w, {"SpeedButton3", passo.constData(), "SpeedButton3"});
        input::Settle();
        EXPECT_EQ(Find<TEdit>(w, "Edit1")->Text(), "2");
        EXPECT_EQ(Focado(w), GetParam().campo);
    });
    EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8("Este ramal não é um ramal válido")});
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Janelas, NavegaGrupos, ::testing::ValuesIn(kJanelas),
                         [](const auto& linha) { return std::string(linha.param.nome); });

} // namespace
