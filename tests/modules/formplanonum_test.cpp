// Numbering plan: each row is checked in order, reserved numbers keep their
// places and names, repetitions are refused, and only a plan that passes
// every check reaches the image.
#include "modules/entradas.h"
#include "platform/grids.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/casenames.h"
#include "tests/support/usuario.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Celula {
    int linha;
    int coluna;
    const char* texto;
};

struct Recusa {
    const char* caso;
    std::vector<Celula> celulas;
    const char* mensagem;
    int linha; // the cell selected afterwards
    int coluna = 1;
};

void PrintTo(const Recusa& caso, std::ostream* os)
{
    *os << caso.caso;
}

class PlanoRecusas : public ::testing::TestWithParam<Recusa> {};

TEST_P(PlanoRecusas, MensagemEFocoNaLinhaQueFalhou)
{
    const Recusa& caso = GetParam();
    auto imagem = ImagemDeTeste();
    const auto antes = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&PlanoDeNumeracao, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        for (const Celula& c : caso.celulas)
            grade->SetCells(c.coluna, c.linha, QString::fromUtf8(c.texto));
        grade->FocusCell(2, 3);
        Click(w, "OkButton");
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(Focado(w), "StringGrid1");
        EXPECT_EQ(grade->Row(), caso.linha);
        EXPECT_EQ(grade->Col(), caso.coluna);
    });
    ConfereUmErro(boxes, QString::fromUtf8(caso.mensagem));
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, PlanoRecusas, ::testing::Values(
    Recusa{"BuscaPessoaForaDaPosicao07", {{3, 1, " 68"}}, "Busca pessoa (68) deve ser na posição 07", 3},
    Recusa{"Porteiro1ForaDaPosicao11", {{4, 1, " 81"}}, "Porteiro 1 (81) deve ser na posição 11", 4},
    Recusa{"PorteiroPINaPosicao00", {{1, 1, " 83"}}, "Porteiro PI 100 (83) não pode ser na posição 00", 1},
    Recusa{"DoisPorteiros", {{5, 1, " 83"}, {12, 1, " 81"}}, "Somente um porteiro pode ser programado", 12},
    Recusa{"PosicaoVazia", {{6, 1, "     "}}, "Ramal deve possuir pelo menos dois dígitos", 6},
    Recusa{"UmDigito", {{7, 1, " 2"}}, "Ramal deve possuir pelo menos dois dígitos", 7},
    Recusa{"NaoIniciaCom2Ou3", {{2, 1, " 45"}}, "Ramal 45 deve iniciar com 2 ou 3", 2},
    Recusa{"PrimeiraFalhaPrimeiro", {{9, 1, " 5"}, {2, 1, " 84"}}, "Ramal 84 deve iniciar com 2 ou 3", 2},
    Recusa{"Repetido", {{3, 1, " 25"}}, "Ramal 25 não pode ser repetido.", 6},
    Recusa{"NomeForaDoCodigoDoPabx", {{4, 2, "Sala ☎"}}, "O nome Sala ☎ contém caracteres que não podem ser gravados", 4, 2}),
    [](const auto& linha) { return std::string(linha.param.caso); });

