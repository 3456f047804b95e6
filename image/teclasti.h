#pragma once
// The key terminals ("TI"): the extension each terminal is connected to (a
// reference byte, read only) and the function of each of its 25 keys, one
// code byte per key, key 1 ("A") first. A code tells the key's type and,
// for the types that take one, its number.
#include "image/layout.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

constexpr int kTerminaisTI = Area("TeclasTI").registros;          // terminals 1..4
constexpr int kTeclasTerminal = Area("TeclasTI").tamanhoRegistro; // keys 1..25
static_assert(kTerminaisTI == Area("RamaisTerminaisTI").registros && kTeclasTerminal == 25);

// Key t (1..25) of terminal k (1..4); outside either range throws, so no
// caller can reach a byte outside the keys area.
constexpr int OffsetTecla(int k, int t)
{
    if (t < 1 || t > kTeclasTerminal)
        throw std::out_of_range("key outside its terminal");
    return OffsetTeclasTerminal(k) + t - 1;
}
static_assert(OffsetTecla(1, 1) == 6435 && OffsetTecla(4, 25) == 6534);

// Codes with a meaning of their own.
constexpr std::uint8_t kTeclaSemFuncao = 255;
constexpr std::uint8_t kTeclaRota0 = 170; // "Rota" "0"

// How the number of a type is written.
enum class TNumeroTecla {
    Nenhum,      // the type takes no number
    Ramal,       // the extension text of numbering-plan index 0..11
    Simples,     // "1", "2", ...
    DoisDigitos, // "01", "02", ...
    Rota,        // "1".."7", and "0" for kTeclaRota0
};

// A key type: its name, the code of its number 1 (of index 0 for "Ramal"),
// how many numbers it has (codes codigo .. codigo + quantos - 1) and how
// they are written.
struct TipoTecla {
    std::string_view texto;
    std::uint8_t codigo;
    int quantos;
    TNumeroTecla numero;
};

// The key codes: every code not covered here (nor kTeclaRota0) has no type
// and shows an empty type and number.
inline constexpr TipoTecla kTiposTecla[] = {
    {"Ramal", 0, 12, TNumeroTecla::Ramal},
    {"Porteiro", 100, 2, TNumeroTecla::Simples},
    {"Atuação externa", 102, 2, TNumeroTecla::Simples},
    {"Chefe secretária", 104, 2, TNumeroTecla::Simples},
    {"Monitora", 106, 1, TNumeroTecla::Nenhum},
    {"Não perturbe", 107, 1, TNumeroTecla::Nenhum},
    {"Cadeado", 108, 1, TNumeroTecla::Nenhum},
    {"Toque geral", 109, 1, TNumeroTecla::Nenhum},
    {"Grupo de ramal", 110, 8, TNumeroTecla::Simples},
    {"Busca pessoa", 118, 1, TNumeroTecla::Nenhum},
    {"Viva voz Ch-Secr", 119, 2, TNumeroTecla::Simples},
    {"Correio de voz", 121, 1, TNumeroTecla::Nenhum},
    {"Linha", 129, 4, TNumeroTecla::DoisDigitos},
    {"Rota", 161, 7, TNumeroTecla::Rota},
    {"Sem função", kTeclaSemFuncao, 1, TNumeroTecla::Nenhum},
};

// The type of that name; nullptr for any other text.
const TipoTecla* TipoTeclaDoTexto(std::string_view texto);
// The type a code belongs to; nullptr for a code of no type.
const TipoTecla* TipoTeclaDoCodigo(std::uint8_t codigo);

// The code of a type name's first number; 255 for a text that names no type
// ("Sem função" is 255 too).
std::uint8_t CodigoTipoTecla(std::string_view tipo);

// What a key shows: its type name and number (both empty for a code of no
// type); the extension of a "Ramal" key is read from the image's plan.
struct TextoTecla {
    std::string tipo;
    std::string numero;
    bool operator==(const TextoTecla&) const = default;
};
TextoTecla CodigoTeclaParaTexto(const std::uint8_t* imagem, std::uint8_t codigo);

// The code a shown type and number give. A key needs a type; a type that
// takes a number needs one of its own numbers, and a "Ramal" number an
// extension of the plan. A type that takes no number, and a text that names
// no type (which gives 255), ignore the number.
enum class TFalhaTecla { Nenhuma, Tipo, Numero };
struct CodigoTecla {
    TFalhaTecla falha;
    std::uint8_t codigo;
};
CodigoTecla TextoParaCodigoTecla(const std::uint8_t* imagem, std::string_view tipo, std::string_view numero);

// The extension text (at most 4 characters) of terminal k (1..4) when it is
// offered for editing: connected (not 0xBB) to an extension whose number
// begins with 2 or 3. Empty when it is not offered.
std::string RamalDoTerminal(const std::uint8_t* imagem, int terminal);
