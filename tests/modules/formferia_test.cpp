// Holidays: dates are checked in field order, repeats and blanks squeezed
// out and the rest stored in calendar order; the Saturday time is checked
// too, and a refused Ok writes nothing at all.
#include "image/layout.h"
#include "modules/entradas.h"
#include "platform/maskedit.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

namespace {

using Datas = std::array<std::uint8_t, 32>;

Datas Lista(std::initializer_list<std::array<std::uint8_t, 2>> datas)
{
    Datas d{};
    int i = 0;
    for (const auto& data : datas) {
        d[i++] = data[0];
        d[i++] = data[1];
    }
    return d;
}

std::vector<std::uint8_t> ImagemComFeriados(const Datas& datas, std::uint8_t hora, std::uint8_t minuto)
{
    auto imagem = ImagemDeTeste();
    std::copy(datas.begin(), datas.end(), imagem.begin() + ofsDatasFeriados);
    imagem[ofsInicioFeriadoSabado] = hora;
    imagem[ofsInicioFeriadoSabado + 1] = minuto;
    return imagem;
}

struct Campo {
    int n;              // 1..17
    const char* teclas; // typed over the whole field
};

QString NomeCampo(int n)
{
    return QStringLiteral("MaskEdit%1").arg(n);
}

// Clicks into the field, selects its text and types over it.
void Digita(TForm* w, const std::vector<Campo>& campos)
{
    for (const Campo& campo : campos) {
        auto* edit = Find<TMaskEdit>(w, NomeCampo(campo.n).toLatin1().constData());
        input::Click(edit);
        input::Key(Qt::Key_A, Qt::ControlModifier);
        if (*campo.teclas)
            input::Type(QString::fromLatin1(campo.teclas));
        else
            input::Key(Qt::Key_Delete);
    }
}

struct CasoOk {
    const char* caso;
    Datas antes;
    std::vector<Campo> campos;
    Datas depois;
    std::uint8_t hora, minuto;
    std::uint8_t horaGuardada = 12, minutoGuardado = 0;
};

void PrintTo(const CasoOk& caso, std::ostream* os)
{
    *os << caso.caso;
}

class FeriadosOk : public ::testing::TestWithParam<CasoOk> {};

TEST_P(FeriadosOk, GravaAsDatasCompactadasEmOrdem)
{
    const CasoOk& caso = GetParam();
    auto imagem = ImagemComFeriados(caso.antes, caso.horaGuardada, caso.minutoGuardado);
    auto esperado = imagem;
    std::copy(caso.depois.begin(), caso.depois.end(), esperado.begin() + ofsDatasFeriados);
    esperado[ofsInicioFeriadoSabado] = caso.hora;
    esperado[ofsInicioFeriadoSabado + 1] = caso.minuto;
    ScriptedBoxes boxes;
    AbreEntrada(&Feriados, imagem, [&](TForm* w) {
        Digita(w, caso.campos);
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, FeriadosOk, ::testing::Values(
    CasoOk{"SemMudancas", Lista({{1, 1}, {21, 4}, {25, 12}}), {}, Lista({{1, 1}, {21, 4}, {25, 12}}), 12, 0},
    // Typed out of order, with blank fields between: calendar order, January first.
    CasoOk{"ForaDeOrdemComLacunas", Lista({}), {{3, "2512"}, {9, "0101"}, {16, "0709"}, {5, "2902"}},
           Lista({{1, 1}, {29, 2}, {7, 9}, {25, 12}}), 12, 0},
    CasoOk{"RepetidoGuardadoUmaVez", Lista({{25, 12}}), {{2, "2512"}, {4, "1511"}, {6, "2512"}},
           Lista({{15, 11}, {25, 12}}), 12, 0},
    CasoOk{"CampoApagadoSaiDaLista", Lista({{1, 1}, {21, 4}, {1, 5}}), {{2, ""}}, Lista({{1, 1}, {1, 5}}), 12, 0},
    CasoOk{"DiaOuMesZeroNaImagemEVazio", Lista({{0, 5}, {7, 0}, {2, 11}}), {}, Lista({{2, 11}}), 12, 0},
    CasoOk{"UltimosDiasDosMeses", Lista({}), {{1, "3112"}, {2, "3011"}, {3, "3101"}, {4, "3004"}},
           Lista({{31, 1}, {30, 4}, {30, 11}, {31, 12}}), 12, 0},
    CasoOk{"HoraDoSabado", Lista({{1, 1}}), {{17, "1330"}}, Lista({{1, 1}}), 13, 30},
    CasoOk{"SabadoAMeiaNoite", Lista({{1, 1}}), {{17, "0000"}}, Lista({{1, 1}}), 0, 0},
    CasoOk{"SabadoUltimoMinuto", Lista({{1, 1}}), {{17, "2359"}}, Lista({{1, 1}}), 23, 59},
    // A typed time is taken as typed, without a range check.
    CasoOk{"SabadoMinuto60ComoDigitado", Lista({{1, 1}}), {{17, "1060"}}, Lista({{1, 1}}), 10, 60},
    CasoOk{"SabadoHora24ComoDigitada", Lista({{1, 1}}), {{17, "2400"}}, Lista({{1, 1}}), 24, 0},
    // A stored time left untouched goes back as it is, whatever it holds.
    CasoOk{"SabadoSemHorarioGuardadoIntocado", Lista({{1, 1}}), {}, Lista({{1, 1}}), 0x60, 0x60, 0x60, 0x60},
    CasoOk{"SabadoDeTresAlgarismosIntocado", Lista({{1, 1}}), {{3, "0202"}}, Lista({{1, 1}, {2, 2}}), 100, 7, 100,
           7}),
    PrintedName{});

TEST(Feriados, MostraAsDatasEAHoraDoSabado)
{
    auto imagem = ImagemComFeriados(Lista({{25, 12}, {0, 3}, {7, 9}}), 8, 5);
    AbreEntrada(&Feriados, imagem, [&](TForm* w) {
        EXPECT_EQ(Find<TMaskEdit>(w, "MaskEdit1")->Text(), "25/12");
        EXPECT_EQ(Find<TMaskEdit>(w, "MaskEdit2")->EditText(), "__/__");
        EXPECT_EQ(Find<TMaskEdit>(w, "MaskEdit3")->Text(), "07/09");
        EXPECT_EQ(Find<TMaskEdit>(w, "MaskEdit16")->EditText(), "__/__");
        EXPECT_EQ(Find<TMaskEdit>(w, "MaskEdit17")->Text(), "08:05");
        EXPECT_EQ(Focado(w), "MaskEdit17");
    });
}

struct CasoRecusa {
    const char* caso;
    std::vector<Campo> campos;
    const char* mensagem;
    int flags;
    int focado; // the field the focus is back on
};

void PrintTo(const CasoRecusa& caso, std::ostream* os)
{
    *os << caso.caso;
}

class FeriadosRecusa : public ::testing::TestWithParam<CasoRecusa> {};

TEST_P(FeriadosRecusa, MensagemFocoNoCampoENadaGravado)
{
    const CasoRecusa& caso = GetParam();
    auto imagem = ImagemComFeriados(Lista({{2, 1}, {1, 1}}), 12, 0);
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&Feriados, imagem, [&](TForm* w) {
        Digita(w, caso.campos);
        Click(w, "OkButton");
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Focado(w), NomeCampo(caso.focado));
    });
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, QString::fromUtf8(caso.mensagem));
    EXPECT_EQ(boxes.calls[0].caption, "Erro");
    EXPECT_EQ(boxes.calls[0].flags, caso.flags);
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, FeriadosRecusa, ::testing::Values(
    CasoRecusa{"Dia31EmAbril", {{4, "3104"}}, "Feriado em \"31/04\" está incorreto.", 16, 4},
    CasoRecusa{"Dia30EmFevereiro", {{7, "3002"}}, "Feriado em \"30/02\" está incorreto.", 16, 7},
    CasoRecusa{"Mes13", {{1, "0113"}}, "Feriado em \"01/13\" está incorreto.", 16, 1},
    CasoRecusa{"DiaZero", {{16, "0005"}}, "Feriado em \"00/05\" está incorreto.", 16, 16},
    // A blank typed after each single digit.
    CasoRecusa{"UmDigitoEmCadaParte", {{9, "1 3"}}, "Feriado em \"1/3\" está incorreto.", 16, 9},
    CasoRecusa{"SoODia", {{10, "25"}}, "Feriado em \"25/\" está incorreto.", 16, 10},
    // Fields are read in order: the first bad one is told, even before a
    // bad Saturday time.
    CasoRecusa{"PrimeiroCampoRuim", {{17, "99"}, {12, "3206"}, {5, "0000"}},
               "Feriado em \"00/00\" está incorreto.", 16, 5},
    // The Saturday time: the minute first, no icon.
    CasoRecusa{"SabadoSemMinuto", {{17, "08"}}, "Minuto inválido", 0, 17},
    CasoRecusa{"SabadoSemNada", {{17, ""}}, "Minuto inválido", 0, 17},
    CasoRecusa{"SabadoSemHora", {{17, "  30"}}, "Hora inválida", 0, 17},
    CasoRecusa{"SabadoMeiaHora", {{17, "1"}}, "Minuto inválido", 0, 17}),
    PrintedName{});

} // namespace
