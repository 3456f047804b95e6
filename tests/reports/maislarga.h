#pragma once
// A programming filled to its widest: every name 20 wide letters, every
// number 20 digits with route 7, four-digit extension numbers, every list
// and group full, every time set, and a prefix table that uses all 22 free
// nodes for four-digit prefixes.
#include "image/emergencia.h"
#include "image/grupos.h"
#include "image/layout.h"
#include "image/prefixos.h"
#include "image/registro.h"
#include "image/vias.h"
#include "tests/modules/imagemteste.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

inline const std::string kNomeMaisLargo(kMaximoNome, 'W');
inline const std::string kNumeroMaisLongo = "08009876543210987654";

// A 12-byte dial record with the longest number, its route 7 and its flag set.
inline void GravaNumeroMaisLongo(std::uint8_t* registro12)
{
    CompactaNumero(kNumeroMaisLongo, registro12);
    registro12[0] = 0x80;
    registro12[kContagemNumero] |= 7 << 5;
}

inline void GravaNumeroCurtoMaisLongo(std::uint8_t* registro11)
{
    CompactaNumeroCurto(kNumeroMaisLongo, registro11);
    registro11[0] |= 7 << 5;
}

// Roots 11 and 12 lead to nodes 3 and 4, whose entries lead to nodes 5..24:
// 200 four-digit prefixes in every category, besides the fixed ones.
inline void GravaPrefixosMaisLargos(std::uint8_t* imagem)
{
    const std::uint8_t categorias[] = {kCategoriaLocal, kCategoriaRegional, kCategoriaDdd, kCategoriaDdi,
                                       kPrefixoBloqueado};
    std::uint8_t* raiz = imagem + ofsPrefixosRaiz;
    for (int r = 0; r < kEntradasRaizPrefixo; ++r)
        raiz[r] = categorias[r % 5];
    raiz[0] = kReferenciaNoPrefixo + 2;
    raiz[8] = kReferenciaNoPrefixo + 0;
    auto no = [imagem](int n) { return imagem + OffsetPrefixoNo(n); };
    for (int d = 0; d < kEntradasNoPrefixo; ++d) {
        no(0)[d] = kPrefixoBloqueado;
        no(1)[d] = categorias[d % 5];
        no(2)[d] = kCategoriaDdi | (d == 0 ? kMarcaPrefixo : 0);
    }
    no(0)[0] = kReferenciaNoPrefixo + 1;
    for (int i = 0; i < 2; ++i) {
        raiz[11 + i] = static_cast<std::uint8_t>(kReferenciaNoPrefixo + 3 + i);
        for (int d = 0; d < kEntradasNoPrefixo; ++d) {
            const int folhas = 5 + 10 * i + d;
            no(3 + i)[d] = static_cast<std::uint8_t>(kReferenciaNoPrefixo + folhas);
            for (int e = 0; e < kEntradasNoPrefixo; ++e)
                no(folhas)[e] = categorias[(e + d) % 5];
        }
    }
}

inline std::vector<std::uint8_t> ImagemMaisLarga()
{
    auto imagem = ImagemDoModelo();
    std::uint8_t* img = imagem.data();
    for (int p = 1; p <= kPosicoesRamal; ++p) {
        GravaU16(img + OffsetPalavraRamal(p), TextoParaPalavraRamal(std::to_string(2000 + p)));
        GravaNome(img + OffsetNomeRamal(p), kNomeMaisLargo);
        for (int e = 1; e <= kEntradasAgendaIndividual; ++e)
            GravaNumeroCurtoMaisLongo(img + OffsetEntradaAgendaIndividual(p, e));
    }
    for (int i = 1; i <= 80; ++i) {
        GravaNumeroMaisLongo(img + OffsetAgendaGeral(i));
        GravaNome(img + OffsetNomeAgendaGeral(i), kNomeMaisLargo);
    }
    for (int j = 1; j <= 40; ++j) {
        img[OffsetDonoCodigo(j)] = static_cast<std::uint8_t>((j - 1) % kPosicoesRamal);
        GravaNome(img + OffsetNomeCodigo(j), kNomeMaisLargo);
    }
    for (int g = 1; g <= kGrupos; ++g) {
        img[OffsetGrupo(g)] = static_cast<std::uint8_t>(g);
        img[OffsetToquesDesvioGrupo(g)] = 255;
        for (int m = 1; m <= 7; ++m)
            img[OffsetGrupo(g) + m] = static_cast<std::uint8_t>(m + g);
        for (int k = 0; k < 2; ++k) {
            img[OffsetChefeGrupo(g) + k] = static_cast<std::uint8_t>(g + k);
            img[OffsetSecretariaGrupo(g) + k] = static_cast<std::uint8_t>(g + k + 4);
        }
    }
    // Categories: every mark set; trunks with every option and the widest
    // values.
    for (int i = 0; i < kPosicoesRamal; ++i) {
        for (int ofs : {ofsAcessoDiurno, ofsAcessoNoturno, ofsRotasDiurnas, ofsRotasNoturnas, ofsFacilidadesDiurnas,
                        ofsFacilidadesNoturnas, ofsFlagsRamal})
            img[ofs + i] = 0xFF;
        img[ofsSubRotaDiurna + i] = 0;
        img[ofsSubRotaNoturna + i] = 0;
    }
    for (int via = 1; via <= kVias; ++via) {
        std::uint8_t* r = img + OffsetVia(via);
        const std::uint8_t registro[] = {0xF8, 11, 0x74, 10, 255, 0x99, 0x99, 0xB8};
        std::copy(std::begin(registro), std::end(registro), r);
        img[OffsetModoVia(via)] = static_cast<std::uint8_t>(0xE8 | (via % 5));
    }
    for (int ofs = ofsValoresTemporizacao; ofs < ofsValoresTemporizacao + 7; ++ofs)
        img[ofs] = 255;
    img[ofsInternoEmergencia] = 11;
    img[ofsRamalEmergencia] = 10;
    img[ofsInternoRamalEmergencia] = 9;
    GravaNumeroMaisLongo(img + ofsExternoEmergencia);
    GravaNumeroMaisLongo(img + ofsExternoRamalEmergencia);
    img[ofsAtendentePorteiro] = 11;
    img[ofsTempoComandoPorteiro] = 250;
    img[ofsTempoEsperaPorteiro] = 255;
    GravaNumeroMaisLongo(img + ofsNumeroExternoPorteiro);
    img[ofsDigitosSenhaRamal] = 255;
    for (int h = 1; h <= 12; ++h) {
        const std::uint8_t noturno[] = {23, 58, 22, 48};
        std::copy(std::begin(noturno), std::end(noturno), img + OffsetHorarioNoturno(h));
        img[OffsetHorarioAtuacao(h)] = 20;
        img[OffsetHorarioAtuacao(h) + 1] = 8;
    }
    GravaPrefixosMaisLargos(img);
    return imagem;
}
