// Miscellaneous programmings: the option bits from the boxes, the bits no
// box owns kept, and the password length only when one is chosen.
#include "modules/entradas.h"
#include "platform/controls.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct CasoDiversas {
    const char* caso;
    std::uint8_t bilhetagem, facilidades, digitos;
    std::vector<const char*> cliques;
    int indiceDigitos; // -2: not touched
    std::uint8_t bilhetagemDepois, facilidadesDepois, digitosDepois;
};

void PrintTo(const CasoDiversas& caso, std::ostream* os)
{
    *os << caso.caso;
}

class Diversas : public ::testing::TestWithParam<CasoDiversas> {};

TEST_P(Diversas, OkGravaOsBitsDasCaixas)
{
    const CasoDiversas& caso = GetParam();
    auto imagem = ImagemDeTeste();
    imagem[3473] = caso.bilhetagem;
    imagem[3475] = caso.facilidades;
    imagem[3476] = caso.digitos;
    auto esperado = imagem;
    esperado[3473] = caso.bilhetagemDepois;
    esperado[3475] = caso.facilidadesDepois;
    esperado[3476] = caso.digitosDepois;
    AbreEntrada(&ProgramacoesDiversas, imagem, [&](TForm* w) {
        EXPECT_TRUE(Find<TCheckBox>(w, "CheckBox10")->Checked());
        EXPECT_FALSE(Find<TCheckBox>(w, "CheckBox13")->isEnabled());
        for (const char* caixa : caso.cliques)
            Click(w, caixa);
        if (caso.indiceDigitos != -2)
            Find<TComboBox>(w, "ComboBox1")->SetItemIndex(caso.indiceDigitos);
        Click(w, "OkButton");
    });
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, Diversas, ::testing::Values(
    // Bit 7 cleared in both bytes, bits 1 and 3 of billing kept, bit 1 of
    // facilities always set.
    CasoDiversas{"SemCliques", 0xFF, 0x80, 3, {}, -2, 0x7F, 0x02, 3},
    CasoDiversas{"SemCliquesZerado", 0x00, 0x00, 4, {}, -2, 0x00, 0x02, 4},
    CasoDiversas{"CadaCaixaSeuBit", 0x00, 0x00, 2,
                 {"CheckBox5", "CheckBox7", "CheckBox9", "CheckBox6", "CheckBox8", "CheckBox12", "CheckBox3",
                  "CheckBox2", "CheckBox1", "CheckBox4", "CheckBox11"},
                 -2, 0x75, 0x7F, 2},
    CasoDiversas{"DesmarcaTudo", 0x75, 0x7F, 2,
                 {"CheckBox5", "CheckBox7", "CheckBox9", "CheckBox6", "CheckBox8", "CheckBox12", "CheckBox3",
                  "CheckBox2", "CheckBox1", "CheckBox4", "CheckBox11"},
                 -2, 0x00, 0x02, 2},
    CasoDiversas{"DigitosEscolhidos", 0x00, 0x00, 2, {}, 2, 0x00, 0x02, 4},
    // A stored length outside 2..4 shows nothing chosen and is kept.
    CasoDiversas{"DigitosForaDaListaMantidos", 0x00, 0x00, 7, {}, -2, 0x00, 0x02, 7}),
    [](const auto& linha) { return std::string(linha.param.caso); });

TEST(DiversasCarga, ComprimentoForaDaListaNaoMostraItem)
{
    auto imagem = ImagemDeTeste();
    imagem[3476] = 1;
    AbreEntrada(&ProgramacoesDiversas, imagem, [&](TForm* w) {
        EXPECT_EQ(Find<TComboBox>(w, "ComboBox1")->ItemIndex(), -1);
    });
}

} // namespace
