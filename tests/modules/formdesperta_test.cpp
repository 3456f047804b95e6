// Wake-up calls: the extensions of the numbering plan that begin with 2 or
// 3, listed by number; each row's time and mode written back to its own
// position on Ok, a row without a time keeping no mode, and positions not
// listed left without any wake-up.
#include "image/layout.h"
#include "modules/entradas.h"
#include "platform/controls.h"
#include "tests/modules/horariosteste.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/casenames.h"

#include <QRadioButton>
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <ostream>

namespace {

constexpr std::uint8_t S = kSemHorario;
using Registro = std::array<std::uint8_t, 4>;
constexpr Registro kNenhum{S, S, S, S};
constexpr Registro kNaoListado{0, 0, 0, 0};

// Positions 1..12: 25, 41, 21, 310, 68 (paging), 22, 26..31. Listed by
// number: 21 (p3), 22 (p6), 25 (p1), 26..31 (p7..p12), 310 (p4).
const char* const kNumeros[] = {"25", "41", "21", "310", nullptr, "22", "26", "27", "28", "29", "30", "31"};
constexpr int kLinhas = 10;

// Stored wake-ups: p1 06:30 every day, p2 (not listed) 07:15 once, p4 23:00
// every working day; p3 none. The others none as well.
const std::map<int, Registro> kGuardados = {
    {1, {30, 6 | 0x80, S, S}}, {2, {15, 7, S, S}}, {3, {S, S, S, S}}, {4, {0, 23 | 0x40, S, S}}};

std::vector<std::uint8_t> ImagemDespertador()
{
    auto imagem = ImagemDeTeste();
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        const char* numero = kNumeros[p - 1];
        GravaU16(imagem.data() + OffsetPalavraRamal(p), numero ? TextoParaPalavraRamal(numero) : kPalavraBuscaPessoa);
        const auto guardado = kGuardados.find(p);
        const Registro registro = guardado != kGuardados.end() ? guardado->second : kNenhum;
        std::copy(registro.begin(), registro.end(), imagem.begin() + OffsetDespertador(p));
    }
    imagem[ofsTotalDespertadores] = 3;
    return imagem;
}

// What Ok writes: the given records; every other listed position no
// wake-up, and every position not listed four zero bytes.
std::vector<std::uint8_t> Esperado(const std::vector<std::uint8_t>& imagem, const std::map<int, Registro>& registros,
                                   int total, bool algumListado = true)
{
    auto esperado = imagem;
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        const auto r = registros.find(p);
        const char* numero = kNumeros[p - 1];
        const bool listado = algumListado && numero && (numero[0] == '2' || numero[0] == '3');
        const Registro registro = r != registros.end() ? r->second : listado ? kNenhum : kNaoListado;
        std::copy(registro.begin(), registro.end(), esperado.begin() + OffsetDespertador(p));
    }
    esperado[ofsTotalDespertadores] = static_cast<std::uint8_t>(total);
    return esperado;
}

void ClicaModo(TForm* w, int item)
{
    input::Click(Find<TRadioGroup>(w, "RadioGroup1")->Button(item));
}

TEST(Despertador, ListaOsRamaisPorNumeroComSeusHorariosEModos)
{
    auto imagem = ImagemDespertador();
    AbreEntrada(&CfgDoDespertador, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        auto* modos = Find<TRadioGroup>(w, "RadioGroup1");
        ASSERT_EQ(grade->RowCount(), kLinhas + 1);
        EXPECT_EQ(grade->Cells(0, 0), " Ramal");
        EXPECT_EQ(grade->Cells(1, 0), "  Hora");
        const char* const ramais[] = {"21", "22", "25", "26", "27", "28", "29", "30", "31", "310"};
        for (int k = 1; k <= kLinhas; ++k)
            EXPECT_EQ(grade->Cells(0, k), QStringLiteral("    ") + ramais[k - 1]) << k;
        EXPECT_EQ(grade->Cells(1, 1), "   __:__");
        EXPECT_EQ(grade->Cells(1, 3), "   06:30");
        EXPECT_EQ(grade->Cells(1, 10), "   23:00");
        EXPECT_EQ(grade->Row(), 1);
        EXPECT_EQ(grade->Col(), 1);
        EXPECT_EQ(Focado(w), "StringGrid1");
        // The group shows the mode of the row picked.
        const std::pair<int, int> linhas[] = {{1, -1}, {3, 1}, {10, 2}, {2, -1}};
        for (auto [linha, item] : linhas) {
            ClicaCelula(grade, 1, linha);
            EXPECT_EQ(modos->ItemIndex(), item) << linha;
        }
    });
}

struct Acao {
    enum Tipo { Linha, Hora, Apaga, Modo } tipo;
    int linha;           // the row; for Modo the item clicked
    const char* digitos = "";
};

struct CasoOk {
    const char* caso;
    std::vector<Acao> acoes;
    std::map<int, Registro> registros; // positions with a wake-up after Ok
    int total;
    bool okPeloAtalho = false; // Ok by Alt+K, the focus where the last action left it
};

void PrintTo(const CasoOk& caso, std::ostream* os)
{
    *os << caso.caso;
}

class DespertadorOk : public ::testing::TestWithParam<CasoOk> {};

