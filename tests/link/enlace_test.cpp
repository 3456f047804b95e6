// Link layer and block codec together against the simulated exchange: every
// block of every item read into the image and written back out.
#include "image/layout.h"
#include "link/codecblocos.h"
#include "link/comunica.h"
#include "state/registro.h"
#include "tests/link/linhateste.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>
#include <vector>

namespace {

using ImagemTeste = std::array<std::uint8_t, kTamanhoImagem>;

std::vector<std::uint8_t> TodosOsBlocos(bool transmitir)
{
    std::vector<std::uint8_t> blocos;
    for (int item = 1; item <= 29; ++item)
        for (std::uint8_t b : BlocosDaTransferencia(item, transmitir))
            blocos.push_back(b);
    return blocos;
}

// Image bytes that travel and are kept as they travel (not the clock, kept
// as plain numbers on the PC, nor the last terminal key, in no block).
bool ViajaIgual(int ofs)
{
    const AreaImagem* area = AreaDoByte(ofs);
    return area && area->bloco >= 0 && area->nome != "DataHoraCentral" && ofs != ofsTeclasTI + 99;
}

// An exchange image the PC keeps unchanged on its way back: a valid clock,
// fixed wake-up times and activation bytes that agree on their shared bits.
void TornaCoerente(ImagemTeste& imagem)
{
    const std::uint8_t relogio[] = {0x05, 0x30, 0x11, 0x26, 0x14, 0x45, 0x59}; // packed decimal
    std::copy(std::begin(relogio), std::end(relogio), imagem.begin() + ofsDataHoraCentral);
    for (int k = 0; k < 12; ++k)
        imagem[static_cast<std::size_t>(ofsDespertadores + 4 * k + 1)] &= 0x3F;
    auto& atuacao = imagem[ofsAtivacaoAtuacao];
    atuacao = static_cast<std::uint8_t>((atuacao & ~0x3C) | (imagem[ofsAtivacaoNoturno] & 0x3C));
}

} // namespace

TEST(Enlace, ReceivesEveryItemAndTransmitsItBack)
{
    ImagemTeste pc;
    std::mt19937 gerador(17);
    for (auto& b : pc)
        b = static_cast<std::uint8_t>(gerador());
    const ImagemTeste antes = pc;
    Imagem = pc.data();

    ImagemTeste origem;
    {
        LinhaDeTeste linha;
        linha.central.PreencheAleatorio(4);
        origem = linha.central.Imagem();
        TornaCoerente(origem);
        linha.central.DefineImagem(origem);
        for (std::uint8_t b : TodosOsBlocos(false)) {
            ASSERT_TRUE(LeBloco(b)) << "block " << int(b);
            GuardaBlocoRecebido(b);
        }
    }
    std::vector<int> difere;
    for (int ofs = 0; ofs < kTamanhoImagem; ++ofs) {
        const auto i = static_cast<std::size_t>(ofs);
        const AreaImagem* area = AreaDoByte(ofs);
        if (ViajaIgual(ofs) ? pc[i] != origem[i]
                            : area->bloco == kSemBloco && pc[i] != antes[i])
            difere.push_back(ofs);
    }
    EXPECT_TRUE(difere.empty()) << "first differing byte " << difere.front();

    LinhaDeTeste linha;
    ByteEstado = pc[ofsEstadoCentral];
    for (std::uint8_t b : TodosOsBlocos(true)) {
        MontaBlocoEnvio(b, false);
        ASSERT_TRUE(EscreveBloco(b)) << "block " << int(b);
    }
    Imagem = nullptr;
    const ImagemTeste devolvida = linha.central.Imagem();
    for (int ofs = 0; ofs < kTamanhoImagem; ++ofs) {
        const AreaImagem* area = AreaDoByte(ofs);
        if (area->bloco >= 0 && ofs != ofsTeclasTI + 99) {
            EXPECT_EQ(devolvida[static_cast<std::size_t>(ofs)], origem[static_cast<std::size_t>(ofs)])
                << "byte " << ofs << " (" << area->nome << ")";
        }
    }
    // Bytes the PC does not keep go out as zeros.
    const std::pair<int, std::size_t> restos[] = {{16, 1320}, {132, 24}, {27, 48}};
    for (auto [bloco, inicio] : restos) {
        const std::vector<std::uint8_t> dados = linha.central.Bloco(bloco);
        const std::size_t fim = bloco == 27 ? 52 : dados.size();
        for (std::size_t k = inicio; k < fim; ++k)
            EXPECT_EQ(dados[k], 0) << "block " << bloco << " byte " << k;
    }
}
