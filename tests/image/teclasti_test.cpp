// Key terminals: every key code shown as a type and number and read back,
// the type names' codes, the checks of a shown key, and which terminals are
// offered.
#include "image/padrao.h"
#include "image/registro.h"
#include "image/teclasti.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> ImagemComPlano()
{
    std::vector<std::uint8_t> imagem(kTamanhoImagem, 0);
    PreencheImagemPadrao(imagem.data());
    return imagem;
}

void Posicao(std::vector<std::uint8_t>& imagem, int p, const char* numero)
{
    GravaU16(imagem.data() + OffsetPalavraRamal(p), TextoParaPalavraRamal(numero));
}

// What each code shows, written out from the list of key functions.
TextoTecla Esperado(int codigo)
{
    struct Faixa {
        int primeiro, ultimo;
        const char* tipo;
        int numero1;    // number of the first code; -1 none
        bool doisDigitos;
    };
    static const Faixa kFaixas[] = {
        {100, 101, "Porteiro", 1, false},         {102, 103, "Atuação externa", 1, false},
        {104, 105, "Chefe secretária", 1, false}, {106, 106, "Monitora", -1, false},
        {107, 107, "Não perturbe", -1, false},    {108, 108, "Cadeado", -1, false},
        {109, 109, "Toque geral", -1, false},     {110, 117, "Grupo de ramal", 1, false},
        {118, 118, "Busca pessoa", -1, false},    {119, 120, "Viva voz Ch-Secr", 1, false},
        {121, 121, "Correio de voz", -1, false},  {129, 132, "Linha", 1, true},
        {161, 167, "Rota", 1, false},             {170, 170, "Rota", 0, false},
        {255, 255, "Sem função", -1, false},
    };
    if (codigo <= 11)
        return {"Ramal", std::to_string(20 + codigo)};
    for (const Faixa& faixa : kFaixas) {
        if (codigo < faixa.primeiro || codigo > faixa.ultimo)
            continue;
        if (faixa.numero1 < 0)
            return {faixa.tipo, ""};
        const int n = faixa.numero1 + codigo - faixa.primeiro;
        return {faixa.tipo, (faixa.doisDigitos && n < 10 ? "0" : "") + std::to_string(n)};
    }
    return {};
}

TEST(TeclasTI, CadaCodigoMostraSeuTipoENumeroEVoltaAoMesmoByte)
{
    const auto imagem = ImagemComPlano();
    int comTipo = 0;
    for (int codigo = 0; codigo <= 255; ++codigo) {
        SCOPED_TRACE(codigo);
        const TextoTecla texto = CodigoTeclaParaTexto(imagem.data(), static_cast<std::uint8_t>(codigo));
        EXPECT_EQ(texto, Esperado(codigo)) << texto.tipo << " " << texto.numero;
        const CodigoTecla lido = TextoParaCodigoTecla(imagem.data(), texto.tipo, texto.numero);
        if (texto.tipo.empty()) {
            // A code of no type shows nothing, and an empty type fails.
            EXPECT_EQ(lido.falha, TFalhaTecla::Tipo);
            EXPECT_EQ(TipoTeclaDoCodigo(static_cast<std::uint8_t>(codigo)), nullptr);
            continue;
        }
        ++comTipo;
        EXPECT_EQ(lido.falha, TFalhaTecla::Nenhuma);
        EXPECT_EQ(lido.codigo, codigo);
    }
    EXPECT_EQ(comTipo, 12 + 22 + 4 + 8 + 1);
}

TEST(TeclasTI, NomeDoTipoDaOCodigoDoPrimeiroNumero)
{
    const std::pair<const char*, int> kCodigos[] = {
        {"Ramal", 0},           {"Linha", 129},          {"Porteiro", 100},       {"Atuação externa", 102},
        {"Chefe secretária", 104}, {"Monitora", 106},    {"Não perturbe", 107},   {"Cadeado", 108},
        {"Toque geral", 109},   {"Grupo de ramal", 110}, {"Busca pessoa", 118},   {"Viva voz Ch-Secr", 119},
        {"Correio de voz", 121}, {"Rota", 161},          {"Sem função", 255},     {"", 255},
        {"ramal", 255},         {"Ramal ", 255},         {"Linhas", 255},
    };
    for (const auto& [tipo, codigo] : kCodigos)
        EXPECT_EQ(CodigoTipoTecla(tipo), codigo) << tipo;
}

