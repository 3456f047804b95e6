#include "image/layout.h"

#include "image/cp1252.h"

#include <algorithm>
#include <cstring>

std::string LeNome(const std::uint8_t* slot)
{
    const int tamanho = std::min<int>(slot[0], kMaximoNome);
    return Cp1252ParaUtf8(std::string_view(reinterpret_cast<const char*>(slot + 1), tamanho));
}

bool GravaNome(std::uint8_t* slot, std::string_view texto)
{
    const std::optional<std::string> bytes = Utf8ParaCp1252(texto);
    if (!bytes)
        return false;
    const std::size_t tamanho = std::min<std::size_t>(bytes->size(), kMaximoNome);
    slot[0] = static_cast<std::uint8_t>(tamanho);
    std::memcpy(slot + 1, bytes->data(), tamanho);
    return true;
}
