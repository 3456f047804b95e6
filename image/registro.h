#pragma once
// The packed fields of the programming image and their texts: extension-number
// words, reference bytes, dial records, times and dates. Plain functions with
// no state; those that read the numbering plan or the trunks take the image.
#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

// Reference bytes with a meaning of their own.
constexpr std::uint8_t kSemReferencia = 0xBB;
constexpr std::uint8_t kSemReferenciaAlternativa = 0xBC; // read as no reference too
constexpr std::uint8_t kReferenciaGrupo = 0x70;          // + group number
constexpr std::uint16_t kPalavraSemNumero = 0x00BB;
constexpr std::uint8_t kSemHorario = 0x60;               // both bytes of an empty time
inline constexpr std::string_view kTextoSemHorario = "__:__"; // an empty time as shown

// Words of the reserved numbers in the numbering plan. Words from 0xFCFF up
// all read as "87"; "83" and "84" typed in are stored as plain digits, so
// the numbering plan window writes their words itself.
constexpr std::uint16_t kPalavraPorteiro1 = 0xF1FF;   // "81"
constexpr std::uint16_t kPalavraPorteiro2 = 0xF2FF;   // "82"
constexpr std::uint16_t kPalavraPorteiroPI = 0xF3FF;  // "83"
constexpr std::uint16_t kPalavraPorteiro4 = 0xF4FF;   // "84"
constexpr std::uint16_t kPalavraBuscaPessoa = 0xFAFF; // "68"
constexpr std::uint16_t kPalavraReservada87 = 0xFCFF; // "87", the first of 0xFCFF..0xFFFF

using NumeroDiscagem = std::array<std::uint8_t, 12>;     // flags, count, 10 digit bytes
using NumeroDiscagemCurto = std::array<std::uint8_t, 11>; // count, 10 digit bytes

// The count byte of a dial record (byte 1 of the 12-byte form, byte 0 of the
// 11-byte one): the digit count in bits 0..4, the route in bits 5..7.
constexpr int kContagemNumero = 1;
constexpr int DigitosDoNumero(std::uint8_t contagem) { return contagem & 0x1F; }
constexpr int RotaDoNumero(std::uint8_t contagem) { return contagem >> 5; }

// 10 gives '0', 0 a blank, 1..9 their digit; 11..15 the characters after
// '9' (';' .. '?'). Only the low four bits count.
char NibbleParaDigito(int nibble);

// The number of a word; a nibble 11..15 ends the number there (";" is no
// digit), and a word with no leading digit gives 0.
int PalavraRamalParaNumero(std::uint16_t palavra);
std::string PalavraRamalParaTexto(std::uint16_t palavra);
std::uint16_t TextoParaPalavraRamal(std::string_view texto);

std::string GrupoParaTexto(int grupo);

// The position (index 0..11) or group a typed text names. A "6x" text that is
// not a number raises EConvertError.
std::uint8_t TextoParaReferencia(const std::uint8_t* imagem, std::string_view texto, bool& encontrado);
std::uint8_t TextoParaReferenciaOuBranco(const std::uint8_t* imagem, std::string_view texto);
// Five blanks for no reference and for a byte that names no position.
std::string ReferenciaParaTexto(const std::uint8_t* imagem, std::uint8_t referencia);

// Digits of the text (others dropped), at most 20, route 0, flags 0.
NumeroDiscagem CompactaNumero(std::string_view texto);
void CompactaNumero(std::string_view texto, std::uint8_t* registro12);
NumeroDiscagemCurto CompactaNumeroCurto(std::string_view texto);
void CompactaNumeroCurto(std::string_view texto, std::uint8_t* registro11);
std::string DescompactaNumero(const std::uint8_t* registro12);
std::string DescompactaNumeroCurto(const std::uint8_t* registro11);

// The route number shifted into bits 5..7 of a count byte; a text that is not
// a number raises EConvertError.
int TextoParaRota(std::string_view texto);
// The route of a count byte as the windows and the reports show it: its
// number, or nothing when the number has no digits.
std::string RotaParaTexto(std::uint8_t contagem);

