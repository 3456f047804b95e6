// Economy extensions: a row per extension beginning with 2 or 3, limits typed
// into the grid and stored per position, the range check that stops Ok on
// the first bad limit, and "Padrão" for all rows or the current one.
#include "modules/entradas.h"
#include "platform/grids.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/usuario.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

constexpr int kOriginada = 6535; // outgoing limit of position 1
constexpr int kRecebida = 6547;  // incoming limit of position 1

// The test image with limits that all pass: position p has p outgoing and
// 30 + p incoming minutes.
std::vector<std::uint8_t> ImagemComLimites()
{
    auto imagem = ImagemDeTeste();
    for (int p = 1; p <= 12; ++p) {
        imagem[kOriginada + p - 1] = static_cast<std::uint8_t>(p);
        imagem[kRecebida + p - 1] = static_cast<std::uint8_t>(30 + p);
    }
    return imagem;
}

TEST(RamalEco, LinhasSoDosRamaisQueComecamCom2Ou3)
{
    auto imagem = ImagemComLimites();
    GravaU16(imagem.data() + OffsetPalavraRamal(3), TextoParaPalavraRamal("45"));
    GravaU16(imagem.data() + OffsetPalavraRamal(8), kPalavraBuscaPessoa);
    GravaU16(imagem.data() + OffsetPalavraRamal(12), TextoParaPalavraRamal("231"));
    AbreEntrada(&RamaisEconomicos, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        EXPECT_EQ(grade->Rows(0), (QStringList{"  Ramal", "Originada", "Recebida"}));
        const QStringList ramais = grade->Cols(0).mid(1);
        EXPECT_EQ(ramais, (QStringList{"   20", "   21", "   23", "   24", "   25", "   26", "   28", "   29",
                                       "   30", "   231"}));
        EXPECT_EQ(grade->Rows(1), (QStringList{"   20", "    01", "    31"}));
        EXPECT_EQ(grade->Rows(10), (QStringList{"   231", "    12", "    42"}));
        EXPECT_EQ(Focado(w), "StringGrid1");
    });
}

