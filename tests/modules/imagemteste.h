#pragma once
// Images the window tests open the library's entries on.
#include "image/layout.h"
#include "image/padrao.h"
#include "image/registro.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A filled image: every byte a different-looking value, so that a write to a
// wrong byte shows, with the numbering plan 20..31 and a name per position.
inline std::vector<std::uint8_t> ImagemDeTeste()
{
    std::vector<std::uint8_t> imagem(kTamanhoImagem);
    for (int i = 0; i < kTamanhoImagem; ++i)
        imagem[i] = static_cast<std::uint8_t>(i * 37 + 11);
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        GravaU16(imagem.data() + OffsetPalavraRamal(p), TextoParaPalavraRamal(std::to_string(19 + p)));
        GravaNome(imagem.data() + OffsetNomeRamal(p), "Sala " + std::to_string(p));
    }
    // Timings as an exchange holds them (each fits its field).
    const std::uint8_t temporizacoes[] = {3, 6, 4, 7, 0x5A, 8, 2};
    std::copy(std::begin(temporizacoes), std::end(temporizacoes), imagem.begin() + ofsValoresTemporizacao);
    return imagem;
}

// The template the program starts from, as the build wrote it.
inline std::vector<std::uint8_t> ImagemDoModelo()
{
    std::ifstream arquivo(TRIVANTO_BIN_DIR "/PADRAO.PBX", std::ios::binary);
    std::vector<std::uint8_t> imagem((std::istreambuf_iterator<char>(arquivo)), std::istreambuf_iterator<char>());
    if (imagem.size() != static_cast<size_t>(kTamanhoImagem)) {
        imagem.assign(kTamanhoImagem, 0);
        PreencheImagemPadrao(imagem.data());
    }
    return imagem;
}

// The offsets at which two images differ.
inline std::vector<int> Diferencas(const std::vector<std::uint8_t>& antes, const std::vector<std::uint8_t>& depois)
{
    std::vector<int> ofs;
    for (size_t i = 0; i < antes.size() && i < depois.size(); ++i)
        if (antes[i] != depois[i])
            ofs.push_back(static_cast<int>(i));
    return ofs;
}