struct CasoTecla {
    const char* caso;
    const char* tipo;
    const char* numero;
    TFalhaTecla falha;
    int codigo; // when it passes
};

void PrintTo(const CasoTecla& caso, std::ostream* os)
{
    *os << caso.caso;
}

class TeclaDigitada : public ::testing::TestWithParam<CasoTecla> {};

TEST_P(TeclaDigitada, DaOCodigoOuAColunaQueFalta)
{
    const CasoTecla& caso = GetParam();
    auto imagem = ImagemComPlano();
    Posicao(imagem, 4, "81");
    Posicao(imagem, 9, "25"); // the same number as position 6
    const CodigoTecla lido = TextoParaCodigoTecla(imagem.data(), caso.tipo, caso.numero);
    EXPECT_EQ(lido.falha, caso.falha);
    if (caso.falha == TFalhaTecla::Nenhuma) {
        EXPECT_EQ(lido.codigo, caso.codigo);
    }
}

constexpr auto kPassa = TFalhaTecla::Nenhuma;
constexpr auto kTipo = TFalhaTecla::Tipo;
constexpr auto kNumero = TFalhaTecla::Numero;

INSTANTIATE_TEST_SUITE_P(Casos, TeclaDigitada, ::testing::Values(
    CasoTecla{"SemTipo", "", "", kTipo, 0},
    CasoTecla{"SemTipoComNumero", "", "3", kTipo, 0},
    CasoTecla{"RamalDoPlano", "Ramal", "27", kPassa, 7},
    CasoTecla{"RamalComBrancos", "Ramal", " 20 ", kPassa, 0},
    CasoTecla{"RamalRepetidoDaAPrimeiraPosicao", "Ramal", "25", kPassa, 5},
    CasoTecla{"RamalEspecialDoPlano", "Ramal", "81", kPassa, 3},
    CasoTecla{"RamalForaDoPlano", "Ramal", "45", kNumero, 0},
    CasoTecla{"RamalDeGrupo", "Ramal", "61", kNumero, 0},
    CasoTecla{"RamalSemNumero", "Ramal", "", kNumero, 0},
    CasoTecla{"LinhaComUmDigito", "Linha", "3", kPassa, 131},
    CasoTecla{"LinhaComDoisDigitos", "Linha", "04", kPassa, 132},
    CasoTecla{"Linha5NaoExiste", "Linha", "5", kNumero, 0},
    CasoTecla{"Linha0NaoExiste", "Linha", "0", kNumero, 0},
    CasoTecla{"LinhaSemNumero", "Linha", "", kNumero, 0},
    CasoTecla{"Rota0", "Rota", "0", kPassa, 170},
    CasoTecla{"Rota1", "Rota", "1", kPassa, 161},
    CasoTecla{"Rota7", "Rota", "7", kPassa, 167},
    CasoTecla{"Rota8NaoExiste", "Rota", "8", kNumero, 0},
    CasoTecla{"Grupo8", "Grupo de ramal", "8", kPassa, 117},
    CasoTecla{"Grupo9NaoExiste", "Grupo de ramal", "9", kNumero, 0},
    CasoTecla{"Porteiro2", "Porteiro", "2", kPassa, 101},
    CasoTecla{"Porteiro3NaoExiste", "Porteiro", "3", kNumero, 0},
    CasoTecla{"AtuacaoExterna1", "Atuação externa", "1", kPassa, 102},
    CasoTecla{"ChefeSecretaria2", "Chefe secretária", "2", kPassa, 105},
    CasoTecla{"VivaVoz2", "Viva voz Ch-Secr", "2", kPassa, 120},
    CasoTecla{"NumeroQueNaoENumero", "Porteiro", "a", kNumero, 0},
    CasoTecla{"NumeroNegativo", "Rota", "-1", kNumero, 0},
    CasoTecla{"MonitoraSemNumero", "Monitora", "", kPassa, 106},
    CasoTecla{"MonitoraIgnoraONumero", "Monitora", "2", kPassa, 106},
    CasoTecla{"NaoPerturbe", "Não perturbe", "", kPassa, 107},
    CasoTecla{"Cadeado", "Cadeado", "", kPassa, 108},
    CasoTecla{"ToqueGeral", "Toque geral", "", kPassa, 109},
    CasoTecla{"BuscaPessoa", "Busca pessoa", "", kPassa, 118},
    CasoTecla{"CorreioDeVoz", "Correio de voz", "", kPassa, 121},
    CasoTecla{"SemFuncao", "Sem função", "", kPassa, 255},
    CasoTecla{"TextoQueNaoETipo", "Teclado", "", kPassa, 255}),
    PrintedName{});

