// Night service: exit and entry times typed in the grid are stored each
// column sorted on its own, the empty time last; records the grid does not
// show are emptied; the activation follows the radio buttons, but only with
// an exit time; a bad time stops the Ok with nothing written.
#include "image/layout.h"
#include "modules/entradas.h"
#include "platform/controls.h"
#include "tests/modules/horariosteste.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

namespace {

constexpr std::uint8_t S = kSemHorario;

struct Digitado {
    int coluna;
    int linha;
    const char* digitos; // empty: the cell is cleared
};

using Horarios = std::array<std::uint8_t, 48>;

// An image whose schedule is given, the rest as the test image has it.
std::vector<std::uint8_t> ImagemComNoturno(const Horarios& horarios, std::uint8_t ativacao)
{
    auto imagem = ImagemDeTeste();
    std::copy(horarios.begin(), horarios.end(), imagem.begin() + ofsHorariosNoturno);
    imagem[ofsAtivacaoNoturno] = ativacao;
    return imagem;
}

// Records 1..12 from [exit hour, exit minute, entry hour, entry minute] rows.
Horarios Registros(std::initializer_list<std::array<std::uint8_t, 4>> linhas)
{
    Horarios h;
    h.fill(S);
    int i = 0;
    for (const auto& linha : linhas)
        for (std::uint8_t b : linha)
            h[i++] = b;
    return h;
}

void Digita(TStringGrid* grade, const std::vector<Digitado>& celulas)
{
    for (const Digitado& c : celulas)
        DigitaOuApagaHorario(grade, c.coluna, c.linha, c.digitos);
}

struct CasoOk {
    const char* caso;
    Horarios antes;
    std::uint8_t ativacaoAntes;
    std::vector<Digitado> celulas;
    const char* radio; // clicked before Ok; null: none
    Horarios depois;
    std::uint8_t ativacaoDepois;
};

void PrintTo(const CasoOk& caso, std::ostream* os)
{
    *os << caso.caso;
}

class NoturnoOk : public ::testing::TestWithParam<CasoOk> {};

TEST_P(NoturnoOk, GravaOsHorariosOrdenadosEAAtivacao)
{
    const CasoOk& caso = GetParam();
    auto imagem = ImagemComNoturno(caso.antes, caso.ativacaoAntes);
    auto esperado = imagem;
    std::copy(caso.depois.begin(), caso.depois.end(), esperado.begin() + ofsHorariosNoturno);
    esperado[ofsAtivacaoNoturno] = caso.ativacaoDepois;
    ScriptedBoxes boxes;
    AbreEntrada(&NoturnoAutomatico, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        Digita(grade, caso.celulas);
        if (caso.radio)
            Click(w, caso.radio);
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, NoturnoOk, ::testing::Values(
    // A pair typed on one row can end on two rows: each column is sorted alone.
    CasoOk{"SaidasEEntradasOrdenadasCadaUmaPorSi", Registros({}), 0x00,
           {{1, 1, "1800"}, {2, 1, "0700"}, {1, 3, "0730"}, {2, 3, "2200"}, {1, 6, "0000"}}, "RadioButton2",
           Registros({{0, 0, 7, 0}, {7, 30, 22, 0}, {18, 0, S, S}}), 0x30},
    CasoOk{"TodosOsDiasGuardaSoOBit5", Registros({{8, 0, 18, 0}}), 0xC3, {}, "RadioButton3",
           Registros({{8, 0, 18, 0}}), 0xE3},
    CasoOk{"NaoAtivaLimpaOsBits", Registros({{8, 0, 18, 0}}), 0xFF, {}, "RadioButton1", Registros({{8, 0, 18, 0}}),
           0xCF},
    CasoOk{"SemMexerMantemAAtivacao", Registros({{8, 0, 18, 0}}), 0x10 | 0x01, {}, nullptr,
           Registros({{8, 0, 18, 0}}), 0x31},
    // An activation chosen with no exit time is stored as not active.
    CasoOk{"AtivaSemSaidaFicaNaoAtiva", Registros({{S, S, 18, 0}}), 0x00, {{2, 2, "0600"}}, "RadioButton3",
           Registros({{S, S, 6, 0}, {S, S, 18, 0}}), 0x00},
    // The grid shows records 1..6; the others are always emptied.
    CasoOk{"Registros7a12Esvaziados",
           Registros({{1, 0, 2, 0}, {3, 0, 4, 0}, {5, 0, 6, 0}, {7, 0, 8, 0}, {9, 0, 10, 0}, {11, 0, 12, 0},
                      {13, 0, 14, 0}, {15, 0, 16, 0}, {17, 0, 18, 0}, {19, 0, 20, 0}, {21, 0, 22, 0}, {23, 0, 23, 59}}),
           0x30, {}, nullptr,
           Registros({{1, 0, 2, 0}, {3, 0, 4, 0}, {5, 0, 6, 0}, {7, 0, 8, 0}, {9, 0, 10, 0}, {11, 0, 12, 0}}), 0x30},
    // A cleared cell is no time, and a valid one.
    CasoOk{"CelulaApagadaEVazia", Registros({{6, 15, 19, 45}, {7, 0, 20, 0}}), 0x20, {{1, 1, ""}, {2, 2, ""}},
           nullptr, Registros({{7, 0, 19, 45}}), 0x20},
    CasoOk{"DigitadoPorCimaDeUmHorario", Registros({{6, 15, 19, 45}}), 0x00, {{1, 1, "2359"}}, "RadioButton2",
           Registros({{23, 59, 19, 45}}), 0x30}),
    PrintedName{});

TEST(Noturno, MostraOsRegistrosEOBotaoDaAtivacao)
{
    struct Caso {
        std::uint8_t byte;
        const char* marcado;
    };
    // Both bits set read as working days.
    const Caso casos[] = {{0x00, "RadioButton1"}, {0xCF, "RadioButton1"}, {0x10, "RadioButton2"},
                          {0x20, "RadioButton3"}, {0x30, "RadioButton2"}};
    for (const Caso& caso : casos) {
        auto imagem = ImagemComNoturno(Registros({{22, 5, 6, 30}, {S, S, 7, 0}}), caso.byte);
        AbreEntrada(&NoturnoAutomatico, imagem, [&](TForm* w) {
            auto* grade = Find<TStringGrid>(w, "StringGrid1");
            EXPECT_EQ(grade->RowCount(), 7);
            EXPECT_EQ(grade->Cells(0, 0), "  Num.");
            EXPECT_EQ(grade->Cells(1, 0), "  Saída");
            EXPECT_EQ(grade->Cells(2, 0), " Entrada");
            EXPECT_EQ(grade->Cells(0, 1), "   01");
            EXPECT_EQ(grade->Cells(0, 6), "   06");
            EXPECT_EQ(grade->Cells(1, 1), "  22:05");
            EXPECT_EQ(grade->Cells(2, 1), "  06:30");
            EXPECT_EQ(grade->Cells(1, 2), "  __:__");
            EXPECT_EQ(grade->Cells(2, 6), "  __:__");
            EXPECT_EQ(grade->Col(), 1);
            EXPECT_EQ(grade->Row(), 1);
            EXPECT_TRUE(grade->EditorMode());
            for (const char* radio : {"RadioButton1", "RadioButton2", "RadioButton3"})
                EXPECT_EQ(Find<TRadioButton>(w, radio)->Checked(), QLatin1String(radio) == caso.marcado)
                    << int(caso.byte) << " " << radio;
        });
    }
}

TEST(Noturno, CelulaApagadaVoltaAMostrarOVazio)
{
    auto imagem = ImagemComNoturno(Registros({{6, 15, 19, 45}}), 0);
    AbreEntrada(&NoturnoAutomatico, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        ApagaHorario(grade, 2, 1);
        DesenhaGrade(grade);
        EXPECT_EQ(grade->Cells(2, 1), "  __:__");
    });
}

struct CasoRecusa {
    const char* caso;
    std::vector<Digitado> celulas;
    const char* mensagem;
    int coluna;
    int linha;
};

void PrintTo(const CasoRecusa& caso, std::ostream* os)
{
    *os << caso.caso;
}

class NoturnoRecusa : public ::testing::TestWithParam<CasoRecusa> {};

TEST_P(NoturnoRecusa, MensagemCursorNaCelulaENadaGravado)
{
    const CasoRecusa& caso = GetParam();
    auto imagem = ImagemComNoturno(Registros({{6, 15, 19, 45}}), 0x10);
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&NoturnoAutomatico, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        Digita(grade, caso.celulas);
        Click(w, "RadioButton3");
        Click(w, "OkButton");
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(grade->Col(), caso.coluna);
        EXPECT_EQ(grade->Row(), caso.linha);
        EXPECT_TRUE(grade->hasFocus() || grade->InplaceEditor()->hasFocus()) << Focado(w).toStdString();
    });
    ConfereUmErro(boxes, QString::fromUtf8(caso.mensagem));
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, NoturnoRecusa, ::testing::Values(
    CasoRecusa{"SaidaHora24", {{1, 2, "2400"}}, "Horário de saída está incorreto.", 1, 2},
    CasoRecusa{"SaidaMinuto60", {{1, 5, "1260"}}, "Horário de saída está incorreto.", 1, 5},
    CasoRecusa{"EntradaIncompleta", {{2, 3, "07"}}, "Horário de entrada está incorreto.", 2, 3},
    // Rows are read in order, exit before entry.
    CasoRecusa{"PrimeiraFalhaPrimeiro", {{1, 4, "9999"}, {2, 2, "3000"}}, "Horário de entrada está incorreto.", 2, 2},
    CasoRecusa{"SaidaAntesDaEntradaNaMesmaLinha", {{2, 6, "2500"}, {1, 6, "2500"}},
               "Horário de saída está incorreto.", 1, 6}),
    PrintedName{});

} // namespace
