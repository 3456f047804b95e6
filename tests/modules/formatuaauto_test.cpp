// External actuation: the twelve times are stored ascending with the empty
// ones last, the activation follows the radio buttons but only with some
// time stored, and a bad time stops the Ok with nothing written.
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
using Horarios = std::array<std::uint8_t, 24>;

Horarios Lista(std::initializer_list<std::array<std::uint8_t, 2>> horarios)
{
    Horarios h;
    h.fill(S);
    int i = 0;
    for (const auto& horario : horarios) {
        h[i++] = horario[0];
        h[i++] = horario[1];
    }
    return h;
}

std::vector<std::uint8_t> ImagemComAtuacao(const Horarios& horarios, std::uint8_t ativacao)
{
    auto imagem = ImagemDeTeste();
    std::copy(horarios.begin(), horarios.end(), imagem.begin() + ofsHorariosAtuacao);
    imagem[ofsAtivacaoAtuacao] = ativacao;
    return imagem;
}

struct Digitado {
    int linha;
    const char* digitos; // empty: the cell is cleared
};

void Digita(TStringGrid* grade, const std::vector<Digitado>& celulas)
{
    for (const Digitado& c : celulas)
        DigitaOuApagaHorario(grade, 1, c.linha, c.digitos);
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

class AtuacaoOk : public ::testing::TestWithParam<CasoOk> {};

TEST_P(AtuacaoOk, GravaOsHorariosEmOrdemEAAtivacao)
{
    const CasoOk& caso = GetParam();
    auto imagem = ImagemComAtuacao(caso.antes, caso.ativacaoAntes);
    auto esperado = imagem;
    std::copy(caso.depois.begin(), caso.depois.end(), esperado.begin() + ofsHorariosAtuacao);
    esperado[ofsAtivacaoAtuacao] = caso.ativacaoDepois;
    ScriptedBoxes boxes;
    AbreEntrada(&AtuacaoExterna, imagem, [&](TForm* w) {
        Digita(Find<TStringGrid>(w, "StringGrid1"), caso.celulas);
        if (caso.radio)
            Click(w, caso.radio);
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, AtuacaoOk, ::testing::Values(
    CasoOk{"ForaDeOrdemEComLacunas", Lista({}), 0x00, {{12, "1730"}, {3, "0800"}, {7, "0759"}, {10, "0000"}},
           "RadioButton2", Lista({{0, 0}, {7, 59}, {8, 0}, {17, 30}}), 0x0C},
    CasoOk{"TodosOsDiasGuardaSoOBit3", Lista({{12, 0}}), 0xF3, {}, "RadioButton3", Lista({{12, 0}}), 0xFB},
    CasoOk{"NaoAtivaLimpaOsBits", Lista({{12, 0}}), 0xFF, {}, "RadioButton1", Lista({{12, 0}}), 0xF3},
    CasoOk{"DiasUteisLidoDoBit2", Lista({{12, 0}}), 0x04, {}, nullptr, Lista({{12, 0}}), 0x0C},
    CasoOk{"AtivaSemHorarioFicaNaoAtiva", Lista({{12, 0}}), 0x00, {{1, ""}}, "RadioButton3", Lista({}), 0x00},
    CasoOk{"ApagadaEVaziaEOsOutrosSobem", Lista({{6, 0}, {12, 0}, {18, 0}}), 0x08, {{2, ""}}, nullptr,
           Lista({{6, 0}, {18, 0}}), 0x08},
    CasoOk{"VazioNoMeioDaImagemVaiParaOFim", Lista({{S, S}, {9, 0}, {S, S}, {8, 0}}), 0x0C, {}, nullptr,
           Lista({{8, 0}, {9, 0}}), 0x0C}),
    PrintedName{});

TEST(Atuacao, MostraOsHorariosEOBotaoDaAtivacao)
{
    struct Caso {
        std::uint8_t byte;
        const char* marcado;
    };
    // Both bits set read as working days.
    const Caso casos[] = {{0x00, "RadioButton1"}, {0xF3, "RadioButton1"}, {0x04, "RadioButton2"},
                          {0x08, "RadioButton3"}, {0x0C, "RadioButton2"}};
    for (const Caso& caso : casos) {
        auto imagem = ImagemComAtuacao(Lista({{7, 5}, {S, S}, {23, 59}}), caso.byte);
        AbreEntrada(&AtuacaoExterna, imagem, [&](TForm* w) {
            auto* grade = Find<TStringGrid>(w, "StringGrid1");
            EXPECT_EQ(grade->RowCount(), 13);
            EXPECT_EQ(grade->ColWidths(0), 48);
            EXPECT_EQ(grade->Cells(0, 0), " Num.");
            EXPECT_EQ(grade->Cells(1, 0), "  Hora");
            EXPECT_EQ(grade->Cells(0, 12), "   12");
            EXPECT_EQ(grade->Cells(1, 1), "  07:05");
            EXPECT_EQ(grade->Cells(1, 2), "  __:__");
            EXPECT_EQ(grade->Cells(1, 3), "  23:59");
            EXPECT_EQ(grade->Row(), 1);
            EXPECT_TRUE(grade->hasFocus() || grade->InplaceEditor()->hasFocus()) << Focado(w).toStdString();
            for (const char* radio : {"RadioButton1", "RadioButton2", "RadioButton3"})
                EXPECT_EQ(Find<TRadioButton>(w, radio)->Checked(), QLatin1String(radio) == caso.marcado)
                    << int(caso.byte) << " " << radio;
        });
    }
}

TEST(Atuacao, HorarioRuimParaOOkComOCursorNele)
{
    struct Caso {
        std::vector<Digitado> celulas;
        int linha;
    };
    const Caso casos[] = {{{{4, "2400"}}, 4}, {{{9, "1260"}}, 9}, {{{12, "07"}}, 12}, {{{11, "9999"}, {6, "3000"}}, 6}};
    for (const Caso& caso : casos) {
        auto imagem = ImagemComAtuacao(Lista({{7, 5}}), 0x04);
        const auto antes = imagem;
        ScriptedBoxes boxes;
        AbreEntrada(&AtuacaoExterna, imagem, [&](TForm* w) {
            auto* grade = Find<TStringGrid>(w, "StringGrid1");
            Digita(grade, caso.celulas);
            Click(w, "RadioButton3");
            Click(w, "OkButton");
            input::Settle();
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(grade->Col(), 1);
            EXPECT_EQ(grade->Row(), caso.linha);
            EXPECT_TRUE(grade->hasFocus() || grade->InplaceEditor()->hasFocus()) << Focado(w).toStdString();
        });
        ConfereUmErro(boxes, QString::fromUtf8("Horário está incorreto."));
        EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{}) << caso.linha;
    }
}

} // namespace
