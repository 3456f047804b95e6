#include "image/vias.h"

#include "image/conversao.h"
#include "image/grupos.h"
#include "image/registro.h"

namespace {

// A group reference has bits 4..6 set; its low three bits name the group.
constexpr std::uint8_t kBitsGrupo = 0x70;

std::string TextoGrupo(const std::uint8_t* imagem, int grupo)
{
    // "65".."67" name no group of the image and are never switched off.
    if (GrupoDesativado(imagem, grupo))
        return std::string(5, ' ');
    return FormatInt("00", 60 + grupo);
}

} // namespace

std::string AtendenteViaParaTexto(const std::uint8_t* imagem, std::uint8_t referencia)
{
    if (referencia == kAtendenteNove)
        return "9";
    if (referencia != kSemReferencia && (referencia & kBitsGrupo) == kBitsGrupo)
        return TextoGrupo(imagem, referencia & 7);
    return ReferenciaParaTexto(imagem, referencia);
}

std::uint8_t TextoParaAtendenteVia(const std::uint8_t* imagem, std::string_view texto)
{
    const std::string_view limpo = Trim(texto);
    if (limpo == "9")
        return kAtendenteNove;
    if (limpo.empty())
        return kSemReferencia;
    bool encontrado = false;
    return TextoParaReferencia(imagem, limpo, encontrado);
}
