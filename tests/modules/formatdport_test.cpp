// Door-phone answering: the answering extension or group as the window shows
// it, typed fields stored in their bytes, every value outside what the
// window offers refused with nothing written, and "Padrão".
#include "modules/entradas.h"
#include "platform/controls.h"
#include "platform/maskedit.h"
#include "tests/modules/campos.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/usuario.h"

#include <gtest/gtest.h>

#include <tuple>

#include <ostream>

namespace {

constexpr int kAtendedor = 3443;
constexpr int kFlagsNumero = 3444;
constexpr int kContagem = 3445;
constexpr int kDigitos = 3446;
constexpr int kComando = 3456;
constexpr int kEspera = 3457;
constexpr int kTipoGrupo1 = 3348; // type byte of group g at 3340 + 8g

// The test image with groups 2 and 4 programmed (1 and 3 switched off) and
// door-phone fields that all pass: extension 22, number 3215 on route 2,
// command 2 s, wait 45 s.
std::vector<std::uint8_t> ImagemPorteiro()
{
    auto imagem = ImagemDeTeste();
    const std::uint8_t tipos[] = {0x40, 0x00, 0x40, 0x05};
    for (int g = 0; g < 4; ++g)
        imagem[kTipoGrupo1 + 8 * g] = tipos[g];
    imagem[kAtendedor] = 0x02;
    const std::uint8_t numero[] = {0x00, 0x44, 0x32, 0x15, 0, 0, 0, 0, 0, 0, 0, 0};
    std::copy(std::begin(numero), std::end(numero), imagem.begin() + kFlagsNumero);
    imagem[kComando] = 100;
    imagem[kEspera] = 45;
    return imagem;
}

QString Texto(TForm* w, const char* nome)
{
    if (auto* combo = Find<TComboBox>(w, nome))
        return combo->Text();
    return Find<TMaskEdit>(w, nome)->Text();
}

TEST(AtdPort, MostraOsCamposEAListaSemO9EO60)
{
    auto imagem = ImagemPorteiro();
    AbreEntrada(&AtendedoresDePorteiros, imagem, [&](TForm* w) {
        EXPECT_EQ(Texto(w, "ComboBox1"), "22");
        EXPECT_EQ(Texto(w, "ComboBox2"), "2");
        EXPECT_EQ(Texto(w, "ComboBox3"), "45");
        EXPECT_EQ(Texto(w, "MaskEdit1").trimmed(), "3215");
        EXPECT_EQ(Texto(w, "ComboBox4"), "2");
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox1")->Items().ToStringList(),
                  (QStringList{"     ", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31", "62",
                               "64"}));
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox2")->Items().ToStringList(), (QStringList{"1", "2", "3", "4", "5"}));
        const QStringList espera = Find<TComboBox>(w, "ComboBox3")->Items().ToStringList();
        EXPECT_EQ(espera.size(), 76);
        EXPECT_EQ(espera.front(), "15");
        EXPECT_EQ(espera.back(), "90");
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox4")->Items().ToStringList(), (QStringList{" ", "0", "1", "2", "3", "4"}));
        EXPECT_EQ(Focado(w), "ComboBox1");
    });
}

struct Exibicao {
    const char* caso;
    std::uint8_t atendedor;
    std::uint8_t contagem; // count byte of the external number
    const char* ramal;     // ComboBox1, trimmed
    const char* rota;      // ComboBox4
};

void PrintTo(const Exibicao& caso, std::ostream* os)
{
    *os << caso.caso;
}

class AtdPortMostra : public ::testing::TestWithParam<Exibicao> {};

TEST_P(AtdPortMostra, AtendedorERotaComoAJanelaMostra)
{
    const Exibicao& caso = GetParam();
    auto imagem = ImagemPorteiro();
    imagem[kAtendedor] = caso.atendedor;
    imagem[kContagem] = caso.contagem;
    AbreEntrada(&AtendedoresDePorteiros, imagem, [&](TForm* w) {
        EXPECT_EQ(Texto(w, "ComboBox1").trimmed(), caso.ramal);
        EXPECT_EQ(Texto(w, "ComboBox4"), caso.rota);
    });
}

