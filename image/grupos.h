#pragma once
// The extension groups (dialled "61".."64": type, seven members and the rings
// before an unanswered call is diverted) and the boss-secretary groups (two
// bosses and two secretaries each): where each field lies, and the slices the
// groups windows edit as a whole.
#include "image/layout.h"

#include <cstdint>
#include <stdexcept>

constexpr int kGrupos = Area("GruposRamais").registros;                  // groups 1..4
constexpr int kMembrosGrupo = Area("GruposRamais").tamanhoRegistro - 1; // members 1..7
static_assert(kGrupos == 4 && kMembrosGrupo == 7);

// The type byte, first of a group's record. A distributing group stores its
// own number (reading takes any of 1..15 as distributing); bit 6 set means
// the group is not programmed.
constexpr std::uint8_t kGrupoHierarquico = 0;
constexpr std::uint8_t kGrupoMultiplo = 16;
constexpr std::uint8_t kGrupoDesativado = 64;

constexpr int OffsetTipoGrupo(int g) { return OffsetGrupo(g); }
// Whether group g of the image is switched off; only groups 1..kGrupos have
// a type byte, so any other number is never switched off.
constexpr bool GrupoDesativado(const std::uint8_t* imagem, int g)
{
    return g >= 1 && g <= kGrupos && imagem[OffsetTipoGrupo(g)] == kGrupoDesativado;
}
// Member k (1..7) of group g: a reference byte, 0xBB when empty.
constexpr int OffsetMembroGrupo(int g, int k)
{
    if (k < 1 || k > kMembrosGrupo)
        throw std::out_of_range("member outside its group");
    return OffsetGrupo(g) + k;
}

// The groups window's slice: the four ring counts, then the four records.
inline constexpr int ofsFatiaGrupos = ofsToquesDesvioGrupo;
inline constexpr int kTamanhoFatiaGrupos = Area("GruposRamais").fim() - ofsFatiaGrupos;
static_assert(Area("ToquesDesvioGrupo").fim() == ofsGruposRamais && kTamanhoFatiaGrupos == 36);

// Boss-secretary group g (1..4): bosses 1 and 2, secretaries 1 and 2, each a
// reference byte.
constexpr int kChefesPorGrupo = Area("ChefesGrupo").tamanhoRegistro;
static_assert(kChefesPorGrupo == Area("SecretariasGrupo").tamanhoRegistro);
constexpr int OffsetChefe(int g, int c)
{
    if (c < 1 || c > kChefesPorGrupo)
        throw std::out_of_range("boss outside its group");
    return OffsetChefeGrupo(g) + c - 1;
}
constexpr int OffsetSecretaria(int g, int s)
{
    if (s < 1 || s > kChefesPorGrupo)
        throw std::out_of_range("secretary outside its group");
    return OffsetSecretariaGrupo(g) + s - 1;
}

// The boss-secretary window's slice: the bosses, then the secretaries.
inline constexpr int ofsFatiaChefeSecretaria = ofsChefesGrupo;
inline constexpr int kTamanhoFatiaChefeSecretaria = Area("SecretariasGrupo").fim() - ofsFatiaChefeSecretaria;
static_assert(Area("ChefesGrupo").fim() == ofsSecretariasGrupo && kTamanhoFatiaChefeSecretaria == 16);
static_assert(OffsetChefe(4, 2) == 3387 && OffsetSecretaria(1, 1) == 3388);
