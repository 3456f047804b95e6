#pragma once
// The trunks: an 8-byte record per trunk at 136 and a mode byte per trunk at
// 394, each followed by room for trunks the exchange does not have. The trunk
// window edits the whole slice 136..425 and writes it back whole, so the
// reserved bytes inside it travel unchanged.
#include "image/layout.h"

#include <cstdint>
#include <string>
#include <string_view>

constexpr int kVias = Area("ConfiguracaoVias").registros; // trunks 1..4

inline constexpr int ofsFatiaVias = ofsConfiguracaoVias;
inline constexpr int kTamanhoFatiaVias = Area("ReservaModoVias").fim() - ofsFatiaVias;
static_assert(kTamanhoFatiaVias == 290 && ofsModoVias > ofsFatiaVias);

// Where trunk t's record and mode byte lie inside the slice.
constexpr int PosicaoViaNaFatia(int t) { return OffsetVia(t) - ofsFatiaVias; }
constexpr int PosicaoModoNaFatia(int t) { return OffsetModoVia(t) - ofsFatiaVias; }

// The bytes of a trunk record.
constexpr int kViaCifras = 0;           // bits 0..2 local digits, bits 3..7 options
constexpr int kViaAtendente = 1;        // main attendant (a reference, or "9")
constexpr int kViaTransbordo = 2;       // overflow extension (a reference)
constexpr int kViaNoturno = 3;          // night attendant (a reference)
constexpr int kViaTempoTransbordo = 4;  // seconds
constexpr int kViaTomDisco = 5;         // units of 5 s
constexpr int kViaInicioBilhetagem = 6; // seconds; 0: answer by polarity reversal
constexpr int kViaSinalizacao = 7;      // caller-ID signalling, rings and options
static_assert(kViaSinalizacao + 1 == Area("ConfiguracaoVias").tamanhoRegistro);

// Local digits in bits 0..2 of byte 0: one bit for 7, 8 or 9 digits.
constexpr std::uint8_t kCifrasLocais = 0x07;
// Byte 7: caller ID by FSK (else DTMF/MFP); one ring before answering.
constexpr std::uint8_t kIdentificacaoFsk = 0x01;
constexpr std::uint8_t kUmToqueAtender = 0x02;

// The mode byte: the route in bits 0..2, then the signalling and the
// directions. A trunk neither outgoing nor incoming is a link.
constexpr std::uint8_t kModoRota = 0x07;
constexpr std::uint8_t kModoMultiFrequencial = 0x08;
constexpr std::uint8_t kModoSaida = 0x20;
constexpr std::uint8_t kModoEntrada = 0x40;
constexpr bool ViaEnlace(std::uint8_t modo) { return (modo & (kModoSaida | kModoEntrada)) == 0; }

// The main attendant may be "9" (the operator), stored as 0xDD.
constexpr std::uint8_t kAtendenteNove = 0xDD;

// The text of an attendant byte as the trunk window shows it: blanks for no
// reference, "9", an extension number, "60", or "6g" for a group ("6g" of a
// deactivated group 1..4 shows blanks).
std::string AtendenteViaParaTexto(const std::uint8_t* imagem, std::uint8_t referencia);
// The byte of a checked attendant text: "9" gives 0xDD, blanks no reference,
// anything else the position or group it names.
std::uint8_t TextoParaAtendenteVia(const std::uint8_t* imagem, std::string_view texto);
