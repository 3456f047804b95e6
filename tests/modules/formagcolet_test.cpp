// General speed-dial list: every row is checked on Ok in order, a route and
// number may not repeat, and only a list that passes reaches the image,
// with the category bit alone of each flags byte.
#include "modules/entradas.h"
#include "tests/support/usuario.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

int Entrada(int i) { return 692 + 12 * i; } // entries 1..80 (codes 720..799)
int Nome(int i) { return 1643 + 21 * i; }

void GravaEntrada(std::vector<std::uint8_t>& imagem, int i, int rota, const char* numero)
{
    const NumeroDiscagem registro = CompactaNumero(numero);
    std::copy(registro.begin() + 1, registro.end(), imagem.begin() + Entrada(i) + 1);
    imagem[Entrada(i) + 1] = static_cast<std::uint8_t>(imagem[Entrada(i) + 1] | rota << 5);
}

// The test image (flags bytes of every look, category bit set in some),
// all entries empty but 721 (route 1) and 722 (route 2) with the same
// number, and 799 (route 7); every entry named.
std::vector<std::uint8_t> ImagemComAgenda()
{
    auto imagem = ImagemDeTeste();
    for (int i = 1; i <= 80; ++i) {
        imagem[Entrada(i) + 1] = 0;
        GravaNome(imagem.data() + Nome(i), "Nome " + std::to_string(i));
    }
    GravaEntrada(imagem, 2, 1, "0112345678");
    GravaEntrada(imagem, 3, 2, "0112345678");
    GravaEntrada(imagem, 80, 7, "99");
    imagem[Entrada(2)] |= 0x80;
    imagem[Entrada(3)] &= 0x7F;
    return imagem;
}

// The names showing clears: those of the entries without number.
std::vector<std::uint8_t> ComNomesSemNumeroApagados(std::vector<std::uint8_t> imagem)
{
    for (int i = 1; i <= 80; ++i)
        if ((imagem[Entrada(i) + 1] & 0x1F) == 0)
            imagem[Nome(i)] = 0;
    return imagem;
}

// What Ok stores for the list as shown: empty entries with no category, no
// digits and no name.
std::vector<std::uint8_t> ComEntradasVaziasLimpas(std::vector<std::uint8_t> imagem)
{
    imagem = ComNomesSemNumeroApagados(imagem);
    for (int i = 1; i <= 80; ++i)
        if ((imagem[Entrada(i) + 1] & 0x1F) == 0) {
            imagem[Entrada(i)] &= 0x7F;
            std::fill(imagem.begin() + Entrada(i) + 1, imagem.begin() + Entrada(i) + 12, 0);
        }
    return imagem;
}

TStringGrid* Grade(TForm* w)
{
    return Find<TStringGrid>(w, "StringGrid1");
}

// Types a row's route, number and name as a user does: the route digit
// moves on to the number by itself, Enter to the name.
void DigitaLinha(TStringGrid* grade, int linha, const char* rota, const char* numero, const char* nome = "")
{
    if (*rota)
        DigitaNaCelula(grade, 2, linha, QString::fromUtf8(rota));
    if (*numero)
        DigitaNaCelula(grade, 3, linha, QString::fromUtf8(numero));
    if (*nome)
        DigitaNaCelula(grade, 4, linha, QString::fromUtf8(nome));
}

