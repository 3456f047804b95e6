// Lists of extensions and groups, stepping through positions, and the check
// of a typed extension or group number.
#include "modules/modulo.h"
#include "modules/seletores.h"
#include "platform/controls.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/casenames.h"
#include "tests/support/scripted.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

namespace {

class Seletores : public ::testing::Test {
protected:
    Seletores() : imagem(ImagemDeTeste())
    {
        ImagemAtual = imagem.data();
        for (int g = 1; g <= 4; ++g)
            imagem[OffsetGrupo(g)] = 0x40; // no group programmed
    }
    void Posicao(int p, const char* numero)
    {
        GravaU16(imagem.data() + OffsetPalavraRamal(p), TextoParaPalavraRamal(numero));
    }
    std::vector<std::uint8_t> imagem;
};

TEST_F(Seletores, ListaDeDestinosLevaOsRamaisValidosEOsGruposProgramados)
{
    Posicao(3, "81");
    Posicao(5, "4");
    imagem[OffsetGrupo(2)] = 0x00;
    imagem[OffsetGrupo(3)] = 0x7F; // bit 6 set: not programmed
    imagem[OffsetGrupo(4)] = 0xBF; // bit 6 clear: programmed
    TComboBox combo;
    combo.Items().Add("antes");
    CarregaListaDestinos(true, true, combo.Items());
    EXPECT_EQ(combo.Items().ToStringList(), (QStringList{"antes", "     ", "9", "20", "21", "23", "25", "26", "27", "28", "29", "30",
                                  "31", "60", "62", "64"}));
    TComboBox semExtras;
    CarregaListaDestinos(false, false, semExtras.Items());
    EXPECT_EQ(semExtras.Items().Count(), 1 + 10 + 2);
    EXPECT_EQ(semExtras.Items().IndexOf("9"), -1);
    EXPECT_EQ(semExtras.Items().IndexOf("60"), -1);
}

struct CasoNavegacao {
    std::vector<int> invalidas; // positions holding a number that is no extension
    int inicio;
    bool paraCima;
    int resultado;
};

void PrintTo(const CasoNavegacao& caso, std::ostream* os)
{
    *os << "from " << caso.inicio << (caso.paraCima ? " up" : " down") << " to " << caso.resultado;
    for (int p : caso.invalidas)
        *os << " past " << p;
}

class Navegacao : public Seletores, public ::testing::WithParamInterface<CasoNavegacao> {};

TEST_P(Navegacao, ParaNoProximoRamalValido)
{
    for (int p : GetParam().invalidas)
        Posicao(p, "68");
    int posicao = GetParam().inicio;
    NavegaRamal(posicao, GetParam().paraCima);
    EXPECT_EQ(posicao, GetParam().resultado);
}

INSTANTIATE_TEST_SUITE_P(Casos, Navegacao, ::testing::Values(
    CasoNavegacao{{}, 12, true, 12},       // all valid: stays on the last
    CasoNavegacao{{}, 1, false, 1},        // and on the first
    CasoNavegacao{{}, 4, true, 5},
    CasoNavegacao{{5, 6}, 4, true, 7},     // skips special numbers
    CasoNavegacao{{5, 6}, 7, false, 4},
    CasoNavegacao{{12}, 12, true, 11},     // "last" with position 12 invalid
    CasoNavegacao{{11, 12}, 10, true, 11}, // runs to 12, lands on 11
    CasoNavegacao{{1}, 1, false, 2},       // "first" with position 1 invalid
    CasoNavegacao{{}, 0, true, 2},         // out of range: taken as the nearest end
    CasoNavegacao{{}, 40, false, 11}), PrintedName{});

TEST_F(Seletores, ComboDeRamaisLevaTodasAsPosicoes)
{
    Posicao(2, "81");
    TComboBox combo;
    combo.Items().Add("velho");
    CarregaComboRamais(&combo);
    ASSERT_EQ(combo.Items().Count(), 13);
    EXPECT_EQ(combo.Items()[0], "     ");
    EXPECT_EQ(combo.Items()[1], "20");
    EXPECT_EQ(combo.Items()[2], "81");
    EXPECT_EQ(combo.Items()[12], "31");
}

TEST_F(Seletores, ComboDeNumeros)
{
    TComboBox combo;
    CarregaComboNumeros(true, &combo, 5, "00", 8);
    EXPECT_EQ(combo.Items().ToStringList(), (QStringList{"00", "05", "06", "07", "08"}));
    CarregaComboNumeros(false, &combo, 9, "0", 11);
    EXPECT_EQ(combo.Items().ToStringList(), (QStringList{"9", "10", "11"}));
    CarregaComboNumeros(true, &combo, 7, "00", 3); // highest below lowest: only the zero
    EXPECT_EQ(combo.Items().ToStringList(), QStringList{"00"});
}

struct CasoDigitado {
    bool recusaGrupos;
    const char* texto;
    const char* mensagem; // null: accepted
};

void PrintTo(const CasoDigitado& caso, std::ostream* os)
{
    *os << std::strlen(caso.texto) << " chars \"" << caso.texto << '"' << (caso.recusaGrupos ? " no groups" : "")
        << (caso.mensagem ? " refused" : " accepted");
}

class Digitado : public Seletores, public ::testing::WithParamInterface<CasoDigitado> {};

TEST_P(Digitado, ValidaComboRamal)
{
    const CasoDigitado& caso = GetParam();
    Posicao(10, "2345");
    imagem[OffsetGrupo(1)] = 0x00; // group 1 programmed: "61" is listed
    TComboBox combo;
    CarregaListaDestinos(false, true, combo.Items());
    combo.SetText(QString::fromUtf8(caso.texto));
    ScriptedBoxes boxes;
    EXPECT_EQ(ValidaComboRamal(caso.recusaGrupos, &combo), caso.mensagem == nullptr);
    if (caso.mensagem) {
        ConfereUmErro(boxes, QString::fromUtf8(caso.mensagem));
    } else {
        EXPECT_TRUE(boxes.calls.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, Digitado, ::testing::Values(
    CasoDigitado{false, "", nullptr},
    CasoDigitado{false, "    ", nullptr},
    CasoDigitado{false, " 25 ", nullptr},
    CasoDigitado{false, "2345", nullptr},
    CasoDigitado{false, "2", "O ramal deve ter no mínimo 2 dígitos"},
    CasoDigitado{false, "23456", "O ramal deve ter no máximo 4 dígitos"},
    CasoDigitado{false, "29", "Este ramal não é um ramal válido"},
    CasoDigitado{false, "2a", "Apenas números podem ser digitados para ramais"},
    CasoDigitado{false, "-25", "Apenas números podem ser digitados para ramais"},
    CasoDigitado{false, "7", "O ramal não pode ser iniciado por '7' ."},
    CasoDigitado{false, " 45", "O ramal não pode ser iniciado por '4' ."},
    CasoDigitado{true, "61", "O ramal não pode ser iniciado por '6' ."},
    CasoDigitado{false, "61", nullptr},
    CasoDigitado{false, "60", nullptr},
    CasoDigitado{false, "62", "O grupo deve estar programado"},
    CasoDigitado{false, "6", "O grupo deve ter 2 dígitos"},
    CasoDigitado{false, "612", "O grupo deve ter 2 dígitos"}), PrintedName{});

TEST_F(Seletores, ApenasNumeros)
{
    EXPECT_TRUE(ApenasNumeros(""));
    EXPECT_TRUE(ApenasNumeros("0123456789"));
    EXPECT_FALSE(ApenasNumeros("12 "));
    EXPECT_FALSE(ApenasNumeros("1a"));
    EXPECT_FALSE(ApenasNumeros("١")); // a digit of another script
}

} // namespace