INSTANTIATE_TEST_SUITE_P(Casos, AtdPortMostra, ::testing::Values(
    Exibicao{"SemAtendedor", 0xBB, 0x44, "", "2"},
    Exibicao{"Codigo79", 0x79, 0x44, "", "2"},
    Exibicao{"Codigo7A", 0x7A, 0x44, "", "2"},
    Exibicao{"UltimaPosicao", 0x0B, 0x44, "31", "2"},
    Exibicao{"Grupo0", 0x70, 0x44, "60", "2"},
    Exibicao{"GrupoDesligadoEmBranco", 0x71, 0x44, "", "2"},
    Exibicao{"GrupoProgramado", 0x72, 0x44, "62", "2"},
    Exibicao{"Rota0", 0x02, 0x04, "22", "0"},
    Exibicao{"RotaSemDigitosNaoAparece", 0x02, 0x40, "22", ""}),
    [](const auto& linha) { return std::string(linha.param.caso); });

struct Digitacao {
    const char* caso;
    const char* ramal;
    const char* comando;
    const char* espera;
    const char* numero;
    const char* rota;
    std::uint8_t atendedor;
    std::vector<std::uint8_t> registro; // flags, count and digit bytes as far as they are not zero
    std::uint8_t tiques;
    std::uint8_t segundos;
};

void PrintTo(const Digitacao& caso, std::ostream* os)
{
    *os << caso.caso;
}

class AtdPortGrava : public ::testing::TestWithParam<Digitacao> {};

