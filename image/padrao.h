#pragma once
// The factory programming of a new exchange, from which the template
// PADRAO.PBX is generated.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The default bytes of one area: the pattern is repeated over the area (one
// record, or one byte for a fill). Areas not listed are zero.
struct PadraoArea {
    std::string_view area;
    std::vector<std::uint8_t> padrao;
};

const std::vector<PadraoArea>& PadroesImagem();

// The extension number of position p (1..12) in the factory plan: 20..31.
constexpr int NumeroRamalPadrao(int p) { return p + 19; }

// The factory image (kTamanhoImagem bytes), and byte ofs of it; the "Padrão"
// of each editing window reads its values here, so the template and the
// windows agree.
const std::uint8_t* ImagemPadrao();
std::uint8_t BytePadrao(int ofs);

// The default prefix list in the order the prefix window's "Padrão" adds it
// (entries "<prefix>-<category>-<carrier>"); the template's prefix tree is
// built from it.
const std::vector<std::string>& ListaPrefixosPadrao();

// Writes the whole image (kTamanhoImagem bytes): every area's default, the
// signature and the numbering plan 20..31.
void PreencheImagemPadrao(std::uint8_t* imagem);
