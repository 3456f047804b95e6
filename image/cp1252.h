#pragma once
// Names in the image are in the Windows Western code page (cp1252); the
// program works in UTF-8. Every byte decodes; a character the code page
// cannot hold is refused, never replaced.
//
// The five codes cp1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to
// the control characters of the same value (U+0081 ...), as Windows does, so
// that every byte 0x00..0xFF survives a round trip.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

char32_t Cp1252ParaUnicode(std::uint8_t byte);
std::optional<std::uint8_t> UnicodeParaCp1252(char32_t caractere);

// Appends one character in UTF-8.
void AcrescentaUtf8(std::string& saida, char32_t c);
// Decodes one UTF-8 sequence at texto[i], advancing i; nullopt on a
// malformed, overlong or truncated sequence, a surrogate or a code beyond
// U+10FFFF.
std::optional<char32_t> ProximoUtf8(std::string_view texto, std::size_t& i);

// cp1252 bytes to UTF-8; never fails.
std::string Cp1252ParaUtf8(std::string_view bytes);
// UTF-8 to cp1252 bytes; nullopt when the text is not valid UTF-8 or holds a
// character cp1252 has no code for.
std::optional<std::string> Utf8ParaCp1252(std::string_view utf8);
