#pragma once
// The signature in image bytes 1..10 that marks a programming file: the
// length byte 9 and "SORVADINE". Stamped before every save, checked after
// every load; never sent to the exchange.
#include <array>
#include <cstdint>

inline constexpr std::array<std::uint8_t, 10> kAssinatura = {
    9, 'S', 'O', 'R', 'V', 'A', 'D', 'I', 'N', 'E'};

void GravaAssinatura(std::uint8_t* imagem);
bool AssinaturaValida(const std::uint8_t* imagem);
