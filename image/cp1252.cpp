#include "image/cp1252.h"

#include <array>

namespace {

// Code points of 0x80..0x9F; the rest of the page equals Latin-1.
constexpr std::array<char32_t, 32> kBloco80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

void AcrescentaUtf8(std::string& saida, char32_t c)
{
    if (c < 0x80) {
        saida += static_cast<char>(c);
    } else if (c < 0x800) {
        saida += static_cast<char>(0xC0 | (c >> 6));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        saida += static_cast<char>(0xE0 | (c >> 12));
        saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        saida += static_cast<char>(0xF0 | (c >> 18));
        saida += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::optional<char32_t> ProximoUtf8(std::string_view texto, std::size_t& i)
{
    const auto primeiro = static_cast<unsigned char>(texto[i++]);
    if (primeiro < 0x80)
        return primeiro;
    int seguintes = 0;
    char32_t c = 0;
    char32_t minimo = 0;
    if ((primeiro & 0xE0) == 0xC0) {
        seguintes = 1, c = primeiro & 0x1F, minimo = 0x80;
    } else if ((primeiro & 0xF0) == 0xE0) {
        seguintes = 2, c = primeiro & 0x0F, minimo = 0x800;
    } else if ((primeiro & 0xF8) == 0xF0) {
        seguintes = 3, c = primeiro & 0x07, minimo = 0x10000;
    } else {
        return std::nullopt;
    }
    for (int k = 0; k < seguintes; ++k) {
        if (i >= texto.size())
            return std::nullopt;
        const auto b = static_cast<unsigned char>(texto[i++]);
        if ((b & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    return c;
}

char32_t Cp1252ParaUnicode(std::uint8_t byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kBloco80[byte - 0x80];
    return byte;
}

std::optional<std::uint8_t> UnicodeParaCp1252(char32_t caractere)
{
    if (caractere < 0x80 || (caractere >= 0xA0 && caractere <= 0xFF))
        return static_cast<std::uint8_t>(caractere);
    for (std::size_t k = 0; k < kBloco80.size(); ++k)
        if (kBloco80[k] == caractere)
            return static_cast<std::uint8_t>(0x80 + k);
    return std::nullopt;
}

std::string Cp1252ParaUtf8(std::string_view bytes)
{
    std::string saida;
    saida.reserve(bytes.size() * 2);
    for (char b : bytes)
        AcrescentaUtf8(saida, Cp1252ParaUnicode(static_cast<std::uint8_t>(b)));
    return saida;
}

std::optional<std::string> Utf8ParaCp1252(std::string_view utf8)
{
    std::string saida;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::optional<char32_t> c = ProximoUtf8(utf8, i);
        if (!c)
            return std::nullopt;
        const std::optional<std::uint8_t> byte = UnicodeParaCp1252(*c);
        if (!byte)
            return std::nullopt;
        saida += static_cast<char>(*byte);
    }
    return saida;
}
