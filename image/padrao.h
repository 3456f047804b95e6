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

// The default prefix list in the order the prefix window's "Padrão" adds it
// (entries "<prefix>-<category>-<carrier>"); the template's prefix tree is
// built from it.
const std::vector<std::string>& ListaPrefixosPadrao();

// Writes the whole image (kTamanhoImagem bytes): every area's default, the
// signature and the numbering plan 20..31.
void PreencheImagemPadrao(std::uint8_t* imagem);
