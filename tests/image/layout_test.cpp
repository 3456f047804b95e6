// The image layout: the areas tile the image, the record helpers stay inside
// their areas, words are little-endian and names keep to their slots.
#include "image/layout.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

TEST(Layout, AreasTileTheImageWithNoGapOrOverlap)
{
    std::vector<int> dono(kTamanhoImagem, -1);
    int indice = 0;
    for (const AreaImagem& area : kAreasImagem) {
        ASSERT_EQ(area.tamanhoRegistro * area.registros, area.tamanho) << area.nome;
        for (int ofs = area.inicio; ofs < area.fim(); ++ofs) {
            ASSERT_GE(ofs, 0) << area.nome;
            ASSERT_LT(ofs, kTamanhoImagem) << area.nome;
            ASSERT_EQ(dono[ofs], -1) << area.nome << " overlaps at " << ofs;
            dono[ofs] = indice;
        }
        ++indice;
    }
    for (int ofs = 0; ofs < kTamanhoImagem; ++ofs)
        ASSERT_NE(dono[ofs], -1) << "byte " << ofs << " belongs to no area";
}

TEST(Layout, LandmarksOfTheExchangeAndTheFiles)
{
    struct Caso { const char* area; int inicio; int ultimo; int item; int bloco; };
    const Caso casos[] = {
        {"EstadoCentral", 0, 0, 1, 0},
        {"Assinatura", 1, 10, kSemItem, kSomenteArquivo},
        {"ReservaVias", 168, 391, kSemItem, kSemBloco},
        {"ReservaModoVias", 398, 425, kSemItem, kSemBloco},
        {"PlanoNumeracao", 426, 449, 3, 4},
        {"NomesRamais", 450, 701, 3, kSomenteArquivo},
        {"ListasAgendaIndividual", 3941, 5260, 24, 16},
        {"OperadorasTabela2", 6583, 6606, 28, 33},
        {"Reservado6607", 6607, 6607, kSemItem, kSemBloco},
        {"RamalPosicaoExtra", 6608, 6609, 3, 4},
    };
    for (const Caso& c : casos) {
        const AreaImagem& area = Area(c.area);
        EXPECT_EQ(area.inicio, c.inicio) << c.area;
        EXPECT_EQ(area.fim() - 1, c.ultimo) << c.area;
        EXPECT_EQ(area.item, c.item) << c.area;
        EXPECT_EQ(area.bloco, c.bloco) << c.area;
    }
    EXPECT_EQ(AreaDoByte(30)->nome, "AcessoDiurno"); // the 13th category entry
    EXPECT_EQ(AreaDoByte(kTamanhoImagem), nullptr);
    EXPECT_EQ(AreaDoByte(-1), nullptr);
}

TEST(Layout, RecordHelpersFollowThePositionFormulas)
{
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        EXPECT_EQ(OffsetPalavraRamal(p), 424 + 2 * p);
        EXPECT_EQ(OffsetNomeRamal(p), 429 + 21 * p);
        EXPECT_EQ(OffsetAgendaIndividual(p), 3941 + 110 * (p - 1));
        EXPECT_EQ(OffsetDespertador(p), 6141 + 4 * (p - 1));
        EXPECT_EQ(OffsetSenhaRamal(p), 6236 + 2 * p);
        EXPECT_EQ(OffsetLimiteRecebidaEco(p), 6546 + p);
    }
    for (int i = 1; i <= 80; ++i) {
        EXPECT_EQ(OffsetAgendaGeral(i), 692 + 12 * i);
        EXPECT_EQ(OffsetNomeAgendaGeral(i), 1643 + 21 * i);
    }
    for (int j = 1; j <= 40; ++j) {
        EXPECT_EQ(OffsetDonoCodigo(j), 5260 + j);
        EXPECT_EQ(OffsetNomeCodigo(j), 5280 + 21 * j);
        EXPECT_EQ(OffsetSenhaCodigo(j), 6332 + 2 * j);
    }
    for (int g = 1; g <= 4; ++g) {
        EXPECT_EQ(OffsetGrupo(g), 3340 + 8 * g);
        EXPECT_EQ(OffsetChefeGrupo(g), 3378 + 2 * g);
        EXPECT_EQ(OffsetSecretariaGrupo(g), 3386 + 2 * g);
        EXPECT_EQ(OffsetTeclasTerminal(g), 6435 + 25 * (g - 1));
        EXPECT_EQ(OffsetModoVia(g), 393 + g);
    }
    EXPECT_EQ(OffsetCategoria(Area("FlagsRamal"), 13), 134);
    EXPECT_EQ(OffsetPrefixoNo(24), 3820);
    EXPECT_EQ(OffsetOperadoraTabela2(23), 6606);
}

TEST(Layout, RecordsOutsideTheirAreaAreRefused)
{
    EXPECT_THROW(OffsetPalavraRamal(0), std::out_of_range);
    EXPECT_THROW(OffsetPalavraRamal(13), std::out_of_range);
    EXPECT_THROW(OffsetNomeCodigo(41), std::out_of_range);
    EXPECT_THROW(OffsetEntradaAgendaIndividual(1, 11), std::out_of_range);
    EXPECT_THROW(OffsetOperadoraTabela2(24), std::out_of_range);
    EXPECT_THROW(Area("Inexistente"), std::invalid_argument);
}

TEST(Layout, WordsAreLittleEndian)
{
    std::array<std::uint8_t, 2> bytes{};
    GravaU16(bytes.data(), 0x1023);
    EXPECT_EQ(bytes[0], 0x23);
    EXPECT_EQ(bytes[1], 0x10);
    EXPECT_EQ(LeU16(bytes.data()), 0x1023);
}

TEST(Layout, NamesKeepToTheirSlot)
{
    std::array<std::uint8_t, kTamanhoNome + 1> slot;
    slot.fill(0xEE);

    EXPECT_TRUE(GravaNome(slot.data(), "Recepção"));
    EXPECT_EQ(slot[0], 8);
    EXPECT_EQ(slot[6], 0xE7); // ç
    EXPECT_EQ(slot[9], 0xEE); // bytes after the name are kept
    EXPECT_EQ(LeNome(slot.data()), "Recepção");

    EXPECT_TRUE(GravaNome(slot.data(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    EXPECT_EQ(slot[0], kMaximoNome);
    EXPECT_EQ(slot[kTamanhoNome], 0xEE); // never past the slot
    EXPECT_EQ(LeNome(slot.data()), "ABCDEFGHIJKLMNOPQRST");

    const auto antes = slot;
    EXPECT_FALSE(GravaNome(slot.data(), "Ramal ☎"));
    EXPECT_EQ(slot, antes);

    slot[0] = 255; // a corrupt length reads no further than the slot
    EXPECT_EQ(LeNome(slot.data()).size(), static_cast<std::size_t>(kMaximoNome));
    slot[0] = 0;
    EXPECT_EQ(LeNome(slot.data()), "");
}
