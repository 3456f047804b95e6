// Private codes: owners are checked against the numbering plan and stored as
// the position they name, codes losing their owner get the factory password
// back, and codes without owner keep no name.
#include "modules/entradas.h"
#include "tests/support/usuario.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

constexpr std::uint8_t kSemDono = 0xBB;

int Dono(int codigo) { return 5260 + codigo; } // codes 1..40 (shown 00..39)
int Nome(int codigo) { return 5280 + 21 * codigo; }
int Senha(int codigo) { return 6332 + 2 * codigo; }

// The test image with every code ownerless and named, but code 1 (shown
// 00) owned by position 3 (extension 22) and code 5 (04) by position 12
// (31).
std::vector<std::uint8_t> ImagemComDonos()
{
    auto imagem = ImagemDeTeste();
    for (int j = 1; j <= 40; ++j) {
        imagem[Dono(j)] = kSemDono;
        GravaNome(imagem.data() + Nome(j), "Cod " + std::to_string(j));
    }
    imagem[Dono(1)] = 2;
    imagem[Dono(5)] = 11;
    return imagem;
}

// The names showing clears: those of the ownerless codes.
std::vector<std::uint8_t> ComNomesSemDonoApagados(std::vector<std::uint8_t> imagem)
{
    for (int j = 1; j <= 40; ++j)
        if (imagem[Dono(j)] == kSemDono)
            imagem[Nome(j)] = 0;
    return imagem;
}

TStringGrid* Grade(TForm* w)
{
    return Find<TStringGrid>(w, "StringGrid1");
}

