// "Padrão" answered Yes, then Ok, writes each window's factory values; the
// rest of the image stays as it was.
#include "modules/entradas.h"
#include "tests/modules/imagemteste.h"
#include "tests/modules/janelas.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct CasoPadrao {
    const char* janela;
    TEntradaModulo abre;
    const char* botaoPadrao;
    const char* botaoOk;
    int resposta;
    const char* pergunta;
    const char* legenda;
    int tipo;
    void (*esperado)(std::vector<std::uint8_t>& imagem); // the image after Ok
};

void PrintTo(const CasoPadrao& caso, std::ostream* os)
{
    *os << caso.janela;
}

void Temporizacoes(std::vector<std::uint8_t>& i)
{
    const std::uint8_t valores[] = {2, 5, 3, 4, i[3400], 9, 1};
    std::copy(std::begin(valores), std::end(valores), i.begin() + 3396);
}

void ProgramacoesDiversas(std::vector<std::uint8_t>& i)
{
    i[3473] = static_cast<std::uint8_t>((i[3473] & 0x0A) | 0x40); // bits 1 and 3 kept
    i[3475] = 0x32;
    i[3476] = 2;
}

void PlanoDeNumeracao(std::vector<std::uint8_t>& i)
{
    const std::uint8_t plano[24] = {0x2A, 0, 0x21, 0, 0x22, 0, 0x23, 0, 0x24, 0, 0x25, 0,
                                    0x26, 0, 0x27, 0, 0x28, 0, 0x29, 0, 0x3A, 0, 0x31, 0};
    std::copy(std::begin(plano), std::end(plano), i.begin() + 426);
    for (int p = 0; p < 12; ++p)
        i[450 + 21 * p] = 0;
}

void ControleAtendedorDigital(std::vector<std::uint8_t>& i)
{
    i[702] = 0;
    i[703] = 0;
}

void AtendedoresDePorteiros(std::vector<std::uint8_t>& i)
{
    i[3443] = 0xBB;
    std::fill(i.begin() + 3444, i.begin() + 3456, std::uint8_t{0});
    i[3456] = 50;
    i[3457] = 30;
}

void RamaisEconomicos(std::vector<std::uint8_t>& i)
{
    std::fill(i.begin() + 6535, i.begin() + 6559, std::uint8_t{0});
}

void HorariosOperadoras(std::vector<std::uint8_t>& i)
{
    std::fill(i.begin() + 6559, i.begin() + 6607, std::uint8_t{0xAA});
}

void NadaMuda(std::vector<std::uint8_t>&) {}

const CasoPadrao kCasos[] = {
    {"Temporizacoes", &::Temporizacoes, "PadButton", "OkButton", IDYES, "Deseja mesmo aplicar o padrão ?",
     "Confirma", 36, &Temporizacoes},
    {"TemporizacoesNao", &::Temporizacoes, "PadButton", "OkButton", IDNO, "Deseja mesmo aplicar o padrão ?",
     "Confirma", 36, &NadaMuda},
    {"ProgramacoesDiversas", &::ProgramacoesDiversas, "PadButton", "OkButton", IDYES,
     "Deseja mesmo aplicar o padrão ?", "Confirma", 36, &ProgramacoesDiversas},
    {"PlanoDeNumeracao", &::PlanoDeNumeracao, "PadButton", "OkButton", IDYES,
     "Aplicar padrão a todas as posições ?", "Atenção", 35, &PlanoDeNumeracao},
    {"PlanoDeNumeracaoCancela", &::PlanoDeNumeracao, "PadButton", "OkButton", IDCANCEL,
     "Aplicar padrão a todas as posições ?", "Atenção", 35, &NadaMuda},
    {"ControleAtendedorDigital", &::ControleAtendedorDigital, "CancButton", "OKButton", IDYES,
     "Confirma o padrão ? ", "Confirma", 36, &ControleAtendedorDigital},
    {"ControleAtendedorDigitalNao", &::ControleAtendedorDigital, "CancButton", "OKButton", IDNO,
     "Confirma o padrão ? ", "Confirma", 36, &NadaMuda},
    {"AtendedoresDePorteiros", &::AtendedoresDePorteiros, "PadButton", "OkButton", IDYES,
     "Deseja mesmo aplicar o padrão ?", "Confirma", 36, &AtendedoresDePorteiros},
    {"RamaisEconomicos", &::RamaisEconomicos, "Button1", "OkButton", IDYES,
     "Aplicar o padrão a todos os ramais ?", "Atenção", 35, &RamaisEconomicos},
    {"HorariosOperadoras", &::HorariosOperadoras, "Button1", "OkButton", IDYES,
     "Aplicar o padrão a todos os horários ?", "Atenção", 35, &HorariosOperadoras},
};