TEST(AgendaGeral, MostraAsEntradasEApagaOsNomesSemNumeroMesmoComCancela)
{
    auto imagem = ImagemComAgenda();
    const auto esperado = ComNomesSemNumeroApagados(imagem);
    AbreEntrada(&AgendaColetiva, imagem, [&](TForm* w) {
        EXPECT_EQ(w->Caption(), "Agenda geral");
        auto* grade = Grade(w);
        EXPECT_EQ(grade->Rows(0), (QStringList{" Agenda", "Categoria", " Rota", QString::fromUtf8(" Número"), " Nome"}));
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(grade->ColWidths(c), (std::array{64, 48, 120, 184}[c - 1]));
        EXPECT_EQ(grade->Rows(2), (QStringList{"   721", "    Sim", "    1", "0112345678", "Nome 2"}));
        EXPECT_EQ(grade->Rows(3), (QStringList{"   722", QString::fromUtf8("    Não"), "    2", "0112345678", "Nome 3"}));
        EXPECT_EQ(grade->Rows(80), (QStringList{"   799", grade->Cells(1, 80), "    7", "99", "Nome 80"}));
        EXPECT_EQ(grade->Rows(4).mid(2), (QStringList{"    ", "", ""}));
        EXPECT_EQ(Focado(w), "StringGrid1");
        EXPECT_EQ(grade->Col(), 1);
        EXPECT_EQ(grade->Row(), 1);
        DigitaLinha(grade, 5, "3", "4444", "Loja");
        input::Key(Qt::Key_Escape); // ends the edit
        Click(w, "CancButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

struct Linha {
    int linha;
    const char* rota;
    const char* numero;
    const char* nome = "";
};

struct Refusal {
    const char* caso;
    std::vector<Linha> linhas;
    const char* mensagem;
    int linha;
    int coluna;
};

void PrintTo(const Refusal& caso, std::ostream* os)
{
    *os << caso.caso;
}

class AgendaRecusas : public ::testing::TestWithParam<Refusal> {};

TEST_P(AgendaRecusas, MensagemNaLinhaENaColunaSemGravarNada)
{
    const Refusal& caso = GetParam();
    auto imagem = ImagemComAgenda();
    const auto esperado = ComNomesSemNumeroApagados(imagem);
    ScriptedBoxes boxes;
    AbreEntrada(&AgendaColetiva, imagem, [&](TForm* w) {
        auto* grade = Grade(w);
        for (const Linha& l : caso.linhas)
            DigitaLinha(grade, l.linha, l.rota, l.numero, l.nome);
        Click(w, "OkButton");
        input::Settle();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Focado(w), "StringGrid1");
        EXPECT_EQ(grade->Row(), caso.linha);
        EXPECT_EQ(grade->Col(), caso.coluna);
    });
    ConfereUmErro(boxes, QString::fromUtf8(caso.mensagem));
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, AgendaRecusas, ::testing::Values(
    // 721 has route 1 and category "Sim"; the repetition has "Não".
    Refusal{"RotaENumeroRepetidos", {{6, "1", "0112345678"}},
            "Repetição de número de telefone e rota não é permitido", 6, 3},
    Refusal{"RotaSemNumero", {{7, "3", ""}}, "O número de telefone deve ser informado quando a rota é definida", 7, 3},
    Refusal{"NumeroSemRota", {{8, "", "5555"}}, "É necessário definir o número da rota", 8, 2},
    Refusal{"Rota9", {{9, "9", "5555"}}, "Número da rota não é válido", 9, 2},
    Refusal{"Rota8", {{9, "8", "5555"}}, "Número da rota não é válido", 9, 2},
    Refusal{"NomeForaDoCodigoDoPabx", {{15, "1", "333", "Café ☎"}},
            "O nome Café ☎ contém caracteres que não podem ser gravados", 15, 4},
    Refusal{"PrimeiraLinhaQueFalha", {{40, "9", "5555"}, {12, "", "77"}}, "É necessário definir o número da rota", 12, 2}),
    [](const auto& linha) { return std::string(linha.param.caso); });

struct Gravacao {
    const char* caso;
    std::vector<CelulaDigitada> digitado;
    // The image bytes Ok changes besides the entries left empty.
    std::function<void(std::vector<std::uint8_t>&)> muda;
};

void PrintTo(const Gravacao& caso, std::ostream* os)
{
    *os << caso.caso;
}

class AgendaGravacao : public ::testing::TestWithParam<Gravacao> {};

TEST_P(AgendaGravacao, OkGravaCategoriaRotaNumeroENome)
{
    const Gravacao& caso = GetParam();
    auto imagem = ImagemComAgenda();
    auto esperado = ComEntradasVaziasLimpas(imagem);
    caso.muda(esperado);
    ScriptedBoxes boxes;
    AbreEntrada(&AgendaColetiva, imagem, [&](TForm* w) {
        auto* grade = Grade(w);
        for (const CelulaDigitada& d : caso.digitado)
            DigitaOuApagaCelula(grade, d);
        Click(w, "OkButton");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, AgendaGravacao, ::testing::Values(
    // Empty entries lose their category bit, stray digits and names; the
    // other flag bits stay.
    Gravacao{"NadaMudado", {}, [](auto&) {}},
    // 721 emptied: no category, no digits, no name, though it shows "Sim".
    Gravacao{"EntradaEsvaziada", {{2, 2, ""}, {2, 3, ""}},
             [](auto& im) {
                 im[Entrada(2)] &= 0x7F;
                 std::fill(im.begin() + Entrada(2) + 1, im.begin() + Entrada(2) + 12, 0);
                 im[Nome(2)] = 0;
             }},
    // The number of 721 and 722 on a third route, with a name.
    Gravacao{"MesmoNumeroEmOutraRota", {{10, 2, "3"}, {10, 3, "0112345678"}, {10, 4, "Padaria"}},
             [](auto& im) {
                 GravaEntrada(im, 10, 3, "0112345678");
                 GravaNome(im.data() + Nome(10), "Padaria");
             }},
    Gravacao{"CategoriaNaoPorN", {{2, 1, "n"}}, [](auto& im) { im[Entrada(2)] &= 0x7F; }},
    Gravacao{"CategoriaSimPorOutraTecla", {{3, 1, "x"}}, [](auto& im) { im[Entrada(3)] |= 0x80; }},
    Gravacao{"VinteDigitosNaRota0", {{11, 1, "s"}, {11, 2, "0"}, {11, 3, "12345678901234567890"}},
             [](auto& im) {
                 GravaEntrada(im, 11, 0, "12345678901234567890");
                 im[Entrada(11)] |= 0x80;
             }},
    // 799's name, in its own 21 bytes at the end of the names.
    Gravacao{"NomeDaEntrada80", {{80, 4, "Fim da lista"}},
             [](auto& im) { GravaNome(im.data() + Nome(80), "Fim da lista"); }}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// In the category column a key answers at once; in the route column a
// route digit goes on to the number.
TEST(AgendaGeral, TeclasDaCategoriaEDaRota)
{
    auto imagem = ImagemComAgenda();
    AbreEntrada(&AgendaColetiva, imagem, [&](TForm* w) {
        auto* grade = Grade(w);
        const struct {
            int coluna;
            const char* tecla;
            const char* celula;
            int colunaDepois;
        } casos[] = {
            {1, "n", "    Não", 1}, {1, "s", "    Sim", 1}, {1, "N", "    Não", 1}, {1, "1", "    Sim", 1},
            {2, "0", "    0", 3},   {2, "7", "    7", 3},   {2, "8", "    8", 2}, {2, "9", "    9", 2},
        };
        for (const auto& caso : casos) {
            SCOPED_TRACE(caso.tecla);
            DigitaNaCelula(grade, caso.coluna, 20, QString::fromUtf8(caso.tecla));
            EXPECT_EQ(grade->Cells(caso.coluna, 20), QString::fromUtf8(caso.celula));
            EXPECT_EQ(grade->Col(), caso.colunaDepois);
        }
        // Back on a route after a digit typed elsewhere, a key that types
        // nothing leaves the cursor there.
        DigitaNaCelula(grade, 2, 21, QStringLiteral("5"));
        input::Type(QStringLiteral("1"));
        ClicaCelula(grade, 2, 21);
        input::Key(Qt::Key_Shift);
        EXPECT_EQ(grade->Col(), 2);
    });
}

TEST(AgendaGeral, EnterETabAndamPelasColunas)
{
    auto imagem = ImagemComAgenda();
    AbreEntrada(&AgendaColetiva, imagem, [&](TForm* w) {
        auto* grade = Grade(w);
        ClicaCelula(grade, 3, 4);
        input::Key(Qt::Key_Return);
        EXPECT_EQ(grade->Col(), 4);
        input::Key(Qt::Key_Return);
        EXPECT_EQ(grade->Col(), 1);
        EXPECT_EQ(grade->Row(), 5);
        input::Key(Qt::Key_Tab);
        EXPECT_EQ(grade->Col(), 2);
        EXPECT_EQ(Focado(w), "StringGrid1");
    });
}

} // namespace