TEST(RamalEco, GravaOQueFoiDigitadoEZeraOsRamaisNaoMostrados)
{
    auto imagem = ImagemComLimites();
    GravaU16(imagem.data() + OffsetPalavraRamal(3), TextoParaPalavraRamal("45"));
    auto esperado = imagem;
    esperado[kOriginada + 2] = 0; // position 3 is not shown
    esperado[kRecebida + 2] = 0;
    esperado[kOriginada + 0] = 7;
    esperado[kRecebida + 3] = 59;
    esperado[kOriginada + 11] = 0;
    ScriptedBoxes boxes;
    AbreEntrada(&RamaisEconomicos, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        DigitaNaCelula(grade, 1, 1, "7");
        DigitaNaCelula(grade, 2, 3, "59"); // row 3 is position 4
        DigitaNaCelula(grade, 1, 11, "00");
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

} // namespace

struct LimiteRecusado {
    const char* caso;
    std::vector<std::tuple<int, int, const char*>> celulas; // column, row, text typed
    int coluna; // the cell the cursor goes back to
    int linha;
};

void PrintTo(const LimiteRecusado& caso, std::ostream* os)
{
    *os << caso.caso;
}

class RamalEcoRecusa : public ::testing::TestWithParam<LimiteRecusado> {};

TEST_P(RamalEcoRecusa, MensagemCursorNaCelulaENadaGravado)
{
    const LimiteRecusado& caso = GetParam();
    auto imagem = ImagemComLimites();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&RamaisEconomicos, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        for (const auto& [coluna, linha, texto] : caso.celulas)
            DigitaNaCelula(grade, coluna, linha, QString::fromLatin1(texto));
        Click(w, "OkButton");
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(FocoNaGrade(grade));
        EXPECT_EQ(grade->Col(), caso.coluna);
        EXPECT_EQ(grade->Row(), caso.linha);
    });
    ConfereUmErro(boxes, QString::fromUtf8("Tempo limite está fora da faixa permitida (00-59)."));
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, RamalEcoRecusa, ::testing::Values(
    LimiteRecusado{"SessentaNaOriginada", {{1, 4, "60"}}, 1, 4},
    LimiteRecusado{"SessentaNaRecebida", {{2, 1, "60"}}, 2, 1},
    LimiteRecusado{"NoventaENove", {{2, 12, "99"}}, 2, 12},
    LimiteRecusado{"PrimeiraLinhaComErroPrimeiro", {{2, 9, "75"}, {1, 5, "80"}}, 1, 5},
    LimiteRecusado{"NaLinhaOriginadaAntesDaRecebida", {{2, 6, "61"}, {1, 6, "62"}}, 1, 6}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// A limit the exchange holds beyond the range shows as it is and stops Ok
// until the user changes it.
TEST(RamalEco, LimiteGuardadoForaDaFaixaPrecisaSerCorrigido)
{
    auto imagem = ImagemComLimites();
    imagem[kRecebida + 4] = 200;
    auto esperado = imagem;
    esperado[kRecebida + 4] = 15;
    ScriptedBoxes boxes;
    AbreEntrada(&RamaisEconomicos, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        EXPECT_EQ(grade->Cells(2, 5), "    200");
        Click(w, "OkButton");
        EXPECT_EQ(grade->Col(), 2);
        EXPECT_EQ(grade->Row(), 5);
        DigitaNaCelula(grade, 2, 5, "15");
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

struct PadraoEco {
    const char* caso;
    int resposta;
    std::vector<int> zerados; // positions whose limits "Padrão" resets
    int coluna;               // the cursor afterwards
    int linha;
};

void PrintTo(const PadraoEco& caso, std::ostream* os)
{
    *os << caso.caso;
}

class RamalEcoPadrao : public ::testing::TestWithParam<PadraoEco> {};

TEST_P(RamalEcoPadrao, TodosOsRamaisOuSoOAtual)
{
    const PadraoEco& caso = GetParam();
    auto imagem = ImagemComLimites();
    auto esperado = imagem;
    for (int p : caso.zerados) {
        esperado[kOriginada + p - 1] = 0;
        esperado[kRecebida + p - 1] = 0;
    }
    ScriptedBoxes boxes({caso.resposta});
    AbreEntrada(&RamaisEconomicos, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        DigitaNaCelula(grade, 2, 7, "3"); // position 7, undone by "Padrão" for it
        Click(w, "Button1");
        input::Settle();
        EXPECT_TRUE(FocoNaGrade(grade));
        EXPECT_EQ(grade->Col(), caso.coluna);
        EXPECT_EQ(grade->Row(), caso.linha);
        Click(w, "OkButton");
    });
    ASSERT_GE(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, QString::fromUtf8("Aplicar o padrão a todos os ramais ?"));
    EXPECT_EQ(boxes.calls[0].caption, QString::fromUtf8("Atenção"));
    EXPECT_EQ(boxes.calls[0].flags, 35);
    if (caso.resposta == IDCANCEL)
        esperado[kRecebida + 6] = 3;
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Respostas, RamalEcoPadrao, ::testing::Values(
    PadraoEco{"Sim", IDYES, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 1, 1},
    PadraoEco{"Nao", IDNO, {7}, 2, 7},
    PadraoEco{"Cancela", IDCANCEL, {}, 2, 7}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// Enter moves on through the limits, row after row, back to the top.
TEST(RamalEco, EnterVaiDaOriginadaParaARecebidaEParaALinhaSeguinte)
{
    auto imagem = ImagemComLimites();
    AbreEntrada(&RamaisEconomicos, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        const struct {
            int coluna, linha, coluna2, linha2;
        } passos[] = {{1, 4, 2, 4}, {2, 4, 1, 5}, {2, 12, 1, 1}};
        for (const auto& p : passos) {
            DigitaNaCelula(grade, p.coluna, p.linha, "");
            input::Key(Qt::Key_Return);
            EXPECT_EQ(grade->Col(), p.coluna2);
            EXPECT_EQ(grade->Row(), p.linha2);
        }
    });
}

namespace {

// Two positions holding the same number (a plan read from a file) each keep
// their own limits: a row stands for its position, not for its text.
TEST(RamalEco, NumeroRepetidoNoPlanoGravaNaPosicaoDaLinha)
{
    auto imagem = ImagemComLimites();
    GravaU16(imagem.data() + OffsetPalavraRamal(5), TextoParaPalavraRamal("21"));
    auto esperado = imagem;
    esperado[kOriginada + 4] = 44;
    ScriptedBoxes boxes;
    AbreEntrada(&RamaisEconomicos, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        EXPECT_EQ(grade->Cells(0, 5), "   21");
        DigitaNaCelula(grade, 1, 5, "44");
        Click(w, "OkButton");
    });
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

// A plan with no extension beginning with 2 or 3 leaves only the header; Ok
// then clears every limit.
TEST(RamalEco, SemRamalValidoOkZeraTodosOsLimites)
{
    auto imagem = ImagemComLimites();
    for (int p = 1; p <= 12; ++p)
        GravaU16(imagem.data() + OffsetPalavraRamal(p), TextoParaPalavraRamal(std::to_string(39 + p)));
    auto esperado = imagem;
    std::fill(esperado.begin() + kOriginada, esperado.begin() + kRecebida + 12, std::uint8_t{0});
    ScriptedBoxes boxes({IDNO});
    AbreEntrada(&RamaisEconomicos, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        EXPECT_EQ(grade->RowCount(), 1);
        Click(w, "Button1");
        EXPECT_EQ(grade->Rows(0), (QStringList{"  Ramal", "Originada", "Recebida"}));
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

} // namespace