class Padrao : public ::testing::TestWithParam<CasoPadrao> {};

TEST_P(Padrao, PadraoEOkGravamOsValoresDeFabrica)
{
    const CasoPadrao& caso = GetParam();
    auto imagem = ImagemDeTeste();
    for (int p = 1; p <= kPosicoesRamal; ++p) // a plan other than the factory one
        GravaU16(imagem.data() + OffsetPalavraRamal(p), TextoParaPalavraRamal(std::to_string(219 + p)));
    imagem[703] = 0x80; // the recorded message present: its boxes take part
    auto esperado = imagem;
    caso.esperado(esperado);
    ScriptedBoxes boxes({caso.resposta});
    AbreEntrada(caso.abre, imagem, [&](TForm* w) {
        Click(w, caso.botaoPadrao);
        Click(w, caso.botaoOk);
    });
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, QString::fromUtf8(caso.pergunta));
    EXPECT_EQ(boxes.calls[0].caption, QString::fromUtf8(caso.legenda));
    EXPECT_EQ(boxes.calls[0].flags, caso.tipo);
    EXPECT_EQ(Diferencas(esperado, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Janelas, Padrao, ::testing::ValuesIn(kCasos),
                         [](const auto& linha) { return std::string(linha.param.janela); });

// Every window with a "Padrão": its defaults are those the template was
// built from, so "Padrão" then Ok over the template changes nothing.
struct JanelaComPadrao {
    const char* janela;
    TEntradaModulo abre;
    const char* botaoPadrao;
    const char* botaoOk;
    // The categories window writes the image in its Ok and closes as Cancel.
    int resultado = mrOk;
};

void PrintTo(const JanelaComPadrao& caso, std::ostream* os)
{
    *os << caso.janela;
}

const JanelaComPadrao kJanelasComPadrao[] = {
    {"Temporizacoes", &::Temporizacoes, "PadButton", "OkButton"},
    {"ProgramacoesDiversas", &::ProgramacoesDiversas, "PadButton", "OkButton"},
    {"PlanoDeNumeracao", &::PlanoDeNumeracao, "PadButton", "OkButton"},
    {"ControleAtendedorDigital", &::ControleAtendedorDigital, "CancButton", "OKButton"},
    {"AtendedoresDePorteiros", &::AtendedoresDePorteiros, "PadButton", "OkButton"},
    {"RamaisEconomicos", &::RamaisEconomicos, "Button1", "OkButton"},
    {"HorariosOperadoras", &::HorariosOperadoras, "Button1", "OkButton"},
    {"BloqueioDePrefixos", &::BloqueioDePrefixos, "Button2", "OkButton"},
    {"EmergenciaExterna", &::EmergenciaExterna, "BtnPadrao", "OkButton"},
    {"CategoriaDosRamais", &::CategoriaDosRamais, "PadButton", "ButtonOk", mrCancel},
    {"ProgramacaoIndividual", &::ProgramacaoIndividual, "Button1", "OKButton"},
};

class PadraoSobreOModelo : public ::testing::TestWithParam<JanelaComPadrao> {};

TEST_P(PadraoSobreOModelo, PadraoEOkNaoMudamNada)
{
    const JanelaComPadrao& caso = GetParam();
    auto imagem = ImagemDoModelo();
    const auto modelo = imagem;
    ScriptedBoxes boxes({IDYES});
    int resultado = mrNone;
    AbreEntrada(caso.abre, imagem, [&](TForm* w) {
        Click(w, caso.botaoPadrao);
        Click(w, caso.botaoOk);
        resultado = w->ModalResult();
    });
    EXPECT_EQ(boxes.calls.size(), 1u); // the question only: Ok refused nothing
    EXPECT_EQ(resultado, caso.resultado);
    EXPECT_EQ(Diferencas(modelo, imagem), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Janelas, PadraoSobreOModelo, ::testing::ValuesIn(kJanelasComPadrao),
                         [](const auto& linha) { return std::string(linha.param.janela); });

} // namespace
