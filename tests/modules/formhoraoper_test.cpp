// Carrier time bands: a row per hour, carrier codes typed into the grid and
// stored as nibbles, the check that stops Ok on the first bad code, and
// "Padrão" for every hour or the current one.
#include "modules/entradas.h"
#include "platform/grids.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/usuario.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

constexpr int kTabela1 = 6559; // hour 0 of table 1
constexpr int kTabela2 = 6583; // hour 0 of table 2

// The test image with a carrier in every hour of both tables.
std::vector<std::uint8_t> ImagemComOperadoras()
{
    auto imagem = ImagemDeTeste();
    for (int h = 0; h < 24; ++h) {
        imagem[kTabela1 + h] = 0x21;
        imagem[kTabela2 + h] = 0x3A;
    }
    return imagem;
}

TEST(HoraOper, UmaLinhaPorHoraComOsCodigosDasDuasTabelas)
{
    auto imagem = ImagemComOperadoras();
    imagem[kTabela1 + 0] = 0xAA;
    imagem[kTabela2 + 0] = 0xA5;
    imagem[kTabela1 + 23] = 0x5A;
    imagem[kTabela2 + 23] = 0xAA;
    AbreEntrada(&HorariosOperadoras, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        EXPECT_EQ(grade->RowCount(), 24);
        EXPECT_EQ(grade->Rows(0), (QStringList{"  00:00 - 00:59", "      ", "    05"}));
        EXPECT_EQ(grade->Rows(9), (QStringList{"  09:00 - 09:59", "    21", "    30"}));
        EXPECT_EQ(grade->Rows(23), (QStringList{"  23:00 - 23:59", "    50", "      "}));
        EXPECT_EQ(grade->Col(), 1);
        EXPECT_EQ(grade->Row(), 0);
        EXPECT_EQ(Focado(w), "StringGrid1");
    });
}

struct CodigoDigitado {
    const char* caso;
    int coluna;
    int hora;
    const char* texto; // typed over the cell's code
    std::uint8_t codigo;
};

void PrintTo(const CodigoDigitado& caso, std::ostream* os)
{
    *os << caso.caso;
}

class HoraOperGrava : public ::testing::TestWithParam<CodigoDigitado> {};

