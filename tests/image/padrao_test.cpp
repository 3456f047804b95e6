// The template: the factory programming written to PADRAO.PBX.
#include "image/assinatura.h"
#include "image/layout.h"
#include "image/padrao.h"
#include "image/registro.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<std::uint8_t> Padrao()
{
    std::vector<std::uint8_t> imagem(kTamanhoImagem, 0xEE);
    PreencheImagemPadrao(imagem.data());
    return imagem;
}

bool AreaToda(const std::vector<std::uint8_t>& imagem, const char* nome, std::uint8_t valor)
{
    const AreaImagem& area = Area(nome);
    return std::all_of(imagem.begin() + area.inicio, imagem.begin() + area.fim(),
                       [valor](std::uint8_t b) { return b == valor; });
}

} // namespace

TEST(Padrao, SignaturePlanAndNames)
{
    const auto imagem = Padrao();
    EXPECT_TRUE(AssinaturaValida(imagem.data()));
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        EXPECT_EQ(PalavraRamalParaTexto(LeU16(imagem.data() + OffsetPalavraRamal(p))), std::to_string(p + 19));
        EXPECT_EQ(imagem[OffsetNomeRamal(p)], 0);
    }
    EXPECT_EQ(LeU16(imagem.data() + OffsetPalavraRamal(1)), 0x002A);
    EXPECT_EQ(LeU16(imagem.data() + ofsRamalPosicaoExtra), kPalavraSemNumero);
    EXPECT_TRUE(AreaToda(imagem, "NomesAgendaGeral", 0));
    EXPECT_TRUE(AreaToda(imagem, "NomesCodigoParticular", 0));
}

TEST(Padrao, EmptyReferencesTimesNumbersAndCodes)
{
    const auto imagem = Padrao();
    for (const char* area : {"ChefesGrupo", "SecretariasGrupo", "DonosCodigoParticular", "DesvioNaoAtende",
                             "DesvioOcupado", "SigaMe", "RamaisTerminaisTI"})
        EXPECT_TRUE(AreaToda(imagem, area, kSemReferencia)) << area;
    for (const char* area : {"HorariosAtuacao", "HorariosNoturno", "Despertadores"})
        EXPECT_TRUE(AreaToda(imagem, area, kSemHorario)) << area;
    for (const char* area : {"AgendaGeral", "ListasAgendaIndividual", "DatasFeriados", "Reservado6607"})
        EXPECT_TRUE(AreaToda(imagem, area, 0)) << area;
    EXPECT_TRUE(AreaToda(imagem, "OperadorasTabela1", 0xAA));
    EXPECT_TRUE(AreaToda(imagem, "OperadorasTabela2", 0xAA));
    EXPECT_EQ(LeU16(imagem.data() + ofsCodigoDdd), 0xFFFF);
    for (int g = 1; g <= 4; ++g) {
        EXPECT_EQ(imagem[OffsetGrupo(g)], 0x40) << g; // not programmed
        for (int m = 1; m <= 7; ++m)
            EXPECT_EQ(imagem[OffsetGrupo(g) + m], kSemReferencia);
    }
    EXPECT_EQ(imagem[ofsDestinosEmergencia], kSemReferencia);
    EXPECT_EQ(DescompactaNumero(imagem.data() + ofsDestinosEmergencia + 2), "");
    EXPECT_EQ(imagem[ofsAtendedorPorteiro], kSemReferencia);
    EXPECT_TRUE(ExisteRota0(imagem.data()));
}

