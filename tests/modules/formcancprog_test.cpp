// Digital attendant control: each box's bits from its Tag, the boxes that
// follow one another, and a work copy written back only on Ok.
#include "modules/entradas.h"
#include "platform/controls.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct CasoAtendedor {
    const char* caso;
    std::uint8_t opcoes;   // image 702 before
    std::uint8_t gravada;  // image 703 before
    std::vector<const char*> cliques;
    std::uint8_t opcoesDepois;
    std::uint8_t gravadaDepois;
};

void PrintTo(const CasoAtendedor& caso, std::ostream* os)
{
    *os << caso.caso;
}

class Atendedor : public ::testing::TestWithParam<CasoAtendedor> {};

TEST_P(Atendedor, CliquesGravamOsBitsNoOk)
{
    const CasoAtendedor& caso = GetParam();
    auto imagem = ImagemDeTeste();
    imagem[702] = caso.opcoes;
    imagem[703] = caso.gravada;
    auto esperado = imagem;
    esperado[702] = caso.opcoesDepois;
    esperado[703] = caso.gravadaDepois;
    AbreEntrada(&ControleAtendedorDigital, imagem, [&](TForm* w) {
        for (const char* caixa : caso.cliques)
            Click(w, caixa);
        Click(w, "OKButton");
    });
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Casos, Atendedor, ::testing::Values(
    CasoAtendedor{"NadaClicado", 0xA5, 0x80, {}, 0xA5, 0x80},
    CasoAtendedor{"FabricaTodoDiaLigaDiaENoite", 0x00, 0x00, {"CheckBox1"}, 0x13, 0x00},
    CasoAtendedor{"FabricaTodoDiaDesligaDiaENoite", 0x13, 0x00, {"CheckBox1"}, 0x00, 0x00},
    CasoAtendedor{"FabricaTodoDiaApagaMensagemGravada", 0xC0, 0x80, {"CheckBox1"}, 0x13, 0x00},
    CasoAtendedor{"DiaENoiteLigamTodoDia", 0x00, 0x00, {"CheckBox2", "CheckBox10"}, 0x13, 0x00},
    CasoAtendedor{"DisaTodoDia", 0x00, 0x00, {"CheckBox3"}, 0x0C, 0x00},
    CasoAtendedor{"DisaDiaENoiteLigamTodoDia", 0x00, 0x00, {"CheckBox8", "CheckBox11"}, 0x0C, 0x00},
    CasoAtendedor{"DisaNoiteSo", 0x00, 0x00, {"CheckBox11"}, 0x08, 0x00},
    CasoAtendedor{"ModoMenu", 0x00, 0x00, {"CheckBox5"}, 0x20, 0x00},
    CasoAtendedor{"MensagemCampoDiaENoite", 0x00, 0x80, {"CheckBox4", "CheckBox7"}, 0xC0, 0x80},
    CasoAtendedor{"MensagemCampoSemGravacaoNaoLiga", 0x00, 0x81, {"CheckBox4", "CheckBox7"}, 0x00, 0x81}),
    [](const auto& linha) { return std::string(linha.param.caso); });

struct CasoCarga {
    std::uint8_t opcoes;
    std::uint8_t gravada;
    const char* caixa;
    bool marcada;
    bool habilitada;
};

void PrintTo(const CasoCarga& caso, std::ostream* os)
{
    *os << caso.caixa << " over 0x" << std::hex << int(caso.opcoes) << " 0x" << int(caso.gravada)
        << std::dec;
}

class AtendedorCarga : public ::testing::TestWithParam<CasoCarga> {};

TEST_P(AtendedorCarga, CaixasMostramOsBits)
{
    const CasoCarga& caso = GetParam();
    auto imagem = ImagemDeTeste();
    imagem[702] = caso.opcoes;
    imagem[703] = caso.gravada;
    AbreEntrada(&ControleAtendedorDigital, imagem, [&](TForm* w) {
        auto* caixa = Find<TCheckBox>(w, caso.caixa);
        EXPECT_EQ(caixa->Checked(), caso.marcada);
        EXPECT_EQ(caixa->isEnabled(), caso.habilitada);
    });
}

INSTANTIATE_TEST_SUITE_P(Casos, AtendedorCarga, ::testing::Values(
    CasoCarga{0x04, 0x00, "CheckBox3", false, true},  // DISA all day needs both bits
    CasoCarga{0x04, 0x00, "CheckBox8", true, true},
    CasoCarga{0x0C, 0x00, "CheckBox3", true, true},
    CasoCarga{0x0C, 0x00, "CheckBox11", true, false},
    CasoCarga{0xC0, 0x81, "CheckBox6", false, false}, // only exactly 0x80 is a recorded message
    CasoCarga{0xC0, 0x81, "CheckBox4", true, false},
    CasoCarga{0x00, 0x80, "CheckBox6", true, false},
    CasoCarga{0x00, 0x80, "CheckBox7", false, true},
    CasoCarga{0x13, 0x00, "CheckBox2", true, false},  // "all day" rules the day box
    CasoCarga{0x10, 0x00, "CheckBox2", false, false}), PrintedName{}); // loaded after it, from its own bit

// The work copy: whatever was clicked or defaulted, Cancel writes nothing.
TEST(AtendedorCopia, CancelaDepoisDeCliquesEPadraoNaoGrava)
{
    auto imagem = ImagemDeTeste();
    imagem[703] = 0x80;
    const auto antes = imagem;
    ScriptedBoxes boxes({IDYES});
    AbreEntrada(&ControleAtendedorDigital, imagem, [&](TForm* w) {
        Click(w, "CheckBox1");
        Click(w, "CheckBox3");
        Click(w, "CancButton");
        EXPECT_FALSE(Find<TCheckBox>(w, "CheckBox1")->Checked());
        Click(w, "CheckBox5");
        Click(w, "BtnCancela");
    });
    EXPECT_EQ(Diferencas(antes, imagem), std::vector<int>{});
}

} // namespace