TEST_P(DespertadorOk, CadaLinhaVoltaParaASuaPosicao)
{
    const CasoOk& caso = GetParam();
    auto imagem = ImagemDespertador();
    const auto esperado = Esperado(imagem, caso.registros, caso.total);
    ScriptedBoxes boxes;
    AbreEntrada(&CfgDoDespertador, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        for (const Acao& acao : caso.acoes) {
            switch (acao.tipo) {
            case Acao::Linha:
                ClicaCelula(grade, 1, acao.linha);
                break;
            case Acao::Hora:
                DigitaHorario(grade, 1, acao.linha, QString::fromLatin1(acao.digitos));
                break;
            case Acao::Apaga:
                ApagaHorario(grade, 1, acao.linha);
                break;
            case Acao::Modo:
                DesenhaGrade(grade);
                ClicaModo(w, acao.linha);
                break;
            }
        }
        DesenhaGrade(grade);
        if (caso.okPeloAtalho) {
            input::Accelerator('k');
            input::Settle();
        } else {
            Click(w, "OkButton");
        }
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

const Registro k0630TodoDia{30, 6 | 0x80, S, S};
const Registro k2300DiaUtil{0, 23 | 0x40, S, S};

INSTANTIATE_TEST_SUITE_P(Casos, DespertadorOk, ::testing::Values(
    // The stored call of position 2 (41, not listed) is dropped.
    CasoOk{"SemMudancas", {}, {{1, k0630TodoDia}, {4, k2300DiaUtil}}, 2},
    CasoOk{"HorarioSemModoEUmaVez", {{Acao::Hora, 1, "0545"}},
           {{1, k0630TodoDia}, {3, {45, 5, S, S}}, {4, k2300DiaUtil}}, 3},
    // The mode is taken for the row when the group loses the focus (to Ok).
    CasoOk{"ModoEscolhidoVaiParaALinha", {{Acao::Hora, 2, "2200"}, {Acao::Modo, 3}},
           {{1, k0630TodoDia}, {4, k2300DiaUtil}, {6, {0, 22 | 0xC0, S, S}}}, 3},
    // Ok by its key while the group still has the focus takes the mode shown.
    CasoOk{"ModoEOkPeloAtalho", {{Acao::Hora, 2, "2200"}, {Acao::Modo, 3}},
           {{1, k0630TodoDia}, {4, k2300DiaUtil}, {6, {0, 22 | 0xC0, S, S}}}, 3, true},
    CasoOk{"ModoTrocadoNumaLinhaComHorario", {{Acao::Hora, 10, "2300"}, {Acao::Modo, 0}},
           {{1, k0630TodoDia}, {4, {0, 23, S, S}}}, 2},
    CasoOk{"ModoNaoPassaParaOutraLinha",
           {{Acao::Hora, 3, "0630"}, {Acao::Modo, 2}, {Acao::Hora, 1, "0600"}},
           {{1, {30, 6 | 0x40, S, S}}, {3, {0, 6, S, S}}, {4, k2300DiaUtil}}, 3},
    // A row without a time keeps no mode, and is not counted.
    CasoOk{"ApagarOHorarioTiraOModo", {{Acao::Apaga, 3}, {Acao::Hora, 3, "0700"}},
           {{1, {0, 7, S, S}}, {4, k2300DiaUtil}}, 2},
    CasoOk{"ModoSemHorarioNaoEGravado", {{Acao::Linha, 5}, {Acao::Modo, 1}},
           {{1, k0630TodoDia}, {4, k2300DiaUtil}}, 2},
    CasoOk{"ApagaTudo", {{Acao::Apaga, 3}, {Acao::Apaga, 10}}, {}, 0}),
    PrintedName{});

TEST(Despertador, HorarioRuimParaOOkComOCursorNele)
{
    struct Caso {
        int linha;
        const char* digitos;
    };
    const Caso casos[] = {{2, "2400"}, {7, "1260"}, {10, "07"}};
    for (const Caso& caso : casos) {
        auto imagem = ImagemDespertador();
        const auto antes = imagem;
        ScriptedBoxes boxes;
        AbreEntrada(&CfgDoDespertador, imagem, [&](TForm* w) {
            auto* grade = Find<TStringGrid>(w, "StringGrid1");
            DigitaHorario(grade, 1, caso.linha, QString::fromLatin1(caso.digitos));
            input::Type("\r");
            ClicaCelula(grade, 1, 1);
            Click(w, "OkButton");
            input::Settle();
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(grade->Row(), caso.linha);
            EXPECT_EQ(grade->Col(), 1);
            EXPECT_EQ(Focado(w), "StringGrid1");
        });
        ConfereUmErro(boxes, QString::fromUtf8("Horário está incorreto."));
        EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{}) << caso.linha;
    }
}

// No extension begins with 2 or 3: an empty row, and Ok leaves no wake-up.
TEST(Despertador, SemRamaisParaListar)
{
    auto imagem = ImagemDespertador();
    for (int p = 1; p <= kPosicoesRamal; ++p)
        GravaU16(imagem.data() + OffsetPalavraRamal(p), TextoParaPalavraRamal(std::to_string(40 + p)));
    const auto esperado = Esperado(imagem, {}, 0, false);
    ScriptedBoxes boxes;
    AbreEntrada(&CfgDoDespertador, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        EXPECT_EQ(grade->RowCount(), 2);
        EXPECT_EQ(grade->Cells(0, 1), "");
        input::Type("0700");
        EXPECT_EQ(grade->Cells(1, 1), "");
        Click(w, "OkButton");
    });
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

} // namespace