// The values each editing window's "Padrão" gives its area, one record
// repeated over the area.
TEST(Padrao, AreasHoldTheDefaultsOfTheirWindows)
{
    struct Caso { const char* area; std::vector<std::uint8_t> registro; };
    const Caso casos[] = {
        {"AcessoDiurno", {0xB7}}, {"AcessoNoturno", {0xB7}}, {"RotasDiurnas", {0x01}},
        {"RotasNoturnas", {0x01}}, {"FacilidadesDiurnas", {0}}, {"FacilidadesNoturnas", {0}},
        {"SubRotaDiurna", {0}}, {"SubRotaNoturna", {0}}, {"FlagsRamal", {0}},
        {"ConfiguracaoVias", {0x1A, 0x00, 0x01, 0x01, 0x23, 0x07, 0x07, 0x80}}, {"ModoVias", {0x68}},
        {"ControleAtendedor", {0, 0}},
        {"ValoresTemporizacao", {2, 5, 3, 4, 0, 9, 1}},
        {"DestinosEmergencia", {0xBB, 0xBF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xBB, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"AtendedorPorteiro", {0xBB, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 50, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                               0, 0, 0}},
        {"BilhetagemDiversas", {0x40}}, {"FacilidadesDiversas", {0x32}}, {"DigitosSenhaRamal", {2}},
        {"LinhaDireta", {0xFF}}, {"SenhasRamais", {0xED, 0xED}}, {"ToquesDesvioRamal", {3}}, {"TempoFlash", {4}},
        {"TempoRetornoEspera", {15}}, {"TemposRechamada", {0x37}}, {"CadeadoRamal", {0xFF}},
        {"FacilidadesRamal", {0}}, {"SenhasCodigoParticular", {0xED, 0xED}},
        {"TeclasTI", {129, 130, 131, 132, 255, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 255, 255, 255, 109, 108, 106,
                      100, 102}},
        {"LimiteOriginadaEco", {0}}, {"LimiteRecebidaEco", {0}},
        {"ToquesDesvioGrupo", {3}},
    };
    const auto imagem = Padrao();
    for (const Caso& c : casos) {
        const AreaImagem& area = Area(c.area);
        for (int k = 0; k < area.tamanho; ++k)
            ASSERT_EQ(imagem[area.inicio + k], c.registro[k % c.registro.size()]) << c.area << " byte " << k;
    }
}

// The default prefix list ("00" international, "01".."09" long-distance,
// "1".."9" local, no carrier) as the table builder stores it.
TEST(Padrao, PrefixTreeOfTheDefaultList)
{
    std::vector<std::uint8_t> raiz(100, 0x00);
    raiz[0] = 130; // "00" through node 2
    for (int d = 1; d <= 9; ++d)
        raiz[d] = 0x10;
    raiz[8] = 128; // "08" through node 0
    raiz[90] = 0x01;
    std::vector<std::uint8_t> nos(250, 0);
    std::fill(nos.begin(), nos.begin() + 30, 0x10);
    nos[0] = 129;  // "080" through node 1
    nos[10] = 0x11; // "0800" marked
    std::fill(nos.begin() + 20, nos.begin() + 30, 0x20);
    nos[20] = 0x21; // "000" marked

    const auto imagem = Padrao();
    EXPECT_EQ(std::vector<std::uint8_t>(imagem.begin() + ofsPrefixosRaiz, imagem.begin() + ofsPrefixosRaiz + 100), raiz);
    EXPECT_EQ(std::vector<std::uint8_t>(imagem.begin() + ofsPrefixosNos, imagem.begin() + ofsPrefixosNos + 250), nos);
}

TEST(Padrao, TheGeneratedFileIsTheFactoryImage)
{
    std::ifstream arquivo(TRIVANTO_BIN_DIR "/PADRAO.PBX", std::ios::binary);
    ASSERT_TRUE(arquivo) << "PADRAO.PBX was not generated";
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(arquivo), {}};
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(kTamanhoImagem));
    EXPECT_EQ(bytes, Padrao());
}

// The windows' "Padrão" reads the factory image byte by byte.
TEST(Padrao, BytePadraoIsTheTemplate)
{
    const auto imagem = Padrao();
    for (int ofs = 0; ofs < kTamanhoImagem; ++ofs)
        ASSERT_EQ(BytePadrao(ofs), imagem[static_cast<size_t>(ofs)]) << ofs;
    EXPECT_THROW(BytePadrao(kTamanhoImagem), std::out_of_range);
    EXPECT_THROW(BytePadrao(-1), std::out_of_range);
}
