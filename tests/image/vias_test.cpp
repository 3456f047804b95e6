// The trunk attendants' texts: the window shows a byte as the exchange means
// it and stores a checked text back as the same byte.
#include "image/padrao.h"
#include "image/vias.h"
#include "tests/support/casenames.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

namespace {

// The factory plan (20..31) with group 1 programmed, group 2 switched off,
// group 3 with a type byte other than "off".
std::array<std::uint8_t, kTamanhoImagem> Imagem()
{
    std::array<std::uint8_t, kTamanhoImagem> imagem{};
    PreencheImagemPadrao(imagem.data());
    imagem[OffsetGrupo(1)] = 0x00;
    imagem[OffsetGrupo(2)] = 0x40;
    imagem[OffsetGrupo(3)] = 0x41;
    return imagem;
}

struct CasoTexto {
    std::uint8_t byte;
    const char* texto;
};

void PrintTo(const CasoTexto& caso, std::ostream* os)
{
    *os << "0x" << std::hex << int(caso.byte);
}

class AtendenteVia : public ::testing::TestWithParam<CasoTexto> {};

TEST_P(AtendenteVia, ByteParaTexto)
{
    const auto imagem = Imagem();
    EXPECT_EQ(AtendenteViaParaTexto(imagem.data(), GetParam().byte), GetParam().texto);
}

INSTANTIATE_TEST_SUITE_P(Bytes, AtendenteVia, ::testing::Values(
    CasoTexto{0xBB, "     "}, CasoTexto{0xBC, "     "}, CasoTexto{0xDD, "9"},
    CasoTexto{0x00, "20"}, CasoTexto{0x0B, "31"},
    CasoTexto{0x0C, "     "},                      // no thirteenth position
    CasoTexto{0x70, "60"}, CasoTexto{0x71, "61"},
    CasoTexto{0x72, "     "},                      // group switched off
    CasoTexto{0x73, "63"},                         // only exactly 0x40 is "off"
    CasoTexto{0x75, "65"},                         // no group 5: nothing read past the groups
    CasoTexto{0xF1, "61"}), PrintedName{});

TEST(AtendenteVia, TextoParaByte)
{
    const auto imagem = Imagem();
    const CasoTexto kCasos[] = {
        {0xDD, "9"}, {0xDD, " 9 "}, {0xBB, ""}, {0xBB, "     "}, {0x01, "21"}, {0x0B, "31"}, {0x70, "60"}, {0x72, "62"},
    };
    for (const CasoTexto& caso : kCasos)
        EXPECT_EQ(TextoParaAtendenteVia(imagem.data(), caso.texto), caso.byte) << '"' << caso.texto << '"';
}

TEST(FatiaVias, ReservaViajaComAsVias)
{
    EXPECT_EQ(ofsFatiaVias, 136);
    EXPECT_EQ(ofsFatiaVias + kTamanhoFatiaVias, 426);
    EXPECT_EQ(PosicaoViaNaFatia(4), 24);
    EXPECT_EQ(PosicaoModoNaFatia(1), 394 - 136);
}

} // namespace
