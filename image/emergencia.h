#pragma once
// The external emergency area: an emergency extension with an internal and an
// external destination of its own, and a first destination for every
// emergency, internal or external. The external destinations are 12-byte
// dial records (count byte with the route in bits 5..7).
#include "image/layout.h"

#include <cstdint>
#include <string>

inline constexpr int ofsRamalEmergencia = ofsDestinosEmergencia;             // reference, 0xBB none
inline constexpr int ofsInternoRamalEmergencia = ofsDestinosEmergencia + 1;  // reference, 0xBF none
inline constexpr int ofsExternoRamalEmergencia = ofsDestinosEmergencia + 2;  // dial record
inline constexpr int ofsInternoEmergencia = ofsDestinosEmergencia + 14;      // reference or 0x7A
inline constexpr int ofsExternoEmergencia = ofsDestinosEmergencia + 15;      // dial record
inline constexpr int ofsReservaEmergencia = ofsDestinosEmergencia + 27;      // kept as zeros
static_assert(ofsExternoRamalEmergencia + kTamanhoNumero == ofsInternoEmergencia);
static_assert(ofsExternoEmergencia + kTamanhoNumero == ofsReservaEmergencia);
static_assert(ofsRamalEmergencia == 3403 && ofsInternoEmergencia == 3417);

// Codes of the area's reference bytes: the first destination is the external
// number; the emergency extension's internal destination is none. 0x7B and
// 0xFF are read as no reference too.
constexpr std::uint8_t kEmergenciaNumeroExterno = 0x7A;
constexpr std::uint8_t kEmergenciaSemInterno = 0xBF;
constexpr std::uint8_t kEmergenciaSemReferencia7B = 0x7B;
constexpr std::uint8_t kEmergenciaSemReferenciaFF = 0xFF;

// A reference byte of the area as the window and the report show it: four
// blanks for the codes above that name nothing (and for 0xBF when it is the
// emergency extension's internal destination, semInterno), otherwise the
// extension or group it names.
std::string ReferenciaEmergenciaParaTexto(const std::uint8_t* imagem, std::uint8_t referencia, bool semInterno);
