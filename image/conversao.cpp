#include "image/conversao.h"

#include <algorithm>
#include <cstdint>

EConvertError::EConvertError(std::string_view texto) : EConvertError(texto, "integer value") {}

EConvertError::EConvertError(std::string_view texto, std::string_view tipo)
    : std::runtime_error("'" + std::string(texto) + "' is not a valid " + std::string(tipo))
{
}

namespace {

int ValorHex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Hex digits as a 32-bit pattern; false on an empty, bad or too long text.
bool LeHex(std::string_view digitos, std::uint32_t& valor)
{
    std::size_t inicio = digitos.find_first_not_of('0');
    if (digitos.empty() || (inicio != std::string_view::npos && digitos.size() - inicio > 8))
        return false;
    valor = 0;
    for (char c : digitos) {
        const int v = ValorHex(c);
        if (v < 0)
            return false;
        valor = (valor << 4) | static_cast<std::uint32_t>(v);
    }
    return true;
}

// Decimal digits up to limite; false on an empty, bad or too large text.
bool LeDecimal(std::string_view digitos, std::uint64_t limite, std::uint64_t& valor)
{
    if (digitos.empty())
        return false;
    valor = 0;
    for (char c : digitos) {
        if (!IsDigit(c))
            return false;
        valor = valor * 10 + static_cast<std::uint64_t>(c - '0');
        if (valor > limite)
            return false;
    }
    return true;
}

} // namespace

int StrToInt(std::string_view texto)
{
    std::string_view resto = texto;
    while (!resto.empty() && resto.front() == ' ')
        resto.remove_prefix(1);
    bool negativo = false;
    if (!resto.empty() && (resto.front() == '+' || resto.front() == '-')) {
        negativo = resto.front() == '-';
        resto.remove_prefix(1);
    }
    std::string_view hex;
    bool ehHex = false;
    if (!resto.empty() && resto.front() == '$') {
        hex = resto.substr(1), ehHex = true;
    } else if (resto.size() >= 2 && resto[0] == '0' && (resto[1] == 'x' || resto[1] == 'X')) {
        hex = resto.substr(2), ehHex = true;
    }
    if (ehHex) {
        std::uint32_t padrao = 0;
        if (!LeHex(hex, padrao))
            throw EConvertError(texto);
        const auto valor = static_cast<std::int32_t>(padrao);
        return negativo ? static_cast<int>(0u - static_cast<std::uint32_t>(valor)) : valor;
    }
    std::uint64_t valor = 0;
    if (!LeDecimal(resto, negativo ? 2147483648ull : 2147483647ull, valor))
        throw EConvertError(texto);
    return negativo ? static_cast<int>(-static_cast<std::int64_t>(valor)) : static_cast<int>(valor);
}

std::string IntToStr(long long valor)
{
    return std::to_string(valor);
}

std::string FormatInt(std::string_view formato, long long valor)
{
    const auto minimo = static_cast<std::size_t>(std::count(formato.begin(), formato.end(), '0'));
    const bool negativo = valor < 0;
    std::string digitos = std::to_string(negativo ? -static_cast<unsigned long long>(valor)
                                                  : static_cast<unsigned long long>(valor));
    if (digitos.size() < minimo)
        digitos.insert(0, minimo - digitos.size(), '0');
    if (digitos == "0" && minimo == 0)
        digitos.clear();
    return negativo ? "-" + digitos : digitos;
}

std::string_view Trim(std::string_view texto)
{
    while (!texto.empty() && static_cast<unsigned char>(texto.front()) <= ' ')
        texto.remove_prefix(1);
    while (!texto.empty() && static_cast<unsigned char>(texto.back()) <= ' ')
        texto.remove_suffix(1);
    return texto;
}

bool SoDigitos(std::string_view texto)
{
    for (char c : texto)
        if (!IsDigit(c))
            return false;
    return true;
}
