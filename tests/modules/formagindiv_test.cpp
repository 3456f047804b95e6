// Individual speed-dial lists: the grid is written into the list of the
// extension chosen whenever it loses the focus; routes are taken as typed;
// "Padrão" empties only the chosen list.
#include "modules/entradas.h"
#include "tests/support/usuario.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// Entry e (1..10) of the list of position p (1..12).
int Entrada(int p, int e) { return 3941 + 110 * (p - 1) + 11 * (e - 1); }

void GravaEntrada(std::vector<std::uint8_t>& imagem, int p, int e, int rota, const std::string& numero)
{
    const NumeroDiscagemCurto registro = CompactaNumeroCurto(numero);
    std::copy(registro.begin(), registro.end(), imagem.begin() + Entrada(p, e));
    imagem[Entrada(p, e)] = static_cast<std::uint8_t>(registro[0] | rota << 5);
}

// The test image with every list in the form the window writes: entry e of
// position p dials p * 1000 + e on route e mod 5; every third one is empty
// (route 0, no digits).
std::vector<std::uint8_t> ImagemComListas()
{
    auto imagem = ImagemDeTeste();
    for (int p = 1; p <= 12; ++p)
        for (int e = 1; e <= 10; ++e) {
            const bool vazia = (p + e) % 3 == 0;
            GravaEntrada(imagem, p, e, vazia ? 0 : e % 5, vazia ? "" : std::to_string(p * 1000 + e));
        }
    return imagem;
}

TStringGrid* Grade(TForm* w)
{
    return Find<TStringGrid>(w, "StringGrid1");
}

TComboBox* Combo(TForm* w)
{
    return Find<TComboBox>(w, "ComboBox1");
}

// Picks an extension as a user does: the label's accelerator selects the
// combo's text, the keys replace it.
void EscolheRamal(const QString& texto)
{
    input::Accelerator('r');
    input::Type(texto);
}

