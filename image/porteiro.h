#pragma once
// The door-phone answering area: the answering extension or group, an
// external number and the two door-phone times (offsets in image/layout.h).
#include <cstdint>
#include <string>

// Answering codes the exchange keeps for no answerer.
constexpr std::uint8_t kPorteiroSemAtendedor79 = 0x79;
constexpr std::uint8_t kPorteiroSemAtendedor7A = 0x7A;

// The answering reference as the window and the report show it: four blanks
// for no reference, for the two codes above and for a group 1..4 that is
// switched off; otherwise the extension or group it names.
std::string ReferenciaAtendedorParaTexto(const std::uint8_t* imagem, std::uint8_t referencia);