// "hh:mm" (blanks ignored) into [hour, minute]; "__:__" or ":" is the empty
// time. False for a time out of range (the bytes then hold what was read) or
// a text too short (the bytes unchanged); a part that is not a number raises
// EConvertError.
bool TextoParaHoraMinuto(std::string_view texto, std::uint8_t* bytes2);
// Each byte as two digits ("0" in front below 10, cut to two characters):
// 0x60 shows as "96".
std::string HoraMinutoParaTexto(std::uint8_t primeiro, std::uint8_t segundo);
std::string HoraMinutoParaTexto(const std::uint8_t* bytes2);
// A time of a list [hour, minute] as the windows and the reports show it:
// hh:mm, or "__:__" when either byte is no time.
std::string HorarioParaTexto(const std::uint8_t* horaMinuto);
std::string DiaMesParaTexto(std::uint8_t primeiro, std::uint8_t segundo);
std::string DiaMesParaTexto(const std::uint8_t* bytes2);

// Carrier codes: two digits in one byte, the first in the high nibble, a
// digit 0 stored as 10; 0xAA is no carrier.
constexpr std::uint8_t kSemOperadora = 0xAA;
// Each nibble as its digit (10 and 0 give "0", 11..15 their numbers); no
// carrier gives the empty text.
std::string OperadoraParaTexto(std::uint8_t codigo);
// A typed code, blanks around ignored: nothing is no carrier, one digit d is
// "0d". False (codigo unchanged) for "00", "0" and anything but one or two
// digits.
bool TextoParaOperadora(std::string_view texto, std::uint8_t& codigo);

// [day, month, year mod 100] and [hour, minute, second].
void DataParaBytes(std::uint8_t* bytes3, std::chrono::year_month_day data);
void HoraParaBytes(std::uint8_t* bytes3, std::chrono::milliseconds horaDoDia);

std::uint8_t BcdParaByte(std::uint8_t bcd);

// The exchange password: three digits in two bytes, 0x20 | d1 then
// d2 << 4 | d3, a digit 0 stored as 10. Anything but three digits is refused
// (false) and leaves the bytes as they were.
bool GravaSenhaCentral(std::uint8_t* bytes2, std::string_view tresDigitos);

// Bit `bit` (0..7) of a byte; a bit number outside 0..7 reads as clear and
// changes nothing.
bool BitLigado(std::uint8_t valor, int bit);
void AjustaBit(std::uint8_t& valor, int bit, bool ligado);

// Extension categories: the sub-route byte of a period holds "Rota 0", a
// sub-route 1..7, or neither.
constexpr std::uint8_t kSubRotaRota0 = 0;
constexpr std::uint8_t kSemSubRota = 0xEE;
constexpr int kMaiorSubRota = 7;

// Hot line of an extension: none, or the destination in bits 0..4 (a
// position index, or a trunk route when external) with its options.
constexpr std::uint8_t kSemLinhaDireta = 0xFF;
constexpr std::uint8_t kDestinoLinhaDireta = 0x1F;
constexpr std::uint8_t kLinhaDiretaEmergencia = 0x20;
constexpr std::uint8_t kLinhaDiretaExterna = 0x40;
constexpr std::uint8_t kLinhaDiretaImediata = 0x80;

// A diversion or follow-me to the number "87".
constexpr std::uint8_t kReferencia87 = 0x6A;

// Call lock of an extension: none, or the level byte.
constexpr std::uint8_t kSemCadeado = 0xFF;

// Recall times of an extension: seconds for trunks in the high nibble, for
// extensions in the low one; 7 is none.
constexpr int kSemRechamada = 7;
int RechamadaTronco(std::uint8_t tempos);
int RechamadaRamal(std::uint8_t tempos);
void GravaRechamada(std::uint8_t& tempos, bool tronco, int segundos);

// Passwords of extensions and private codes: two bytes, both 0xED when none.
// A password counts as set when neither byte, and-ed with 0xED, gives 0xED.
constexpr std::uint8_t kSenhaApagada = 0xED;
bool SenhaProgramada(const std::uint8_t* senha2);
void ApagaSenha(std::uint8_t* senha2);

// The private code (1..40) that position p (1..12) owns: the first whose
// owner byte names the position; 0 when it owns none.
int CodigoParticularDoRamal(const std::uint8_t* imagem, int posicao);

// True when some trunk is set to route 0.
bool ExisteRota0(const std::uint8_t* imagem);