TEST_P(HoraOperGrava, CodigoDigitadoGravadoNaHoraDaTabela)
{
    const CodigoDigitado& caso = GetParam();
    auto imagem = ImagemComOperadoras();
    auto esperado = imagem;
    esperado[(caso.coluna == 1 ? kTabela1 : kTabela2) + caso.hora] = caso.codigo;
    ScriptedBoxes boxes;
    AbreEntrada(&HorariosOperadoras, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        DigitaNaCelula(grade, caso.coluna, caso.hora, QString::fromLatin1(caso.texto));
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, HoraOperGrava, ::testing::Values(
    CodigoDigitado{"UmDigitoGanhaZeroNaFrente", 1, 3, "5", 0xA5},
    CodigoDigitado{"ZeroNoFimVira0xA", 2, 4, "50", 0x5A},
    CodigoDigitado{"DoisDigitos", 1, 23, "47", 0x47},
    CodigoDigitado{"ZeroNaFrente", 2, 0, "09", 0xA9},
    // Delete, then the digits' places blanked: no carrier.
    CodigoDigitado{"CelulaApagadaSemOperadora", 1, 12, "\b\b", 0xAA}),
    [](const auto& linha) { return std::string(linha.param.caso); });

struct CodigoRecusado {
    const char* caso;
    std::vector<std::tuple<int, int, const char*>> celulas; // column, hour, text typed
    int coluna; // the cell the cursor goes back to
    int hora;
};

void PrintTo(const CodigoRecusado& caso, std::ostream* os)
{
    *os << caso.caso;
}

class HoraOperRecusa : public ::testing::TestWithParam<CodigoRecusado> {};

TEST_P(HoraOperRecusa, MensagemCursorNaCelulaENadaGravado)
{
    const CodigoRecusado& caso = GetParam();
    auto imagem = ImagemComOperadoras();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&HorariosOperadoras, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        for (const auto& [coluna, hora, texto] : caso.celulas)
            DigitaNaCelula(grade, coluna, hora, QString::fromLatin1(texto));
        Click(w, "OkButton");
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(FocoNaGrade(grade));
        EXPECT_EQ(grade->Col(), caso.coluna);
        EXPECT_EQ(grade->Row(), caso.hora);
    });
    ConfereUmErro(boxes, QString::fromUtf8("Código da operadora está incorreto."));
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, HoraOperRecusa, ::testing::Values(
    CodigoRecusado{"DuploZero", {{1, 6, "00"}}, 1, 6},
    CodigoRecusado{"ZeroSozinho", {{2, 0, "0"}}, 2, 0},
    CodigoRecusado{"PrimeiraHoraComErroPrimeiro", {{2, 20, "00"}, {1, 8, "0"}}, 1, 8},
    CodigoRecusado{"NaHoraTabela1AntesDaTabela2", {{2, 15, "00"}, {1, 15, "00"}}, 1, 15}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// An emptied cell is stored as no carrier and shows blank when the window
// opens again.
TEST(HoraOper, CelulaVaziaVoltaEmBranco)
{
    auto imagem = ImagemComOperadoras();
    AbreEntrada(&HorariosOperadoras, imagem, [&](TForm* w) {
        DigitaNaCelula(Find<TStringGrid>(w, "StringGrid1"), 2, 10, "\b\b");
        Click(w, "OkButton");
    });
    EXPECT_EQ(imagem[kTabela2 + 10], 0xAA);
    AbreEntrada(&HorariosOperadoras, imagem, [&](TForm* w) {
        EXPECT_EQ(Find<TStringGrid>(w, "StringGrid1")->Cells(2, 10), "      ");
    });
}

struct PadraoHora {
    const char* caso;
    int resposta;
    bool todas;  // every hour emptied; else only the current one
    bool limpa;  // the current hour emptied
    int hora;    // the cursor afterwards
};

void PrintTo(const PadraoHora& caso, std::ostream* os)
{
    *os << caso.caso;
}

class HoraOperPadrao : public ::testing::TestWithParam<PadraoHora> {};

TEST_P(HoraOperPadrao, TodosOsHorariosOuSoOAtual)
{
    const PadraoHora& caso = GetParam();
    auto imagem = ImagemComOperadoras();
    auto esperado = imagem;
    esperado[kTabela1 + 14] = 0x77;
    for (int h = 0; h < 24; ++h)
        if (caso.todas || (caso.limpa && h == 14)) {
            esperado[kTabela1 + h] = 0xAA;
            esperado[kTabela2 + h] = 0xAA;
        }
    ScriptedBoxes boxes({caso.resposta});
    AbreEntrada(&HorariosOperadoras, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        DigitaNaCelula(grade, 1, 14, "77");
        Click(w, "Button1");
        input::Settle();
        EXPECT_TRUE(FocoNaGrade(grade));
        EXPECT_EQ(grade->Row(), caso.hora);
        EXPECT_EQ(grade->Col(), 1);
        Click(w, "OkButton");
    });
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, QString::fromUtf8("Aplicar o padrão a todos os horários ?"));
    EXPECT_EQ(boxes.calls[0].caption, QString::fromUtf8("Atenção"));
    EXPECT_EQ(boxes.calls[0].flags, 35);
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Respostas, HoraOperPadrao, ::testing::Values(
    PadraoHora{"Sim", IDYES, true, true, 0},
    PadraoHora{"Nao", IDNO, false, true, 14},
    PadraoHora{"Cancela", IDCANCEL, false, false, 14}),
    [](const auto& linha) { return std::string(linha.param.caso); });

} // namespace