TEST(TeclasTI, RamalSemNumeroNoPlanoMostraTipoSemNumero)
{
    auto imagem = ImagemComPlano();
    GravaU16(imagem.data() + OffsetPalavraRamal(3), kPalavraSemNumero);
    EXPECT_EQ(CodigoTeclaParaTexto(imagem.data(), 2), (TextoTecla{"Ramal", ""}));
    Posicao(imagem, 4, "2345");
    EXPECT_EQ(CodigoTeclaParaTexto(imagem.data(), 3), (TextoTecla{"Ramal", "2345"}));
}

struct CasoTerminal {
    const char* caso;
    std::uint8_t referencia;
    const char* ramal; // offered with this text; empty: not offered
};

void PrintTo(const CasoTerminal& caso, std::ostream* os)
{
    *os << caso.caso;
}

class TerminalOferecido : public ::testing::TestWithParam<CasoTerminal> {};

TEST_P(TerminalOferecido, SoRamaisQueComecamCom2Ou3)
{
    const CasoTerminal& caso = GetParam();
    auto imagem = ImagemComPlano();
    Posicao(imagem, 3, "81");
    Posicao(imagem, 4, "4");
    Posicao(imagem, 5, "3456");
    GravaU16(imagem.data() + OffsetPalavraRamal(6), kPalavraSemNumero);
    for (int k = 1; k <= kTerminaisTI; ++k) {
        imagem[OffsetRamalTerminal(k)] = caso.referencia;
        EXPECT_EQ(RamalDoTerminal(imagem.data(), k), caso.ramal) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, TerminalOferecido, ::testing::Values(
    CasoTerminal{"Posicao1", 0, "20"},
    CasoTerminal{"Posicao12", 11, "31"},
    CasoTerminal{"QuatroDigitos", 4, "3456"},
    CasoTerminal{"SemTerminal", kSemReferencia, ""},
    CasoTerminal{"SemReferenciaAlternativa", kSemReferenciaAlternativa, ""},
    CasoTerminal{"RamalEspecial81", 2, ""},
    CasoTerminal{"RamalQueComecaCom0", 3, ""},
    CasoTerminal{"PosicaoSemNumero", 5, ""},
    CasoTerminal{"Grupo", 0x71, ""},
    CasoTerminal{"ForaDasPosicoes", 12, ""}),
    PrintedName{});

TEST(TeclasTI, OsEnderecosDasTeclasFicamNaArea)
{
    EXPECT_EQ(OffsetTecla(2, 1), 6460);
    EXPECT_EQ(OffsetTecla(3, 25), 6509);
    EXPECT_THROW(OffsetTecla(0, 1), std::out_of_range);
    EXPECT_THROW(OffsetTecla(5, 1), std::out_of_range);
    EXPECT_THROW(OffsetTecla(1, 26), std::out_of_range);
    EXPECT_THROW(OffsetTecla(1, 0), std::out_of_range);
}

} // namespace