TEST(CodigosParticulares, MostraDonosENomesEApagaOsNomesSemDonoMesmoComCancela)
{
    auto imagem = ImagemComDonos();
    const auto esperado = ComNomesSemDonoApagados(imagem);
    AbreEntrada(&CodigosParticulares, imagem, [&](TForm* w) {
        EXPECT_EQ(w->Caption(), QString::fromUtf8("Códigos particulares"));
        auto* grade = Grade(w);
        EXPECT_EQ(grade->Rows(0), (QStringList{QString::fromUtf8(" CÓDIGO"), " RAMAL", " NOME"}));
        EXPECT_EQ(grade->ColWidths(2), 184);
        EXPECT_EQ(grade->Rows(1), (QStringList{"      00", "22", "Cod 1"}));
        EXPECT_EQ(grade->Rows(5), (QStringList{"      04", "31", "Cod 5"}));
        EXPECT_EQ(grade->Rows(40), (QStringList{"      39", "", ""}));
        EXPECT_EQ(Focado(w), "StringGrid1");
        EXPECT_EQ(grade->Col(), 1);
        EXPECT_EQ(grade->Row(), 1);
        DigitaNaCelula(grade, 1, 2, "25");
        input::Key(Qt::Key_Escape); // ends the edit
        input::Key(Qt::Key_Escape); // the window's Cancel
        QCoreApplication::processEvents();
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

struct Refusal {
    const char* caso;
    std::vector<std::pair<int, const char*>> donos; // row, owner typed
    int linha;                                      // the row refused
};

void PrintTo(const Refusal& caso, std::ostream* os)
{
    *os << caso.caso;
}

class CodigosRecusas : public ::testing::TestWithParam<Refusal> {};

// Texts that only look like an extension of the plan are refused too: no
// leading zero, no number no position holds ("83" and "68" here), no group.
TEST_P(CodigosRecusas, RamalForaDoPlanoRecusadoNaLinhaSemGravarNada)
{
    const Refusal& caso = GetParam();
    auto imagem = ImagemComDonos();
    const auto esperado = ComNomesSemDonoApagados(imagem);
    ScriptedBoxes boxes;
    AbreEntrada(&CodigosParticulares, imagem, [&](TForm* w) {
        auto* grade = Grade(w);
        for (const auto& [linha, dono] : caso.donos) {
            DigitaNaCelula(grade, 1, linha, QString::fromUtf8(dono));
            input::Key(Qt::Key_Return);
        }
        Click(w, "OkButton");
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Focado(w), "StringGrid1");
        EXPECT_EQ(grade->Row(), caso.linha);
        EXPECT_EQ(grade->Col(), 1);
    });
    ConfereUmErro(boxes, QString::fromUtf8("Ramal não existe ou está incorreto."));
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, CodigosRecusas, ::testing::Values(
    Refusal{"NumeroForaDoPlano", {{3, "45"}}, 3},
    Refusal{"ZeroAEsquerda", {{7, "020"}}, 7},
    Refusal{"SoZero", {{2, "0"}}, 2},
    Refusal{"PorteiroPI", {{9, "83"}}, 9},
    Refusal{"BuscaPessoa", {{10, "68"}}, 10},
    Refusal{"Grupo", {{11, "61"}}, 11},
    Refusal{"CincoDigitos", {{12, "20000"}}, 12},
    Refusal{"PrimeiraLinhaQueFalha", {{30, "99"}, {6, "44"}, {8, "25"}}, 6}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// Owners at positions numbered "81", "83" and "68" are positions like any
// other: a stored one left untouched goes back as it is, a typed one is
// stored as the position the window shows with that number.
TEST(CodigosParticulares, DonosEmPosicoesEspeciaisComoQualquerRamal)
{
    auto imagem = ImagemComDonos();
    GravaU16(imagem.data() + OffsetPalavraRamal(4), 0xF1FF); // "81" at position 4
    GravaU16(imagem.data() + OffsetPalavraRamal(9), TextoParaPalavraRamal("83"));
    GravaU16(imagem.data() + OffsetPalavraRamal(10), kPalavraBuscaPessoa); // "68"
    imagem[Dono(2)] = 3;
    auto esperado = ComNomesSemDonoApagados(imagem);
    esperado[Dono(3)] = 8;
    esperado[Dono(4)] = 9;
    ScriptedBoxes boxes;
    AbreEntrada(&CodigosParticulares, imagem, [&](TForm* w) {
        auto* grade = Grade(w);
        EXPECT_EQ(grade->Cells(1, 2).trimmed(), "81");
        for (const auto& [linha, dono] : {std::pair{3, "83"}, std::pair{4, "68"}}) {
            DigitaNaCelula(grade, 1, linha, QString::fromLatin1(dono));
            input::Key(Qt::Key_Return);
        }
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

struct Gravacao {
    const char* caso;
    std::vector<CelulaDigitada> digitado;
    // The image bytes Ok changes besides the names showing cleared.
    std::function<void(std::vector<std::uint8_t>&)> muda;
};

void PrintTo(const Gravacao& caso, std::ostream* os)
{
    *os << caso.caso;
}

class CodigosGravacao : public ::testing::TestWithParam<Gravacao> {};

TEST_P(CodigosGravacao, OkGravaSoOQueMudou)
{
    const Gravacao& caso = GetParam();
    auto imagem = ImagemComDonos();
    auto esperado = ComNomesSemDonoApagados(imagem);
    caso.muda(esperado);
    ScriptedBoxes boxes;
    AbreEntrada(&CodigosParticulares, imagem, [&](TForm* w) {
        auto* grade = Grade(w);
        for (const CelulaDigitada& d : caso.digitado) {
            DigitaOuApagaCelula(grade, d);
            input::Key(Qt::Key_Return);
        }
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, CodigosGravacao, ::testing::Values(
    Gravacao{"NadaMudado", {}, [](auto&) {}},
    // 00 loses its owner: no name, the factory password.
    Gravacao{"DonoApagadoVoltaASenhaDeFabrica", {{1, 1, ""}},
             [](auto& im) {
                 im[Dono(1)] = kSemDono;
                 im[Nome(1)] = 0;
                 im[Senha(1)] = 0xED;
                 im[Senha(1) + 1] = 0xED;
             }},
    // 02 had no owner and gets none: its password stays, its name is not
    // kept.
    Gravacao{"NomeSemDonoNaoFica", {{3, 2, "Sem dono"}}, [](auto&) {}},
    // 03 takes extension 25, position 6 (index 5), and its name; its
    // password stays.
    Gravacao{"DonoDigitadoGuardaAPosicao", {{4, 1, "25"}, {4, 2, "Diretoria"}},
             [](auto& im) {
                 im[Dono(4)] = 5;
                 GravaNome(im.data() + Nome(4), "Diretoria");
             }},
    Gravacao{"OutroDonoGuardaASenha", {{5, 1, "30"}}, [](auto& im) { im[Dono(5)] = 10; }},
    Gravacao{"UltimoCodigo", {{40, 1, "20"}, {40, 2, "Último código"}},
             [](auto& im) {
                 im[Dono(40)] = 0;
                 GravaNome(im.data() + Nome(40), "Último código");
             }}),
    [](const auto& linha) { return std::string(linha.param.caso); });

TEST(CodigosParticulares, EnterVaiDoRamalAoNomeEDaUltimaLinhaAPrimeira)
{
    auto imagem = ImagemComDonos();
    AbreEntrada(&CodigosParticulares, imagem, [&](TForm* w) {
        auto* grade = Grade(w);
        const struct {
            int coluna, linha, coluna2, linha2;
        } passos[] = {{1, 4, 2, 4}, {2, 4, 1, 5}, {2, 40, 1, 1}};
        for (const auto& p : passos) {
            ClicaCelula(grade, p.coluna, p.linha);
            input::Key(Qt::Key_Return);
            EXPECT_EQ(grade->Col(), p.coluna2);
            EXPECT_EQ(grade->Row(), p.linha2);
        }
    });
}

struct EdicaoNome {
    const char* caso;
    std::vector<int> teclas; // after F2; a character below 0x80 is typed
    const char* mostrado;    // the editor's text after the keys
    const char* gravado;
};

void PrintTo(const EdicaoNome& caso, std::ostream* os)
{
    *os << caso.caso;
}

class CodigosNomes : public ::testing::TestWithParam<EdicaoNome> {};

// A stored name edited in place keeps every letter: F2 shows it after the
// mask's leading blank, and Ok stores what the user sees.
TEST_P(CodigosNomes, NomeEditadoNoLugarFicaInteiro)
{
    const EdicaoNome& caso = GetParam();
    auto imagem = ImagemComDonos();
    auto esperado = ComNomesSemDonoApagados(imagem);
    GravaNome(esperado.data() + Nome(5), caso.gravado);
    ScriptedBoxes boxes;
    AbreEntrada(&CodigosParticulares, imagem, [&](TForm* w) {
        auto* grade = Grade(w);
        ClicaCelula(grade, 2, 5);
        input::Key(Qt::Key_F2);
        ASSERT_NE(grade->InplaceEditor(), nullptr);
        PressionaTeclas(caso.teclas);
        EXPECT_EQ(grade->InplaceEditor()->EditText(), QString::fromUtf8(caso.mostrado));
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

constexpr int kDireita = Qt::Key_Right;

INSTANTIATE_TEST_SUITE_P(Casos, CodigosNomes, ::testing::Values(
    EdicaoNome{"SoF2", {}, " Cod_5_______________", "Cod 5"},
    EdicaoNome{"DigitaDepoisDoNome", {Qt::Key_Home, kDireita, kDireita, kDireita, kDireita, kDireita, 'x'},
               " Cod_5x______________", "Cod 5x"},
    EdicaoNome{"BackspaceNoFimDoNome", {Qt::Key_Home, kDireita, kDireita, kDireita, kDireita, kDireita,
                                        Qt::Key_Backspace}, " Cod_________________", "Cod"},
    EdicaoNome{"HomeVaiAoInicioDoNome", {Qt::Key_End, Qt::Key_Home, 'M'}, " Mod_5_______________", "Mod 5"}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// A name keeps at most 20 characters; one that the exchange's code page
// cannot hold is refused at its cell rather than stored altered.
TEST(CodigosParticulares, NomeAte20CaracteresDoPabx)
{
    const struct {
        const char* digitado;
        const char* gravado; // null: refused
    } casos[] = {
        {"Ação 1234567890abcdefgh", "Ação 1234567890abcde"},
        {"Sala ☎", nullptr},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.digitado);
        auto imagem = ImagemComDonos();
        auto esperado = ComNomesSemDonoApagados(imagem);
        ScriptedBoxes boxes;
        AbreEntrada(&CodigosParticulares, imagem, [&](TForm* w) {
            auto* grade = Grade(w);
            DigitaNaCelula(grade, 2, 5, QString::fromUtf8(caso.digitado));
            Click(w, "OkButton");
            EXPECT_EQ(w->isVisible(), caso.gravado == nullptr);
            if (!caso.gravado) {
                EXPECT_EQ(grade->Row(), 5);
                EXPECT_EQ(grade->Col(), 2);
            }
        });
        if (caso.gravado) {
            EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
            GravaNome(esperado.data() + Nome(5), caso.gravado);
        } else {
            EXPECT_EQ(boxes.Texts(), QStringList{QString::fromUtf8(
                                         "O nome Sala ☎ contém caracteres que não podem ser gravados")});
        }
        EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
    }
}

} // namespace
