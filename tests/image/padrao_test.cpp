// The template: the factory programming written to PADRAO.PBX.
#include "image/assinatura.h"
#include "image/layout.h"
#include "image/padrao.h"
#include "image/registro.h"

#include <gtest/gtest.h>

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

TEST(Padrao, TheGeneratedFileIsTheFactoryImage)
{
    std::ifstream arquivo(TRIVANTO_BIN_DIR "/PADRAO.PBX", std::ios::binary);
    ASSERT_TRUE(arquivo) << "PADRAO.PBX was not generated";
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(arquivo), {}};
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(kTamanhoImagem));
    EXPECT_EQ(bytes, Padrao());
}