TEST(Plano, NumerosReservadosENomesGravados)
{
    auto imagem = ImagemDeTeste();
    auto esperado = imagem;
    ScriptedBoxes boxes;
    AbreEntrada(&PlanoDeNumeracao, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        EXPECT_EQ(grade->Cells(0, 1), "     00");
        EXPECT_EQ(grade->Cells(1, 12), " 31");
        EXPECT_EQ(grade->Cells(2, 2), "Sala 2");
        grade->SetCells(1, 8, " 68");
        grade->SetCells(2, 8, "Recepção");
        grade->SetCells(1, 12, " 81");
        grade->SetCells(1, 3, " 231");
        grade->SetCells(2, 3, " Porteiro da frente ");
        grade->SetCells(2, 4, "  Dona Conceição  ");
        Click(w, "OkButton");
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    GravaU16(esperado.data() + 440, 0xFAFF);
    GravaNome(esperado.data() + 429 + 21 * 8, "Busca pessoa");
    GravaU16(esperado.data() + 448, 0xF1FF);
    GravaNome(esperado.data() + 429 + 21 * 12, "Porteiro 1");
    GravaU16(esperado.data() + 430, 0x1023);
    GravaNome(esperado.data() + 429 + 21 * 3, "");
    GravaNome(esperado.data() + 429 + 21 * 4, "Dona Conceição");
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
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

class PlanoNomes : public ::testing::TestWithParam<EdicaoNome> {};

// A stored name is edited whole: F2 shows it after the mask's leading blank
// and Ok stores what the user sees.
TEST_P(PlanoNomes, F2MostraENomeGravadoInteiro)
{
    const EdicaoNome& caso = GetParam();
    auto imagem = ImagemDeTeste();
    auto esperado = imagem;
    GravaNome(esperado.data() + 429 + 21 * 2, caso.gravado);
    ScriptedBoxes boxes;
    AbreEntrada(&PlanoDeNumeracao, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        ASSERT_EQ(grade->Cells(2, 2), "Sala 2");
        grade->FocusCell(2, 2);
        input::Key(Qt::Key_F2);
        ASSERT_NE(grade->InplaceEditor(), nullptr);
        PressionaTeclas(caso.teclas);
        EXPECT_EQ(grade->InplaceEditor()->EditText(), QString::fromUtf8(caso.mostrado));
        Click(w, "OkButton");
    });
    EXPECT_TRUE(boxes.calls.empty()) << boxes.Texts().join(" | ").toStdString();
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, PlanoNomes, ::testing::Values(
    EdicaoNome{"SoF2", {}, " Sala_2______________", "Sala 2"},
    EdicaoNome{"DigitaDepoisDoNome", {Qt::Key_Home, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, 'x'}, " Sala_2x_____________", "Sala 2x"},
    EdicaoNome{"BackspaceNoFimDoNome", {Qt::Key_Home, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Backspace}, " Sala________________", "Sala"},
    EdicaoNome{"HomeVaiAoInicioDoNome", {Qt::Key_End, Qt::Key_Home, 'M'}, " Mala_2______________", "Mala 2"},
    EdicaoNome{"EndVaiAoFimDaMascara", {Qt::Key_End, 'x'}, " Sala_2______________", "Sala 2"}),
    PrintedName{});

TEST(Plano, PadraoNaoSoNaLinhaAtual)
{
    auto imagem = ImagemDeTeste();
    auto esperado = imagem;
    GravaU16(imagem.data() + 436, TextoParaPalavraRamal("255"));
    GravaNome(esperado.data() + 429 + 21 * 6, "");
    ScriptedBoxes boxes({IDNO});
    AbreEntrada(&PlanoDeNumeracao, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        grade->FocusCell(1, 6);
        Click(w, "PadButton");
        EXPECT_EQ(grade->Cells(1, 6), " 25");
        EXPECT_EQ(grade->Cells(2, 6), "");
        Click(w, "OkButton");
    });
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

TEST(Plano, EnterVaiDoNumeroAoNomeEDaUltimaLinhaAPrimeira)
{
    auto imagem = ImagemDeTeste();
    AbreEntrada(&PlanoDeNumeracao, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        const struct {
            int col, linha, col2, linha2;
        } passos[] = {{1, 4, 2, 4}, {2, 4, 1, 5}, {2, 12, 1, 1}};
        for (const auto& p : passos) {
            grade->FocusCell(p.col, p.linha);
            Tecla(grade, Qt::Key_Return, "\r");
            EXPECT_EQ(grade->Col(), p.col2);
            EXPECT_EQ(grade->Row(), p.linha2);
        }
    });
}

// Esc typed in the grid, as a user does with the cursor in it, leaves the
// window through Cancel.
TEST(Plano, EscNaGradeFechaSemGravar)
{
    auto imagem = ImagemDeTeste();
    const auto antes = imagem;
    AbreEntrada(&PlanoDeNumeracao, imagem, [&](TForm* w) {
        auto* grade = Find<TStringGrid>(w, "StringGrid1");
        grade->SetCells(1, 2, " 45");
        Tecla(grade, Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_FALSE(w->isVisible());
    });
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

} // namespace