TEST(AgendaIndividual, MostraAListaDoPrimeiroRamal)
{
    auto imagem = ImagemComListas();
    const auto esperado = imagem;
    AbreEntrada(&AgendasIndividuais, imagem, [&](TForm* w) {
        EXPECT_EQ(w->Caption(), "Agenda individual de ramal");
        auto* grade = Grade(w);
        EXPECT_EQ(Combo(w)->Items().ToStringList(),
                  (QStringList{"20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31"}));
        EXPECT_EQ(Combo(w)->Text(), "20");
        EXPECT_EQ(grade->Rows(0), (QStringList{" Agenda", " Rota", " Telefone"}));
        EXPECT_EQ(grade->ColWidths(1), 48);
        EXPECT_EQ(grade->ColWidths(2), 178);
        EXPECT_EQ(grade->RowHeights(5), 20);
        // Code 10 holds the tenth entry, 11 the first; an empty entry shows
        // no route.
        EXPECT_EQ(grade->Rows(1), (QStringList{"     10", "    0", " 1010"}));
        EXPECT_EQ(grade->Rows(2), (QStringList{"     11", "    1", " 1001"}));
        EXPECT_EQ(grade->Rows(3), (QStringList{"     12", "    ", " "}));
        EXPECT_EQ(Focado(w), "StringGrid1");
        EXPECT_EQ(grade->Col(), 1);
        EXPECT_EQ(grade->Row(), 1);
        Click(w, "Button1");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

struct Edicao {
    const char* caso;
    std::function<void(TForm*)> atos;
    // The image bytes that change, written while the window is open.
    std::function<void(std::vector<std::uint8_t>&)> muda;
    // A row of the first list as the window shows it when opened again
    // (row 0: none checked).
    int linha = 0;
    QStringList mostrada = {};
};

void PrintTo(const Edicao& caso, std::ostream* os)
{
    *os << caso.caso;
}

class AgendaEdicao : public ::testing::TestWithParam<Edicao> {};

TEST_P(AgendaEdicao, ListaGravadaNoRamalEscolhido)
{
    const Edicao& caso = GetParam();
    auto imagem = ImagemComListas();
    auto esperado = imagem;
    caso.muda(esperado);
    ScriptedBoxes boxes;
    AbreEntrada(&AgendasIndividuais, imagem, [&](TForm* w) {
        caso.atos(w);
        Click(w, "Button1");
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
    if (caso.linha)
        AbreEntrada(&AgendasIndividuais, imagem,
                    [&](TForm* w) { EXPECT_EQ(Grade(w)->Rows(caso.linha), caso.mostrada); });
}

INSTANTIATE_TEST_SUITE_P(Casos, AgendaEdicao, ::testing::Values(
    // Route 3 in row 5 (code 14) goes on to the number: the fourth entry
    // gets route 3 and ten digits.
    Edicao{"RotaENumeroNoCodigo14",
           [](TForm* w) {
               DigitaNaCelula(Grade(w), 1, 5, QStringLiteral("3"));
               EXPECT_EQ(Grade(w)->Col(), 2);
               input::Type(QStringLiteral("0113456789"));
           },
           [](auto& im) {
               const std::uint8_t entrada[] = {0x6A, 0xA1, 0x13, 0x45, 0x67, 0x89, 0, 0, 0, 0, 0};
               std::copy(std::begin(entrada), std::end(entrada), im.begin() + Entrada(1, 4));
           },
           5, {"     14", "    3", " 0113456789"}},
    // A route without number keeps its route bits with no digits, and comes
    // back with no route shown.
    Edicao{"RotaSemNumero",
           [](TForm* w) {
               DigitaNaCelula(Grade(w), 1, 2, QStringLiteral("2"));
               ApagaCelula(Grade(w), 2, 2);
           },
           [](auto& im) { GravaEntrada(im, 1, 1, 2, ""); }, 2, {"     11", "    ", " "}},
    // Another extension chosen in the combo: the grid first goes into the
    // list it showed.
    Edicao{"OutroRamalNoCombo",
           [](TForm* w) {
               DigitaNaCelula(Grade(w), 1, 3, QStringLiteral("1"));
               input::Type(QStringLiteral("5551234"));
               EscolheRamal(QStringLiteral("25"));
               EXPECT_EQ(Grade(w)->Rows(3), (QStringList{"     12", "    2", " 6002"}));
               DigitaNaCelula(Grade(w), 2, 3, QStringLiteral("6002999"));
           },
           [](auto& im) {
               GravaEntrada(im, 1, 2, 1, "5551234");
               GravaEntrada(im, 6, 2, 2, "6002999");
           }},
    // "Padrão" asks nothing and empties the last extension's list alone:
    // the private codes after it in the image stay.
    Edicao{"PadraoDoUltimoRamal",
           [](TForm* w) {
               EscolheRamal(QStringLiteral("31"));
               Click(w, "Button2");
               for (int linha = 1; linha <= 10; ++linha)
                   EXPECT_EQ(Grade(w)->Rows(linha).mid(1), (QStringList{"    ", " "})) << linha;
           },
           [](auto& im) { std::fill(im.begin() + Entrada(12, 1), im.begin() + Entrada(12, 1) + 110, 0); }},
    // A text that is none of the combo's extensions shows no list and writes
    // none, not even into the first extension's; "Padrão" clears nothing.
    Edicao{"TextoForaDoCombo",
           [](TForm* w) {
               EscolheRamal(QStringLiteral("99"));
               for (int linha = 1; linha <= 10; ++linha)
                   EXPECT_EQ(Grade(w)->Rows(linha).mid(1), (QStringList{"    ", ""})) << linha;
               DigitaNaCelula(Grade(w), 1, 1, QStringLiteral("2"));
               input::Type(QStringLiteral("123"));
               Click(w, "Button2");
           },
           [](auto&) {}}),
    [](const auto& linha) { return std::string(linha.param.caso); });

// The list is in the image as soon as the focus leaves the grid, while the
// window is still open.
TEST(AgendaIndividual, GradeQuePerdeOFocoGravaALista)
{
    auto imagem = ImagemComListas();
    auto esperado = imagem;
    GravaEntrada(esperado, 1, 6, 4, "4321");
    AbreEntrada(&AgendasIndividuais, imagem, [&](TForm* w) {
        auto* grade = Grade(w);
        DigitaNaCelula(grade, 1, 7, QStringLiteral("4"));
        input::Type(QStringLiteral("4321"));
        EXPECT_NE(Diferencas(esperado, imagem), std::vector<int>{});
        input::Click(Combo(w)->lineEdit());
        EXPECT_TRUE(Combo(w)->hasFocus());
        EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
    });
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

// Routes 0..4 are taken at once and the cursor goes on to the number; 5
// and 6 stay in the cell; 7..9 are refused and the cell keeps its route;
// nothing else is typed there.
TEST(AgendaIndividual, TeclasDaRota)
{
    auto imagem = ImagemComListas();
    const struct {
        const char* tecla;
        const char* celula;
        int colunaDepois;
        bool recusada;
    } casos[] = {
        {"0", "    0", 2, false}, {"4", "    4", 2, false}, {"5", "    5", 1, false}, {"6", "    6", 1, false},
        {"7", "    1", 1, true},  {"9", "    1", 1, true},  {"a", "    1", 1, false},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.tecla);
        ScriptedBoxes boxes;
        AbreEntrada(&AgendasIndividuais, imagem, [&](TForm* w) {
            auto* grade = Grade(w);
            DigitaNaCelula(grade, 1, 2, QString::fromUtf8(caso.tecla));
            EXPECT_EQ(grade->Cells(1, 2), caso.celula);
            EXPECT_EQ(grade->Col(), caso.colunaDepois);
        });
        EXPECT_EQ(boxes.Texts(), caso.recusada ? QStringList{QString::fromUtf8("Número de rota é inválido")}
                                               : QStringList{});
        if (caso.recusada) {
            EXPECT_EQ(boxes.calls[0].caption, "Erro");
            EXPECT_EQ(boxes.calls[0].flags, 16);
        }
    }
}

// The window has no Cancel: Esc leaves it open; only Ok closes.
TEST(AgendaIndividual, EscNaoFechaAJanela)
{
    auto imagem = ImagemComListas();
    AbreEntrada(&AgendasIndividuais, imagem, [&](TForm* w) {
        ClicaCelula(Grade(w), 2, 4);
        input::Key(Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Find<QWidget>(w, "CancButton"), nullptr);
    });
}

} // namespace