TEST_P(AtdPortGrava, CamposDigitadosNosSeusBytes)
{
    const Digitacao& caso = GetParam();
    auto imagem = ImagemPorteiro();
    imagem[kFlagsNumero] = 0x5C; // the flags byte is written as 0
    auto esperado = imagem;
    esperado[kAtendedor] = caso.atendedor;
    std::fill(esperado.begin() + kFlagsNumero, esperado.begin() + kComando, std::uint8_t{0});
    std::copy(caso.registro.begin(), caso.registro.end(), esperado.begin() + kFlagsNumero);
    esperado[kComando] = caso.tiques;
    esperado[kEspera] = caso.segundos;
    ScriptedBoxes boxes;
    AbreEntrada(&AtendedoresDePorteiros, imagem, [&](TForm* w) {
        DigitaNoCampo(Find<QWidget>(w, "ComboBox1"), QString::fromLatin1(caso.ramal));
        DigitaNoCampo(Find<QWidget>(w, "ComboBox2"), QString::fromLatin1(caso.comando));
        DigitaNoCampo(Find<QWidget>(w, "ComboBox3"), QString::fromLatin1(caso.espera));
        DigitaNoCampo(Find<QWidget>(w, "MaskEdit1"), QString::fromLatin1(caso.numero));
        DigitaNoCampo(Find<QWidget>(w, "ComboBox4"), QString::fromLatin1(caso.rota));
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, AtdPortGrava, ::testing::Values(
    Digitacao{"RamalDaLista", "25", "5", "90", "0800123", "3", 0x05, {0, 0x67, 0xA8, 0xAA, 0x12, 0x30}, 250, 90},
    Digitacao{"MenoresValores", "20", "1", "15", "9", "0", 0x00, {0, 0x01, 0x90}, 50, 15},
    Digitacao{"GrupoProgramado", "64", "3", "30", "", "", 0x74, {}, 150, 30},
    Digitacao{"Grupo0", "60", "4", "60", "12", "1", 0x70, {0, 0x22, 0x12}, 200, 60},
    Digitacao{"SemAtendedor", "", "2", "45", "3215", "", 0xBB, {0, 0x04, 0x32, 0x15}, 100, 45},
    // A route with no digits keeps only the route bits.
    Digitacao{"RotaSemNumero", "31", "2", "45", "", "2", 0x0B, {0, 0x40}, 100, 45},
    Digitacao{"VinteDigitos", "22", "2", "45", "12345678901234567890", "4", 0x02,
              {0, 0x94, 0x12, 0x34, 0x56, 0x78, 0x9A, 0x12, 0x34, 0x56, 0x78, 0x9A}, 100, 45}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// A route stored without digits is not shown again, so Ok then stores the
// count byte without it.
TEST(AtdPort, RotaSemNumeroNaoVoltaAoReabrir)
{
    auto imagem = ImagemPorteiro();
    std::fill(imagem.begin() + kContagem, imagem.begin() + kComando, std::uint8_t{0});
    imagem[kContagem] = 0x40;
    AbreEntrada(&AtendedoresDePorteiros, imagem, [&](TForm* w) {
        EXPECT_EQ(Texto(w, "ComboBox4"), "");
        EXPECT_EQ(Texto(w, "MaskEdit1").trimmed(), "");
        Click(w, "OkButton");
    });
    EXPECT_EQ(imagem[kContagem], 0x00);
}

// Stored values the user never touches go back through Ok as they are,
// however Ok is pressed, even those a typed text could not name: routes 5 to
// 7, group codes beyond the four groups, times off the lists.
struct Guardado {
    const char* caso;
    std::uint8_t atendedor;
    std::uint8_t contagem; // digit count (4) and route
    std::uint8_t comando;
    std::uint8_t espera;
};

void PrintTo(const Guardado& caso, std::ostream* os)
{
    *os << caso.caso;
}

class AtdPortGuardado : public ::testing::TestWithParam<std::tuple<Guardado, TComoOk>> {};

TEST_P(AtdPortGuardado, ValoresIntocadosVoltamIguais)
{
    const auto& [caso, como] = GetParam();
    auto imagem = ImagemPorteiro();
    imagem[kAtendedor] = caso.atendedor;
    imagem[kContagem] = caso.contagem;
    imagem[kComando] = caso.comando;
    imagem[kEspera] = caso.espera;
    const auto antes = imagem;
    ScriptedBoxes boxes;
    bool fechou = false;
    AbreEntrada(&AtendedoresDePorteiros, imagem, [&](TForm* w) {
        // Through every field without typing.
        for (int i = 0; i < 5; ++i)
            input::Key(Qt::Key_Tab);
        input::Settle();
        PressionaOk(w, como);
        fechou = !w->isVisible();
    });
    EXPECT_TRUE(fechou);
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, AtdPortGuardado, ::testing::Combine(::testing::Values(
    Guardado{"Rota5", 0x02, 0xA4, 100, 45},
    Guardado{"Rota7", 0x02, 0xE4, 100, 45},
    Guardado{"Referencia7B", 0x7B, 0x44, 100, 45},
    Guardado{"Referencia7F", 0x7F, 0x44, 100, 45},
    Guardado{"ReferenciaF0", 0xF0, 0x44, 100, 45},
    Guardado{"ReferenciaFF", 0xFF, 0x44, 100, 45},
    Guardado{"TemposForaDasListas", 0x02, 0x44, 75, 100}), ::testing::Values(TComoOk::Mouse, TComoOk::Atalho)),
    [](const auto& linha) {
        return std::string(std::get<0>(linha.param).caso) + NomeComoOk(std::get<1>(linha.param));
    });

struct Recusado {
    const char* caso;
    const char* campo;
    const char* texto;
    const char* mensagem;
    bool atalho = false; // Ok by its accelerator, the focus left in the field
};

void PrintTo(const Recusado& caso, std::ostream* os)
{
    *os << caso.caso;
}

class AtdPortRecusa : public ::testing::TestWithParam<Recusado> {};

TEST_P(AtdPortRecusa, MensagemFocoNoCampoENadaGravado)
{
    const Recusado& caso = GetParam();
    auto imagem = ImagemPorteiro();
    GravaU16(imagem.data() + OffsetPalavraRamal(5), TextoParaPalavraRamal("45"));
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&AtendedoresDePorteiros, imagem, [&](TForm* w) {
        DigitaNoCampo(Find<QWidget>(w, caso.campo), QString::fromLatin1(caso.texto));
        if (caso.atalho)
            input::Accelerator('k');
        else
            Click(w, "OkButton");
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Focado(w), caso.campo);
        EXPECT_EQ(Texto(w, caso.campo), caso.texto); // what the user typed stays to be mended
    });
    ConfereUmErro(boxes, QString::fromUtf8(caso.mensagem));
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, AtdPortRecusa, ::testing::Values(
    // Leaving the field: a number the plan does not hold.
    Recusado{"RamalForaDoPlanoAoSair", "ComboBox1", "35", "Ramal não existe."},
    Recusado{"NumeroQualquerAoSair", "ComboBox1", "7", "Ramal não existe."},
    // Ok without leaving the field, and texts that pass on leaving it.
    Recusado{"RamalForaDoPlanoPeloAtalho", "ComboBox1", "35", "Este ramal não é um ramal válido", true},
    Recusado{"RamalQueNaoComecaCom2Ou3", "ComboBox1", "45", "O ramal não pode ser iniciado por '4' ."},
    Recusado{"GrupoDesligado", "ComboBox1", "61", "O grupo deve estar programado"},
    Recusado{"GrupoInexistente", "ComboBox1", "65", "O grupo deve estar programado"},
    Recusado{"GrupoDeUmDigito", "ComboBox1", "6", "O grupo deve ter 2 dígitos"},
    Recusado{"GrupoDeTresDigitos", "ComboBox1", "612", "O grupo deve ter 2 dígitos"},
    Recusado{"GrupoComLetra", "ComboBox1", "6a", "Apenas números podem ser digitados para ramais"},
    Recusado{"ComandoAcimaDaLista", "ComboBox2", "6", "Tempo de comando deve ser de 1 a 5 segundos."},
    Recusado{"ComandoZero", "ComboBox2", "0", "Tempo de comando deve ser de 1 a 5 segundos."},
    Recusado{"ComandoVazio", "ComboBox2", "", "Tempo de comando deve ser de 1 a 5 segundos."},
    Recusado{"ComandoLetra", "ComboBox2", "x", "Tempo de comando deve ser de 1 a 5 segundos."},
    Recusado{"EsperaAbaixoDaLista", "ComboBox3", "14", "Tempo de espera deve ser de 15 a 90 segundos."},
    Recusado{"EsperaAcimaDaLista", "ComboBox3", "91", "Tempo de espera deve ser de 15 a 90 segundos."},
    Recusado{"EsperaVazia", "ComboBox3", "", "Tempo de espera deve ser de 15 a 90 segundos."},
    Recusado{"RotaAcimaDaLista", "ComboBox4", "5", "Rota deve ser de 0 a 4."},
    Recusado{"RotaQueNaoCabe", "ComboBox4", "9", "Rota deve ser de 0 a 4."},
    Recusado{"RotaLetra", "ComboBox4", "a", "Rota deve ser de 0 a 4."}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// Leaving the answering field with a number of the plan, a group or nothing
// goes on to the next field without a word.
TEST(AtdPort, SairDoRamalComValorAceitoVaiAoProximoCampo)
{
    for (const char* texto : {"27", "61", "6", ""}) {
        auto imagem = ImagemPorteiro();
        ScriptedBoxes boxes;
        AbreEntrada(&AtendedoresDePorteiros, imagem, [&](TForm* w) {
            DigitaNoCampo(Find<QWidget>(w, "ComboBox1"), QString::fromLatin1(texto));
            input::Key(Qt::Key_Tab);
            EXPECT_EQ(Focado(w), "ComboBox2") << texto;
        });
        EXPECT_TRUE(boxes.calls.empty()) << texto;
    }
}

// Esc leaves through Cancel even with a number the plan does not hold in the
// answering field: no message, nothing written.
TEST(AtdPort, EscComRamalInvalidoFechaSemGravar)
{
    auto imagem = ImagemPorteiro();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&AtendedoresDePorteiros, imagem, [&](TForm* w) {
        DigitaNoCampo(Find<QWidget>(w, "ComboBox1"), "35");
        input::Key(Qt::Key_Escape);
        input::Settle();
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

struct PadraoPorteiro {
    const char* caso;
    int resposta;
    bool aplica;
};

void PrintTo(const PadraoPorteiro& caso, std::ostream* os)
{
    *os << caso.caso;
}

class AtdPortPadrao : public ::testing::TestWithParam<PadraoPorteiro> {};

TEST_P(AtdPortPadrao, SimMostraOsValoresDeFabricaNaoMantem)
{
    const PadraoPorteiro& caso = GetParam();
    auto imagem = ImagemPorteiro();
    auto esperado = imagem;
    if (caso.aplica) {
        esperado[kAtendedor] = 0xBB;
        std::fill(esperado.begin() + kFlagsNumero, esperado.begin() + kComando, std::uint8_t{0});
        esperado[kComando] = 50;
        esperado[kEspera] = 30;
    }
    ScriptedBoxes boxes({caso.resposta});
    AbreEntrada(&AtendedoresDePorteiros, imagem, [&](TForm* w) {
        Click(w, "PadButton");
        if (caso.aplica) {
            EXPECT_EQ(Texto(w, "ComboBox1").trimmed(), "");
            EXPECT_EQ(Texto(w, "ComboBox2"), "1");
            EXPECT_EQ(Texto(w, "ComboBox3"), "30");
            EXPECT_EQ(Texto(w, "MaskEdit1").trimmed(), "");
            EXPECT_EQ(Texto(w, "ComboBox4"), "");
        }
        Click(w, "OkButton");
    });
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, QString::fromUtf8("Deseja mesmo aplicar o padrão ?"));
    EXPECT_EQ(boxes.calls[0].caption, "Confirma");
    EXPECT_EQ(boxes.calls[0].flags, 36);
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Respostas, AtdPortPadrao, ::testing::Values(
    PadraoPorteiro{"Sim", IDYES, true},
    PadraoPorteiro{"Nao", IDNO, false}),
    [](const auto& linha) { return std::string(linha.param.caso); });

} // namespace
